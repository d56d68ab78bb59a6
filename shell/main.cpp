// The process entry: the steps of the start in their order, around the program's own entry point.
#include <QApplication>

#include "shell/process_start.h"
#include "shell/program_folders.h"
#include "shell/winmain.h"
#include "shell/work_ahead.h"

// The order of the steps is part of the design:
// 1. PrepareProcess first: the allocator's threshold, the session-bus address and the menu bar's
//    attribute count only when set before Qt starts.
// 2. ChooseFilePlaces before anything names a file: it needs only the executable's folder, not
//    the application object.
// 3. The word file is read ahead from here on, while Qt's start below waits for the display;
//    LoadWdsList takes the words when the loading comes to them.
// 4. The application object, then the font database filled on another thread while the window is
//    made; that thread is joined before the application object goes.
// 5. Winmain: the one-copy rule, the window, the event loop, the final save. Everything is taken
//    down in the reverse order when main returns.
int main(int argc, char** argv)
{
    PrepareProcess();
    ChooseFilePlaces(argc > 0 ? argv[0] : nullptr);
    const WordFileAhead words;
    QApplication application(argc, argv);
    const FontsAhead fonts;
    // Lets a Wayland desktop match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumora.Lumora"));
    return Winmain();
}

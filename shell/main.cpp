// The process entry: Qt's application object around the program's own entry point.
#include <QApplication>

#include "shell/process_exit.h"
#include "shell/process_start.h"
#include "shell/program_folders.h"
#include "shell/winmain.h"
#include "shell/work_ahead.h"

int main(int argc, char** argv)
{
    PrepareProcess();
    ChooseFilePlaces(argc > 0 ? argv[0] : nullptr);
    const WordFileAhead words;
    QApplication application(argc, argv);
    const FontsAhead fonts;
    // Lets a Wayland desktop match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumora.Lumora"));
#ifndef LUMORA_SANITIZE
    ProcessEndsAfterRun = true;
#endif
    const int code = Winmain();
#ifndef LUMORA_SANITIZE
    EndProcess(code);
#endif
    return code;
}

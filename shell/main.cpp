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
    QApplication application(argc, argv);
    // Lets a Wayland desktop match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumora.Lumora"));
    ChooseFilePlaces();
    const WorkAhead ahead;
#ifndef LUMORA_SANITIZE
    ProcessEndsAfterRun = true;
#endif
    const int code = Winmain();
#ifndef LUMORA_SANITIZE
    EndProcess(code);
#endif
    return code;
}

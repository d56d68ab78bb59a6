// The process entry: Qt's application object around the program's own entry point.
#include <QApplication>

#include "shell/process_exit.h"
#include "shell/program_folders.h"
#include "shell/winmain.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // Lets a Wayland desktop match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumora.Lumora"));
    ChooseFilePlaces();
    const int code = Winmain();
#ifndef LUMORA_SANITIZE
    EndProcess(code);
#endif
    return code;
}

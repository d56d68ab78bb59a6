// The process entry: Qt's application object around the program's own entry point.
#include <QApplication>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "shell/process_exit.h"
#include "shell/work_ahead.h"
#include "shell/program_folders.h"
#include "shell/winmain.h"

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // Whole files read at start go back to the system when freed. Left to itself, glibc raises
    // its threshold for mapping large blocks after the first such block is freed, and later ones
    // then stay in the heap for the rest of the run.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    // The menu stays in the window: the layout is measured below it, and a desktop-wide menu
    // would need a session-bus query before the first window.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
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

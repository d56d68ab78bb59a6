#include "shell/process_start.h"

#include <QCoreApplication>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// Qt asks the session bus whether a screen reader listens. With no session bus at all (no address
// in the environment, no bus socket in the runtime folder), the bus library would launch one for
// the question: a fork of the whole program at start, and a daemon left behind, on a bus where no
// screen reader can be. The program says there is none instead.
void SkipLaunchingABus()
{
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr)
        return;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat status;
    if (runtime != nullptr && stat((std::string(runtime) + "/bus").c_str(), &status) == 0)
        return;
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

void PrepareProcess()
{
    SkipLaunchingABus();
#ifdef __GLIBC__
    // Whole files read at start go back to the system when freed. Left to itself, glibc raises
    // its threshold for mapping large blocks after the first such block is freed, and later ones
    // then stay in the heap for the rest of the run.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    // The menu stays in the window: the layout is measured below it, and a desktop-wide menu
    // would need a session-bus query before the first window.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

// Measures how long the real program takes from process start until its main window is shown,
// then ends it the way an aborted run ends (quit code 0: nothing is saved). Run it inside a copy
// of build/run, e.g.  QT_QPA_PLATFORM=offscreen ./measure_startup
// With --quit it instead closes the window as the Quit command does (quit code 2: the data is
// saved, without the 3 s pause) and prints the moment it did so on CLOCK_MONOTONIC, so that a
// caller that waits for the process can time quit to process exit (tools/bench/quit_time.py).
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <unistd.h>

#include "data/seams.h"
#include "engine/window.h"
#include "shell/main_window.h"
#include "shell/process_start.h"
#include "shell/work_ahead.h"
#include "shell/winmain.h"

namespace {

// Milliseconds since the kernel started this process (clock ticks of /proc/self/stat).
double SinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    // Fields after the command name start with field 3; the start time is field 22.
    std::size_t pos = close + 2;
    for (int field = 3; field < 22; ++field)
        pos = text.find(' ', pos) + 1;
    const double startTicks = std::stod(text.substr(pos));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

// Processor time the process has used so far, its threads and the kernel's work for it included:
// unlike the wall clock, it hardly changes when other programs compete for the processors.
double ProcessorMs()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return used.tv_sec * 1000.0 + used.tv_nsec / 1e6;
}

double MonotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

class Watcher : public QObject {
public:
    explicit Watcher(bool quit) : quit_(quit) {}

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !shown_ && qobject_cast<LumoraWindow*>(object) != nullptr) {
            shown_ = true;
            std::printf("main window shown: %.0f ms after process start, %.1f ms of processor time\n",
                        SinceProcessStart(), ProcessorMs());
        }
        if (event->type() == QEvent::Paint && shown_ && !painted_ && qobject_cast<DrawingArea*>(object) != nullptr) {
            painted_ = true;
            std::printf("first paint begins: %.0f ms after process start\n", SinceProcessStart());
            if (!quit_) {
                QTimer::singleShot(0, [] { SendAbort(0); });
            } else {
                QTimer::singleShot(0, [] {
                    SavePauseMs = 0;
                    std::printf("quit at %.3f\n", MonotonicMs());
                    std::fflush(stdout);
                    MainWindow->close();
                });
            }
        }
        return false;
    }

private:
    bool quit_;
    bool shown_ = false;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    std::printf("main entered: %.0f ms after process start\n", SinceProcessStart());
    // The program's own start, in the order of its main(), except that the files stay in the
    // current folder (the program would look beside this tool).
    PrepareProcess();
    const WordFileAhead words;
    QApplication application(argc, argv);
    const FontsAhead fonts;
    Watcher watcher(argc > 1 && std::string(argv[1]) == "--quit");
    application.installEventFilter(&watcher);
    const int result = Winmain();
    std::fflush(stdout);
    return result;
}

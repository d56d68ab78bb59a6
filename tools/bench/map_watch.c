/* Starts one program and reports when its main window is mapped, and its peak memory.
 *
 *   map_watch MIN_WIDTH MIN_HEIGHT SETTLE_MS -- program [arguments...]
 *
 * The clock starts just before the fork, so the figure covers the whole process start. The watcher
 * listens on the root window for MapNotify (structure events of the root's children): with no
 * window manager running, a top-level window is a child of the root and is mapped the moment the
 * program asks for it. The first mapped window of the started process (by _NET_WM_PID when the
 * window carries it) that is at least MIN_WIDTH by MIN_HEIGHT counts as the main window, so a
 * progress or splash window does not. After SETTLE_MS more milliseconds the process's peak
 * resident size (VmHWM) is read and the process is ended.
 *
 * Prints one line:  mapped_ms=<ms> rss_kb=<kB>   (mapped_ms=-1 when no window came within 20 s).
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double NowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* The window's _NET_WM_PID, or 0 when it has none. */
static long WindowPid(Display* display, Window window)
{
    Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = NULL;
    long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        data != NULL && items == 1 && format == 32)
        pid = (long)*(unsigned long*)data;
    if (data != NULL)
        XFree(data);
    return pid;
}

static long PeakRssKb(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* status = fopen(path, "r");
    if (status == NULL)
        return -1;
    char line[256];
    long kb = -1;
    while (fgets(line, sizeof line, status) != NULL)
        if (strncmp(line, "VmHWM:", 6) == 0)
            kb = strtol(line + 6, NULL, 10);
    fclose(status);
    return kb;
}

/* Ignores errors from windows that vanish between the event and the query. */
static int IgnoreErrors(Display* display, XErrorEvent* error)
{
    (void)display;
    (void)error;
    return 0;
}

int main(int argc, char** argv)
{
    if (argc < 6 || strcmp(argv[4], "--") != 0) {
        fprintf(stderr, "usage: map_watch MIN_WIDTH MIN_HEIGHT SETTLE_MS -- program [arguments...]\n");
        return 2;
    }
    const int minWidth = atoi(argv[1]);
    const int minHeight = atoi(argv[2]);
    const int settleMs = atoi(argv[3]);

    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "map_watch: no display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[5], argv + 5);
        _exit(127);
    }

    double mapped = -1;
    const int fd = ConnectionNumber(display);
    while (mapped < 0 && NowMs() - start < 20000) {
        if (XPending(display) == 0) {
            struct pollfd wait = {fd, POLLIN, 0};
            poll(&wait, 1, 50);
            if (waitpid(child, NULL, WNOHANG) == child) {
                printf("mapped_ms=-1 rss_kb=-1\n");
                return 1;
            }
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify)
            continue;
        const double at = NowMs();
        Window window = event.xmap.window;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window, &attributes))
            continue;
        if (attributes.width < minWidth || attributes.height < minHeight || attributes.override_redirect)
            continue;
        const long pid = WindowPid(display, window);
        if (pid != 0 && pid != child)
            continue;
        mapped = at - start;
    }

    // The settle time lets the program finish what it does right after mapping (first paint).
    const double settleEnd = NowMs() + settleMs;
    while (NowMs() < settleEnd)
        usleep(10000);
    const long rss = PeakRssKb(child);
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    printf("mapped_ms=%.1f rss_kb=%ld\n", mapped, rss);
    return mapped < 0;
}

// Smoke test of a real executable on a real X display: it starts, maps a window with the given
// title (and, when given, client area), and exits with status 0 when that window is closed the
// way a window manager closes it (WM_DELETE_WINDOW).
//
// usage: window_smoke PROGRAM TITLE [WIDTH HEIGHT]   (run under xvfb-run, no window manager)

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The window's title as UTF-8: _NET_WM_NAME, which Qt sets for titles of any script.
std::string Title(Display* display, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False,
                       XInternAtom(display, "UTF8_STRING", False), &type, &format, &count, &after,
                       &data);
    std::string title(data != nullptr ? reinterpret_cast<char*>(data) : "", count);
    if (data != nullptr) {
        XFree(data);
    }
    return title;
}

// Without a window manager, top-level windows are children of the root.
Window FindWindow(Display* display, const std::string& title) {
    Window root = 0, up = 0, *children = nullptr, found = 0;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &up, &children, &count);
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (Title(display, children[i]) == title &&
            XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable) {
            found = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

int Fail(pid_t child, const char* why) {
    std::fprintf(stderr, "window_smoke: %s\n", why);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    std::puts("window_smoke: 0 passed, 1 failed");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = argc == 3 || argc == 5 ? XOpenDisplay(nullptr) : nullptr;
    if (display == nullptr) {
        return Fail(0, "usage: window_smoke PROGRAM TITLE [WIDTH HEIGHT], on an X display");
    }
    const pid_t child = fork();
    if (child == 0) {
        execl(argv[1], argv[1], static_cast<char*>(nullptr));
        _exit(127);
    }
    Window window = 0;
    for (const auto deadline = Clock::now() + std::chrono::seconds(30);
         window == 0 && Clock::now() < deadline;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        window = FindWindow(display, argv[2]);
        if (waitpid(child, nullptr, WNOHANG) == child) {
            return Fail(0, "the program ended before showing its window");
        }
    }
    if (window == 0) {
        return Fail(child, "no window with the title appeared");
    }
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    if (argc == 5 &&
        (attributes.width != std::atoi(argv[3]) || attributes.height != std::atoi(argv[4]))) {
        std::fprintf(stderr, "window_smoke: client area %d x %d\n", attributes.width,
                     attributes.height);
        return Fail(child, "the client area is not as designed");
    }

    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, window, False, NoEventMask, &close);
    XFlush(display);
    int status = 0;
    for (const auto deadline = Clock::now() + std::chrono::seconds(10);
         waitpid(child, &status, WNOHANG) != child;) {
        if (Clock::now() > deadline) {
            return Fail(child, "the program did not end when its window was closed");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    XCloseDisplay(display);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return Fail(0, "the program did not exit with status 0");
    }
    std::puts("window_smoke: 1 passed, 0 failed");
    return 0;
}

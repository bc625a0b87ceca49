// Smoke test of a real executable on a real X display (xvfb-run, no window manager): it maps a
// window with the given title and exits with status 0 when that window is closed the way a
// window manager closes it (WM_DELETE_WINDOW).
//
// usage: window_smoke PROGRAM TITLE [ARGUMENT...]

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Without a window manager, top-level windows are children of the root. Qt writes any title, of
// any script, in UTF-8 to _NET_WM_NAME.
Window FindWindow(Display* display, const std::string& title) {
    Window root = 0, up = 0, *children = nullptr, found = 0;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &up, &children, &count);
    for (unsigned int i = 0; i < count; ++i) {
        XTextProperty name{};
        XWindowAttributes attributes;
        if (XGetTextProperty(display, children[i], &name,
                             XInternAtom(display, "_NET_WM_NAME", False)) &&
            name.value != nullptr && reinterpret_cast<char*>(name.value) == title &&
            XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable) {
            found = children[i];
        }
        XFree(name.value);
    }
    XFree(children);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = argc >= 3 ? XOpenDisplay(nullptr) : nullptr;
    if (display == nullptr) {
        std::fputs("usage: window_smoke PROGRAM TITLE [ARGUMENT...], on an X display\n", stderr);
        return 1;
    }
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> program{argv[1]};
        program.insert(program.end(), argv + 3, argv + argc);
        program.push_back(nullptr);
        execv(argv[1], program.data());
        _exit(127);
    }
    int status = -1;
    bool ended = false;
    // Polls every 50 ms, for at most `seconds`, until `done` holds or the program has ended.
    const auto wait = [&](int seconds, auto done) {
        for (int i = 0; i < seconds * 20; ++i) {
            ended = waitpid(child, &status, WNOHANG) == child;
            if (ended || done()) {
                return;
            }
            usleep(50'000);
        }
    };
    Window window = 0;
    wait(30, [&] { return (window = FindWindow(display, argv[2])) != 0; });
    const char* failure = "no window with the title appeared";
    if (window != 0) {
        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = window;
        close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, window, False, NoEventMask, &close);
        XFlush(display);
        wait(10, [] { return false; });
        failure = !ended                                           ? "it did not end when closed"
                  : !WIFEXITED(status) || WEXITSTATUS(status) != 0 ? "it did not exit with status 0"
                                                                   : nullptr;
    }
    XCloseDisplay(display);
    if (failure != nullptr) {
        kill(child, SIGKILL);
        std::fprintf(stderr, "window_smoke: %s\n", failure);
        return 1;
    }
    return 0;
}

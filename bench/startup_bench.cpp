// Time from process start to the window's first paint, and peak memory, of the real window.
//
// usage: startup_bench [RUNS]   (on a display; under xvfb-run on a headless machine)
// It starts itself RUNS times (default 20) as a child that builds the window exactly as the
// program does and exits right after the first paint, then prints the median and the worst.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/form1.h"

namespace {

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// Reports the first paint of the watched window, then ends the event loop.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long started) : started_(started) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // After this paint has been handled, not before.
            QTimer::singleShot(0, [this] {
                std::printf("%lld\n", (NowNs() - started_) / 1000);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long started_;
    bool seen_ = false;
};

int Child(long long started, int argc, char** argv) {
    QApplication app(argc, argv);
    ui::ConfigureApplication(app);
    ui::Form1 form;
    FirstPaint watcher(started);
    form.installEventFilter(&watcher);
    form.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--child") {
        return Child(std::atoll(argv[2]), 1, argv);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::vector<double> paint_ms;
    long max_rss_kib = 0;
    for (int i = 0; i < runs; ++i) {
        int out[2];
        if (pipe(out) != 0) {
            return 2;
        }
        const std::string started = std::to_string(NowNs());
        const pid_t child = fork();
        if (child == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl("/proc/self/exe", argv[0], "--child", started.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char buffer[64] = {};
        const ssize_t got = read(out[0], buffer, sizeof buffer - 1);
        close(out[0]);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "startup_bench: run %d failed (no display?)\n", i + 1);
            return 1;
        }
        paint_ms.push_back(std::atof(buffer) / 1000.0);
        max_rss_kib = std::max(max_rss_kib, usage.ru_maxrss);
    }
    std::sort(paint_ms.begin(), paint_ms.end());
    std::printf("runs: %d\nfirst paint: median %.1f ms, worst %.1f ms\npeak memory: %.1f MiB\n",
                runs, paint_ms[paint_ms.size() / 2], paint_ms.back(), max_rss_kib / 1024.0);
    return 0;
}

// Time from process start to the window's first paint, and peak memory, of the real window.
//
// usage: startup_bench [RUNS]   (on a display; under xvfb-run on a headless machine)
// It starts itself RUNS times (default 20) as a child that builds the window exactly as the
// program does and exits right after the first paint, and as many times, in turn, as a child
// that shows a bare window with the same 23 controls in the same two Chinese faces and nothing
// else of the program's set-up; then prints the median and the worst of each and their ratio.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "qtapp/application.h"
#include "ui/form_design.h"
#include "ui/qt/form1.h"

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

// What the calculator's start-up is measured against: Qt's defaults, the same controls in the
// same faces, sizes and weights, named directly.
void BuildBareWindow(QWidget& window) {
    const QFont body(QStringLiteral("AR PL UMing CN"));
    for (const ui::ControlDesign& design : ui::kForm1Controls) {
        QWidget* control = nullptr;
        const QString caption = QString::fromUtf8(design.caption);
        switch (design.kind) {
            case ui::ControlKind::kTextBox:
                control = new QLineEdit(&window);
                break;
            case ui::ControlKind::kButton:
                control = new QPushButton(caption, &window);
                break;
            case ui::ControlKind::kLabel:
                control = new QLabel(caption, &window);
                break;
        }
        QFont font =
            design.font == ui::FontRole::kTitle ? QFont(QStringLiteral("AR PL UKai CN")) : body;
        font.setPixelSize(design.font == ui::FontRole::kBody
                              ? 19
                              : (design.font == ui::FontRole::kButton ? 21 : 35));
        font.setBold(design.font != ui::FontRole::kBody);
        control->setFont(font);
        control->setGeometry(ui::TwipsToPixels(design.left), ui::TwipsToPixels(design.top),
                             ui::TwipsToPixels(design.width), ui::TwipsToPixels(design.height));
    }
    window.resize(629, 484);
}

int Child(bool bare, long long started, int argc, char** argv) {
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        BuildBareWindow(*window);
    } else {
        qtapp::ConfigureApplication(app);
        window = std::make_unique<ui::qt::Form1>();
    }
    FirstPaint watcher(started);
    window->installEventFilter(&watcher);
    window->show();
    return QApplication::exec();
}

struct Sample {
    std::vector<double> paint_ms;
    long max_rss_kib = 0;
    double median() const { return paint_ms[paint_ms.size() / 2]; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--child") {
        return Child(std::string(argv[2]) == "bare", std::atoll(argv[3]), 1, argv);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    Sample samples[2];  // the program, the bare window
    for (int i = 0; i < 2 * runs; ++i) {
        Sample& sample = samples[i % 2];
        int out[2];
        if (pipe(out) != 0) {
            return 2;
        }
        const std::string started = std::to_string(NowNs());
        const pid_t child = fork();
        if (child == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execl("/proc/self/exe", argv[0], "--child", i % 2 ? "bare" : "program", started.c_str(),
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
        sample.paint_ms.push_back(std::atof(buffer) / 1000.0);
        sample.max_rss_kib = std::max(sample.max_rss_kib, usage.ru_maxrss);
    }
    const char* names[] = {"disc-spring", "bare window"};
    for (int k = 0; k < 2; ++k) {
        std::sort(samples[k].paint_ms.begin(), samples[k].paint_ms.end());
        std::printf("%s: first paint median %.1f ms, worst %.1f ms; peak memory %.1f MiB\n",
                    names[k], samples[k].median(), samples[k].paint_ms.back(),
                    samples[k].max_rss_kib / 1024.0);
    }
    std::printf("runs: %d each\nratio: first paint %.3f, memory %.3f\n", runs,
                samples[0].median() / samples[1].median(),
                static_cast<double>(samples[0].max_rss_kib) / samples[1].max_rss_kib);
    return 0;
}

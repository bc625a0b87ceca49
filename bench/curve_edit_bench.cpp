// How long the characteristic window holds its GUI thread while a long curve follows an edit:
// the longest single event and the whole update, at N = 100000. Typing must never wait for the
// computation, which runs beside it.
//
// usage: QT_QPA_PLATFORM=offscreen curve_edit_bench [EDITS]

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "curve/curve_window.h"
#include "qtapp/application.h"

namespace {

template <typename Widget>
Widget* Named(const QWidget& window, const char* name) {
    for (Widget* w : window.findChildren<Widget*>()) {
        if (w->accessibleName() == QString::fromUtf8(name)) {
            return w;
        }
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qtapp::ConfigureApplication(app, QStringLiteral("disc-spring-curve"));
    const int edits = argc > 1 ? std::atoi(argv[1]) : 9;
    curve::CurveWindow window;
    window.show();
    QLabel* status = Named<QLabel>(window, "状态");
    QLineEdit* d = Named<QLineEdit>(window, "d(mm)");
    Named<QLineEdit>(window, "步数 N")->setText(QStringLiteral("100000"));
    if (!QTest::qWaitFor([&] { return status->text().isEmpty(); }, 60000)) {
        std::fputs("curve_edit_bench: the first curve never came\n", stderr);
        return 1;
    }
    std::vector<double> longest, whole;
    for (int i = 0; i < edits; ++i) {
        QElapsedTimer total;
        total.start();
        d->setText(QString::number(50 + i % 3));
        double worst = 0;
        while (!status->text().isEmpty()) {
            QElapsedTimer event;
            event.start();
            QApplication::processEvents();  // returns at once when nothing waits
            worst = std::max(worst, event.nsecsElapsed() / 1e6);
        }
        window.repaint();
        longest.push_back(worst);
        whole.push_back(total.nsecsElapsed() / 1e6);
    }
    std::sort(longest.begin(), longest.end());
    std::sort(whole.begin(), whole.end());
    std::printf(
        "N = 100000, %d edits: longest event median %.0f ms (worst %.0f ms), "
        "edit to shown median %.0f ms\n",
        edits, longest[longest.size() / 2], longest.back(), whole[whole.size() / 2]);
    return 0;
}

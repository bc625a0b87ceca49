// disc-spring-curve: the characteristic of a disc spring, plotted and tabulated.
//
// usage: disc-spring-curve [D d t H [f]]

#include <QApplication>

#include "curve/curve_window.h"
#include "ui/application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::ConfigureApplication(app, QStringLiteral("disc-spring-curve"));
    curve::CurveWindow window(QApplication::arguments().mid(1, 5));
    window.show();
    return QApplication::exec();
}

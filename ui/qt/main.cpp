// disc-spring: the disc-spring calculator's window.

#include <QApplication>

#include "qtapp/application.h"
#include "ui/qt/form1.h"

int main(int argc, char** argv) {
    if (!qtapp::HasDisplay()) {
        return qtapp::RefuseWithoutDisplay("disc-spring");
    }
    QApplication app(argc, argv);
    qtapp::ConfigureApplication(app);
    ui::qt::Form1 form;
    form.show();
    return QApplication::exec();
}

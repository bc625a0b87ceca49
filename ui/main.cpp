// disc-spring: the disc-spring calculator's window.

#include <QApplication>

#include "ui/application.h"
#include "ui/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::ConfigureApplication(app);
    ui::Form1 form;
    form.show();
    return QApplication::exec();
}

#include "app/widgets/main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HX-V5 Clone"));
    QApplication::setOrganizationName(QStringLiteral("Tormel"));
    hxv5::MainWindow window;
    window.show();
    return QApplication::exec();
}

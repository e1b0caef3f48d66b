#include <QApplication>

#include "mainwindows.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral(TRACKORA_APP_NAME));
    QApplication::setApplicationName(QStringLiteral(TRACKORA_APP_NAME));
    QApplication::setApplicationVersion(QStringLiteral(TRACKORA_VERSION));

    MainWindows window;
    window.show();
    return app.exec();
}

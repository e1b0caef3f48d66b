#include <QIcon>
#include <QTextCodec>

#include "cgpsutils.h"
#include "configuration.h"
#include "crashdumper.h"
#include "keepawake.h"
#include "mainwindows.h"
#include "openglcheck.h"
#include "qtsingleapplication.h"
#include "trackoraversion.h"

// Installed before main() so a crash in any thread leaves a dump.
static CrashDumper crashDumper;

int main(int argc, char *argv[])
{
    OpenGLCheck::prepareApplication();
    QtSingleApplication app(QStringLiteral(TRACKORA_INSTANCE_ID), argc, argv);
    if (app.isRunning())
        return 0;
    // The bus needs the application object, so this follows it here.
    KeepAwake::request(QStringLiteral("Playing recordings"));

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/image/logo.png")));
    app.setQuitOnLastWindowClosed(false);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QCoreApplication::setApplicationName(QStringLiteral(TRACKORA_APP_NAME));
    QCoreApplication::setOrganizationName(QObject::tr("Ostravane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRACKORA_VERSION));

    Configuration::instance()->setLanguage(Configuration::instance()->language());
    CGPSUtils::instance()->setApplicationFont();

    auto *window = new MainWindows;
    window->show();
    app.installNativeEventFilter(window);
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &app, &QCoreApplication::quit);

    const int result = app.exec();
    delete window;
    return result;
}

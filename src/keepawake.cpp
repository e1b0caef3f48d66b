#include "keepawake.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDebug>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool KeepAwake::request(const QString &reason)
{
#ifdef Q_OS_WIN
    Q_UNUSED(reason);
    return SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED) != 0;
#else
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qDebug() << "keep-awake: no session bus";
        return false;
    }
    // The cookie is dropped on purpose: the inhibition lasts as long as our
    // connection to the bus, which is the life of the process.
    QDBusInterface screenSaver(QStringLiteral("org.freedesktop.ScreenSaver"),
                               QStringLiteral("/org/freedesktop/ScreenSaver"),
                               QStringLiteral("org.freedesktop.ScreenSaver"), bus);
    QDBusReply<uint> reply = screenSaver.call(QStringLiteral("Inhibit"),
                                              QCoreApplication::applicationName(), reason);
    if (!reply.isValid()) {
        qDebug() << "keep-awake: screensaver inhibit unavailable:" << reply.error().message();
        return false;
    }
    return true;
#endif
}

#include "keepawake.h"

#include "shelllog.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
// A screensaver service that answers at all answers within this time.
constexpr int kReplyTimeoutMs = 2000;
}

bool KeepAwake::request(const QString &reason)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCDebug(lcShell) << "keep-awake: no session bus";
        return false;
    }
    // The cookie is dropped on purpose: the inhibition lasts as long as our
    // connection to the bus, which is the life of the process.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
        QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("Inhibit"));
    call << QCoreApplication::applicationName() << reason;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kReplyTimeoutMs), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError())
            qCDebug(lcShell) << "keep-awake: screensaver inhibit unavailable:" << reply.error().message();
        else
            qCDebug(lcShell) << "keep-awake: screensaver inhibited";
        w->deleteLater();
    });
    return true;
}

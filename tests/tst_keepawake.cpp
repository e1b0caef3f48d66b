#include <QtTest>

#include <QDBusConnection>
#include <QDBusMessage>

#include "keepawake.h"
#include "tst_logcapture.h"

// A private session bus with a screensaver service of our own on a second
// connection of this process: while the test's thread waits, the service
// cannot answer, just like a hung one.
namespace {

class ScreenSaverStub : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    bool answer = true;
    QStringList calls; // "application|reason"

public slots:
    uint Inhibit(const QString &application, const QString &reason, const QDBusMessage &message)
    {
        calls << application + QLatin1Char('|') + reason;
        if (!answer)
            message.setDelayedReply(true); // and never replies
        return 7;
    }
};

} // namespace

class TestKeepAwake : public QObject
{
    Q_OBJECT
private:
    QProcess m_daemon;
    ScreenSaverStub m_stub;

private slots:
    void initTestCase()
    {
        LogCapture::install();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        QVERIFY2(m_daemon.waitForStarted(), "dbus-daemon is installed by tools/install-deps.sh");
        QByteArray address;
        while (!address.contains('\n') && m_daemon.waitForReadyRead(10000))
            address += m_daemon.readAllStandardOutput();
        address = address.trimmed();
        QVERIFY(!address.isEmpty());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);

        QDBusConnection service = QDBusConnection::connectToBus(QString::fromLatin1(address), QStringLiteral("stub"));
        QVERIFY(service.isConnected());
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &m_stub,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("stub"));
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }

    void answeredRequestIsLogged()
    {
        LogCapture::clear();
        m_stub.calls.clear();
        m_stub.answer = true;
        QCoreApplication::setApplicationName(QStringLiteral("keepawake-test"));
        QVERIFY2(KeepAwake::request(QStringLiteral("Playing recordings")), "the request is granted");
        QTRY_COMPARE_WITH_TIMEOUT(m_stub.calls, QStringList{QStringLiteral("keepawake-test|Playing recordings")}, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count(QStringLiteral("keep-awake: screensaver inhibited")), 1, 10000);
    }

    // Start-up goes on at once; the request gives up on its own.
    void hungServiceDoesNotHoldStartUp()
    {
        LogCapture::clear();
        m_stub.calls.clear();
        m_stub.answer = false;
        QElapsedTimer clock;
        clock.start();
        QVERIFY2(KeepAwake::request(QStringLiteral("Playing recordings")), "the request is granted");
        const qint64 blockedMs = clock.elapsed();
        QVERIFY2(blockedMs < 1000, qPrintable(QStringLiteral("request() took %1 ms").arg(blockedMs)));
        QTRY_COMPARE_WITH_TIMEOUT(m_stub.calls.size(), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count(QStringLiteral("keep-awake: screensaver inhibit unavailable:")), 1, 10000);
        QVERIFY2(clock.elapsed() < 10000, "the request gives up well before the bus's own 25 s");
    }
};

QTEST_GUILESS_MAIN(TestKeepAwake)
#include "tst_keepawake.moc"

#pragma once

// Start-up shared by the map tests that run real web pages.
//
// Chromium's host-resolver rules are one argument with spaces inside
// ("MAP * 127.0.0.1:port"), and QtWebEngine splits QTWEBENGINE_CHROMIUM_FLAGS
// at every space. When that variable is unset it reads the application's own
// arguments instead, so the flags travel there, whole.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QList>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace maptest {

// Longest wait for a page to load or a script result; a slow machine, not a hang.
constexpr int WaitMs = 20000;

inline QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    auto result = std::make_shared<QVariant>();
    auto done = std::make_shared<bool>(false);
    page->runJavaScript(script, [result, done](const QVariant &v) {
        *result = v;
        *done = true;
    });
    if (!QTest::qWaitFor([done] { return *done; }, WaitMs))
        qWarning("no result from %s", qPrintable(script));
    return *result;
}

// What the page reports through its read-only accessor.
inline QVariantMap mapState(QWebEnginePage *page)
{
    return evaluate(page, QStringLiteral("trackoraMapState()")).toMap();
}

inline bool near(const QVariant &pair, double lng, double lat, double tolerance = 1e-6)
{
    const QVariantList p = pair.toList();
    return p.size() >= 2 && qAbs(p.at(0).toDouble() - lng) <= tolerance
        && qAbs(p.at(1).toDouble() - lat) <= tolerance;
}

inline QString describe(const QVariant &value)
{
    return QString::fromUtf8(QJsonDocument::fromVariant(value).toJson(QJsonDocument::Compact));
}

// Pixels in the red of the played route.
inline int routePixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 170 && c.green() < 100 && c.blue() < 100)
                ++count;
        }
    return count;
}

// Waits until the loaded page has settled on a map and replayed early calls.
inline bool pageReady(QWebEnginePage *page)
{
    return QTest::qWaitFor([page] {
        const QVariantMap state = mapState(page);
        return state.value(QStringLiteral("backend")).toString() != QLatin1String("none")
            && state.value(QStringLiteral("pending")).toInt() == 0;
    }, WaitMs);
}

// A listening socket on 127.0.0.1 whose port is known before the application
// exists; hand it to QTcpServer::setSocketDescriptor afterwards.
inline int listeningSocket(quint16 *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), size) != 0 || ::listen(fd, 64) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) != 0) {
        ::close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

// Runs test with the given Chromium flags on the application's command line
// and its settings in a private folder.
inline int run(QObject *test, const char *appName, int argc, char **argv,
               QList<QByteArray> flags)
{
    // Whatever the environment asked for still applies, split as usual.
    const QByteArray inherited = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const QByteArray &flag : inherited.split(' '))
        if (!flag.isEmpty())
            flags.append(flag);

    std::vector<char *> args(argv, argv + argc);
    for (QByteArray &flag : flags)
        args.push_back(flag.data());
    args.push_back(nullptr);
    int count = int(args.size()) - 1;

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(count, args.data());
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TrackoraTest"));
    QCoreApplication::setApplicationName(QString::fromLatin1(appName));
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                  + QStringLiteral("/configuration.ini"));
    // QTest sees only its own options.
    return QTest::qExec(test, argc, argv);
}

// run() for a test class built on a local server's listening socket; flagsFor
// makes the Chromium flags from the server's port.
template <typename Test, typename FlagsFor>
int runServed(const char *appName, int argc, char **argv, FlagsFor flagsFor)
{
    quint16 port = 0;
    const int socket = listeningSocket(&port);
    if (socket < 0) {
        qCritical("no local port for the test server");
        return 1;
    }
    Test test(socket);
    return run(&test, appName, argc, argv, flagsFor(port));
}

} // namespace maptest

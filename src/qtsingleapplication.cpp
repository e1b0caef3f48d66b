#include "qtsingleapplication.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {
// A live first instance answers a local connection well within this time.
constexpr int kConnectTimeoutMs = 500;
}

QtSingleApplication::QtSingleApplication(const QString &id, int &argc, char **argv)
    : QApplication(argc, argv)
    , m_id(id)
{
    const QByteArray key = QCryptographicHash::hash(
        (id + QLatin1Char('-') + QString::number(::getuid())).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_serverName = QStringLiteral("qtsingleapp-") + QString::fromLatin1(key);
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_lock.reset(new QLockFile(dir + QLatin1Char('/') + m_serverName + QStringLiteral(".lock")));
    // Only a dead owner makes a lock stale, never its age.
    m_lock->setStaleLockTime(0);
}

QtSingleApplication::~QtSingleApplication()
{
    if (m_server)
        m_server->close();
    if (m_lock)
        m_lock->unlock();
}

bool QtSingleApplication::isRunning()
{
    if (m_decided)
        return m_running;
    m_decided = true;

    bool locked = m_lock->tryLock(0);
    if (!locked && m_lock->error() == QLockFile::LockFailedError) {
        // The lock names a live process; only a listening first instance
        // counts, so a lock whose pid was reused after a crash is taken over.
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            m_running = true;
            return true;
        }
        qWarning("single instance lock held but nobody answers; taking it over");
        locked = m_lock->removeStaleLockFile() && m_lock->tryLock(0);
    }
    if (!locked) {
        qWarning("single instance lock unusable (%d); running anyway", int(m_lock->error()));
        return false;
    }

    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName))
        qWarning("single instance server not listening: %s", qPrintable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
        }
    });
    return false;
}

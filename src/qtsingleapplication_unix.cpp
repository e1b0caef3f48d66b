#include "qtsingleapplication.h"

#include "shelllog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

QtSingleApplication::QtSingleApplication(const QString &id, int &argc, char **argv)
    : QApplication(argc, argv)
    , m_id(id)
{
    const QByteArray key = QCryptographicHash::hash(
        (id + QLatin1Char('-') + QString::number(::getuid())).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_lock.reset(new QLockFile(dir + QStringLiteral("/qtsingleapp-") + QString::fromLatin1(key) + QStringLiteral(".lock")));
    // Only a dead owner makes a lock stale, never its age.
    m_lock->setStaleLockTime(0);
}

QtSingleApplication::~QtSingleApplication()
{
    if (m_lock)
        m_lock->unlock();
}

bool QtSingleApplication::isRunning()
{
    if (m_decided)
        return m_running;
    m_decided = true;

    // tryLock() itself takes over the lock of a dead owner (checked by pid and
    // program name); what it still refuses has a live owner, which may not
    // even have written its pid yet.
    if (m_lock->tryLock(0))
        return false;
    if (m_lock->error() == QLockFile::LockFailedError) {
        m_running = true;
        return true;
    }
    qCWarning(lcShell) << "single instance lock unusable" << int(m_lock->error()) << "; running anyway";
    return false;
}

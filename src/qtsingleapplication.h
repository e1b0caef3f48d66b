#pragma once

#include <QApplication>
#include <QLockFile>
#include <memory>

class QLocalServer;

// A QApplication that knows whether another instance with the same id runs
// for this user. A lock file decides; the lock of a crashed instance is stale
// and taken over. The local server lets a later instance confirm the peer is
// alive; no message is ever exchanged.
class QtSingleApplication : public QApplication
{
    Q_OBJECT
public:
    QtSingleApplication(const QString &id, int &argc, char **argv);
    ~QtSingleApplication() override;

    bool isRunning();
    QString id() const { return m_id; }

private:
    QString m_id;
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    bool m_decided = false;
    bool m_running = false;
};

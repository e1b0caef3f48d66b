#pragma once

#include <QApplication>
#include <QLockFile>
#include <memory>

// A QApplication that knows whether another instance with the same id runs
// for this user. A lock file decides: a lock whose owner is alive means
// running, even when that owner has only just started; the lock of a dead
// owner is stale and taken over. No message is ever exchanged.
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
    std::unique_ptr<QLockFile> m_lock;
    bool m_decided = false;
    bool m_running = false;
};

#pragma once

#include <QImage>
#include <QObject>
#include <QRunnable>
#include <QString>

#include "trackoraactivex_global.h"

namespace TrackoraActiveX {

// Saves screenshots as JPEG files on Qt's global thread pool. One task and
// one runnable per capture; each capture ends with exactly one
// captureFinished: 0 written, -1 no directory, -2 save failed, -3 written
// file unreadable, -4 written file empty.
class TRACKORAACTIVEX_EXPORT CCaptureTaskMgr : public QObject
{
    Q_OBJECT
public:
    CCaptureTaskMgr();

    // GUI thread only; each capture takes the value it had when it started.
    QString directory() const { return saveDirectory; }
    void setDirectory(const QString &directory) { saveDirectory = directory; }

    // Takes its own copy of the pixels: the caller's image may lie over a
    // buffer that the next picture overwrites.
    void captureImage(const QString &sourcePath, const QImage &image);

signals:
    void captureFinished(int result);

private:
    QString saveDirectory;
};

// Filled on the GUI thread before the pool starts the task; read only by
// the pool thread afterwards.
class TRACKORAACTIVEX_EXPORT CCaptureTaskBase : public QObject
{
    Q_OBJECT
public:
    CCaptureTaskMgr *manager = nullptr;
    QString sourcePath;
    // Copied from the manager on the GUI thread, so the pool thread never
    // reads a string the container may be writing.
    QString directory;

    virtual void doWork() = 0;

    bool event(QEvent *event) override;

signals:
    void captureFinished(int result);
};

class TRACKORAACTIVEX_EXPORT CCaptureQImageTask : public CCaptureTaskBase
{
    Q_OBJECT
public:
    QImage image;

    void doWork() override;

    static QString fileNameFor(const QString &directory, const QString &sourcePath,
                               const QString &timeStr);
};

class TRACKORAACTIVEX_EXPORT CCaptureRunnable : public QRunnable
{
public:
    explicit CCaptureRunnable(CCaptureTaskBase *task);
    ~CCaptureRunnable() override;

    void run() override;

private:
    CCaptureTaskBase *task;
};

} // namespace TrackoraActiveX

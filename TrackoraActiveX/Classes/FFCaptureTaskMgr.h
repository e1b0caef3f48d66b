#pragma once

#include <QImage>
#include <QObject>
#include <QRunnable>
#include <QString>

#include "trackoraactivex_global.h"

namespace TrackoraActiveX {

// Saves screenshots as JPEG files on Qt's global thread pool. One task and
// one runnable per capture; each capture ends with exactly one
// captureFinished: 0 written, -1 no directory (none set, or it cannot be
// made), -2 save failed, -3 written file unreadable, -4 written file empty.
// A capture never replaces a file: a name already taken gets a number.
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

    // directory/ScreenShot_<recording up to its first dot>__<timeStr>.jpeg;
    // serial 2 and up adds "-<serial>" before the suffix. A long recording
    // name is shortened so that the file name fits in 255 bytes.
    static QString fileNameFor(const QString &directory, const QString &sourcePath,
                               const QString &timeStr, int serial = 1);
    // Writes data completely under a temporary name, then gives it the first
    // of fileNameFor's names that is free, never replacing a file. Returns
    // the path written, or an empty string with the reason in *error.
    static QString saveUnique(const QString &directory, const QString &sourcePath,
                              const QString &timeStr, const QByteArray &data, QString *error);
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

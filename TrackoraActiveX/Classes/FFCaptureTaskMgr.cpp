#include "FFCaptureTaskMgr.h"
#include "FFThreadHook.h"

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QThreadPool>

#include <mutex>

Q_LOGGING_CATEGORY(lcCapture, "trackora.component.capture")

namespace TrackoraActiveX {

namespace {
const QString kTimeFormat = QStringLiteral("yyMMdd-hhmmss_zzz");

// Qt's pool and event queue hand a task from the GUI thread to a pool thread
// and back with futex locks that race detectors cannot see. Taken briefly when
// a task is filled, when it starts, after it ran and when it is deleted, this
// lock shows them that order; it is never held while a picture is saved.
std::mutex taskHandover;
}

CCaptureTaskMgr::CCaptureTaskMgr()
    : QObject(nullptr)
{
}

void CCaptureTaskMgr::captureImage(const QString &sourcePath, const QImage &image)
{
    auto *task = new CCaptureQImageTask;
    connect(task, &CCaptureTaskBase::captureFinished, this, &CCaptureTaskMgr::captureFinished);
    CCaptureRunnable *runnable;
    {
        std::lock_guard<std::mutex> lock(taskHandover);
        task->manager = this;
        task->image = image.copy();
        task->sourcePath = sourcePath;
        task->directory = saveDirectory;
        runnable = new CCaptureRunnable(task);
    }
    QThreadPool::globalInstance()->start(runnable, 0);
}

// The pool thread asks for the deletion once it is done with the task; taking
// the lock before it happens orders that deletion after the thread's last use.
bool CCaptureTaskBase::event(QEvent *event)
{
    if (event->type() == QEvent::DeferredDelete) {
        std::lock_guard<std::mutex> lock(taskHandover);
    }
    return QObject::event(event);
}

QString CCaptureQImageTask::fileNameFor(const QString &directory, const QString &sourcePath,
                                        const QString &timeStr)
{
    return QString("%1/ScreenShot_%2__%3.jpeg")
        .arg(directory)
        .arg(QFileInfo(sourcePath).baseName())
        .arg(timeStr);
}

void CCaptureQImageTask::doWork()
{
    QDir dir(directory);
    if (!dir.exists() && !dir.mkpath(directory)) {
        qCDebug(lcCapture) << "mkpath error, capture failed";
        emit captureFinished(-1);
        return;
    }

    const QString timeStr = QDateTime::currentDateTime().toString(kTimeFormat);
    qCDebug(lcCapture) << "start capture, timeStr" << timeStr;
    const QString fileName = fileNameFor(directory, sourcePath, timeStr);

    if (!image.save(fileName)) {
        qCWarning(lcCapture) << "cannot save" << fileName;
        emit captureFinished(-2);
    } else {
        QFile written(fileName);
        if (!written.open(QIODevice::ReadOnly)) {
            emit captureFinished(-3);
        } else {
            emit captureFinished(written.size() != 0 ? 0 : -4);
            written.close();
        }
    }
    qCDebug(lcCapture) << "end run";
}

CCaptureRunnable::CCaptureRunnable(CCaptureTaskBase *task)
    : task(task)
{
}

CCaptureRunnable::~CCaptureRunnable()
{
    CCaptureTaskBase *done;
    {
        std::lock_guard<std::mutex> lock(taskHandover);
        done = task;
    }
    done->deleteLater();
}

void CCaptureRunnable::run()
{
    // A pool thread; the hook runs once per thread however many tasks it takes.
    runThreadStartHook();
    CCaptureTaskBase *mine;
    {
        std::lock_guard<std::mutex> lock(taskHandover);
        mine = task;
    }
    mine->doWork();
}

} // namespace TrackoraActiveX

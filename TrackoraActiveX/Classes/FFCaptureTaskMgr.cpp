#include "FFCaptureTaskMgr.h"
#include "FFThreadHook.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QThreadPool>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

Q_LOGGING_CATEGORY(lcCapture, "trackora.component.capture")

namespace TrackoraActiveX {

namespace {
const QString kTimeFormat = QStringLiteral("yyMMdd-hhmmss_zzz");
const QString kPrefix = QStringLiteral("ScreenShot_");
const QString kSuffix = QStringLiteral(".jpeg");
// Most file systems take names of at most this many bytes.
constexpr int kNameMaxBytes = 255;
// How many names one capture tries before it gives up.
constexpr int kMaxSerial = 9999;

// The longest head of text that takes at most maxBytes in a file name; a
// character is never cut in half.
QString fitted(QString text, int maxBytes)
{
    while (!text.isEmpty() && QFile::encodeName(text).size() > maxBytes) {
        text.chop(1);
        if (!text.isEmpty() && text.at(text.size() - 1).isHighSurrogate())
            text.chop(1);
    }
    return text;
}

// Moves from to to unless to exists; *taken tells that case from others.
bool moveNoReplace(const QString &from, const QString &to, bool *taken)
{
    *taken = false;
#if defined(Q_OS_LINUX)
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST) {
        *taken = true;
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    // A file system without the no-replace rename: a link is refused just as
    // atomically when the name is taken.
    if (::link(source.constData(), target.constData()) == 0) {
        ::unlink(source.constData());
        return true;
    }
    *taken = errno == EEXIST;
    return false;
#else
    // Elsewhere the rename itself refuses an existing target.
    if (QFileInfo::exists(to)) {
        *taken = true;
        return false;
    }
    return QFile::rename(from, to);
#endif
}

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
                                        const QString &timeStr, int serial)
{
    // Built from its parts: a folder or recording named with "%1" is a name.
    const QString tail = QStringLiteral("__") + timeStr
        + (serial > 1 ? QLatin1Char('-') + QString::number(serial) : QString()) + kSuffix;
    // Room for the widest number, so every name of one capture shares its stem.
    const int used = QFile::encodeName(kPrefix + QStringLiteral("__") + timeStr + QLatin1Char('-')
                                       + QString::number(kMaxSerial) + kSuffix).size();
    const QString recording = fitted(QFileInfo(sourcePath).baseName(), kNameMaxBytes - used);
    return QDir(directory).filePath(kPrefix + recording + tail);
}

QString CCaptureQImageTask::saveUnique(const QString &directory, const QString &sourcePath,
                                       const QString &timeStr, const QByteArray &data, QString *error)
{
    // Hidden and short, whatever the recording is called.
    QString partPath;
    QFile part;
    for (int attempt = 0; attempt < 16 && !part.isOpen(); ++attempt) {
        partPath = QDir(directory).filePath(QStringLiteral(".ScreenShot-")
                                            + QString::number(QRandomGenerator::global()->generate64(), 16)
                                            + QStringLiteral(".part"));
        part.setFileName(partPath);
        if (!part.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !QFileInfo::exists(partPath))
            break;
    }
    if (!part.isOpen()) {
        *error = part.errorString();
        return QString();
    }
    bool written = part.write(data) == data.size() && part.flush();
#ifdef Q_OS_UNIX
    written = written && ::fsync(part.handle()) == 0;
#endif
    *error = part.errorString();
    part.close();
    if (!written) {
        QFile::remove(partPath);
        return QString();
    }
    for (int serial = 1; serial <= kMaxSerial; ++serial) {
        const QString fileName = fileNameFor(directory, sourcePath, timeStr, serial);
        bool taken = false;
        if (moveNoReplace(partPath, fileName, &taken))
            return fileName;
        if (!taken) {
            *error = QString::fromLocal8Bit(std::strerror(errno));
            break;
        }
    }
    if (error->isEmpty())
        *error = QStringLiteral("every name is taken");
    QFile::remove(partPath);
    return QString();
}

void CCaptureQImageTask::doWork()
{
    // No folder is not "/" nor wherever the program happens to run.
    QDir dir(directory);
    if (directory.isEmpty() || (!dir.exists() && !dir.mkpath(directory))) {
        qCDebug(lcCapture) << "mkpath error, capture failed" << directory;
        emit captureFinished(-1);
        return;
    }

    const QString timeStr = QDateTime::currentDateTime().toString(kTimeFormat);
    qCDebug(lcCapture) << "start capture, timeStr" << timeStr;

    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    const QString fileName = image.save(&buffer, "JPEG")
        ? saveUnique(directory, sourcePath, timeStr, jpeg, &error) : QString();
    if (fileName.isEmpty()) {
        qCWarning(lcCapture) << "cannot save" << fileNameFor(directory, sourcePath, timeStr)
                             << (jpeg.isEmpty() ? QStringLiteral("the picture cannot be encoded") : error);
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

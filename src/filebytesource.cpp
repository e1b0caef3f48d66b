#include "filebytesource.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

FileByteSource::FileByteSource(QFile *file)
    : m_file(file)
{
    if (m_file->isOpen())
        m_size = m_file->size();
}

bool FileByteSource::isOpen() const
{
    return m_file->isOpen();
}

qint64 FileByteSource::readAt(qint64 pos, char *data, qint64 maxSize)
{
    if (!m_file->isOpen())
        return 0;
#ifdef Q_OS_UNIX
    // A positioned read: one system call per read instead of a seek and a read.
    const int fd = m_file->handle();
    if (fd >= 0) {
        ssize_t n;
        do {
            n = ::pread(fd, data, size_t(maxSize), off_t(pos));
        } while (n < 0 && errno == EINTR);
        return n < 0 ? 0 : qint64(n);
    }
#endif
    if (m_file->pos() != pos && !m_file->seek(pos))
        return 0;
    return m_file->read(data, maxSize);
}

#include "filebytesource.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

qint64 FileByteSource::readAt(qint64 pos, char *data, qint64 maxSize)
{
    if (!m_file->isOpen())
        return 0;
    // A positioned read: one system call per read instead of a seek and a read.
    const int fd = m_file->handle();
    if (fd < 0)
        return seekAndRead(pos, data, maxSize);
    ssize_t n;
    do {
        n = ::pread(fd, data, size_t(maxSize), off_t(pos));
    } while (n < 0 && errno == EINTR);
    return n < 0 ? 0 : qint64(n);
}

#include "filebytesource.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

qint64 FileByteSource::readFile(qint64 pos, char *data, qint64 maxSize)
{
    ++m_fileReads;
    // A positioned read: one system call per read instead of a seek and a read.
    const int fd = m_file->handle();
    qint64 n;
    if (fd < 0) {
        n = seekAndRead(pos, data, maxSize);
    } else {
        ssize_t r;
        do {
            r = ::pread(fd, data, size_t(maxSize), off_t(pos));
        } while (r < 0 && errno == EINTR);
        n = qint64(r);
    }
    if (n > 0)
        m_bytesFetched += quint64(n);
    return n;
}

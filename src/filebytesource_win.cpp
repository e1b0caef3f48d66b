#include "filebytesource.h"

#include <QFile>

qint64 FileByteSource::readFile(qint64 pos, char *data, qint64 maxSize)
{
    ++m_fileReads;
    const qint64 n = seekAndRead(pos, data, maxSize);
    if (n > 0)
        m_bytesFetched += quint64(n);
    return n;
}

#include "filebytesource.h"

#include <QFile>

qint64 FileByteSource::readAt(qint64 pos, char *data, qint64 maxSize)
{
    if (!m_file->isOpen())
        return 0;
    return seekAndRead(pos, data, maxSize);
}

#include "filebytesource.h"

#include <QFile>

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

qint64 FileByteSource::seekAndRead(qint64 pos, char *data, qint64 maxSize)
{
    if (m_file->pos() != pos && !m_file->seek(pos))
        return 0;
    return m_file->read(data, maxSize);
}

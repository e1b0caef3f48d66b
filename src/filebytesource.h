#pragma once

#include "bytesource.h"

class QFile;

// Reads an already opened file. The file should be unbuffered so that the
// count of bytes read is what the disk was asked for.
class FileByteSource : public ByteSource
{
public:
    explicit FileByteSource(QFile *file);

    bool isOpen() const override;
    qint64 size() const override { return m_size; }

protected:
    qint64 readAt(qint64 pos, char *data, qint64 maxSize) override;

private:
    qint64 seekAndRead(qint64 pos, char *data, qint64 maxSize);

    QFile *m_file; // not owned
    qint64 m_size = 0;
};

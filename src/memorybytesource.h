#pragma once

#include "bytesource.h"

#include <QByteArray>

// Bytes held in memory; lets tests feed hand-made layouts to the parsers.
class MemoryByteSource : public ByteSource
{
public:
    explicit MemoryByteSource(const QByteArray &data)
        : m_data(data)
    {
    }

    bool isOpen() const override { return true; }
    qint64 size() const override { return m_data.size(); }

protected:
    qint64 readAt(qint64 pos, char *data, qint64 maxSize) override;

private:
    QByteArray m_data;
};

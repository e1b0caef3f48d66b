#pragma once

#include <QtGlobal>

// Random-access bytes of one recording. Reads past the end return what is
// there (possibly nothing); seeking past the end is allowed. Every byte handed
// out is counted so callers can see what a parse really cost.
class ByteSource
{
public:
    virtual ~ByteSource() = default;

    virtual bool isOpen() const = 0;
    virtual qint64 size() const = 0;

    qint64 pos() const { return m_pos; }
    bool atEnd() const { return m_pos >= size(); }
    bool seek(qint64 pos)
    {
        if (pos < 0)
            return false;
        m_pos = pos;
        return true;
    }
    bool skip(qint64 count) { return seek(m_pos + count); }

    // Reads at most maxSize bytes at the current position and moves past them.
    qint64 read(char *data, qint64 maxSize)
    {
        if (maxSize <= 0 || m_pos >= size())
            return 0;
        const qint64 n = readAt(m_pos, data, qMin(maxSize, size() - m_pos));
        if (n <= 0)
            return 0;
        m_pos += n;
        m_bytesRead += quint64(n);
        return n;
    }

    quint64 bytesRead() const { return m_bytesRead; }

protected:
    // pos and maxSize lie inside the source.
    virtual qint64 readAt(qint64 pos, char *data, qint64 maxSize) = 0;

private:
    qint64 m_pos = 0;
    quint64 m_bytesRead = 0;
};

#include "filebytesource.h"

#include <QFile>

#include <cstring>

namespace {
qint64 alignDown(qint64 value, qint64 alignment)
{
    return value - value % alignment;
}

qint64 alignUp(qint64 value, qint64 alignment)
{
    return alignDown(value + alignment - 1, alignment);
}
} // namespace

FileByteSource::FileByteSource(QFile *file)
    : m_file(file)
{
    if (m_file->isOpen())
        m_size = m_file->size();
}

FileByteSource::~FileByteSource() = default;

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

bool FileByteSource::fill(qint64 pos, qint64 wanted)
{
    const qint64 windowEnd = m_windowStart + m_windowLength;
    // Moving on from the window, or skipping less than it held, is a walk
    // going forward; anything else (records a second apart) is a jump and
    // starts small again.
    const bool forward = m_windowLength > 0 && pos >= m_windowStart && pos < windowEnd + m_windowLength;
    m_nextLength = forward ? qMin(2 * m_nextLength, WindowSize) : Alignment;

    const qint64 start = alignDown(pos, Alignment);
    const qint64 length = qMin(qMax(m_nextLength, alignUp(pos + wanted, Alignment) - start), WindowSize);
    const qint64 end = qMin(start + length, m_size);
    if (!m_window)
        m_window.reset(new char[WindowSize]);
    m_windowStart = start;
    m_windowLength = qMax<qint64>(0, readFile(start, m_window.get(), end - start));
    return pos < m_windowStart + m_windowLength;
}

qint64 FileByteSource::readAt(qint64 pos, char *data, qint64 maxSize)
{
    if (!m_file->isOpen())
        return 0;
    // Larger than half a window: a table read in one go gains nothing from a
    // copy through the window.
    if (maxSize > WindowSize / 2)
        return qMax<qint64>(0, readFile(pos, data, maxSize));
    qint64 done = 0;
    while (done < maxSize) {
        const qint64 at = pos + done;
        if (at < m_windowStart || at >= m_windowStart + m_windowLength) {
            if (!fill(at, maxSize - done))
                break;
        }
        const qint64 n = qMin(maxSize - done, m_windowStart + m_windowLength - at);
        std::memcpy(data + done, m_window.get() + (at - m_windowStart), size_t(n));
        done += n;
    }
    return done;
}

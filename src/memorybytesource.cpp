#include "memorybytesource.h"

#include <cstring>

qint64 MemoryByteSource::readAt(qint64 pos, char *data, qint64 maxSize)
{
    std::memcpy(data, m_data.constData() + pos, size_t(maxSize));
    return maxSize;
}

#include "aviparser.h"

#include "bytesource.h"
#include "datalog.h"

#include <QtEndian>

namespace {
// A RIFF header list holds a handful of chunks; anything past this is not one.
const int kMaxChunksPerList = 1 << 12;
const int kMainHeaderSize = 56;

quint32 le32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}
} // namespace

AVIParser::AVIParser(const QString &fileName, QObject *parent)
    : ParserObject(fileName, "AVIParser", parent)
{
    walk();
}

AVIParser::AVIParser(const QByteArray &data, QObject *parent)
    : ParserObject(data, QString(), parent)
{
    walk();
}

void AVIParser::walk()
{
    if (!isOpen())
        return;
    source().seek(0);
    char id[4] = {};
    char type[4] = {};
    source().read(id, 4);
    const quint32 size = readUInt32LE();
    source().read(type, 4);
    if (qstrncmp(id, "RIFF", 4) != 0 || qstrncmp(type, "AVI ", 4) != 0 || size == 0)
        return;
    findMainHeader(qMin<qint64>(8 + qint64(size), source().size()));
    findGpsBlock();
}

// Steps over the chunks and lists of the RIFF body by their sizes until the
// 'hdrl' list, and takes 'avih' from it.
bool AVIParser::findMainHeader(qint64 riffEnd)
{
    qint64 pos = 12;
    qint64 listEnd = riffEnd;
    for (int n = 0; n < kMaxChunksPerList && pos + 8 <= listEnd; ++n) {
        source().seek(pos);
        char id[4] = {};
        source().read(id, 4);
        const quint32 size = readUInt32LE();
        const qint64 chunkEnd = qMin(pos + 8 + qint64(size), listEnd);
        if (qstrncmp(id, "LIST", 4) == 0 && size >= 4) {
            char type[4] = {};
            source().read(type, 4);
            if (qstrncmp(type, "hdrl", 4) == 0) {
                // Look inside the header list; its first chunk is normally 'avih'.
                pos += 12;
                listEnd = chunkEnd;
                continue;
            }
            if (qstrncmp(type, "movi", 4) == 0)
                return false;
        } else if (qstrncmp(id, "avih", 4) == 0 && size != 0) {
            readMainHeader(chunkEnd);
            return true;
        }
        // Chunks are padded to an even length.
        pos = pos + 8 + qint64(size) + (size & 1);
    }
    qCDebug(lcData) << "no AVI main header in" << fileName;
    return false;
}

void AVIParser::readMainHeader(qint64 chunkEnd)
{
    const QByteArray h = readFixed(kMainHeaderSize, chunkEnd);
    const quint64 usPerFrame = le32(h, 0);
    const quint64 totalFrames = le32(h, 16);
    duration = clampToInt(usPerFrame * totalFrames / 1000000u);
    width = clampToInt(le32(h, 32));
    height = clampToInt(le32(h, 36));
}

void AVIParser::findGpsBlock()
{
    const qint64 size = source().size();
    if (size < 4)
        return;
    source().seek(size - 4);
    const qint64 offset = readUInt32();
    if (offset >= size)
        return;
    source().seek(offset);
    char tag[4] = {};
    if (source().read(tag, 4) != 4 || qstrncmp(tag, "GPSL", 4) != 0)
        return;
    const quint32 count = readUInt32();
    gpsKind = AviGpsBlock;
    gpsOffset = source().pos();
    // No more records than begin inside the file.
    const qint64 room = qMax<qint64>(0, size - gpsOffset);
    const qint64 fit = (room + kRecordSize - 1) / kRecordSize;
    gpsCount = clampToInt(qMin<quint64>(count, quint64(fit)));
}

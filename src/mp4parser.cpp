#include "mp4parser.h"

#include "bytesource.h"
#include "datalog.h"

#include <QtEndian>

namespace {
// Far more boxes than any recording has at one level; stops a walk through
// box-shaped garbage from reading a whole large file 8 bytes at a time.
const int kMaxBoxesPerLevel = 1 << 16;
// Longest handler name kept for the comparisons.
const int kHandlerNameMax = 55;
const int kFreeGpsProbes[] = {65540, 131076, 262148};
const char kExtTrackName[] = "Ambarella EXT";

enum HandlerType { HandlerVideo = 1, HandlerSound = 2, HandlerText = 3, HandlerMeta = 4, HandlerOther = 5 };

int handlerNumber(const QByteArray &type)
{
    const QByteArray t = type.toLower();
    if (t == "vide")
        return HandlerVideo;
    if (t == "soun")
        return HandlerSound;
    if (t == "text")
        return HandlerText;
    if (t == "meta")
        return HandlerMeta;
    return HandlerOther;
}

quint32 be32(const QByteArray &b, int at)
{
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

quint64 be64(const QByteArray &b, int at)
{
    return qFromBigEndian<quint64>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

QDateTime fromMacEpoch(quint64 seconds)
{
    return QDateTime(QDate(1904, 1, 1), QTime(0, 0, 0, 0), Qt::LocalTime).addSecs(qint64(seconds));
}
} // namespace

Mp4Parser::Mp4Parser(const QString &fileName, QObject *parent)
    : ParserObject(fileName, "Mp4Parser", parent)
{
    walk();
}

Mp4Parser::Mp4Parser(const QByteArray &data, QObject *parent)
    : ParserObject(data, QString(), parent)
{
    walk();
}

quint64 Mp4Parser::readBoxHeader(QString &type, quint64 &size, quint64 &payload)
{
    const quint32 size32 = readUInt32();
    char name[5] = {};
    source().read(name, 4);
    type = QString::fromLatin1(name);
    m_headerSize = 8;
    size = size32;
    if (size32 == 1) {
        size = readUInt64();
        m_headerSize = 16;
    }
    payload = size >= quint64(m_headerSize) ? size - quint64(m_headerSize) : 0;
    return size;
}

// Reads the next box header inside [pos, levelEnd). A false return ends the
// level: nothing left, or a header that would make the walk go backwards.
bool Mp4Parser::nextBox(qint64 levelEnd, Box *box)
{
    const qint64 start = source().pos();
    if (start >= levelEnd || levelEnd - start < 8)
        return false;
    const quint64 total = readBoxHeader(boxType, boxSize, payloadSize);
    const qint64 room = levelEnd - start;
    if (m_headerSize > room)
        return false;
    box->type = boxType;
    box->start = start;
    box->payload = start + m_headerSize;
    if (total == 0) {
        // A box of size 0 runs to the end of what encloses it.
        box->end = levelEnd;
    } else if (total < quint64(m_headerSize)) {
        qCDebug(lcData) << "box" << boxType << "at" << start << "declares size" << total
                        << "below its header; ending the level in" << fileName;
        return false;
    } else if (total > quint64(room)) {
        qCDebug(lcData) << "box" << boxType << "at" << start << "runs past its parent in" << fileName;
        box->end = levelEnd;
    } else {
        box->end = start + qint64(total);
    }
    return true;
}

void Mp4Parser::walk()
{
    if (!isOpen())
        return;
    source().seek(0);
    const qint64 fileEnd = source().size();
    Box box;
    for (int n = 0; n < kMaxBoxesPerLevel && nextBox(fileEnd, &box); ++n) {
        if (box.type == QLatin1String("moov")) {
            walkMovie(box);
        } else if (box.type == QLatin1String("gps0")) {
            gpsKind = TopLevelGps;
            gpsCount = clampToInt(quint64(box.end - box.payload) / 311);
            gpsOffset = box.payload;
        }
        source().seek(box.end);
    }
}

void Mp4Parser::walkMovie(const Box &moov)
{
    source().seek(moov.payload);
    Box box;
    for (int n = 0; n < kMaxBoxesPerLevel && nextBox(moov.end, &box); ++n) {
        if (box.type == QLatin1String("trak")) {
            walkTrack(box);
        } else if (box.type == QLatin1String("mvhd")) {
            readMovieHeader(box);
        } else if (box.type == QLatin1String("gps ")) {
            source().skip(4);
            const quint32 count = readUInt32();
            // A box cut before its count holds an empty table at its end,
            // never one past the end of the file.
            gpsOffset = qMin(source().pos(), box.end);
            const qint64 room = qMax<qint64>(0, box.end - gpsOffset) / 8;
            gpsCount = clampToInt(qMin<quint64>(count, quint64(room)));
            gpsKind = IndexBoxGps;
        }
        source().seek(box.end);
    }
}

void Mp4Parser::walkTrack(const Box &trak)
{
    int handler = 0;
    int32_t trackWidth = 0;
    int32_t trackHeight = 0;
    quint64 created = 0;
    source().seek(trak.payload);
    Box box;
    for (int n = 0; n < kMaxBoxesPerLevel && nextBox(trak.end, &box); ++n) {
        if (box.type == QLatin1String("mdia"))
            handler = walkMedia(box);
        else if (box.type == QLatin1String("tkhd"))
            readTrackHeader(box, &trackWidth, &trackHeight, &created);
        source().seek(box.end);
    }
    if (handler == HandlerVideo && trackWidth > width) {
        width = trackWidth;
        height = trackHeight;
        codec = sampleCodec;
        frameRate = trackFrameRate;
        createTime = fromMacEpoch(created);
    }
}

int Mp4Parser::walkMedia(const Box &mdia)
{
    int handler = 0;
    QString handlerName;
    Table table;
    source().seek(mdia.payload);
    Box box;
    for (int n = 0; n < kMaxBoxesPerLevel && nextBox(mdia.end, &box); ++n) {
        if (box.type == QLatin1String("hdlr")) {
            handler = readHandler(box, &handlerName);
        } else if (box.type == QLatin1String("minf")) {
            source().seek(box.payload);
            Box inner;
            for (int m = 0; m < kMaxBoxesPerLevel && nextBox(box.end, &inner); ++m) {
                if (inner.type == QLatin1String("stbl"))
                    walkSampleTable(inner, &table);
                source().seek(inner.end);
            }
        }
        source().seek(box.end);
    }

    if (handlerName.contains(QLatin1String(kExtTrackName), Qt::CaseInsensitive)) {
        gpsKind = ExtTrackGps;
        gpsOffset = table.offset;
        gpsCount = table.count;
    } else if (handlerName.contains(QLatin1String("gps"), Qt::CaseInsensitive) && handler == HandlerMeta) {
        gpsKind = MetaTrackGps;
        gpsOffset = table.offset;
        gpsCount = table.count;
    } else if (handler == HandlerSound) {
        probeFreeGps(table);
    }
    return handler;
}

void Mp4Parser::walkSampleTable(const Box &stbl, Table *table)
{
    source().seek(stbl.payload);
    Box box;
    for (int n = 0; n < kMaxBoxesPerLevel && nextBox(stbl.end, &box); ++n) {
        if (box.type == QLatin1String("stco")) {
            source().skip(4);
            const quint32 count = readUInt32();
            table->offset = qMin(source().pos(), box.end);
            const qint64 room = qMax<qint64>(0, box.end - table->offset) / 4;
            table->count = clampToInt(qMin<quint64>(count, quint64(room)));
        } else if (box.type == QLatin1String("stsd")) {
            walkSampleDescriptions(box);
        } else if (box.type == QLatin1String("stsz")) {
            readSampleSizes(box);
        }
        source().seek(box.end);
    }
}

void Mp4Parser::walkSampleDescriptions(const Box &stsd)
{
    // Version, flags and the entry count come before the descriptions.
    source().seek(stsd.payload + 8);
    Box box;
    for (int n = 0; n < kMaxBoxesPerLevel && nextBox(stsd.end, &box); ++n) {
        if (box.type == QLatin1String("avc1"))
            sampleCodec = VideoCodecH264;
        else if (box.type == QLatin1String("hvc1"))
            sampleCodec = VideoCodecH265;
        source().seek(box.end);
    }
}

void Mp4Parser::readMovieHeader(const Box &mvhd)
{
    source().seek(mvhd.payload);
    const QByteArray b = readFixed(32, mvhd.end);
    quint64 duration64 = 0;
    if (b.at(0) == 1) {
        movieTimescale = be32(b, 20);
        duration64 = be64(b, 24);
    } else {
        movieTimescale = be32(b, 12);
        duration64 = be32(b, 16);
    }
    movieDuration = quint32(qMin<quint64>(duration64, 0xFFFFFFFFu));
    if (movieTimescale != 0)
        duration = clampToInt(duration64 / movieTimescale);
}

void Mp4Parser::readTrackHeader(const Box &tkhd, int32_t *w, int32_t *h, quint64 *created)
{
    source().seek(tkhd.payload);
    const QByteArray b = readFixed(96, tkhd.end);
    if (b.at(0) == 1) {
        *created = be64(b, 4);
        *w = int32_t(be32(b, 88) >> 16);
        *h = int32_t(be32(b, 92) >> 16);
    } else {
        *created = be32(b, 4);
        *w = int32_t(be32(b, 76) >> 16);
        *h = int32_t(be32(b, 80) >> 16);
    }
}

int Mp4Parser::readHandler(const Box &hdlr, QString *name)
{
    source().seek(hdlr.payload);
    const QByteArray fixed = readFixed(24, hdlr.end);
    const int handler = handlerNumber(fixed.mid(8, 4));
    const qint64 nameLength = hdlr.end - source().pos();
    char buffer[kHandlerNameMax + 1] = {};
    if (nameLength > 0 && source().read(buffer, qMin<qint64>(nameLength, kHandlerNameMax)) > 0)
        *name = QString::fromLocal8Bit(buffer);
    else
        name->clear();
    return handler;
}

void Mp4Parser::readSampleSizes(const Box &stsz)
{
    source().seek(stsz.payload);
    const QByteArray b = readFixed(12, stsz.end);
    const int32_t n = int32_t(be32(b, 8));
    if (n <= 0)
        return;
    if (movieDuration == 0) {
        trackFrameRate = 0.0f;
        return;
    }
    const double rate = double(n) * movieTimescale / movieDuration;
    trackFrameRate = QString::number(rate, 'f', 1).toFloat();
}

void Mp4Parser::probeFreeGps(const Table &table)
{
    if (table.count <= 0)
        return;
    const qint64 back = source().pos();
    source().seek(table.offset);
    const quint32 firstChunk = readUInt32();
    for (int probe : kFreeGpsProbes) {
        char tag[8] = {};
        source().seek(qint64(firstChunk) + probe);
        if (source().read(tag, 8) >= 7 && qstrncmp(tag, "freeGPS", 7) == 0) {
            gpsKind = FreeGpsInSound;
            gpsOffset = table.offset;
            gpsCount = table.count;
            freeGpsOffset = probe;
            break;
        }
    }
    source().seek(back);
}

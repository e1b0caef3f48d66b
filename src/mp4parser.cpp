#include "mp4parser.h"

#include "bytesource.h"
#include "datalog.h"
#include "gpmfreader.h"
#include "nmeareader.h"
#include "trackaligner.h"

#include <QtEndian>

#include <algorithm>

namespace {
// Far more boxes than any recording has at one level; stops a walk through
// box-shaped garbage from reading a whole large file 8 bytes at a time.
const int kMaxBoxesPerLevel = 1 << 16;
// Longest handler name kept for the comparisons.
const int kHandlerNameMax = 55;
const int kFreeGpsProbes[] = {65540, 131076, 262148};
const char kExtTrackName[] = "Ambarella EXT";
// A day of samples at ten a second; larger tables are cut here.
const quint32 kMaxTrackSamples = 1 << 20;
// Largest sample taken from a text track, and from a GPMF track (a second
// of every sensor stream is tens of kilobytes).
const quint32 kMaxTextSample = 64 * 1024;
const quint32 kMaxGpmfSample = 1024 * 1024;
// All samples of one track together.
const qint64 kMaxTrackBytes = 64 * 1024 * 1024;
// Subtitle tracks looked at for NMEA, and their first samples tried.
const int kMaxTextTracks = 16;
const int kNmeaSniffSamples = 4;

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
    if (gpsKind == NoGps)
        chooseTrackSource();
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
    SampleTables tables;
    source().seek(mdia.payload);
    Box box;
    for (int n = 0; n < kMaxBoxesPerLevel && nextBox(mdia.end, &box); ++n) {
        if (box.type == QLatin1String("hdlr")) {
            handler = readHandler(box, &handlerName);
        } else if (box.type == QLatin1String("mdhd")) {
            const QByteArray b = readFixed(24, box.end);
            tables.timescale = b.at(0) == 1 ? be32(b, 20) : be32(b, 12);
        } else if (box.type == QLatin1String("minf")) {
            source().seek(box.payload);
            Box inner;
            for (int m = 0; m < kMaxBoxesPerLevel && nextBox(box.end, &inner); ++m) {
                if (inner.type == QLatin1String("stbl"))
                    walkSampleTable(inner, &table, &tables);
                source().seek(inner.end);
            }
        }
        source().seek(box.end);
    }
    tables.handler = handler;
    if (tables.entry == "gpmd")
        m_gpmdTrack = tables;
    else if ((tables.entry == "tx3g" || tables.entry == "text") && m_textTracks.size() < kMaxTextTracks)
        m_textTracks.append(tables);

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

void Mp4Parser::walkSampleTable(const Box &stbl, Table *table, SampleTables *tables)
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
            tables->chunkAt = table->offset;
            tables->chunkCount = quint32(table->count);
            tables->co64 = false;
        } else if (box.type == QLatin1String("co64")) {
            readTableBox(box, 8, 4, &tables->chunkAt, &tables->chunkCount);
            tables->co64 = true;
        } else if (box.type == QLatin1String("stsc")) {
            readTableBox(box, 12, 4, &tables->stscAt, &tables->stscCount);
        } else if (box.type == QLatin1String("stts")) {
            readTableBox(box, 8, 4, &tables->sttsAt, &tables->sttsCount);
        } else if (box.type == QLatin1String("stsd")) {
            walkSampleDescriptions(box, tables);
        } else if (box.type == QLatin1String("stsz")) {
            readSampleSizes(box);
            source().seek(box.payload + 4);
            tables->defaultSize = readUInt32();
            readTableBox(box, tables->defaultSize ? 0 : 4, 8, &tables->stszAt, &tables->sizeCount);
        }
        source().seek(box.end);
    }
}

// A full box of entryCount entries of entrySize bytes after skip bytes of
// version, flags and other fields; the count is clamped to what the box holds
// (entrySize 0: entries without data, clamped only to the track limit).
void Mp4Parser::readTableBox(const Box &box, int entrySize, int skip, qint64 *at, quint32 *count)
{
    source().seek(box.payload + skip);
    const quint32 declared = readUInt32();
    *at = qMin(source().pos(), box.end);
    quint64 n = qMin<quint64>(declared, kMaxTrackSamples);
    if (entrySize > 0)
        n = qMin<quint64>(n, quint64(qMax<qint64>(0, box.end - *at) / entrySize));
    *count = quint32(n);
}

void Mp4Parser::walkSampleDescriptions(const Box &stsd, SampleTables *tables)
{
    // Version, flags and the entry count come before the descriptions.
    source().seek(stsd.payload + 8);
    Box box;
    for (int n = 0; n < kMaxBoxesPerLevel && nextBox(stsd.end, &box); ++n) {
        if (n == 0)
            tables->entry = box.type.toLatin1();
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

// The sample table of one track as (offset, size, time) per sample.
QVector<Mp4Parser::TrackSample> Mp4Parser::trackSamples(const SampleTables &t)
{
    QVector<TrackSample> out;
    const quint32 total = qMin(t.sizeCount, kMaxTrackSamples);
    if (total == 0 || t.chunkCount == 0 || t.stscCount == 0)
        return out;
    auto readTable = [this](qint64 at, quint32 count, int entrySize) {
        source().seek(at);
        QByteArray b(int(count) * entrySize, '\0');
        b.resize(int(qMax<qint64>(0, source().read(b.data(), b.size()))));
        return b;
    };
    const QByteArray sizes = t.defaultSize ? QByteArray() : readTable(t.stszAt, total, 4);
    const QByteArray chunks = readTable(t.chunkAt, t.chunkCount, t.co64 ? 8 : 4);
    const QByteArray stsc = readTable(t.stscAt, t.stscCount, 12);
    const QByteArray stts = readTable(t.sttsAt, t.sttsCount, 8);
    const quint32 chunkCount = quint32(chunks.size() / (t.co64 ? 8 : 4));
    const int stscCount = stsc.size() / 12;
    const int sttsCount = stts.size() / 8;

    out.reserve(int(total));
    int entry = 0;
    int sttsEntry = 0;
    quint32 sttsLeft = sttsCount > 0 ? be32(stts, 0) : 0;
    quint64 time = 0;
    for (quint32 chunk = 0; chunk < chunkCount && quint32(out.size()) < total; ++chunk) {
        while (entry + 1 < stscCount && be32(stsc, (entry + 1) * 12) <= chunk + 1)
            ++entry;
        const quint32 perChunk = be32(stsc, entry * 12 + 4);
        qint64 offset = t.co64 ? qint64(qMin<quint64>(be64(chunks, int(chunk) * 8), quint64(sourceSize())))
                               : qint64(be32(chunks, int(chunk) * 4));
        for (quint32 k = 0; k < perChunk && quint32(out.size()) < total; ++k) {
            TrackSample s;
            s.offset = offset;
            s.size = t.defaultSize ? t.defaultSize
                                   : (out.size() * 4 + 4 <= sizes.size() ? be32(sizes, out.size() * 4) : 0);
            s.timeMs = t.timescale ? qint64(time * 1000 / t.timescale) : 0;
            offset += s.size;
            out.append(s);
            while (sttsLeft == 0 && sttsEntry + 1 < sttsCount)
                sttsLeft = be32(stts, ++sttsEntry * 8);
            if (sttsLeft > 0) {
                time += be32(stts, sttsEntry * 8 + 4);
                --sttsLeft;
            }
        }
    }
    return out;
}

QByteArray Mp4Parser::readSample(const TrackSample &s, quint32 limit)
{
    QByteArray b;
    if (s.size == 0 || s.offset >= sourceSize())
        return b;
    b.resize(int(qMin(s.size, limit)));
    source().seek(s.offset);
    b.resize(int(qMax<qint64>(0, source().read(b.data(), b.size()))));
    return b;
}

namespace {
// A text sample: a 16-bit length, then the text (and styling after it).
QByteArray sampleText(const QByteArray &sample)
{
    if (sample.size() < 2)
        return QByteArray();
    const int length = qFromBigEndian<quint16>(reinterpret_cast<const uchar *>(sample.constData()));
    return sample.mid(2, length);
}
} // namespace

// GPMF wins over NMEA text: it carries the G-sensor too. A sample takes at
// least a byte of the file, so a declared count beyond that (a default size
// with no table behind it) is damage, not samples.
void Mp4Parser::chooseTrackSource()
{
    const auto boundedCount = [this](quint32 declared) {
        return clampToInt(qMin<quint64>(qMin(declared, kMaxTrackSamples), quint64(qMax<qint64>(0, source().size()))));
    };
    if (m_gpmdTrack.sizeCount > 0 && m_gpmdTrack.chunkCount > 0) {
        m_trackSource = m_gpmdTrack;
        gpsKind = GpmfTrackGps;
        gpsOffset = m_gpmdTrack.chunkAt;
        gpsCount = boundedCount(m_gpmdTrack.sizeCount);
        return;
    }
    for (const SampleTables &t : qAsConst(m_textTracks)) {
        const QVector<TrackSample> samples = trackSamples(t);
        for (int i = 0; i < samples.size() && i < kNmeaSniffSamples; ++i) {
            if (NmeaReader::looksLikeNmea(sampleText(readSample(samples.at(i), kMaxTextSample)))) {
                m_trackSource = t;
                gpsKind = NmeaTrackGps;
                gpsOffset = t.chunkAt;
                gpsCount = boundedCount(t.sizeCount);
                return;
            }
        }
    }
}

QList<GpsData> Mp4Parser::decodeTrackSamples()
{
    const QVector<TrackSample> samples = trackSamples(m_trackSource);
    TrackPoints points;
    qint64 bytes = 0;
    int damaged = 0;
    if (gpsKind == NmeaTrackGps) {
        NmeaReader reader;
        for (const TrackSample &s : samples) {
            if ((bytes += s.size) > kMaxTrackBytes)
                break;
            reader.addText(sampleText(readSample(s, kMaxTextSample)), s.timeMs);
        }
        points = reader.finish();
        if (points.isEmpty())
            qCWarning(lcData).noquote() << "NMEA track of" << fileName << "gives no position:" << reader.problem();
    } else {
        for (const TrackSample &s : samples) {
            if ((bytes += s.size) > kMaxTrackBytes)
                break;
            GpmfPayload payload;
            QString problem;
            if (!GpmfReader::readPayload(readSample(s, kMaxGpmfSample), &payload, &problem)) {
                ++damaged;
                continue;
            }
            if (!payload.hasPosition || points.size() >= kMaxTrackPoints)
                continue;
            TrackPoint p;
            p.utcMs = payload.utcMs;
            p.offsetMs = s.timeMs;
            p.latitude = payload.latitude;
            p.longitude = payload.longitude;
            p.speedKmh = payload.speed2d * 3.6;
            p.hasGsensor = payload.hasAccel;
            p.gX = payload.gX;
            p.gY = payload.gY;
            p.gZ = payload.gZ;
            points.append(p);
        }
        if (damaged > 0)
            qCWarning(lcData).noquote() << damaged << "of" << samples.size() << "GPMF payloads of" << fileName
                                        << "are damaged";
        if (points.isEmpty())
            qCWarning(lcData).noquote() << "GPMF track of" << fileName << "gives no position";
    }
    if (points.isEmpty())
        return {};
    std::stable_sort(points.begin(), points.end(),
                     [](const TrackPoint &a, const TrackPoint &b) { return a.offsetMs < b.offsetMs; });
    TrackAligner::fillSpeedAndCourse(points);
    // A recording holds far more than a byte a second: a longer duration is a
    // broken header, and the track's own length stands in for it.
    const int last = int(qBound<qint64>(0, points.constLast().offsetMs / 1000, 7 * 24 * 3600));
    const bool plausible = duration > 0 && duration < sourceSize();
    return TrackAligner::alignByOffset(points, plausible ? duration : last, TrackPoint::kNoTime);
}

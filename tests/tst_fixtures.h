#pragma once

// Tiny hand-made recordings: MP4 boxes, AVI chunks and GPS records, built in
// memory so each test states exactly the bytes it feeds the parsers.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtEndian>

namespace fx {

template <typename T>
QByteArray bigEndian(T v)
{
    QByteArray b(int(sizeof(T)), '\0');
    qToBigEndian(v, reinterpret_cast<uchar *>(b.data()));
    return b;
}

inline QByteArray be16(quint16 v) { return bigEndian(v); }
inline QByteArray be32(quint32 v) { return bigEndian(v); }
inline QByteArray be64(quint64 v) { return bigEndian(v); }

inline QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, reinterpret_cast<uchar *>(b.data()));
    return b;
}

inline QByteArray box(const char *type, const QByteArray &payload)
{
    return be32(quint32(payload.size() + 8)) + QByteArray(type, 4) + payload;
}

// A box whose size travels in the 64-bit field.
inline QByteArray largeBox(const char *type, const QByteArray &payload)
{
    return be32(1) + QByteArray(type, 4) + be64(quint64(payload.size() + 16)) + payload;
}

inline QByteArray ftyp()
{
    return box("ftyp", QByteArray("isom") + be32(0x200) + QByteArray("isomiso2avc1mp41"));
}

inline QByteArray mvhd(quint32 timescale, quint32 duration)
{
    QByteArray p = be32(0) + be32(0) + be32(0) + be32(timescale) + be32(duration) + be32(0x10000) + be16(0x100);
    p += QByteArray(10, '\0') + QByteArray(36, '\0') + QByteArray(24, '\0') + be32(2);
    return box("mvhd", p);
}

inline QByteArray mvhdV1(quint32 timescale, quint64 duration)
{
    QByteArray p = be32(0x01000000) + be64(0) + be64(0) + be32(timescale) + be64(duration) + be32(0x10000) + be16(0x100);
    p += QByteArray(10, '\0') + QByteArray(36, '\0') + QByteArray(24, '\0') + be32(2);
    return box("mvhd", p);
}

inline QByteArray tkhd(quint32 width, quint32 height, quint32 created = 0)
{
    QByteArray p = be32(0) + be32(created) + be32(0) + be32(1) + be32(0) + be32(0) + QByteArray(8, '\0');
    p += be16(0) + be16(0) + be16(0) + be16(0) + QByteArray(36, '\0') + be32(width << 16) + be32(height << 16);
    return box("tkhd", p);
}

inline QByteArray tkhdV1(quint32 width, quint32 height, quint64 created)
{
    QByteArray p = be32(0x01000000) + be64(created) + be64(0) + be32(1) + be32(0) + be64(0) + QByteArray(8, '\0');
    p += be16(0) + be16(0) + be16(0) + be16(0) + QByteArray(36, '\0') + be32(width << 16) + be32(height << 16);
    return box("tkhd", p);
}

inline QByteArray hdlr(const char *type, const QByteArray &name)
{
    return box("hdlr", be32(0) + be32(0) + QByteArray(type, 4) + QByteArray(12, '\0') + name + QByteArray(1, '\0'));
}

inline QByteArray stco(const QList<quint32> &offsets)
{
    QByteArray p = be32(0) + be32(quint32(offsets.size()));
    for (quint32 o : offsets)
        p += be32(o);
    return box("stco", p);
}

inline QByteArray stsz(quint32 count)
{
    QByteArray p = be32(0) + be32(0) + be32(count);
    for (quint32 i = 0; i < count; ++i)
        p += be32(100);
    return box("stsz", p);
}

inline QByteArray stsd(const char *sampleType)
{
    return box("stsd", be32(0) + be32(1) + box(sampleType, QByteArray(78, '\0')));
}

struct Track
{
    const char *handler = "vide";
    QByteArray handlerName = "VideoHandler";
    quint32 width = 0;
    quint32 height = 0;
    quint32 created = 0;
    const char *sampleType = "avc1";
    quint32 samples = 0;
    QList<quint32> chunks;
};

inline QByteArray trak(const Track &t)
{
    QByteArray stbl;
    if (t.sampleType)
        stbl += stsd(t.sampleType);
    if (t.samples)
        stbl += stsz(t.samples);
    if (!t.chunks.isEmpty())
        stbl += stco(t.chunks);
    const QByteArray minf = box("minf", box("vmhd", QByteArray(12, '\0')) + box("stbl", stbl));
    const QByteArray mdia = box("mdia", box("mdhd", QByteArray(24, '\0')) + hdlr(t.handler, t.handlerName) + minf);
    return box("trak", tkhd(t.width, t.height, t.created) + mdia);
}

// 312 bytes of record text, bytes 2 to 311 masked as the camera stores them.
inline QByteArray mask(QByteArray plain)
{
    plain = plain.leftJustified(312, ' ', true);
    for (int i = 2; i < plain.size(); ++i)
        plain[i] = char(plain[i] ^ 0x3C);
    return plain;
}

struct Record
{
    QByteArray dateTime = "20250101100000";
    char latRef = 'N';
    QByteArray lat = "35412345"; // 2 digits of degrees, 6 of minutes x 10000
    char lonRef = 'E';
    QByteArray lon = "139300000";
    QByteArray extra = "00000";
    QByteArray speed = "060";
    QByteArray gsensor = "+105-050+001"; // Z, Y, X
};

inline QByteArray recordText(const Record &r)
{
    QByteArray t(312, ' ');
    t.replace(0, 8, "HEADER00");
    t.replace(8, 14, r.dateTime.leftJustified(14, ' ', true));
    t[22] = 'A';
    t.replace(23, 14, QByteArray("EXTRA-TEXT-123"));
    t[37] = 'B';
    t[38] = r.latRef;
    t.replace(39, 8, r.lat.leftJustified(8, ' ', true));
    t[47] = r.lonRef;
    t.replace(48, 9, r.lon.leftJustified(9, ' ', true));
    t.replace(57, 5, r.extra.leftJustified(5, ' ', true));
    t.replace(62, 3, r.speed.leftJustified(3, ' ', true));
    t.replace(65, 108, QByteArray(108, 'x'));
    t.replace(173, 12, r.gsensor.leftJustified(12, ' ', true));
    return t;
}

inline QByteArray record(const Record &r = Record())
{
    return mask(recordText(r));
}

// A trip of n records, record k moving north-east by k thousandths (of
// minutes times ten), starting over every 1000 records.
inline QList<QByteArray> trip(int n)
{
    QList<QByteArray> out;
    for (int k = 0; k < n; ++k) {
        Record r;
        r.dateTime = QByteArray("202501011000") + QByteArray::number(k % 60).rightJustified(2, '0');
        r.lat = "35" + QByteArray::number(100000 + 600 * (k % 1000)).rightJustified(6, '0');
        r.lon = "139" + QByteArray::number(200000 + 600 * (k % 1000)).rightJustified(6, '0');
        r.speed = QByteArray::number(k % 221).rightJustified(3, '0');
        out.append(record(r));
    }
    return out;
}

inline double latitudeOf(int k)
{
    return 35 + ((100000 + 600 * (k % 1000)) / 10000.0) / 60.0;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// An MP4 recording whose records sit in 'mdat', each chunk holding
// lead + record; the moov is made by the caller from the chunk offsets.
struct Layout
{
    QByteArray head; // ftyp + mdat
    QList<quint32> chunks;
};

inline Layout mdatWithChunks(const QList<QByteArray> &chunks)
{
    Layout l;
    l.head = ftyp();
    QByteArray data;
    const int dataStart = l.head.size() + 8;
    for (const QByteArray &c : chunks) {
        l.chunks.append(quint32(dataStart + data.size()));
        data += c;
    }
    l.head += box("mdat", data);
    return l;
}

// AVI: RIFF chunks and lists, little-endian.
inline QByteArray chunk(const char *id, const QByteArray &payload)
{
    QByteArray c = QByteArray(id, 4) + le32(quint32(payload.size())) + payload;
    if (payload.size() & 1)
        c += '\0';
    return c;
}

inline QByteArray list(const char *type, const QByteArray &payload)
{
    return QByteArray("LIST") + le32(quint32(payload.size() + 4)) + QByteArray(type, 4) + payload;
}

inline QByteArray avih(quint32 usPerFrame, quint32 frames, quint32 w, quint32 h)
{
    QByteArray p = le32(usPerFrame) + le32(0) + le32(0) + le32(0x10) + le32(frames) + le32(0) + le32(1) + le32(0);
    p += le32(w) + le32(h) + QByteArray(16, '\0');
    return chunk("avih", p);
}

inline QByteArray riff(const QByteArray &body, const char *type = "AVI ")
{
    return QByteArray("RIFF") + le32(quint32(body.size() + 4)) + QByteArray(type, 4) + body;
}

inline QByteArray plainAvi(quint32 usPerFrame = 40000, quint32 frames = 1500)
{
    const QByteArray hdrl = list("hdrl", avih(usPerFrame, frames, 1280, 720) + list("strl", chunk("strh", QByteArray(56, '\0'))));
    return riff(hdrl + list("movi", chunk("00dc", QByteArray(1001, 'v')) + chunk("01wb", QByteArray(300, 'a'))));
}

// Appends "GPSL", the count and the records, padding the file to blockAt,
// and the big-endian trailer offset.
inline QByteArray withGps(QByteArray file, int blockAt, quint32 count, int records)
{
    file = file.leftJustified(blockAt, 'J');
    file += "GPSL" + be32(count);
    for (const QByteArray &r : trip(records))
        file += r;
    return file + be32(quint32(blockAt));
}


// A 1920x1080 H.264 recording of the given length whose trip is a top-level
// 'gps0' box of the given number of records.
inline QByteArray mp4WithTrip(quint32 seconds, int records, quint32 timescale = 1000)
{
    Track v;
    v.width = 1920;
    v.height = 1080;
    v.samples = seconds <= 100000 ? seconds * 30 : 1;
    QByteArray gps;
    for (const QByteArray &r : trip(records))
        gps += r.left(311);
    return ftyp() + box("moov", mvhd(timescale, seconds * timescale) + trak(v)) + box("gps0", gps);
}

} // namespace fx

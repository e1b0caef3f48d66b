#pragma once

#include "parserobject.h"

#include <QVector>

// Walks the box tree of an MP4/MOV recording once, in its constructor, and
// leaves the video facts and the location of the GPS records behind.
class Mp4Parser : public ParserObject
{
    Q_OBJECT

public:
    explicit Mp4Parser(const QString &fileName, QObject *parent = nullptr);
    explicit Mp4Parser(const QByteArray &data, QObject *parent = nullptr);

    // Reads a box header at the current position; returns the total size,
    // 0 when the size field is 0.
    quint64 readBoxHeader(QString &type, quint64 &size, quint64 &payloadSize);

    QString boxType;
    quint64 boxSize = 0;
    quint64 payloadSize = 0;
    VideoCodecId sampleCodec = VideoCodecNone;
    quint32 movieTimescale = 0;
    quint32 movieDuration = 0;
    float trackFrameRate = 0.0f;

private:
    struct Box
    {
        QString type;
        qint64 start = 0;
        qint64 payload = 0; // first byte after the header
        qint64 end = 0;     // clamped to the enclosing box
    };
    struct Table
    {
        qint64 offset = 0;
        int32_t count = 0;
    };
    // Where a timed-metadata or text track keeps its samples; entry counts
    // are clamped to what their boxes hold.
    struct SampleTables
    {
        QByteArray entry;           // first sample description's type
        int handler = 0;
        quint32 timescale = 0;
        qint64 sttsAt = 0;
        quint32 sttsCount = 0;
        qint64 stscAt = 0;
        quint32 stscCount = 0;
        qint64 stszAt = 0;          // first size entry
        quint32 defaultSize = 0;
        quint32 sizeCount = 0;
        qint64 chunkAt = 0;
        quint32 chunkCount = 0;
        bool co64 = false;
    };
    struct TrackSample
    {
        qint64 offset = 0;
        quint32 size = 0;
        qint64 timeMs = 0;
    };

    bool nextBox(qint64 levelEnd, Box *box);
    void walk();
    void walkMovie(const Box &moov);
    void walkTrack(const Box &trak);
    int walkMedia(const Box &mdia);
    void walkSampleTable(const Box &stbl, Table *table, SampleTables *tables);
    void walkSampleDescriptions(const Box &stsd, SampleTables *tables);
    void readTableBox(const Box &box, int entrySize, int skip, qint64 *at, quint32 *count);
    void chooseTrackSource();
    QVector<TrackSample> trackSamples(const SampleTables &t);
    QByteArray readSample(const TrackSample &s, quint32 limit);
    QList<GpsData> decodeTrackSamples() override;
    void readMovieHeader(const Box &mvhd);
    void readTrackHeader(const Box &tkhd, int32_t *w, int32_t *h, quint64 *created);
    int readHandler(const Box &hdlr, QString *name);
    void readSampleSizes(const Box &stsz);
    void probeFreeGps(const Table &table);

    int m_headerSize = 8;
    QVector<SampleTables> m_textTracks; // NMEA candidates, in file order
    SampleTables m_gpmdTrack;           // the last 'gpmd' track
    SampleTables m_trackSource;         // the one chosen for NmeaTrackGps / GpmfTrackGps
};

#pragma once

#include "gpsdata.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class ByteSource;

// Common base of the recording parsers: the opened recording, the video facts
// a walker found, where the GPS records are, and the sample reader. A parser
// lives on one thread from construction to deletion.
class ParserObject : public QObject
{
    Q_OBJECT

public:
    static const int kRecordSize = 312;

    // parserName names the parser in the log when the file does not open.
    ParserObject(const QString &fileName, const char *parserName, QObject *parent = nullptr);
    // Parses bytes held in memory instead of a file.
    ParserObject(const QByteArray &data, const QString &fileName, QObject *parent = nullptr);
    ~ParserObject() override;

    bool readGpsSample(int i, GpsData *out);
    bool decodeRecord(int k, const char *record, GpsData *out);

    bool isOpen() const;
    // Bytes handed out by the file so far.
    quint64 bytesRead() const;
    // Size of the whole recording.
    qint64 sourceSize() const;

    QFile file;
    QString fileName;
    GpsSourceKind gpsKind = NoGps;
    int32_t width = 0;
    int32_t height = 0;
    VideoCodecId codec = VideoCodecNone;
    int32_t duration = 0;
    float frameRate = 0.0f;
    QDateTime createTime;
    qint64 gpsOffset = 0;
    int32_t gpsCount = 0;
    int32_t freeGpsOffset = 0;
    int32_t lastIndex = 0;
    double lastLongitude = 0.0;
    double lastLatitude = 0.0;
    double lastHeading = 0.0;

protected:
    ByteSource &source() { return *m_source; }

    quint16 readUInt16();
    quint32 readUInt32();
    quint64 readUInt64();
    quint32 readUInt32LE();

    // Reads up to size bytes into a zero-filled buffer, never past limit.
    QByteArray readFixed(int size, qint64 limit);

    static int32_t clampToInt(quint64 value);

    // The samples of a source that is decoded whole (a text or GPMF track),
    // one per second; read once, at the first sample asked for.
    virtual QList<GpsData> decodeTrackSamples() { return {}; }

private:
    bool recordPosition(int k, qint64 *pos);
    bool readTableEntry(qint64 at, quint32 *value);

    std::unique_ptr<ByteSource> m_source;
    QByteArray m_table;       // the source's offset table, read at its first use
    bool m_tableRead = false;
    QList<GpsData> m_trackSamples;
    bool m_trackDecoded = false;
};

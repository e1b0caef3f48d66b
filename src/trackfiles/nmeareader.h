#pragma once

#include "trackpoint.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Reads NMEA 0183 text: $--RMC for time, position, speed and course, $--GGA
// for fixes (and position when no RMC of that second has one). Sentences with
// a wrong checksum, without a fix or out of shape are skipped and counted.
class NmeaReader
{
public:
    // Longest line taken; a real sentence is at most 82 characters.
    static constexpr int kMaxLine = 128;

    // offsetMs: where in the recording this text belongs, or kNoTime for a
    // text of its own (a file).
    void addText(const QByteArray &text, qint64 offsetMs = TrackPoint::kNoTime);
    // The points in time order, one per time; ends the reading.
    TrackPoints finish();

    int sentences() const { return m_sentences; }
    int badChecksums() const { return m_badChecksums; }
    int withoutFix() const { return m_withoutFix; }
    // Why no point came out, for the log; empty when there were points.
    QString problem() const { return m_problem; }

    // Whether the text starts like NMEA (a $ and an RMC or GGA sentence).
    static bool looksLikeNmea(const QByteArray &text);

private:
    struct Fix
    {
        qint64 timeOfDayMs = 0;
        int dateDays = -1;          // days since the epoch, RMC only
        bool hasPosition = false;
        double latitude = 0.0;
        double longitude = 0.0;
        double speedKmh = TrackPoint::kNoValue;
        double course = TrackPoint::kNoValue;
        qint64 offsetMs = TrackPoint::kNoTime;
        int piece = 0;              // which addText() it came from
    };

    void addLine(const char *begin, const char *end, qint64 offsetMs);
    bool parseRmc(const QList<QByteArray> &f, Fix *fix);
    bool parseGga(const QList<QByteArray> &f, Fix *fix);

    QVector<Fix> m_fixes;
    int m_piece = 0;
    int m_sentences = 0;
    int m_badChecksums = 0;
    int m_withoutFix = 0;
    QString m_problem;
};

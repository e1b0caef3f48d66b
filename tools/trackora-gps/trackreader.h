#pragma once

#include "gpsdata.h"

#include <QList>
#include <QString>

// Reads one recording through the viewer's VideoParser, so the samples are the
// normalised list the viewer shows.
class TrackReader
{
public:
    bool read(const QString &path);

    // Why the file could not be read, or why it has no trip; empty when fine.
    QString problem() const { return m_problem; }
    bool opened() const { return m_opened; }

    VideoInfo info;
    GpsSourceKind gpsKind = NoGps;
    QList<GpsData> samples;

private:
    QString m_problem;
    bool m_opened = false;
};

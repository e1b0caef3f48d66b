#pragma once

#include "gpsdata.h"

#include <QList>
#include <QString>
#include <QStringList>

class QImage;
class QPainter;

// The trip data drawn onto exported pictures: the same texts the control
// panel shows (date and time, speed, coordinates), on a dark band at the
// bottom, and optionally a G-sensor strip above it.
class FrameOverlay
{
public:
    bool speedInKmh = true;
    bool gsensorStrip = false;

    static QStringList texts(const GpsData &sample, bool speedInKmh);
    // The band's rectangle on a picture of this size.
    static QRect bandRect(const QSize &picture);
    // history: the samples of the range, for the strip; second: where the
    // picture is in it.
    void paint(QPainter *painter, const QSize &picture, const GpsData &sample, const QList<GpsData> &history,
               double second) const;
};

#pragma once

#include "gpsdata.h"

#include <QByteArray>
#include <QList>

// Writes samples back as the camera's 312-byte GPS records, so the viewer's
// own parsers read an exported file's trip as they read a recording's.
namespace GpsRecordWriter {
// One masked record holding the sample's fields.
QByteArray record(const GpsData &sample);
// A top-level 'gps0' box: the first record is the one no reader decodes, then
// one record per sample, 311 bytes apart.
QByteArray gps0Box(const QList<GpsData> &samples);
}

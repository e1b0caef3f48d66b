#pragma once

#include "trackpoint.h"

#include <QByteArray>
#include <QString>

// Reads the timed track and route points of a GPX 1.0 or 1.1 document. Speed
// and course come from the point's own elements (GPX 1.0) or from an
// extension element of that name (GPX 1.1 extensions, metres per second).
class GpxReader
{
public:
    // Points in time order, one per time; points without a time or with a
    // position out of range are skipped. problem says why none came out.
    static TrackPoints read(const QByteArray &xml, QString *problem);
};

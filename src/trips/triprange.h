#pragma once

#include <QMetaType>
#include <QVector>
#include <QtGlobal>

// One end of a range marked on a trip: the recording (its place in the trip,
// 0 for a recording played on its own) and the time inside it. Kept per
// recording rather than in trip time, so that recordings whose lengths are
// known only to the second cannot shift a mark into their neighbour.
struct RangeMark
{
    int part = 0;
    qint64 ms = -1;

    bool isSet() const { return ms >= 0; }
    bool operator<(const RangeMark &o) const { return part != o.part ? part < o.part : ms < o.ms; }
    bool operator==(const RangeMark &o) const { return part == o.part && ms == o.ms; }
    bool operator!=(const RangeMark &o) const { return !(*this == o); }
};
Q_DECLARE_METATYPE(RangeMark)

// A recording's share of a range; toMs -1 runs to its end.
struct RangePiece
{
    int part = 0;
    qint64 fromMs = 0;
    qint64 toMs = -1;
};

// A range between two marks over recordings of the given lengths (ms, in
// playing order).
namespace TripRange {
// One piece per recording from the in mark's to the out mark's; an out mark
// with ms -1 runs to the end of its recording. Empty when the out mark does
// not lie after the in mark or a part is unknown. A piece
// that would hold nothing (an out mark right at a recording's start) is left out.
QVector<RangePiece> pieces(const QVector<qint64> &lengthsMs, const RangeMark &in, const RangeMark &out);
// The mark at a trip time, bounded to the trip; a seam belongs to the
// recording that starts there.
RangeMark markAt(const QVector<qint64> &lengthsMs, qint64 tripMs);
// The trip time of a mark, its time bounded to its recording's length.
qint64 tripTimeOf(const QVector<qint64> &lengthsMs, const RangeMark &mark);
}

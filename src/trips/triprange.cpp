#include "triprange.h"

namespace TripRange {

QVector<RangePiece> pieces(const QVector<qint64> &lengthsMs, const RangeMark &in, const RangeMark &out)
{
    QVector<RangePiece> list;
    const bool toEnd = out.ms < 0;
    if (!in.isSet() || in.part < 0 || out.part >= lengthsMs.size() || out.part < in.part || (!toEnd && !(in < out)))
        return list;
    for (int part = in.part; part <= out.part; ++part) {
        RangePiece p;
        p.part = part;
        p.fromMs = part == in.part ? in.ms : 0;
        p.toMs = part == out.part ? out.ms : -1;
        if (p.toMs >= 0 && p.toMs <= p.fromMs)
            continue;
        list.append(p);
    }
    return list;
}

RangeMark markAt(const QVector<qint64> &lengthsMs, qint64 tripMs)
{
    RangeMark mark;
    if (lengthsMs.isEmpty())
        return mark;
    qint64 start = 0;
    for (int i = 0; i < lengthsMs.size(); ++i) {
        const qint64 length = qMax<qint64>(0, lengthsMs.at(i));
        if (tripMs < start + length || i + 1 == lengthsMs.size()) {
            mark.part = i;
            mark.ms = qBound<qint64>(0, tripMs - start, length);
            return mark;
        }
        start += length;
    }
    return mark;
}

qint64 tripTimeOf(const QVector<qint64> &lengthsMs, const RangeMark &mark)
{
    qint64 sum = 0;
    for (int i = 0; i < mark.part && i < lengthsMs.size(); ++i)
        sum += qMax<qint64>(0, lengthsMs.at(i));
    const qint64 length = mark.part >= 0 && mark.part < lengthsMs.size() ? lengthsMs.at(mark.part) : 0;
    return sum + qBound<qint64>(0, mark.ms, qMax<qint64>(0, length));
}

} // namespace TripRange

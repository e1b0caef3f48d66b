#include "triptimeline.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const int kHeight = 14;
const int kMargin = 2;
const QColor kSegment[2] = {QColor(70, 78, 96), QColor(86, 94, 114)};
const QColor kPlayed(66, 133, 214);
const QColor kCursor(250, 250, 250);
} // namespace

TripTimeline::TripTimeline(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("Click to play the trip from that moment"));
}

QSize TripTimeline::sizeHint() const
{
    return QSize(400, kHeight);
}

QSize TripTimeline::minimumSizeHint() const
{
    return QSize(40, kHeight);
}

void TripTimeline::setRecordings(const QVector<qint64> &lengthsMs)
{
    lengths = lengthsMs;
    for (qint64 &l : lengths)
        l = qMax<qint64>(0, l);
    current = lengths.isEmpty() ? -1 : qBound(0, current, lengths.size() - 1);
    update();
}

void TripTimeline::clear()
{
    lengths.clear();
    current = -1;
    currentMs = 0;
    markers.clear();
    update();
}

void TripTimeline::setPosition(int recording, qint64 ms)
{
    if (recording < 0 || recording >= lengths.size())
        return;
    if (recording == current && ms == currentMs)
        return;
    current = recording;
    currentMs = qBound<qint64>(0, ms, lengths.at(recording));
    update();
}

qint64 TripTimeline::totalMs() const
{
    qint64 sum = 0;
    for (qint64 l : lengths)
        sum += l;
    return sum;
}

qint64 TripTimeline::tripTimeOf(int recording, qint64 ms) const
{
    qint64 sum = 0;
    for (int i = 0; i < recording && i < lengths.size(); ++i)
        sum += lengths.at(i);
    return sum + ms;
}

int TripTimeline::recordingAt(qint64 tripMs, qint64 *msInside) const
{
    if (lengths.isEmpty())
        return -1;
    qint64 start = 0;
    for (int i = 0; i < lengths.size(); ++i) {
        // The very end of a recording is the next one's start.
        if (tripMs < start + lengths.at(i) || i + 1 == lengths.size()) {
            if (msInside)
                *msInside = qBound<qint64>(0, tripMs - start, lengths.at(i));
            return i;
        }
        start += lengths.at(i);
    }
    return -1;
}

QRect TripTimeline::strip() const
{
    return rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

qint64 TripTimeline::tripTimeAtX(int x) const
{
    const QRect r = strip();
    if (r.width() <= 0)
        return 0;
    const double f = qBound(0.0, double(x - r.left()) / r.width(), 1.0);
    return qint64(f * totalMs());
}

int TripTimeline::xOfTripTime(qint64 tripMs) const
{
    const QRect r = strip();
    const qint64 total = totalMs();
    if (total <= 0)
        return r.left();
    return r.left() + int(double(qBound<qint64>(0, tripMs, total)) * r.width() / total);
}

void TripTimeline::setMarker(const QString &key, qint64 fromMs, qint64 toMs, const QColor &color)
{
    markers.insert(key, Marker{qMin(fromMs, toMs), qMax(fromMs, toMs), color});
    update();
}

void TripTimeline::removeMarker(const QString &key)
{
    if (markers.remove(key))
        update();
}

void TripTimeline::clearMarkers()
{
    markers.clear();
    update();
}

void TripTimeline::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = strip();
    p.fillRect(rect(), QColor(34, 34, 42));
    const qint64 total = totalMs();
    if (total <= 0)
        return;
    qint64 start = 0;
    for (int i = 0; i < lengths.size(); ++i) {
        const int x0 = xOfTripTime(start);
        const int x1 = xOfTripTime(start + lengths.at(i));
        // A one-pixel seam between recordings.
        p.fillRect(QRect(x0, r.top(), qMax(1, x1 - x0 - 1), r.height()), kSegment[i % 2]);
        start += lengths.at(i);
    }
    const qint64 now = current >= 0 ? tripTimeOf(current, currentMs) : 0;
    const int xNow = xOfTripTime(now);
    p.fillRect(QRect(r.left(), r.top() + r.height() / 3, xNow - r.left(), r.height() - 2 * (r.height() / 3)), kPlayed);
    for (const Marker &m : markers) {
        const int x0 = xOfTripTime(m.fromMs);
        const int x1 = xOfTripTime(m.toMs);
        QColor fill = m.color;
        if (x1 - x0 > 2)
            fill.setAlpha(110);
        p.fillRect(QRect(x0, r.top(), qMax(2, x1 - x0), r.height()), fill);
    }
    p.fillRect(QRect(xNow - 1, rect().top(), 3, rect().height()), kCursor);
}

void TripTimeline::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || lengths.isEmpty()) {
        QWidget::mousePressEvent(event);
        return;
    }
    qint64 inside = 0;
    const int recording = recordingAt(tripTimeAtX(event->pos().x()), &inside);
    if (recording >= 0)
        emit seekRequested(recording, inside);
    event->accept();
}

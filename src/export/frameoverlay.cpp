#include "frameoverlay.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
// The band is a tenth of the picture's height: readable on a phone, small
// enough to leave the road in view.
const int kBandDivisor = 10;
const int kMinBandHeight = 16;
const double kStripSeconds = 30.0;
const double kStripRangeG = 2.0;

QString coordinate(char ref, double value)
{
    return QString(QChar::fromLatin1(ref ? ref : ' ')).trimmed() + QString::number(std::fabs(value), 'f', 6);
}
} // namespace

QStringList FrameOverlay::texts(const GpsData &s, bool speedInKmh)
{
    const QDateTime t = QDateTime::fromString(QString::fromLatin1(s.dateTime, int(qstrnlen(s.dateTime, 14))),
                                              QStringLiteral("yyyyMMddhhmmss"));
    const QString speed = speedInKmh ? QStringLiteral("%1 km/h").arg(s.speed, 3, 10, QLatin1Char('0'))
                                     : QStringLiteral("%1 mph").arg(int(s.speed / 1.609344), 3, 10, QLatin1Char('0'));
    return {t.isValid() ? t.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")) : QString(), speed,
            coordinate(s.latitudeRef, s.latitude) + QLatin1Char(',') + coordinate(s.longitudeRef, s.longitude)};
}

QRect FrameOverlay::bandRect(const QSize &picture)
{
    const int h = qMax(kMinBandHeight, picture.height() / kBandDivisor);
    return QRect(0, picture.height() - h, picture.width(), h);
}

void FrameOverlay::paint(QPainter *painter, const QSize &picture, const GpsData &sample,
                         const QList<GpsData> &history, double second) const
{
    const QRect band = bandRect(picture);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::TextAntialiasing);
    painter->fillRect(band, QColor(0, 0, 0, 160));
    const QStringList t = texts(sample, speedInKmh);
    const int margin = band.height() / 3;
    const QRect inner = band.adjusted(margin, 0, -margin, 0);
    // The three texts side by side with a gap between them; the font shrinks
    // until they fit a narrow picture.
    QFont font = painter->font();
    font.setBold(true);
    int pixels = qMax(6, band.height() * 3 / 5);
    for (;; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        const int used = metrics.horizontalAdvance(t.value(0)) + metrics.horizontalAdvance(t.value(1))
            + metrics.horizontalAdvance(t.value(2)) + 2 * metrics.horizontalAdvance(QLatin1Char('M'));
        if (used <= inner.width() || pixels <= 6)
            break;
    }
    painter->setFont(font);
    painter->setPen(Qt::white);
    const QFontMetrics metrics(font);
    const int left = inner.left() + metrics.horizontalAdvance(t.value(0));
    const int right = inner.right() - metrics.horizontalAdvance(t.value(2));
    painter->drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, t.value(0));
    painter->drawText(QRect(left, inner.top(), qMax(0, right - left), inner.height()), Qt::AlignHCenter | Qt::AlignVCenter,
                      t.value(1));
    painter->drawText(inner, Qt::AlignRight | Qt::AlignVCenter, t.value(2));

    if (gsensorStrip && !history.isEmpty()) {
        // The last half minute of the three axes, newest at the right.
        const QRect strip(band.left(), band.top() - band.height() * 2, band.width() / 3, band.height() * 2);
        painter->fillRect(strip, QColor(0, 0, 0, 120));
        const QColor colours[3] = {QColor(255, 80, 80), QColor(80, 255, 80), QColor(80, 160, 255)};
        const int last = qBound(0, int(std::floor(second)), history.size() - 1);
        // A short range fills the strip instead of huddling at its right end.
        const double span = qBound(2.0, double(history.size() - 1), kStripSeconds);
        const int first = qMax(0, last - int(span));
        for (int axis = 0; axis < 3; ++axis) {
            QPainterPath path;
            for (int i = first; i <= last; ++i) {
                const float g = axis == 0 ? history[i].gsensorX : axis == 1 ? history[i].gsensorY : history[i].gsensorZ;
                const double x = strip.right() - (last - i) * strip.width() / span;
                const double y = strip.center().y() - qBound(-1.0, double(g) / kStripRangeG, 1.0) * strip.height() / 2;
                if (i == first)
                    path.moveTo(x, y);
                else
                    path.lineTo(x, y);
            }
            painter->setPen(QPen(colours[axis], qMax(1, band.height() / 12)));
            painter->drawPath(path);
        }
    }
    painter->restore();
}

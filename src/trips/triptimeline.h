#pragma once

#include <QColor>
#include <QMap>
#include <QVector>
#include <QWidget>

// A strip over the whole current trip: one segment per recording in
// proportion to its length, the part played, the current position and marks
// other features place on it (single moments or ranges, in trip time). A
// click asks to play from that moment. GUI thread only.
class TripTimeline : public QWidget
{
    Q_OBJECT

public:
    explicit TripTimeline(QWidget *parent = nullptr);

    // Each recording's length in milliseconds, in playing order.
    void setRecordings(const QVector<qint64> &lengthsMs);
    void clear();
    // The recording that plays and the position inside it.
    void setPosition(int recording, qint64 ms);

    int recordingCount() const { return lengths.size(); }
    qint64 totalMs() const;
    qint64 tripTimeOf(int recording, qint64 ms) const;
    // The recording and the position inside it at a trip time.
    int recordingAt(qint64 tripMs, qint64 *msInside = nullptr) const;
    // The trip time under an x position of the strip.
    qint64 tripTimeAtX(int x) const;
    int xOfTripTime(qint64 tripMs) const;

    // A mark from fromMs to toMs (equal: one moment); the same key replaces it.
    void setMarker(const QString &key, qint64 fromMs, qint64 toMs, const QColor &color);
    void removeMarker(const QString &key);
    void clearMarkers();
    QStringList markerKeys() const { return markers.keys(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void seekRequested(int recording, qint64 ms);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    struct Marker
    {
        qint64 fromMs;
        qint64 toMs;
        QColor color;
    };

    QRect strip() const;

    QVector<qint64> lengths;
    int current = -1;
    qint64 currentMs = 0;
    QMap<QString, Marker> markers;
};

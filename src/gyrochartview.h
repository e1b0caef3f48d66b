#pragma once

#include <QTimer>
#include <QVector>
#include <QtCharts/QChartView>

#include "drivingevent.h"

namespace QtCharts {
class QLineSeries;
class QScatterSeries;
class QValueAxis;
} // namespace QtCharts

// The G-sensor values of the playing recording as three lines over time, one
// point per second, with a vertical cursor at the current second.
// GUI thread only.
class GyroChartView : public QtCharts::QChartView
{
    Q_OBJECT
public:
    explicit GyroChartView(QWidget *parent = nullptr);

    void clearChart();
    void setPointCount(int n);
    void addPoint(const float xyz[3]);
    void setCurrentSecond(int second);
    // A marker near the top per event, coloured by kind; secondsPerPoint is
    // how many samples one chart point stands for.
    void setEventMarkers(const QVector<DrivingEvent> &events, double secondsPerPoint = 1.0);
    // The speed of each second, km/h, on its own axis at the right, shown
    // in mph when asked; an empty list hides it.
    void setSpeeds(const QVector<double> &kmh, bool mph);
    // The second under a point of the view; -1 outside the plot.
    int secondAt(const QPoint &pos) const;

signals:
    void secondClicked(int second);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void flushPoints();
    void placeMarkers();

    QtCharts::QLineSeries *seriesX = nullptr;
    QtCharts::QLineSeries *seriesY = nullptr;
    QtCharts::QLineSeries *seriesZ = nullptr;
    QtCharts::QLineSeries *cursorSeries = nullptr;
    QtCharts::QScatterSeries *markerSeries[3] = {};
    QVector<DrivingEvent> markedEvents;
    double markerSecondsPerPoint = 1.0;
    QtCharts::QLineSeries *speedSeries = nullptr;
    QtCharts::QValueAxis *axisSpeed = nullptr;
    QtCharts::QValueAxis *axisX = nullptr;
    QtCharts::QValueAxis *axisY = nullptr;
    int pointCount = 0;
    int xIndex = 0;
    double yRange = 0.3;
    // The axis points as shown once the event loop runs: handing a series
    // one point at a time costs a pass over all of its points each time.
    QVector<QPointF> points[3];
    QTimer flushTimer;
};

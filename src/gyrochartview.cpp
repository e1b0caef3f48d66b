#include "gyrochartview.h"

#include "eventlistmodel.h"

#include <QGraphicsLayout>
#include <QMouseEvent>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <cmath>

using namespace QtCharts;

namespace {
// Points kept per series; older ones scroll out.
constexpr int kVisiblePoints = 6000;
constexpr double kInitialRange = 0.3;
constexpr double kRangeStep = 0.1;
// Far beyond any sensor; keeps a corrupt sample from stalling the growth loop.
constexpr double kMaxRange = 100.0;
// Event markers sit this far up the value axis, clear of most of the lines.
constexpr double kMarkerHeight = 0.85;

QLineSeries *makeSeries(const QString &name, const QPen &pen, QChart *chart)
{
    auto *series = new QLineSeries(chart);
    series->setName(name);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}
} // namespace

GyroChartView::GyroChartView(QWidget *parent)
    : QChartView(parent)
{
    auto *chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundVisible(false);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);

    QFont legendFont(QStringLiteral("Calibri"));
    legendFont.setPixelSize(10);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(legendFont);
    chart->legend()->layout()->setContentsMargins(0, 0, 0, 0);

    seriesX = makeSeries(QStringLiteral("X "), QPen(Qt::red), chart);
    seriesY = makeSeries(QStringLiteral("Y "), QPen(Qt::green), chart);
    seriesZ = makeSeries(QStringLiteral("Z "), QPen(Qt::blue), chart);
    QPen cursorPen;
    cursorPen.setBrush(QBrush(Qt::yellow));
    cursorSeries = makeSeries(QStringLiteral("C "), cursorPen, chart);

    const DrivingEvent::Kind kinds[3] = {DrivingEvent::Braking, DrivingEvent::Acceleration, DrivingEvent::Impact};
    for (DrivingEvent::Kind kind : kinds) {
        auto *markers = new QScatterSeries(chart);
        markers->setObjectName(QStringLiteral("events_") + DrivingEvent::kindName(kind));
        markers->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        markers->setMarkerSize(9);
        markers->setColor(EventListModel::kindColor(kind));
        markers->setBorderColor(Qt::black);
        chart->addSeries(markers);
        markerSeries[kind] = markers;
    }

    axisY = new QValueAxis(chart);
    axisY->setLabelFormat(QStringLiteral("%.1fG"));
    QFont labelFont(QStringLiteral("Calibri"));
    labelFont.setPixelSize(12);
    axisY->setLabelsFont(labelFont);
    axisY->setTickCount(5);
    axisY->setLineVisible(false);
    axisY->setGridLinePen(QPen(QBrush(Qt::black), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    axisY->setRange(-kInitialRange, kInitialRange);

    axisX = new QValueAxis(chart);
    axisX->setRange(0, kVisiblePoints);
    axisX->setVisible(false);

    speedSeries = makeSeries(tr("Speed (km/h)"), QPen(QColor(230, 230, 230), 1.5), chart);
    axisSpeed = new QValueAxis(chart);
    axisSpeed->setLabelFormat(QStringLiteral("%.0f"));
    axisSpeed->setLabelsFont(labelFont);
    axisSpeed->setTickCount(5);
    axisSpeed->setLineVisible(false);
    axisSpeed->setGridLineVisible(false);
    axisSpeed->setRange(0, 120);
    axisSpeed->setVisible(false);
    speedSeries->setVisible(false);

    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    chart->addAxis(axisSpeed, Qt::AlignRight);
    speedSeries->attachAxis(axisX);
    speedSeries->attachAxis(axisSpeed);
    for (QLineSeries *series : {seriesX, seriesY, seriesZ, cursorSeries}) {
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
    for (QScatterSeries *markers : markerSeries) {
        markers->attachAxis(axisX);
        markers->attachAxis(axisY);
        // The list names the kinds; the legend stays with the axes.
        for (QLegendMarker *marker : chart->legend()->markers(markers))
            marker->setVisible(false);
    }

    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    // Whatever the chart sits on shows through, as the chart has no background.
    setFrameShape(QFrame::NoFrame);
    setStyleSheet(QStringLiteral("background: transparent;"));

    flushTimer.setSingleShot(true);
    flushTimer.setInterval(0);
    connect(&flushTimer, &QTimer::timeout, this, &GyroChartView::flushPoints);
}

void GyroChartView::clearChart()
{
    flushTimer.stop();
    for (QVector<QPointF> &axisPoints : points)
        axisPoints.clear();
    for (QLineSeries *series : {seriesX, seriesY, seriesZ, cursorSeries, speedSeries})
        series->clear();
    markedEvents.clear();
    for (QScatterSeries *markers : markerSeries)
        markers->clear();
    speedSeries->setVisible(false);
    axisSpeed->setVisible(false);
    pointCount = 0;
    xIndex = 0;
    yRange = kInitialRange;
    axisX->setRange(0, kVisiblePoints);
    axisY->setRange(-kInitialRange, kInitialRange);
}

void GyroChartView::setPointCount(int n)
{
    axisX->setRange(0, n - 1);
}

void GyroChartView::addPoint(const float xyz[3])
{
    for (int i = 0; i < 3; ++i) {
        if (pointCount > kVisiblePoints)
            points[i].removeFirst();
        points[i].append(QPointF(xIndex, xyz[i]));
    }
    ++xIndex;
    flushTimer.start();
    if (pointCount > kVisiblePoints)
        axisX->setRange(pointCount - kVisiblePoints, pointCount);

    const double m = std::max({std::fabs(double(xyz[0])), std::fabs(double(xyz[1])), std::fabs(double(xyz[2]))});
    while (m >= yRange && yRange < kMaxRange)
        yRange += kRangeStep;
    axisY->setRange(-yRange, yRange);
    ++pointCount;
}

void GyroChartView::flushPoints()
{
    seriesX->replace(points[0]);
    seriesY->replace(points[1]);
    seriesZ->replace(points[2]);
    placeMarkers();
}

void GyroChartView::setEventMarkers(const QVector<DrivingEvent> &events, double secondsPerPoint)
{
    markedEvents = events;
    markerSecondsPerPoint = secondsPerPoint > 0 ? secondsPerPoint : 1.0;
    placeMarkers();
}

void GyroChartView::placeMarkers()
{
    // The value axis grows with the points, so the height is taken anew.
    QVector<QPointF> byKind[3];
    for (const DrivingEvent &event : qAsConst(markedEvents))
        byKind[event.kind].append(QPointF(event.second / markerSecondsPerPoint, yRange * kMarkerHeight));
    for (int k = 0; k < 3; ++k)
        markerSeries[k]->replace(byKind[k]);
}

void GyroChartView::setCurrentSecond(int second)
{
    cursorSeries->clear();
    cursorSeries->append(second, -yRange);
    cursorSeries->append(second, yRange);
    update();
}

void GyroChartView::setSpeeds(const QVector<double> &kmh, bool mph)
{
    const double factor = mph ? 1.0 / 1.609344 : 1.0;
    QVector<QPointF> line;
    line.reserve(kmh.size());
    double top = 0.0;
    for (int i = 0; i < kmh.size(); ++i) {
        const double v = std::isfinite(kmh.at(i)) ? qMax(0.0, kmh.at(i) * factor) : 0.0;
        top = qMax(top, v);
        line.append(QPointF(i, v));
    }
    speedSeries->replace(line);
    speedSeries->setName(mph ? tr("Speed (mph)") : tr("Speed (km/h)"));
    // Whole tens above the fastest second, so the line stays below the top.
    axisSpeed->setRange(0, qMax(40.0, std::ceil(top / 20.0 + 0.5) * 20.0));
    const bool shown = !line.isEmpty();
    speedSeries->setVisible(shown);
    axisSpeed->setVisible(shown);
}

int GyroChartView::secondAt(const QPoint &pos) const
{
    const QPointF scene = mapToScene(pos);
    const QPointF inChart = chart()->mapFromScene(scene);
    if (!chart()->plotArea().contains(inChart))
        return -1;
    const double x = chart()->mapToValue(inChart, seriesX).x();
    return x < -0.5 ? -1 : int(std::lround(qMax(0.0, x)));
}

void GyroChartView::mousePressEvent(QMouseEvent *event)
{
    const int second = event->button() == Qt::LeftButton ? secondAt(event->pos()) : -1;
    if (second >= 0) {
        emit secondClicked(second);
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

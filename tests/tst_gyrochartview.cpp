#include <QtTest>

#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <cmath>
#include <limits>

#include "gyrochartview.h"

using namespace QtCharts;

namespace {
QLineSeries *series(GyroChartView &view, const QString &name)
{
    for (QAbstractSeries *s : view.chart()->series()) {
        if (s->name() == name)
            return qobject_cast<QLineSeries *>(s);
    }
    return nullptr;
}

QValueAxis *axis(GyroChartView &view, Qt::Orientation orientation)
{
    const QList<QAbstractAxis *> axes = view.chart()->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis *>(axes.first());
}

void addPoint(GyroChartView &view, float x, float y, float z)
{
    const float xyz[3] = {x, y, z};
    view.addPoint(xyz);
}

// Also a one-pixel yellow line half blended into its neighbours.
bool isYellow(QRgb p)
{
    return qRed(p) > 120 && qGreen(p) > 120 && qBlue(p) < qMin(qRed(p), qGreen(p)) - 60;
}
} // namespace

// The chart in a real window: value-axis growth, scrolling and the cursor.
class TestGyroChartView : public QObject
{
    Q_OBJECT
private slots:
    void valueAxisGrows_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<double>("range");
        QTest::newRow("below the start") << 0.25f << 0.3;
        QTest::newRow("at the start") << 0.3f << 0.4;
        QTest::newRow("negative") << -1.05f << 1.1;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0.3;
    }

    void valueAxisGrows()
    {
        QFETCH(float, value);
        QFETCH(double, range);
        GyroChartView view(nullptr);
        addPoint(view, 0.05f, value, 0.1f);
        QValueAxis *y = axis(view, Qt::Vertical);
        QVERIFY(y);
        QVERIFY2(qAbs(y->max() - range) < 1e-6, qPrintable(QString::number(y->max())));
        QVERIFY2(qAbs(y->min() + range) < 1e-6, "the axis is symmetric");
    }

    void rangeOnlyGrowsUntilCleared()
    {
        GyroChartView view(nullptr);
        addPoint(view, 1.05f, 0, 0);
        addPoint(view, 0.1f, 0, 0);
        QValueAxis *y = axis(view, Qt::Vertical);
        QVERIFY2(qAbs(y->max() - 1.1) < 1e-6, "the range grows to 1.1 and stays for a smaller value");

        // A corrupt sample must not stall the growth loop.
        addPoint(view, std::numeric_limits<float>::infinity(), 1e30f, 0);
        QVERIFY2(std::isfinite(y->max()) && y->max() > 1.1, "a corrupt sample leaves a finite, grown axis");

        view.setCurrentSecond(3);
        QCoreApplication::processEvents();
        QCOMPARE(series(view, QStringLiteral("X "))->count(), 3);
        view.clearChart();
        QCOMPARE(series(view, QStringLiteral("X "))->count(), 0);
        QCOMPARE(series(view, QStringLiteral("C "))->count(), 0);
        QVERIFY2(qAbs(y->max() - 0.3) < 1e-6, "clearing returns the range to 0.3");
        QCOMPARE(axis(view, Qt::Horizontal)->max(), 6000.0);
        addPoint(view, 0.1f, 0, 0);
        QVERIFY2(qAbs(y->max() - 0.3) < 1e-6, "a value within 0.3 keeps that range");
        // Points added just before a clear never show up after it.
        view.clearChart();
        QCoreApplication::processEvents();
        QCOMPARE(series(view, QStringLiteral("X "))->count(), 0);
    }

    // Also fast enough for a recording of that length: the main window adds
    // every point on the GUI thread before playback starts.
    void scrollsAfterSixThousandPoints()
    {
        GyroChartView view(nullptr);
        view.resize(600, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (int i = 0; i < 6001; ++i)
            addPoint(view, 0.01f * (i % 10), 0, 0);
        QCoreApplication::processEvents();
        QLineSeries *x = series(view, QStringLiteral("X "));
        QCOMPARE(x->count(), 6001);
        QValueAxis *time = axis(view, Qt::Horizontal);
        QCOMPARE(time->min(), 0.0);
        QCOMPARE(time->max(), 6000.0);

        addPoint(view, 0.2f, 0.1f, -0.1f);
        QCoreApplication::processEvents();
        for (const QString &name : {QStringLiteral("X "), QStringLiteral("Y "), QStringLiteral("Z ")}) {
            QLineSeries *s = series(view, name);
            QCOMPARE(s->count(), 6001);
            QCOMPARE(s->at(0).x(), 1.0);
            QCOMPARE(s->at(6000).x(), 6001.0);
        }
        QCOMPARE(time->min(), 1.0);
        QCOMPARE(time->max(), 6001.0);
    }

    void cursorBeforeAnyPoint()
    {
        GyroChartView view(nullptr);
        view.setCurrentSecond(0);
        QLineSeries *cursor = series(view, QStringLiteral("C "));
        QCOMPARE(cursor->count(), 2);
        QCOMPARE(cursor->at(0), QPointF(0, -0.3));
        QCOMPARE(cursor->at(1), QPointF(0, 0.3));
    }

    // The cursor is drawn as a yellow line over the plot's full height at
    // the current second, and nowhere else.
    void cursorIsPaintedAtTheSecond()
    {
        GyroChartView view(nullptr);
        view.resize(600, 220);
        view.setPointCount(61);
        for (int i = 0; i < 61; ++i)
            addPoint(view, 0.5f * std::sin(i / 5.0f), 0.2f, -0.1f);
        view.setCurrentSecond(30);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCoreApplication::processEvents();

        QLineSeries *cursor = series(view, QStringLiteral("C "));
        const double range = axis(view, Qt::Vertical)->max();
        const QPointF top = view.chart()->mapToPosition(QPointF(30, range), cursor);
        const QPointF bottom = view.chart()->mapToPosition(QPointF(30, -range), cursor);
        const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int column = qRound(top.x());
        int yellowHere = 0;
        int yellowElsewhere = 0;
        for (int y = int(top.y()) + 2; y < int(bottom.y()) - 2; ++y) {
            bool hit = false;
            for (int dx = -1; dx <= 1; ++dx)
                hit = hit || isYellow(image.pixel(column + dx, y));
            yellowHere += hit;
            yellowElsewhere += isYellow(image.pixel(column - 60, y));
        }
        const int height = int(bottom.y()) - int(top.y()) - 4;
        QVERIFY2(yellowHere >= height * 9 / 10, qPrintable(QStringLiteral("%1 of %2").arg(yellowHere).arg(height)));
        QCOMPARE(yellowElsewhere, 0);
    }
};

QTEST_MAIN(TestGyroChartView)
#include "tst_gyrochartview.moc"

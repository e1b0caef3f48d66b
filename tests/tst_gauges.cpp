#include <QtTest>

#include "configuration.h"
#include "directiontray.h"
#include "speedtray.h"
#include "tst_dashboardhelpers.h"

using namespace DashboardTest;

namespace {
// A colour the dials never use, so the area outside the dial is known.
const QColor kBackdrop(255, 0, 255);

template<typename Gauge>
void showOnBackdrop(Gauge &gauge, int width, int height)
{
    QPalette palette = gauge.palette();
    palette.setColor(QPalette::Window, kBackdrop);
    gauge.setPalette(palette);
    gauge.setAutoFillBackground(true);
    gauge.resize(width, height);
    gauge.show();
}

QImage grabbed(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
} // namespace

// The gauges painted in real windows; the needle is found by its colour on
// the grabbed picture.
class TestGauges : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        useTestSettings("GaugesTest");
        Configuration::instance()->setSpeedUnit(0);
    }

    void cleanup() { Configuration::instance()->setSpeedUnit(0); }

    void speedNeedle_data()
    {
        QTest::addColumn<int>("kmh");
        QTest::addColumn<double>("angle");
        QTest::newRow("110 straight up") << 110 << 0.0;
        QTest::newRow("0 lower left") << 0 << -135.0;
        QTest::newRow("220 lower right") << 220 << 135.0;
        QTest::newRow("55") << 55 << -68.0;
    }

    void speedNeedle()
    {
        QFETCH(int, kmh);
        QFETCH(double, angle);
        SpeedTray tray;
        showOnBackdrop(tray, 300, 300);
        QVERIFY(QTest::qWaitForWindowExposed(&tray));
        tray.setSpeed(kmh);
        const QImage image = grabbed(tray);
        const QPointF centre(150, 150);
        for (double r : {30.0, 50.0, 70.0}) {
            const QPoint on = alongNeedle(centre, r, angle);
            QVERIFY2(isNeedleRed(image.pixel(on)), qPrintable(QStringLiteral("no needle at r=%1: %2")
                                                                  .arg(r)
                                                                  .arg(QColor(image.pixel(on)).name())));
            const QPoint opposite = alongNeedle(centre, r, angle + 180);
            QVERIFY2(!isNeedleRed(image.pixel(opposite)), qPrintable(QStringLiteral("needle behind at r=%1").arg(r)));
        }
    }

    void speedOutsideScaleIgnored_data()
    {
        QTest::addColumn<int>("kmh");
        QTest::newRow("221") << 221;
        QTest::newRow("-1") << -1;
    }

    void speedOutsideScaleIgnored()
    {
        QFETCH(int, kmh);
        SpeedTray tray;
        showOnBackdrop(tray, 200, 200);
        QVERIFY(QTest::qWaitForWindowExposed(&tray));
        tray.setSpeed(50);
        const QImage before = grabbed(tray);
        tray.setSpeed(kmh);
        QCOMPARE(grabbed(tray), before);
    }

    // 100 km/h in mph is 62 on the same 0..220 scale: the needle sits where
    // 62 km/h would put it, and only the text differs.
    void mphUsesTheSameScale()
    {
        SpeedTray kmhTray;
        showOnBackdrop(kmhTray, 300, 300);
        QVERIFY(QTest::qWaitForWindowExposed(&kmhTray));
        kmhTray.setSpeed(62);
        const QImage kmh = grabbed(kmhTray);

        Configuration::instance()->setSpeedUnit(1);
        SpeedTray mphTray;
        showOnBackdrop(mphTray, 300, 300);
        QVERIFY(QTest::qWaitForWindowExposed(&mphTray));
        mphTray.setSpeed(100);
        const QImage mph = grabbed(mphTray);

        QVERIFY2(isNeedleRed(mph.pixel(alongNeedle(QPointF(150, 150), 50, -59))),
                 "the needle stands where 62 km/h puts it");
        const QRect text(100, 228, 100, 50);
        bool textDiffers = false;
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 300; ++x) {
                if (mph.pixel(x, y) == kmh.pixel(x, y))
                    continue;
                QVERIFY2(text.contains(x, y), qPrintable(QStringLiteral("differs outside the text at %1,%2").arg(x).arg(y)));
                textDiffers = true;
            }
        }
        QVERIFY2(textDiffers, "the unit changes the dial text");
    }

    // A wide widget draws the dial in the centred square (50, 0) 200 x 200.
    void dialFitsCentredSquare()
    {
        SpeedTray tray;
        showOnBackdrop(tray, 300, 200);
        QVERIFY(QTest::qWaitForWindowExposed(&tray));
        const QImage image = grabbed(tray);
        const QRgb backdrop = kBackdrop.rgb();
        QCOMPARE(image.pixel(45, 100), backdrop);
        QCOMPARE(image.pixel(255, 100), backdrop);
        QVERIFY2(image.pixel(54, 100) != backdrop, "the left edge of the dial is drawn");
        QVERIFY2(image.pixel(246, 100) != backdrop, "the right edge of the dial is drawn");
        QVERIFY2(image.pixel(150, 3) != backdrop, "the top edge of the dial is drawn");
        QVERIFY2(image.pixel(150, 196) != backdrop, "the bottom edge of the dial is drawn");

        DirectionTray compass;
        showOnBackdrop(compass, 200, 300);
        QVERIFY(QTest::qWaitForWindowExposed(&compass));
        const QImage tall = grabbed(compass);
        QCOMPARE(tall.pixel(100, 45), backdrop);
        QVERIFY2(tall.pixel(100, 54) != backdrop, "the top edge of the compass is drawn");
        QVERIFY2(tall.pixel(100, 246) != backdrop, "the bottom edge of the compass is drawn");
        QCOMPARE(tall.pixel(100, 255), backdrop);
    }

    void compassNeedle_data()
    {
        QTest::addColumn<int>("heading");
        QTest::newRow("north") << 0;
        QTest::newRow("east") << 90;
        QTest::newRow("south west") << 225;
    }

    void compassNeedle()
    {
        QFETCH(int, heading);
        DirectionTray compass;
        showOnBackdrop(compass, 300, 300);
        QVERIFY(QTest::qWaitForWindowExposed(&compass));
        compass.setHeading(heading);
        const QImage image = grabbed(compass);
        const QPointF centre(150, 150);
        for (double r : {20.0, 40.0}) {
            QVERIFY2(isNeedleRed(image.pixel(alongNeedle(centre, r, heading))),
                     qPrintable(QStringLiteral("north half missing at r=%1").arg(r)));
            QVERIFY2(isLight(image.pixel(alongNeedle(centre, r, heading + 180))),
                     qPrintable(QStringLiteral("south half missing at r=%1").arg(r)));
        }
    }
};

QTEST_MAIN(TestGauges)
#include "tst_gauges.moc"

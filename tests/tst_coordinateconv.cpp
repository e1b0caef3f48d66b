#include "coordinateconv.h"

#include <QtTest>

#include <cmath>

class TestCoordinateConv : public QObject
{
    Q_OBJECT

private slots:
    void azimuth_data();
    void azimuth();
    void samePositionIsFinite();
};

void TestCoordinateConv::azimuth_data()
{
    QTest::addColumn<double>("lon1");
    QTest::addColumn<double>("lat1");
    QTest::addColumn<double>("lon2");
    QTest::addColumn<double>("lat2");
    QTest::addColumn<double>("expected");

    // A degree of longitude at 35 N is shorter than one of latitude.
    QTest::newRow("north-east") << 139.0 << 35.0 << 139.01 << 35.01 << 39.32;
    QTest::newRow("south-west back") << 139.01 << 35.01 << 139.0 << 35.0 << 219.32;
    QTest::newRow("due north") << 139.0 << 35.0 << 139.0 << 35.01 << 0.0;
    QTest::newRow("due south") << 139.0 << 35.0 << 139.0 << 34.99 << 180.0;
    QTest::newRow("due east") << 139.0 << 35.0 << 139.01 << 35.0 << 90.0;
    QTest::newRow("due west") << 139.01 << 35.0 << 139.0 << 35.0 << 270.0;
    QTest::newRow("south-east") << 139.0 << 35.0 << 139.01 << 34.99 << 180.0 - 39.32;
    QTest::newRow("north-west") << 139.01 << 34.99 << 139.0 << 35.0 << 360.0 - 39.32;
}

void TestCoordinateConv::azimuth()
{
    QFETCH(double, lon1);
    QFETCH(double, lat1);
    QFETCH(double, lon2);
    QFETCH(double, lat2);
    QFETCH(double, expected);
    const double a = CoordinateConv::GetAzimuth(lon1, lat1, lon2, lat2);
    QVERIFY2(std::fabs(a - expected) < 0.01, qPrintable(QString::number(a, 'f', 4)));
}

void TestCoordinateConv::samePositionIsFinite()
{
    const double a = CoordinateConv::GetAzimuth(139.0, 35.0, 139.0, 35.0);
    QVERIFY2(std::isfinite(a), "the azimuth of a point to itself is finite");
    QVERIFY2(std::isfinite(CoordinateConv::GetAzimuth(0, 95.0, 1.0, 100.0)),
             "the azimuth of latitudes past the poles is finite");
}

QTEST_GUILESS_MAIN(TestCoordinateConv)
#include "tst_coordinateconv.moc"

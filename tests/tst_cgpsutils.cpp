#include <QtTest>

#include <QElapsedTimer>

#include "cgpsutils.h"

class TestCGPSUtils : public QObject
{
    Q_OBJECT
private slots:
    void singleInstance()
    {
        QVERIFY(CGPSUtils::instance());
        QCOMPARE(CGPSUtils::instance(), CGPSUtils::instance());
    }

    void sleepWaitsAtLeastTheRequestedTime_data()
    {
        QTest::addColumn<int>("ms");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
        QTest::newRow("short") << 30;
    }

    void sleepWaitsAtLeastTheRequestedTime()
    {
        QFETCH(int, ms);
        QElapsedTimer timer;
        timer.start();
        CGPSUtils::sleepMs(ms);
        QVERIFY2(timer.elapsed() >= qMax(ms, 0), qPrintable(QString::number(timer.elapsed())));
        if (ms <= 0)
            QVERIFY2(timer.elapsed() < 20, "no wait returns at once");
    }

    void toQStringStopsAtNul_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("which");
        QTest::newRow("plain") << QStringLiteral("20240101_F.MP4") << 0;
        QTest::newRow("embedded nul") << QStringLiteral("abc") << 1;
        QTest::newRow("empty") << QString() << 2;
        QTest::newRow("non latin") << QStringLiteral("ドラレコ") << 3;
    }

    void toQStringStopsAtNul()
    {
        QFETCH(QString, expected);
        QFETCH(int, which);
        const std::wstring inputs[] = {
            L"20240101_F.MP4",
            std::wstring(L"abc\0def", 7),
            std::wstring(),
            L"\u30c9\u30e9\u30ec\u30b3",
        };
        QCOMPARE(CGPSUtils::toQString(inputs[which]), expected);
    }

    void fontSizeFollowsScale_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<int>("points");
        QTest::newRow("no screen") << qreal(0) << 12;
        QTest::newRow("100%") << qreal(1.0) << 12;
        QTest::newRow("just below 1.1") << qreal(1.09) << 12;
        QTest::newRow("125%") << qreal(1.25) << 11;
        QTest::newRow("150%") << qreal(1.5) << 8;
        QTest::newRow("200%") << qreal(2.0) << 7;
        QTest::newRow("250%") << qreal(2.5) << 6;
        QTest::newRow("300%") << qreal(3.0) << 6;
    }

    void fontSizeFollowsScale()
    {
        QFETCH(qreal, scale);
        QFETCH(int, points);
        QCOMPARE(CGPSUtils::fontPointSizeForScale(scale), points);
    }

    // The designed font file is not shipped: the CJK stand-in takes its place,
    // at the size for the screen, so Japanese renders from the first start.
    void missingFontFallsBackToTheCjkStandIn()
    {
        CGPSUtils::instance()->setApplicationFont();
        const QFont font = QApplication::font();
        QCOMPARE(font.family(), QStringLiteral("Noto Sans CJK JP"));
        QCOMPARE(font.pointSize(), 12);
        QVERIFY2(QFontMetrics(font).inFont(QChar(0x8A2D)), "the font has the CJK glyphs"); // 設
    }

    // Every family the forms name resolves to an installed font.
    void designedFamiliesResolveToInstalledFonts_data()
    {
        QTest::addColumn<QString>("designed");
        QTest::addColumn<QString>("installed");
        QTest::newRow("title") << QStringLiteral("Gen Shin Gothic Bold") << QStringLiteral("Noto Sans CJK JP");
        QTest::newRow("title bar") << QStringLiteral("Meiryo UI") << QStringLiteral("Noto Sans CJK JP");
        QTest::newRow("file name") << QStringLiteral("Calibri") << QStringLiteral("Carlito");
        QTest::newRow("settings") << QStringLiteral("Agency FB") << QStringLiteral("DejaVu Sans Condensed");
    }

    void designedFamiliesResolveToInstalledFonts()
    {
        QFETCH(QString, designed);
        QFETCH(QString, installed);
        CGPSUtils::registerFontSubstitutions();
        QCOMPARE(QFontInfo(QFont(designed)).family(), installed);
        // Latin faces hand CJK text on to the CJK face, not to whatever fontconfig finds.
        QCOMPARE(QFont::substitutes(designed).last().toLower(), QStringLiteral("noto sans cjk jp"));
    }
};

QTEST_MAIN(TestCGPSUtils)
#include "tst_cgpsutils.moc"

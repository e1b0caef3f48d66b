#include <QtTest>

#include "mainwindows.h"

// The program's window comes up and goes away cleanly with a real display.
class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void showsAndCloses()
    {
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral(TRACKORA_APP_NAME));
        window.close();
        QVERIFY2(!window.isVisible(), "the window hides when closed");
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

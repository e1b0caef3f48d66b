#include <QtTest>
#include <QHBoxLayout>
#include <QScreen>
#include <QSignalSpy>

#include "PlayerWidget.h"

// A player host laid out in a shown window, as the play area holds it.
static CPlayerWidget *showInLayout(QWidget &window)
{
    window.resize(800, 300);
    auto *layout = new QHBoxLayout(&window);
    auto *player = new CPlayerWidget(&window);
    layout->addWidget(player);
    window.show();
    return player;
}

// The player host: the control kept at 16:9 inside it, the rate mapping,
// and full screen with the mouse and the keyboard.
class TestPlayerWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qRegisterMetaType<QKeyEvent *>("QKeyEvent*");
    }

    void fitting_data()
    {
        QTest::addColumn<QSize>("host");
        QTest::addColumn<QRect>("control");
        QTest::newRow("wide") << QSize(1000, 300) << QRect(233, 0, 533, 300);
        QTest::newRow("tall") << QSize(400, 600) << QRect(0, 187, 400, 225);
        QTest::newRow("exact 16:9") << QSize(640, 360) << QRect(0, 0, 640, 360);
        QTest::newRow("nearly square, wider") << QSize(500, 480) << QRect(0, 99, 500, 281);
        QTest::newRow("empty") << QSize(0, 0) << QRect(0, 0, 0, 0);
    }

    void fitting()
    {
        QFETCH(QSize, host);
        QFETCH(QRect, control);
        QCOMPARE(CPlayerWidget::fittedGeometry(host, CPlayerWidget::Aspect_16_9), control);

        QWidget window;
        window.resize(host.expandedTo(QSize(1, 1)));
        CPlayerWidget player(&window);
        player.resize(host);
        window.show();
        QVERIFY2(QTest::qWaitForWindowExposed(&window), "the window is shown");
        TrackoraActiveXLib::CFFPlayerAxWidget *wrapper = player.playerControl();
        QVERIFY2(!wrapper->isNull(), "the host holds a control");
        QCOMPARE(wrapper->geometry(), control);
        QCOMPARE(wrapper->axWidgetWidth(), control.width());
        QCOMPARE(wrapper->axWidgetHeight(), control.height());
        QCOMPARE(wrapper->controlWidget()->size(), control.size());
    }

    void rate_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("controlRate");
        QTest::newRow("2.0") << 2.0 << int(TrackoraActiveXLib::PlaybackRate_2_0);
        QTest::newRow("1.0") << 1.0 << int(TrackoraActiveXLib::PlaybackRate_1_0);
        QTest::newRow("0.5") << 0.5 << int(TrackoraActiveXLib::PlaybackRate_0_5);
        QTest::newRow("1.5") << 1.5 << int(TrackoraActiveXLib::PlaybackRate_0_5);
        QTest::newRow("just off 1.0") << 1.00001 << int(TrackoraActiveXLib::PlaybackRate_0_5);
    }

    void rate()
    {
        QFETCH(double, rate);
        QFETCH(int, controlRate);
        CPlayerWidget player;
        player.setPlaybackRate(rate);
        QCOMPARE(int(player.playerControl()->playbackRate()), controlRate);
    }

    void anchorsMessagesAtTheHost()
    {
        CPlayerWidget player;
        QCOMPARE(player.playerControl()->activeParentWidget(), qlonglong(reinterpret_cast<quintptr>(&player)));
    }

    void fullScreenByDoubleClickAndEscape()
    {
        QWidget window;
        CPlayerWidget *player = showInLayout(window);
        QVERIFY2(QTest::qWaitForWindowExposed(&window), "the window is shown");
        const QRect inLayout = player->geometry();
        QSignalSpy keys(player, &CPlayerWidget::keyPressSignals);

        QTest::keyClick(player, Qt::Key_Space);
        QCOMPARE(keys.count(), 0);

        QTest::mouseDClick(player, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY2(player->isFullScreenHost(), "a double-click enters full screen");
        QVERIFY2(player->isWindow(), "in full screen the host is a window of its own");
        QTRY_VERIFY(player->isFullScreen());
        QTRY_COMPARE(player->size(), player->screen()->geometry().size());
        QTRY_COMPARE(player->playerControl()->size(),
                     CPlayerWidget::fittedGeometry(player->size(), CPlayerWidget::Aspect_16_9).size());

        for (int key : {Qt::Key_Space, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down})
            QTest::keyClick(player, Qt::Key(key));
        QCOMPARE(keys.count(), 5);
        QTest::keyClick(player, Qt::Key_A);
        QCOMPARE(keys.count(), 5);

        QTest::mouseDClick(player, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY2(!player->isFullScreenHost(), "a second double-click leaves full screen");
        QVERIFY2(!player->isWindow(), "out of full screen the host is back in its layout");
        QTRY_COMPARE(player->geometry(), inLayout);

        QTest::mouseDClick(player, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY2(player->isFullScreenHost(), "a double-click enters full screen again");
        QTRY_VERIFY(player->isFullScreen());
        QTest::keyClick(player, Qt::Key_Escape);
        QVERIFY2(!player->isFullScreenHost(), "Escape leaves full screen");
        QVERIFY2(!player->isWindow(), "after Escape the host is back in its layout");
        QTRY_COMPARE(player->geometry(), inLayout);
        QTest::keyClick(player, Qt::Key_Left);
        QCOMPARE(keys.count(), 5);
    }

    void leavesFullScreenWhenHidden()
    {
        QWidget window;
        CPlayerWidget *player = showInLayout(window);
        QVERIFY2(QTest::qWaitForWindowExposed(&window), "the window is shown");
        QTest::mouseDClick(player, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTRY_VERIFY(player->isFullScreen());
        player->hide();
        player->leaveFullScreen();
        QVERIFY2(!player->isWindow(), "leaving while hidden puts the host back in its layout");
        QVERIFY2(!player->isFullScreenHost(), "leaving while hidden ends full screen");
        player->show();
        // The next double-click enters full screen at once.
        QTest::mouseDClick(player, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY2(player->isFullScreenHost(), "the next double-click enters full screen");
        QTRY_VERIFY(player->isFullScreen());
        player->leaveFullScreen();
    }
};

QTEST_MAIN(TestPlayerWidget)
#include "tst_playerwidget.moc"

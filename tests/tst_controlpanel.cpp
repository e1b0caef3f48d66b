#include <QtTest>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>

#include "cextendslider.h"
#include "configuration.h"
#include "controlpanel.h"
#include "fcombobox.h"
#include "tst_logcapture.h"
#include "tst_dashboardhelpers.h"

using namespace DashboardTest;
using TrackoraActiveXLib::PausedState;
using TrackoraActiveXLib::PlayingState;
using TrackoraActiveXLib::StoppedState;

// The control panel as a shown window, driven through its slots and through
// real mouse events on its children.
class TestControlPanel : public QObject
{
    Q_OBJECT

    ControlPanel *panel = nullptr;

    template<typename T>
    T *child(const char *name) const
    {
        T *widget = panel->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    QSlider *seek() const { return child<QSlider>("hSlider_Seek"); }
    QSlider *volume() const { return child<QSlider>("hSlider_Volume"); }
    QString timeText() const { return child<QLabel>("lbl_PlayTime")->text(); }

    // A 60-second recording playing at the given second.
    void playingAt(int second)
    {
        panel->setMaxDuration(60000);
        panel->setState(PlayingState);
        panel->setCurrentPosition(qint64(second) * 1000);
    }

    void click(QWidget *target, const QPoint &pos)
    {
        press(target, pos);
        release(target, pos);
    }

private slots:
    void initTestCase()
    {
        useTestSettings("ControlPanelTest");
        LogCapture::install();
        Configuration::instance()->setSpeedUnit(0);
    }

    void init()
    {
        panel = new ControlPanel;
        panel->resize(647, 126);
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel));
    }

    void cleanup()
    {
        delete panel;
        panel = nullptr;
        Configuration::instance()->setSpeedUnit(0);
    }

    void startsEmptyAndWaiting()
    {
        QCOMPARE(timeText(), QStringLiteral("00:00:00/00:00:00"));
        QVERIFY2(!child<QPushButton>("btn_PlayOrPause")->isEnabled(), "play is disabled before anything is loaded");
        QVERIFY2(child<QLabel>("lbl_GpsDateTime")->isHidden(), "the GPS time is hidden before anything is loaded");
        QVERIFY2(child<QLabel>("pBtn_SP")->isHidden(), "the speed is hidden before anything is loaded");
        QVERIFY2(child<QLabel>("lbl_LongitudeAndLatitude")->isHidden(),
                 "the position is hidden before anything is loaded");
    }

    // Only whole seconds move the readout and the slider.
    void showsWholeSecondsOnly()
    {
        playingAt(12);
        QCOMPARE(timeText(), QStringLiteral("00:00:12/00:01:00"));
        panel->setCurrentPosition(12500);
        QCOMPARE(timeText(), QStringLiteral("00:00:12/00:01:00"));
        QCOMPARE(seek()->value(), 12);
        panel->setCurrentPosition(13000);
        QCOMPARE(timeText(), QStringLiteral("00:00:13/00:01:00"));
        QCOMPARE(seek()->value(), 13);

        // A report after stopping is stale and ignored.
        panel->setState(StoppedState);
        panel->setCurrentPosition(20000);
        QCOMPARE(timeText(), QStringLiteral("00:00:13/00:01:00"));

        // Long recordings keep counting hours past a day.
        panel->setMaxDuration(qint64(30) * 3600 * 1000);
        panel->setState(PlayingState);
        panel->setCurrentPosition(qint64(25) * 3600 * 1000);
        QCOMPARE(timeText(), QStringLiteral("25:00:00/30:00:00"));
    }

    void nearEndAsksForNext_data()
    {
        QTest::addColumn<qint64>("position");
        QTest::addColumn<bool>("ends");
        QTest::newRow("300 ms before the end") << qint64(59700) << false;
        QTest::newRow("200 ms before the end") << qint64(59800) << true;
        QTest::newRow("at the end") << qint64(60000) << true;
        QTest::newRow("start") << qint64(0) << false;
    }

    void nearEndAsksForNext()
    {
        QFETCH(qint64, position);
        QFETCH(bool, ends);
        playingAt(30);
        QSignalSpy next(panel, &ControlPanel::next);
        LogCapture::clear();
        panel->setCurrentPosition(position);
        QCOMPARE(next.count(), ends ? 1 : 0);
        if (ends) {
            QCOMPARE(timeText(), QStringLiteral("00:01:00/00:01:00"));
            QCOMPARE(LogCapture::count(QStringLiteral("***Playnext 0!")), 1);
        }
    }

    // A lagging GUI thread handles several end reports before the queued
    // next(); one recording ends once.
    void endReportedOncePerRecording()
    {
        playingAt(30);
        QSignalSpy next(panel, &ControlPanel::next);
        panel->setCurrentPosition(59800);
        panel->setCurrentPosition(59840);
        panel->setCurrentPosition(60000);
        QCOMPARE(next.count(), 1);

        panel->setMaxDuration(60000);
        panel->setCurrentPosition(59900);
        QCOMPARE(next.count(), 2);
        panel->setState(StoppedState);
        panel->setState(PlayingState);
        panel->setCurrentPosition(59900);
        QCOMPARE(next.count(), 3);
    }

    void unknownLengthNeverEnds()
    {
        panel->setState(PlayingState);
        QSignalSpy next(panel, &ControlPanel::next);
        panel->setCurrentPosition(100);
        panel->setCurrentPosition(1000);
        QCOMPARE(next.count(), 0);
    }

    // Two stall-timer ticks in a row without a position report end the recording.
    void stallEndsRecording()
    {
        playingAt(5);
        QSignalSpy next(panel, &ControlPanel::next);
        panel->checkSamePosPlay();
        panel->setCurrentPosition(6000);
        panel->checkSamePosPlay();
        QCOMPARE(next.count(), 0);
        panel->checkSamePosPlay();
        QCOMPARE(next.count(), 1);

        // Paused is not stalled.
        panel->setState(PausedState);
        panel->checkSamePosPlay();
        panel->checkSamePosPlay();
        QCOMPARE(next.count(), 1);

        // The real timer does it by itself while playing and silent.
        panel->setState(PlayingState);
        QElapsedTimer clock;
        clock.start();
        QVERIFY2(next.wait(5000), "the next tick came while playing");
        QVERIFY2(clock.elapsed() >= 1500, qPrintable(QString::number(clock.elapsed())));
    }

    void clickWhileStoppedGoesToStart()
    {
        playingAt(30);
        panel->setState(StoppedState);
        QCOMPARE(seek()->value(), 30);
        QSignalSpy status(panel, &ControlPanel::sliderStatusChanged);
        QSignalSpy play(panel, &ControlPanel::play);
        click(seek(), QPoint(seek()->width() * 3 / 4, seek()->height() / 2));
        QCOMPARE(seek()->value(), 0);
        QCOMPARE(status.count(), 1);
        QCOMPARE(status.at(0).at(0).toBool(), false);
        QCOMPARE(status.at(0).at(1).toInt(), 0);
        QCOMPARE(play.count(), 0);
    }

    void clickWhilePausedSeeksThenPlays()
    {
        playingAt(10);
        panel->setState(PausedState);
        QStringList order;
        connect(panel, &ControlPanel::sliderMoved, this, [&order](int s) { order << QStringLiteral("seek %1").arg(s); });
        connect(panel, &ControlPanel::play, this, [&order] { order << QStringLiteral("play"); });
        connect(panel, &ControlPanel::pause, this, [&order] { order << QStringLiteral("pause"); });
        const int span = seek()->width() - 22;
        click(seek(), QPoint(6 + span * 3 / 4, seek()->height() / 2));
        QCOMPARE(order.size(), 2);
        const int target = order.at(0).mid(5).toInt();
        QVERIFY2(order.at(0).startsWith(QLatin1String("seek")) && qAbs(target - 45) <= 1, qPrintable(order.join(',')));
        QCOMPARE(order.at(1), QStringLiteral("play"));
        QCOMPARE(seek()->value(), target);
    }

    void dragToEndAsksForNext()
    {
        playingAt(30);
        QSignalSpy moved(panel, &ControlPanel::sliderMoved);
        QSignalSpy next(panel, &ControlPanel::next);
        const QPoint grip = handleRect(seek()).center();
        const QPoint end(seek()->width() - 1, grip.y());
        press(seek(), grip);
        move(seek(), QPoint(grip.x() + 20, grip.y()));
        move(seek(), end);
        QVERIFY2(moved.count() >= 1, "dragging the grip moves the position");
        QCOMPARE(moved.last().at(0).toInt(), 59);
        QCOMPARE(next.count(), 0);
        LogCapture::clear();
        release(seek(), end);
        QCOMPARE(next.count(), 1);
        QCOMPARE(LogCapture::count(QStringLiteral("***Playnext 3!")), 1);
        QCOMPARE(timeText(), QStringLiteral("00:01:00/00:01:00"));
    }

    void keyboardSteps_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("target"); // -1: no seek
        QTest::addColumn<bool>("ends");
        QTest::newRow("1.0 forward") << 1.0 << 10 << 1 << 11 << false;
        QTest::newRow("1.0 back") << 1.0 << 10 << -1 << 9 << false;
        QTest::newRow("0.5 steps whole seconds") << 0.5 << 10 << 1 << 11 << false;
        QTest::newRow("2.0 from even") << 2.0 << 10 << 1 << 12 << false;
        QTest::newRow("2.0 from odd") << 2.0 << 11 << 1 << 14 << false;
        QTest::newRow("2.0 back from odd") << 2.0 << 11 << -1 << 8 << false;
        QTest::newRow("past the end") << 2.0 << 58 << 1 << -1 << true;
        QTest::newRow("before the start") << 1.0 << 0 << -1 << -1 << false;
    }

    void keyboardSteps()
    {
        QFETCH(double, rate);
        QFETCH(int, from);
        QFETCH(int, step);
        QFETCH(int, target);
        QFETCH(bool, ends);
        playingAt(from);
        panel->setPlaybackRate(float(rate));
        QSignalSpy moved(panel, &ControlPanel::sliderMoved);
        QSignalSpy next(panel, &ControlPanel::next);
        panel->setSliderMove(step);
        QCOMPARE(moved.count(), target < 0 ? 0 : 1);
        if (target >= 0)
            QCOMPARE(moved.at(0).at(0).toInt(), target);
        QCOMPARE(next.count(), ends ? 1 : 0);
    }

    void keyboardStepWhileStoppedDoesNotSeek()
    {
        playingAt(10);
        panel->setState(StoppedState);
        QSignalSpy moved(panel, &ControlPanel::sliderMoved);
        panel->setSliderMove(1);
        QCOMPARE(moved.count(), 0);
    }

    void volumeZeroMutesAndRaisingUnmutes()
    {
        QSignalSpy muting(panel, &ControlPanel::changeMuting);
        QSignalSpy volumes(panel, &ControlPanel::changeVolume);
        volume()->setValue(0);
        QVERIFY2(panel->isMuted(), "the mute button mutes");
        QCOMPARE(muting.count(), 1);
        QCOMPARE(muting.last().at(0).toBool(), true);
        QCOMPARE(volumes.last().at(0).toInt(), 0);
        QVERIFY2(child<QToolButton>("tBtn_Mute")->isChecked(), "the mute button shows it is checked");
        QCOMPARE(child<QToolButton>("tBtn_Mute")->toolTip(), QStringLiteral("Cancel Mute"));

        volume()->setValue(60);
        QVERIFY2(!panel->isMuted(), "raising the volume unmutes");
        QCOMPARE(muting.last().at(0).toBool(), false);
        const int remembered = volumes.last().at(0).toInt();
        QVERIFY2(remembered > 0, "the raised volume is passed on");
        QCOMPARE(child<QToolButton>("tBtn_Mute")->toolTip(), QStringLiteral("Set Mute"));

        // The player reports mute and unmute: the slider drops and comes back.
        panel->setMuted(true);
        QCOMPARE(volume()->value(), 0);
        panel->setMuted(false);
        QVERIFY2(qAbs(volume()->value() - 60) <= 1, qPrintable(QString::number(volume()->value())));
        QCOMPARE(volumes.last().at(0).toInt(), remembered);
    }

    // The slider is logarithmic and the player linear; a volume the player
    // reports comes back out unchanged.
    void volumeRoundTrips()
    {
        QSignalSpy volumes(panel, &ControlPanel::changeVolume);
        for (int v : {5, 20, 50, 100}) {
            panel->setVolume(v);
            QVERIFY2(!volumes.isEmpty(), qPrintable(QString::number(v)));
            QVERIFY2(qAbs(volumes.last().at(0).toInt() - v) <= 1,
                     qPrintable(QStringLiteral("%1 came back as %2").arg(v).arg(volumes.last().at(0).toInt())));
        }
        QVERIFY2(volume()->value() > 90, "the slider reaches the top of its range");
    }

    void muteButtonLeavesSliderToPlayer()
    {
        const int before = volume()->value();
        QSignalSpy muting(panel, &ControlPanel::changeMuting);
        QTest::mouseClick(child<QToolButton>("tBtn_Mute"), Qt::LeftButton);
        QCOMPARE(muting.count(), 1);
        QCOMPARE(muting.at(0).at(0).toBool(), true);
        QVERIFY2(panel->isMuted(), "volume zero mutes");
        QCOMPARE(volume()->value(), before);
        QCOMPARE(child<QToolButton>("tBtn_Mute")->toolTip(), QStringLiteral("Cancel Mute"));
    }

    void speedReadout_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("kmh");
        QTest::addColumn<QString>("text");
        QTest::newRow("km/h padded") << 0 << 7 << QStringLiteral("007 km/h");
        QTest::newRow("mph truncated") << 1 << 100 << QStringLiteral("062 mph");
        QTest::newRow("mph zero") << 1 << 0 << QStringLiteral("000 mph");
    }

    void speedReadout()
    {
        QFETCH(int, unit);
        QFETCH(int, kmh);
        QFETCH(QString, text);
        Configuration::instance()->setSpeedUnit(unit);
        panel->setSpeed(kmh);
        QCOMPARE(child<QLabel>("pBtn_SP")->text(), text);
    }

    void readoutsAndReset()
    {
        panel->setCoordinate(QStringLiteral("N35.123456"), QStringLiteral("E139.654321"));
        panel->setDateTime(QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3)));
        QCOMPARE(child<QLabel>("lbl_LongitudeAndLatitude")->text(), QStringLiteral("N35.123456,E139.654321"));
        QCOMPARE(child<QLabel>("lbl_GpsDateTime")->text(), QStringLiteral("2024/03/09 07:05:03"));

        playingAt(42);
        panel->setSpeed(88);
        panel->resetInfo();
        QCOMPARE(child<QLabel>("lbl_LongitudeAndLatitude")->text(), QStringLiteral("00.000000,000.000000"));
        QCOMPARE(child<QLabel>("lbl_GpsDateTime")->text(), QString());
        QCOMPARE(child<QLabel>("pBtn_SP")->text(), QStringLiteral("000 km/h"));
        QCOMPARE(timeText(), QStringLiteral("00:00:00/00:01:00"));
        QCOMPARE(seek()->value(), 0);

        playingAt(42);
        QSignalSpy stop(panel, &ControlPanel::stop);
        panel->stopAndReset();
        QCOMPARE(stop.count(), 1);
        QCOMPARE(seek()->value(), 0);
    }

    void rateSelection()
    {
        QSignalSpy rates(panel, &ControlPanel::changeRate);
        panel->setPlaybackRate(2.0f);
        QCOMPARE(rates.count(), 1);
        QCOMPARE(rates.at(0).at(0).toDouble(), 2.0);
        QCOMPARE(child<QLabel>("lbl_Text")->text(), QStringLiteral("2.0x"));
        QVERIFY2(!child<QPushButton>("pBtn_Down")->isEnabled(), "the slowest rate disables the slower button");

        panel->setPlaybackRate(1.5f);
        QCOMPARE(rates.count(), 1);

        QTest::mouseClick(child<QPushButton>("pBtn_Up"), Qt::LeftButton);
        QCOMPARE(rates.count(), 2);
        QCOMPARE(rates.at(1).at(0).toDouble(), 1.0);
    }

    void stateDrivesTransport()
    {
        auto *play = child<QPushButton>("btn_PlayOrPause");
        auto *stop = child<QPushButton>("btn_Stop");
        panel->disableBtn(false, true, true);
        QVERIFY2(play->isEnabled(), "play is enabled once the views are set");
        QVERIFY2(child<QPushButton>("btn_Front")->isEnabled(), "the front view stays enabled");
        QVERIFY2(!child<QPushButton>("btn_Rear")->isEnabled(), "the rear view is disabled");
        QVERIFY2(!child<QPushButton>("btn_FrontRear")->isEnabled(), "the both-views button is disabled");

        QSignalSpy plays(panel, &ControlPanel::play);
        QSignalSpy pauses(panel, &ControlPanel::pause);
        QTest::mouseClick(play, Qt::LeftButton);
        QCOMPARE(plays.count(), 1);
        // The picture follows the player's answer, not the click.
        QVERIFY2(!play->isChecked(), "the button stays unchecked until the player answers");

        panel->setState(PlayingState);
        QVERIFY2(play->isChecked(), "playing checks the button");
        QCOMPARE(play->toolTip(), QStringLiteral("Pause"));
        QVERIFY2(stop->isEnabled(), "stop is enabled while playing");
        QTest::mouseClick(play, Qt::LeftButton);
        QCOMPARE(pauses.count(), 1);

        panel->setState(PausedState);
        QVERIFY2(!play->isChecked(), "pausing unchecks the button");
        QCOMPARE(play->toolTip(), QStringLiteral("Play"));
        QVERIFY2(stop->isEnabled(), "stop is enabled while paused");

        panel->setState(StoppedState);
        QVERIFY2(!stop->isEnabled(), "stop is disabled once stopped");
        QCOMPARE(panel->state(), StoppedState);
    }

    void viewButtons()
    {
        panel->onShowModeChanged(PlayAreaManager::ShowFront);
        QVERIFY2(child<QPushButton>("btn_Front")->isChecked(), "the front view button is checked for the front view");
        panel->onShowModeChanged(PlayAreaManager::ShowRear);
        QVERIFY2(child<QPushButton>("btn_Rear")->isChecked(), "the rear view button is checked for the rear view");
        QVERIFY2(!child<QPushButton>("btn_Front")->isChecked(), "only one view button is checked");
        panel->onShowModeChanged(PlayAreaManager::ShowInvalid);
        QVERIFY2(child<QPushButton>("btn_FrontRear")->isChecked(), "an unknown view falls back to both views");

        QSignalSpy front(panel, &ControlPanel::frontView);
        QTest::mouseClick(child<QPushButton>("btn_Front"), Qt::LeftButton);
        QCOMPARE(front.count(), 1);
        QCOMPARE(front.at(0).at(0).toBool(), true);

        QSignalSpy next(panel, &ControlPanel::next);
        panel->blockNextButton(true);
        QTest::mouseClick(child<QPushButton>("btn_Next"), Qt::LeftButton);
        QCOMPARE(next.count(), 0);
        panel->blockNextButton(false);
        QTest::mouseClick(child<QPushButton>("btn_Next"), Qt::LeftButton);
        QCOMPARE(next.count(), 1);
    }

    // Every picture a style sheet names is in the resources, and the buttons
    // are drawn with them.
    void everyPictureExists()
    {
        static const QRegularExpression reference(QStringLiteral(":/image/[A-Za-z0-9_]+\\.png"));
        QSet<QString> names;
        QList<QWidget *> widgets = panel->findChildren<QWidget *>();
        widgets << panel;
        for (QWidget *w : widgets) {
            auto it = reference.globalMatch(w->styleSheet());
            while (it.hasNext())
                names.insert(it.next().captured(0));
        }
        QVERIFY2(names.size() >= 60, qPrintable(QString::number(names.size())));
        for (const QString &name : names)
            QVERIFY2(!QPixmap(name).isNull(), qPrintable(name));
        QVERIFY2(!QPixmap(QStringLiteral(":/image/speed.png")).isNull(),
                 "the speed gauge picture is in the resources");
        QVERIFY2(!QPixmap(QStringLiteral(":/image/direction.png")).isNull(),
                 "the direction gauge picture is in the resources");

        const QImage face = child<QPushButton>("btn_Stop")->grab().toImage();
        int bright = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                bright += qGray(face.pixel(x, y)) > 150;
        QVERIFY2(bright > 30, qPrintable(QString::number(bright)));
    }

    void languageChangeKeepsToolTips()
    {
        panel->setState(PlayingState);
        panel->setMuted(true);
        emit Configuration::instance()->updateLanguage();
        QCOMPARE(child<QPushButton>("btn_PlayOrPause")->toolTip(), QStringLiteral("Pause"));
        QCOMPARE(child<QToolButton>("tBtn_Mute")->toolTip(), QStringLiteral("Cancel Mute"));
    }
};

// The rate selector alone.
class TestFComboBox : public QObject
{
    Q_OBJECT
private slots:
    void endsIgnoreFurtherSteps()
    {
        FComboBox box;
        box.addItem(QStringLiteral("a"), 1);
        box.addItem(QStringLiteral("b"), 2);
        box.addItem(QStringLiteral("c"), 3);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto *up = box.findChild<QPushButton *>(QStringLiteral("pBtn_Up"));
        auto *down = box.findChild<QPushButton *>(QStringLiteral("pBtn_Down"));
        auto *label = box.findChild<QLabel *>(QStringLiteral("lbl_Text"));
        QSignalSpy activated(&box, &FComboBox::activated);

        QCOMPARE(box.currentIndex(), 0);
        QCOMPARE(label->text(), QStringLiteral("a"));
        QVERIFY2(!up->isEnabled(), "the first entry disables the up button");
        QVERIFY(QMetaObject::invokeMethod(&box, "on_pBtn_Up_clicked"));
        QCOMPARE(box.currentIndex(), 0);
        QCOMPARE(activated.count(), 0);

        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(box.currentIndex(), 2);
        QCOMPARE(label->text(), QStringLiteral("c"));
        QCOMPARE(activated.count(), 2);
        QVERIFY2(!down->isEnabled(), "the last entry disables the down button");
        QVERIFY2(up->isEnabled(), "the last entry leaves the up button enabled");
        QVERIFY(QMetaObject::invokeMethod(&box, "on_pBtn_Down_clicked"));
        QCOMPARE(box.currentIndex(), 2);
        QCOMPARE(activated.count(), 2);

        box.setCurrentIndex(7);
        QCOMPARE(box.currentIndex(), 2);
        QVERIFY2(!box.itemData(3).isValid(), "there is no entry past the last");
        QCOMPARE(box.itemData(1).toInt(), 2);

        // A language change shows the item again and re-announces it.
        emit Configuration::instance()->updateLanguage();
        QCOMPARE(label->text(), QStringLiteral("c"));
        QCOMPARE(activated.last().at(0).toInt(), 2);
    }
};

// The volume slider jumps to a click on its groove; the handle still drags.
class TestCExtendSlider : public QObject
{
    Q_OBJECT
private slots:
    void jumpsToClickUnlessOnHandle()
    {
        CExtendSlider slider(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.setValue(30);
        slider.resize(200, 20);
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));

        QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
        QCOMPARE(slider.value(), 75);
        QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
        QCOMPARE(slider.value(), 10);

        const QPoint grip = handleRect(&slider).center();
        QVERIFY2(grip.x() > 0, "the grip lies inside the slider");
        press(&slider, grip);
        QCOMPARE(slider.value(), 10);
        move(&slider, grip + QPoint(60, 0));
        release(&slider, grip + QPoint(60, 0));
        QVERIFY2(slider.value() > 30, qPrintable(QString::number(slider.value())));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int status = 0;
    {
        TestControlPanel panel;
        status |= QTest::qExec(&panel, argc, argv);
    }
    {
        TestFComboBox box;
        status |= QTest::qExec(&box, argc, argv);
    }
    {
        TestCExtendSlider slider;
        status |= QTest::qExec(&slider, argc, argv);
    }
    return status;
}

#include "tst_controlpanel.moc"

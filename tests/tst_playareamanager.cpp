#include <QtTest>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolTip>

#include "PlayerWidget.h"
#include "configuration.h"
#include "playareamanager.h"
#include "rowdata.h"
#include "tst_componentsupport.h"

using namespace componenttest;
using Record = TrackoraActiveXLib::CFFPlayerAxUserData;

// The play area with its two real controls: views, which player speaks and
// is heard, the pause order, the slider, screenshots of both views, drops,
// and a front/rear pair playing in step.
class TestPlayAreaManager : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayAreaManager> area;
    RowData row;

    static Record *record(CPlayerWidget *host)
    {
        return reinterpret_cast<Record *>(static_cast<quintptr>(host->axUserData()));
    }

    // Reads the frame number the pair recordings carry in their top row.
    static int frameNumber(const QImage &image)
    {
        const double scale = image.width() / 640.0;
        int n = 0;
        for (int k = 0; k < 16; ++k) {
            const QRgb p = image.pixel(int((40 * k + 20) * scale), int(20 * scale));
            if (qGray(p) > 128)
                n |= 1 << k;
        }
        return n;
    }

    static QImage shown(CPlayerWidget *host)
    {
        return host->playerControl()->controlWidget()->grab().toImage();
    }

    bool havePair() const
    {
        return QFileInfo::exists(mediaFile(QStringLiteral("component/pair_F.mp4")))
            && QFileInfo::exists(mediaFile(QStringLiteral("component/pair_R.mp4")));
    }

    void loadPair(bool withRear = true)
    {
        row.id = 3;
        row.url = QUrl::fromLocalFile(mediaFile(QStringLiteral("component/pair_F.mp4")));
        area->setPlayFrontOrRear(true, withRear);
        area->setResourceData(&row, withRear ? QUrl::fromLocalFile(mediaFile(QStringLiteral("component/pair_R.mp4")))
                                             : QUrl());
    }

    static bool waitForPosition(QSignalSpy &spy, qint64 atLeast, int ms = 15000)
    {
        return QTest::qWaitFor([&] { return !spy.isEmpty() && spy.last().at(1).toLongLong() >= atLeast; }, ms);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("TrackoraTest"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_playareamanager"));
        qRegisterMetaType<PlayAreaManager::ShowMode>();
    }

    void init()
    {
        area = std::make_unique<PlayAreaManager>();
        area->resize(1000, 300);
        area->show();
        QVERIFY2(QTest::qWaitForWindowExposed(area.get()), "the play area is shown");
        QVERIFY2(!area->frontPlayer()->playerControl()->isNull(), "the front host holds a control");
        row = RowData();
        row.id = 7;
        row.url = QUrl::fromLocalFile(QStringLiteral("/rec/20230101_120000_F.MP4"));
    }

    void cleanup()
    {
        area->stop();
        area.reset();
        QToolTip::hideText();
    }

    void hostsHiddenUntilPlayed()
    {
        QVERIFY2(area->frontPlayer()->isHidden(), "the front host stays hidden before play");
        QVERIFY2(area->rearPlayer()->isHidden(), "the rear host stays hidden before play");
    }

    void linksRearToFront()
    {
        Record *front = record(area->frontPlayer());
        Record *rear = record(area->rearPlayer());
        QVERIFY2(front && rear, "each host carries its record");
        QVERIFY2(front->player && rear->player && front->player != rear->player, "each host has a player of its own");
        QCOMPARE(front->isMain, true);
        QCOMPARE(front->peer, rear->player);
        QCOMPARE(rear->isMain, false);
        QCOMPARE(rear->peer, front->player);
    }

    void views_data()
    {
        QTest::addColumn<bool>("hasFront");
        QTest::addColumn<bool>("hasRear");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("frontSeen");
        QTest::addColumn<bool>("rearSeen");
        QTest::addColumn<QString>("speaker");
        QTest::newRow("both, front+rear") << true << true << int(PlayAreaManager::ShowFrontRear)
                                          << int(PlayAreaManager::ShowFrontRear) << true << true << "front";
        QTest::newRow("both, front") << true << true << int(PlayAreaManager::ShowFront)
                                     << int(PlayAreaManager::ShowFront) << true << false << "front";
        QTest::newRow("both, rear: hidden front speaks") << true << true << int(PlayAreaManager::ShowRear)
                                                         << int(PlayAreaManager::ShowRear) << false << true << "front";
        QTest::newRow("front only forces front") << true << false << int(PlayAreaManager::ShowRear)
                                                 << int(PlayAreaManager::ShowFront) << true << false << "front";
        QTest::newRow("rear only forces rear") << false << true << int(PlayAreaManager::ShowFrontRear)
                                               << int(PlayAreaManager::ShowRear) << false << true << "rear";
        QTest::newRow("neither counts as front") << false << false << int(PlayAreaManager::ShowFrontRear)
                                                 << int(PlayAreaManager::ShowFront) << true << false << "front";
    }

    void views()
    {
        QFETCH(bool, hasFront);
        QFETCH(bool, hasRear);
        QFETCH(int, wanted);
        QFETCH(int, mode);
        QFETCH(bool, frontSeen);
        QFETCH(bool, rearSeen);
        QFETCH(QString, speaker);
        QSignalSpy modes(area.get(), &PlayAreaManager::showModeChanged);
        QSignalSpy positions(area.get(), &PlayAreaManager::positionChanged);
        QSignalSpy muted(area.get(), &PlayAreaManager::mutedChanged);
        area->setPlayFrontOrRear(hasFront, hasRear);
        area->setResourceData(&row, QUrl());
        area->setShowMode(PlayAreaManager::ShowMode(wanted));
        QCOMPARE(int(area->showMode()), mode);
        QCOMPARE(modes.count(), 1);
        QCOMPARE(int(modes.first().at(0).value<PlayAreaManager::ShowMode>()), mode);
        QCOMPARE(area->frontPlayer()->isVisible(), frontSeen);
        QCOMPARE(area->rearPlayer()->isVisible(), rearSeen);
        QCOMPARE(area->frontPlayer()->isShown(), frontSeen);
        QCOMPARE(area->rearPlayer()->isShown(), rearSeen);

        // Only the speaking player's reports reach the main window.
        area->frontPlayer()->playerControl()->setPosition(5000);
        area->rearPlayer()->playerControl()->setPosition(6000);
        area->frontPlayer()->setMuted(false);
        area->rearPlayer()->setMuted(true);
        QCOMPARE(positions.count(), 1);
        QCOMPARE(positions.first().at(0).toInt(), 7);
        QCOMPARE(positions.first().at(1).toLongLong(), speaker == QLatin1String("front") ? 5000 : 6000);
        QCOMPARE(muted.count(), 1);
        QCOMPARE(muted.first().at(0).toBool(), speaker == QLatin1String("rear"));
    }

    void viewChoiceComesBack_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("frontOnly"); // the recording in between has one camera
        QTest::newRow("front+rear after front only") << int(PlayAreaManager::ShowFrontRear) << true;
        QTest::newRow("front+rear after rear only") << int(PlayAreaManager::ShowFrontRear) << false;
        QTest::newRow("rear after front only") << int(PlayAreaManager::ShowRear) << true;
        QTest::newRow("front after rear only") << int(PlayAreaManager::ShowFront) << false;
    }

    // A recording of one camera shows that camera; the next with both shows
    // the view the user chose.
    void viewChoiceComesBack()
    {
        QFETCH(int, chosen);
        QFETCH(bool, frontOnly);
        area->setPlayFrontOrRear(true, true);
        area->setResourceData(&row, QUrl());
        area->setShowMode(PlayAreaManager::ShowMode(chosen));
        area->stop();

        area->setPlayFrontOrRear(frontOnly, !frontOnly);
        area->setResourceData(&row, QUrl());
        area->play();
        QCOMPARE(area->showMode(), frontOnly ? PlayAreaManager::ShowFront : PlayAreaManager::ShowRear);
        area->stop();

        QSignalSpy modes(area.get(), &PlayAreaManager::showModeChanged);
        area->setPlayFrontOrRear(true, true);
        area->setResourceData(&row, QUrl());
        area->play();
        QCOMPARE(int(area->showMode()), chosen);
        QCOMPARE(int(modes.last().at(0).value<PlayAreaManager::ShowMode>()), chosen);
        QCOMPARE(area->frontPlayer()->isVisible(), chosen != PlayAreaManager::ShowRear);
        QCOMPARE(area->rearPlayer()->isVisible(), chosen != PlayAreaManager::ShowFront);
    }

    void mediaGoesToBothPlayers()
    {
        const QUrl rear = QUrl::fromLocalFile(QStringLiteral("/rec/20230101_120000_R.MP4"));
        area->setResourceData(&row, rear);
        QCOMPARE(area->canonicalUrl(), row.url.url());
        QCOMPARE(area->rearPlayer()->canonicalUrl(), rear.url());
        QVERIFY2(area->canonicalUrl().startsWith(QStringLiteral("file:///")), qPrintable(area->canonicalUrl()));
        area->setResourceData(&row, QUrl());
        QVERIFY2(area->rearPlayer()->canonicalUrl().isEmpty(),
                 qPrintable(QStringLiteral("rear still holds %1 with no rear given").arg(area->rearPlayer()->canonicalUrl())));
    }

    void volumeZeroIsNotSaved()
    {
        Configuration::instance()->setVolume(30);
        area->setVolume(0);
        QCOMPARE(area->frontPlayer()->volume(), 0);
        QCOMPARE(area->rearPlayer()->volume(), 0);
        QCOMPARE(Configuration::instance()->volume(), 30);
        area->setVolume(65);
        QCOMPARE(area->volume(), 65);
        QCOMPARE(area->rearPlayer()->volume(), 65);
        QCOMPARE(Configuration::instance()->volume(), 65);
    }

    void rearSilentBesideFront_data()
    {
        QTest::addColumn<bool>("hasFront");
        QTest::addColumn<bool>("muted");
        QTest::addColumn<bool>("rearMuted");
        QTest::newRow("pair, sound on") << true << false << true;
        QTest::newRow("pair, muted") << true << true << true;
        QTest::newRow("rear only, sound on") << false << false << false;
        QTest::newRow("rear only, muted") << false << true << true;
    }

    void rearSilentBesideFront()
    {
        QFETCH(bool, hasFront);
        QFETCH(bool, muted);
        QFETCH(bool, rearMuted);
        area->setPlayFrontOrRear(hasFront, true);
        area->setMuted(muted);
        QCOMPARE(area->frontPlayer()->playerControl()->muted(), muted);
        QCOMPARE(area->rearPlayer()->playerControl()->muted(), rearMuted);
        QCOMPARE(Configuration::instance()->isMute(), muted);
        // play() applies the saved mute setting to a rear-only recording.
        area->play();
        QCOMPARE(area->rearPlayer()->playerControl()->muted(), rearMuted);
    }

    void pauseOrderAlternates()
    {
        // A stopped player ignores a pause: both play first.
        if (!havePair())
            QSKIP("generated recordings missing");
        loadPair();
        QSignalSpy positions(area.get(), &PlayAreaManager::positionChanged);
        area->play();
        QVERIFY2(waitForPosition(positions, 100), "playing reaches 100 ms");
        QTRY_COMPARE_WITH_TIMEOUT(area->rearPlayer()->decState(), TrackoraActiveXLib::PlayingState, 10000);
        QStringList order;
        QObject listening;
        connect(area->frontPlayer(), &CPlayerWidget::stateChanged, &listening, [&]() { order << "front"; });
        connect(area->rearPlayer(), &CPlayerWidget::stateChanged, &listening, [&]() { order << "rear"; });
        area->pause();
        QCOMPARE(order, (QStringList{"rear", "front"}));
        order.clear();
        area->pause();
        QCOMPARE(order, (QStringList{"front", "rear"}));
        order.clear();
        area->pause();
        QCOMPARE(order, (QStringList{"rear", "front"}));
        area->pause();
    }

    void sliderHoldAndRelease()
    {
        if (!havePair())
            QSKIP("generated recordings missing");
        loadPair();
        QSignalSpy positions(area.get(), &PlayAreaManager::positionChanged);
        area->play();
        QVERIFY2(waitForPosition(positions, 300), "playing reaches 300 ms");
        area->onSliderStatusChanged(true, 0);
        QCOMPARE(area->frontPlayer()->decState(), TrackoraActiveXLib::PausedState);
        QCOMPARE(area->rearPlayer()->decState(), TrackoraActiveXLib::PausedState);
        positions.clear();
        area->onSliderStatusChanged(false, 3);
        QVERIFY2(!positions.isEmpty(), "releasing the slider reports the new position");
        QCOMPARE(positions.first().at(0).toInt(), 3);
        QCOMPARE(positions.first().at(1).toLongLong(), 3000);
        // The paused seek shows the new second in both views.
        QTRY_VERIFY2_WITH_TIMEOUT(qAbs(frameNumber(shown(area->frontPlayer())) - 90) <= 2,
                                  qPrintable(QStringLiteral("front shows frame %1, expected 90").arg(frameNumber(shown(area->frontPlayer())))),
                                  10000);
        QTRY_VERIFY2_WITH_TIMEOUT(qAbs(frameNumber(shown(area->rearPlayer())) - 90) <= 2,
                                  qPrintable(QStringLiteral("rear shows frame %1, expected 90").arg(frameNumber(shown(area->rearPlayer())))),
                                  10000);
    }

    void screenshotOfBothViewsGivesOneMessage()
    {
        if (!havePair())
            QSKIP("generated recordings missing");
        QTemporaryDir dir;
        Configuration::instance()->setScreenshotSavePath(dir.path());
        area->screenshot();
        QVERIFY2(QDir(dir.path()).isEmpty(), "no screenshot without a row");

        loadPair();
        QSignalSpy positions(area.get(), &PlayAreaManager::positionChanged);
        area->play();
        QVERIFY2(waitForPosition(positions, 500), "playing reaches 500 ms");
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        area->screenshot();
        QTRY_COMPARE_WITH_TIMEOUT(QDir(dir.path()).entryList(QDir::Files).size(), 2, 10000);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Snapshot success"));
        QVERIFY2(!area->frontPlayer()->playerControl()->ssFront(), "the front control leaves the screenshot message to the play area");
        QVERIFY2(!area->rearPlayer()->playerControl()->ssFront(), "the rear control leaves the screenshot message to the play area");
        QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
        QVERIFY2(files.at(0).startsWith(QStringLiteral("ScreenShot_pair_F__")), qPrintable(files.at(0)));
        QVERIFY2(files.at(1).startsWith(QStringLiteral("ScreenShot_pair_R__")), qPrintable(files.at(1)));
        QCOMPARE(classify(QImage(dir.filePath(files.at(0))).pixel(320, 200)), Red);
        QCOMPARE(classify(QImage(dir.filePath(files.at(1))).pixel(320, 200)), Blue);
    }

    void pairPlaysInStep()
    {
        if (!havePair())
            QSKIP("generated recordings missing");
        loadPair();
        QSignalSpy positions(area.get(), &PlayAreaManager::positionChanged);
        QSignalSpy durations(area.get(), &PlayAreaManager::durationChanged);
        area->play();
        QVERIFY2(waitForPosition(positions, 1000), "playing reaches one second");
        QCOMPARE(durations.count(), 1);
        QCOMPARE(durations.first().at(0).toLongLong(), 5000);
        QCOMPARE(area->decState(), TrackoraActiveXLib::PlayingState);

        QList<int> gaps;
        for (int i = 0; i < 9; ++i) {
            const QImage front = shown(area->frontPlayer());
            const QImage rear = shown(area->rearPlayer());
            QCOMPARE(classify(front.pixel(front.width() / 2, front.height() * 3 / 4)), Red);
            QCOMPARE(classify(rear.pixel(rear.width() / 2, rear.height() * 3 / 4)), Blue);
            gaps << qAbs(frameNumber(front) - frameNumber(rear));
            QTest::qWait(150); // samples spread over the playback, not waiting for anything
        }
        std::sort(gaps.begin(), gaps.end());
        QVERIFY2(gaps.at(gaps.size() / 2) <= 2, qPrintable(QStringLiteral("median gap %1 frames").arg(gaps.at(gaps.size() / 2))));
    }

    void drops_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("dropped");
        QTest::newRow("mp4") << QStringList{"a_F.mp4"} << true << 1;
        QTest::newRow("upper-case MOV") << QStringList{"b_R.MOV"} << true << 1;
        QTest::newRow("avi") << QStringList{"c.avi"} << true << 1;
        QTest::newRow("text file") << QStringList{"notes.txt"} << false << 0;
        QTest::newRow("folder") << QStringList{"folder/"} << false << 0;
        QTest::newRow("folder named like a recording") << QStringList{"trip.mp4/"} << false << 0;
        QTest::newRow("mixed") << QStringList{"notes.txt", "a_F.mp4", "c.avi"} << true << 2;
    }

    void drops()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, accepted);
        QFETCH(int, dropped);
        QTemporaryDir dir;
        QList<QUrl> urls;
        for (const QString &name : names) {
            if (name.endsWith(QLatin1Char('/')))
                QDir(dir.path()).mkpath(name);
            urls << QUrl::fromLocalFile(dir.filePath(name.chopped(name.endsWith(QLatin1Char('/')) ? 1 : 0)));
        }
        QMimeData mime;
        mime.setUrls(urls);
        QSignalSpy cleared(area.get(), &PlayAreaManager::clearPlayList);
        QSignalSpy files(area.get(), &PlayAreaManager::dropFile);

        // Over the video: the control hands its own event to the play area.
        area->setShowMode(PlayAreaManager::ShowFrontRear);
        QWidget *video = area->frontPlayer()->playerControl()->controlWidget();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(video, &enter);
        QCOMPARE(enter.isAccepted(), accepted);
        // Qt delivers no drop where the enter was refused, so hand the drop
        // over the way the control does.
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        if (accepted)
            QApplication::sendEvent(video, &drop);
        else
            QVERIFY2(QMetaObject::invokeMethod(area.get(), "onDropEvented", Qt::DirectConnection,
                                               Q_ARG(qint64, qint64(reinterpret_cast<quintptr>(&drop)))),
                     "the play area takes the drop");
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(files.count(), dropped);
        if (dropped)
            QCOMPARE(files.first().at(0).toString(), urls.at(names.size() == 1 ? 0 : 1).toString());

        // Over the play area's own background.
        QDragEnterEvent direct(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        direct.ignore();
        QApplication::sendEvent(area.get(), &direct);
        QCOMPARE(direct.isAccepted(), accepted);
    }
};

QTEST_MAIN(TestPlayAreaManager)
#include "tst_playareamanager.moc"

#include <QtTest>
#include <QApplication>
#include <QDragEnterEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolTip>
#include <SDL.h>

#include "FFPlayer.h"
#include "trackoraactivexlib.h"
#include "tst_componentsupport.h"

using namespace componenttest;
using Container = TrackoraActiveXLib::CFFPlayerAxWidget;

// The player control as a container sees it: created by class identifier
// from the loaded library, driven only through properties, methods and
// signals by name.
class TestFFPlayerAxWidget : public QObject
{
    Q_OBJECT

    // Closes the next modal box and remembers its text.
    static void answerNextBox(QString *text)
    {
        QTimer::singleShot(0, [text]() {
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget(), 5000);
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box) {
                *text = box->windowTitle() + QLatin1Char('|') + box->text();
                box->done(QMessageBox::Ok);
            }
        });
    }

    static bool waitForState(Container *c, TrackoraActiveXLib::FFStates state, int ms = 10000)
    {
        return QTest::qWaitFor([&] { return c->decState() == state; }, ms);
    }

    static std::unique_ptr<Container> shownControl(QSize size, TrackoraActiveXLib::FFRenderModel model)
    {
        auto c = std::make_unique<Container>();
        if (c->isNull())
            return nullptr;
        c->setAxWidgetWidth(size.width());
        c->setAxWidgetHeight(size.height());
        c->resize(size);
        c->setRenderModel(model);
        c->show();
        return QTest::qWaitForWindowExposed(c.get()) ? std::move(c) : nullptr;
    }

private slots:
    void initTestCase()
    {
        Container probe;
        QVERIFY2(!probe.isNull(), "the player control is created by its class identifier");
    }

    void unknownClassFailsCleanly_data()
    {
        QTest::addColumn<QString>("classId");
        QTest::newRow("unregistered") << "{00000000-1111-2222-3333-444444444444}";
        QTest::newRow("not an identifier") << "CFFPlayer";
        QTest::newRow("empty") << "";
    }

    void unknownClassFailsCleanly()
    {
        QFETCH(QString, classId);
        AxWidget host;
        QVERIFY2(!host.setControl(classId), "an unknown class identifier creates no control");
        QVERIFY2(host.isNull(), "the host stays empty after a failed creation");
        QVERIFY2(!host.controlProperty("volume").isValid(), "an empty host has no properties");
        QVERIFY2(!host.setControlProperty("volume", 5), "an empty host takes no property");
        QVERIFY2(!host.dynamicCall("play()").isValid(), "an empty host runs no method");
        QVERIFY2(host.setControl(QLatin1String(Container::classIdentifier)),
                 "the registered class identifier creates the control");
        QVERIFY2(!host.isNull(), "the host holds the control");
        QVERIFY2(!host.controlProperty("noSuchProperty").isValid(), "an unknown property reads as invalid");
        QVERIFY2(!host.dynamicCall("noSuchMethod()").isValid(), "an unknown method returns invalid");
    }

    void startValues_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("volume") << QByteArray("volume") << QVariant(0);
        QTest::newRow("position") << QByteArray("position") << QVariant(0);
        QTest::newRow("muted") << QByteArray("muted") << QVariant(false);
        QTest::newRow("media") << QByteArray("media") << QVariant(QString());
        QTest::newRow("seekSecond") << QByteArray("seekSecond") << QVariant(0);
        QTest::newRow("screenshotSavePath") << QByteArray("screenshotSavePath") << QVariant(QString());
        QTest::newRow("canonicalUrl") << QByteArray("canonicalUrl") << QVariant(QString());
        QTest::newRow("ssFront") << QByteArray("ssFront") << QVariant(false);
        QTest::newRow("activeParentWidget") << QByteArray("activeParentWidget") << QVariant(0);
        QTest::newRow("decState") << QByteArray("decState") << QVariant(int(TrackoraActiveXLib::StoppedState));
        QTest::newRow("playbackRate") << QByteArray("playbackRate") << QVariant(int(TrackoraActiveXLib::PlaybackRate_1_0));
        QTest::newRow("renderModel") << QByteArray("renderModel") << QVariant(int(TrackoraActiveXLib::Render_Image));
        QTest::newRow("axWidgetWidth") << QByteArray("axWidgetWidth") << QVariant(0);
        QTest::newRow("axWidgetHeight") << QByteArray("axWidgetHeight") << QVariant(0);
    }

    void startValues()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, expected);
        Container control;
        const QVariant value = control.controlProperty(property.constData());
        QVERIFY2(value.isValid(), property.constData());
        if (expected.type() == QVariant::String)
            QCOMPARE(value.toString(), expected.toString());
        else if (expected.type() == QVariant::Bool)
            QCOMPARE(value.toBool(), expected.toBool());
        else
            QCOMPARE(value.toLongLong(), expected.toLongLong());
    }

    void roundTrips_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QVariant>("read");
        QTest::newRow("volume") << QByteArray("volume") << QVariant(55) << QVariant(55);
        QTest::newRow("muted") << QByteArray("muted") << QVariant(true) << QVariant(true);
        QTest::newRow("media") << QByteArray("media") << QVariant("file:///rec/a_F.mp4") << QVariant("file:///rec/a_F.mp4");
        QTest::newRow("screenshotSavePath") << QByteArray("screenshotSavePath") << QVariant("/tmp/shots") << QVariant("/tmp/shots");
        QTest::newRow("ssFront") << QByteArray("ssFront") << QVariant(true) << QVariant(true);
        QTest::newRow("activeParentWidget") << QByteArray("activeParentWidget") << QVariant(qlonglong(0x7f001234)) << QVariant(qlonglong(0x7f001234));
        QTest::newRow("decState paused") << QByteArray("decState") << QVariant(2) << QVariant(2);
        QTest::newRow("rate 0.5") << QByteArray("playbackRate") << QVariant(0) << QVariant(0);
        QTest::newRow("rate 2.0") << QByteArray("playbackRate") << QVariant(2) << QVariant(2);
        QTest::newRow("render opengl") << QByteArray("renderModel") << QVariant(0) << QVariant(0);
        QTest::newRow("render d3d reads opengl") << QByteArray("renderModel") << QVariant(2) << QVariant(0);
        QTest::newRow("axWidgetWidth") << QByteArray("axWidgetWidth") << QVariant(640) << QVariant(640);
        QTest::newRow("axWidgetHeight") << QByteArray("axWidgetHeight") << QVariant(360) << QVariant(360);
        QTest::newRow("nextMedia") << QByteArray("nextMedia") << QVariant("file:///rec/b_F.mp4") << QVariant("file:///rec/b_F.mp4");
    }

    void roundTrips()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, written);
        QFETCH(QVariant, read);
        Container control;
        QSignalSpy states(&control, SIGNAL(stateChanged(FFStates)));
        QVERIFY2(control.setControlProperty(property.constData(), written), "the property is writable by name");
        const QVariant value = control.controlProperty(property.constData());
        if (read.type() == QVariant::String)
            QCOMPARE(value.toString(), read.toString());
        else if (read.type() == QVariant::Bool)
            QCOMPARE(value.toBool(), read.toBool());
        else
            QCOMPARE(value.toLongLong(), read.toLongLong());
        if (property == "media")
            QCOMPARE(control.canonicalUrl(), read.toString());
        // Writing the state only stores it.
        QCOMPARE(states.count(), 0);
    }

    void canonicalUrlIsReadOnly()
    {
        Container control;
        QVERIFY2(!control.setControlProperty("canonicalUrl", QStringLiteral("file:///x.mp4")),
                 "canonicalUrl is read-only");
        QVERIFY2(control.canonicalUrl().isEmpty(), "canonicalUrl keeps its empty value");
    }

    void positionWriteAnnouncesWithoutSeeking()
    {
        Container control;
        QSignalSpy positions(&control, SIGNAL(positionChanged(qint64)));
        control.setPosition(5000);
        QCOMPARE(positions.count(), 1);
        QCOMPARE(positions.first().at(0).toLongLong(), 5000);
        QCOMPARE(control.seekSecond(), 0);
        QCOMPARE(control.position(), 0);
    }

    void mutedReportsEveryWrite()
    {
        Container control;
        QSignalSpy muted(&control, SIGNAL(mutedChanged(bool)));
        control.setMuted(true);
        control.setMuted(true);
        QCOMPARE(muted.count(), 2);
        QCOMPARE(muted.at(1).at(0).toBool(), true);
        QCOMPARE(control.muted(), true);
    }

    void stopEmptiesMedia()
    {
        Container control;
        QSignalSpy states(&control, SIGNAL(stateChanged(FFStates)));
        control.setMedia(mediaFile(QStringLiteral("component/quadrants_F.mp4")));
        control.stop();
        QVERIFY2(control.media().isEmpty(), "stop empties the media");
        QVERIFY2(control.canonicalUrl().isEmpty(), "stop empties the canonical URL");
        QCOMPARE(states.count(), 1);
        control.play();
        QVERIFY2(!states.wait(100), "play without media changes no state");
        QCOMPARE(states.count(), 1);
        QCOMPARE(control.decState(), TrackoraActiveXLib::StoppedState);
    }

    void keepsTheContainerSize()
    {
        Container control;
        control.setAxWidgetWidth(640);
        control.setAxWidgetHeight(360);
        control.resize(800, 450);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QCOMPARE(control.controlWidget()->size(), QSize(640, 360));
    }

    void startsAndEndsSdlOnce()
    {
        QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO), Uint32(0));
        auto first = std::make_unique<Container>();
        QVERIFY2(SDL_WasInit(SDL_INIT_AUDIO) != 0, "the first control starts SDL audio");
        auto second = std::make_unique<Container>();
        first.reset();
        QVERIFY2(SDL_WasInit(SDL_INIT_AUDIO) != 0, "one control still lives");
        second.reset();
        QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO), Uint32(0));
    }

    void userDataRoundTrip()
    {
        Container control;
        const qlonglong address = control.axUserData();
        QVERIFY2(address != 0, "the player address is published");
        auto *record = reinterpret_cast<TrackoraActiveXLib::CFFPlayerAxUserData *>(address);
        void *const player = record->player;
        QVERIFY(player);
        control.setAxUserData(address);
        QCOMPARE(control.axUserData(), address);
        QCOMPARE(record->player, player);
        QCOMPARE(record->peer, nullptr);
        QCOMPARE(record->isMain, true);
        // A null record is refused rather than followed.
        control.setAxUserData(0);
        QCOMPARE(record->isMain, true);
    }

    // The viewer fills the component's record in place through the name it
    // knows it by: both names must reach the same fields.
    void recordLayoutMatchesTheComponent()
    {
        Container control;
        const qlonglong address = control.axUserData();
        auto *mine = reinterpret_cast<TrackoraActiveXLib::CFFPlayerAxUserData *>(address);
        auto *theirs = reinterpret_cast<TrackoraActiveX::CFFPlayerAxUserData *>(address);
        QCOMPARE(static_cast<void *>(&mine->peer), static_cast<void *>(&theirs->peer));
        QCOMPARE(static_cast<void *>(&mine->player), static_cast<void *>(&theirs->player));
        QCOMPARE(static_cast<void *>(&mine->isMain), static_cast<void *>(&theirs->isMain));
        QCOMPARE(sizeof(*mine), sizeof(*theirs));
        QCOMPARE(static_cast<void *>(mine->player), static_cast<void *>(theirs->player));
    }

    void dragEventsAnsweredByTheContainer()
    {
        Container control;
        control.setAxWidgetWidth(320);
        control.setAxWidgetHeight(180);
        control.resize(320, 180);
        qint64 seenEnter = 0;
        qint64 seenDrop = 0;
        connect(&control, &Container::dragEnterEvented, this, [&](qint64 address) {
            seenEnter = address;
            reinterpret_cast<QDragEnterEvent *>(address)->acceptProposedAction();
        });
        connect(&control, &Container::dropEvented, this, [&](qint64 address) {
            seenDrop = address;
            reinterpret_cast<QDropEvent *>(address)->accept();
        });
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/rec/a_F.mp4"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(control.controlWidget(), &enter);
        QCOMPARE(seenEnter, qint64(reinterpret_cast<quintptr>(&enter)));
        QVERIFY2(enter.isAccepted(), "a recording drag is accepted");
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        drop.ignore();
        QApplication::sendEvent(control.controlWidget(), &drop);
        QCOMPARE(seenDrop, qint64(reinterpret_cast<quintptr>(&drop)));
        QVERIFY2(drop.isAccepted(), "a recording drop is accepted");
    }

    void captureReports_data()
    {
        QTest::addColumn<bool>("ssFront");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("box");
        QTest::newRow("success") << true << 0 << "Snapshot success" << QString();
        QTest::newRow("no directory") << true << -1 << QString() << "Error|Directory not exist!";
        QTest::newRow("save failed") << true << -2 << "Failed to capture" << QString();
        QTest::newRow("unreadable") << true << -3 << "Failed to capture" << QString();
        QTest::newRow("empty file") << true << -4 << "Failed to capture" << QString();
        QTest::newRow("silent failure") << false << -2 << QString() << QString();
        QTest::newRow("silent no directory") << false << -1 << QString() << QString();
    }

    void captureReports()
    {
        QFETCH(bool, ssFront);
        QFETCH(int, result);
        QFETCH(QString, tip);
        QFETCH(QString, box);
        QWidget anchor;
        anchor.resize(200, 100);
        anchor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&anchor));
        Container control;
        control.setActiveParentWidget(qlonglong(reinterpret_cast<quintptr>(&anchor)));
        control.setSsFront(ssFront);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QString boxText;
        if (!box.isEmpty())
            answerNextBox(&boxText);
        QVERIFY(QMetaObject::invokeMethod(control.controlWidget(), "onCaptureThreadFinished",
                                          Qt::DirectConnection, Q_ARG(int, result)));
        QCOMPARE(boxText, box);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
        QCOMPARE(control.ssFront(), false);
        QToolTip::hideText();
    }

    // The container's view of a join: nextMedia in the form it was given
    // becomes media, one mediaChanged, the state never leaves playing; a stop
    // empties both.
    void goesOnWithNextMedia()
    {
        const QString first = mediaFile(QStringLiteral("engine/seam_1_F.mp4"));
        const QString second = mediaFile(QStringLiteral("engine/seam_2_F.mp4"));
        if (!QFileInfo::exists(first) || !QFileInfo::exists(second))
            QSKIP("generated recordings missing");
        Container control;
        QSignalSpy states(&control, SIGNAL(stateChanged(FFStates)));
        QSignalSpy media(&control, SIGNAL(mediaChanged(QString)));
        QSignalSpy durations(&control, SIGNAL(durationChanged(qint64)));
        control.setMedia(QUrl::fromLocalFile(first).url());
        control.play();
        QVERIFY(waitForState(&control, TrackoraActiveXLib::PlayingState));
        control.setNextMedia(QUrl::fromLocalFile(second).url());
        QVERIFY2(media.wait(8000), "the control goes on with the next file");
        QCOMPARE(media.count(), 1);
        QCOMPARE(media.first().at(0).toString(), QUrl::fromLocalFile(second).url());
        QCOMPARE(control.media(), QUrl::fromLocalFile(second).url());
        QVERIFY(control.nextMedia().isEmpty());
        QCOMPARE(states.count(), 1);
        QCOMPARE(control.decState(), TrackoraActiveXLib::PlayingState);
        QTRY_COMPARE_WITH_TIMEOUT(durations.count(), 2, 2000);
        control.setNextMedia(QUrl::fromLocalFile(first).url());
        control.stop();
        QVERIFY(control.media().isEmpty());
        QVERIFY(control.nextMedia().isEmpty());
    }

    void playsAndShows_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("image") << int(TrackoraActiveXLib::Render_Image);
        QTest::newRow("opengl") << int(TrackoraActiveXLib::Render_OpenGL);
    }

    void playsAndShows()
    {
        QFETCH(int, model);
        const QString file = mediaFile(QStringLiteral("component/quadrants_F.mp4"));
        if (!QFileInfo::exists(file))
            QSKIP("generated recordings missing");
        auto control = shownControl(QSize(480, 270), TrackoraActiveXLib::FFRenderModel(model));
        QVERIFY(control);
        QVERIFY2(allBlack(control->grab().toImage()) || model == TrackoraActiveXLib::Render_OpenGL,
                 "the Image model shows black before any picture");
        QSignalSpy positions(control.get(), SIGNAL(positionChanged(qint64)));
        control->setMedia(QUrl::fromLocalFile(file).url());
        control->play();
        QVERIFY2(waitForState(control.get(), TrackoraActiveXLib::PlayingState),
                 "the control reaches the playing state");
        QTRY_VERIFY_WITH_TIMEOUT(!positions.isEmpty() && positions.last().at(0).toLongLong() >= 300, 10000);
        QImage image;
        QTRY_COMPARE_WITH_TIMEOUT(quadrantColours(image = control->grab().toImage()),
                                  QStringLiteral("red green blue white"), 5000);
        if (!qEnvironmentVariableIsEmpty("TRACKORA_GRAB_DIR"))
            image.save(qEnvironmentVariable("TRACKORA_GRAB_DIR") + QStringLiteral("/play_")
                       + QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".png"));
        control->stop();
        control->unRender();
        QTRY_VERIFY2_WITH_TIMEOUT(allBlack(control->grab().toImage()), "unRender leaves a black picture", 5000);
    }

    void screenshotOfThePlayingPicture()
    {
        const QString file = mediaFile(QStringLiteral("component/quadrants_F.mp4"));
        if (!QFileInfo::exists(file))
            QSKIP("generated recordings missing");
        auto control = shownControl(QSize(320, 180), TrackoraActiveXLib::Render_Image);
        QVERIFY(control);
        QVERIFY2(!control->screenshot(), "nothing to capture while stopped");

        QTemporaryDir dir;
        control->setScreenshotSavePath(dir.path());
        control->setMedia(QUrl::fromLocalFile(file).url());
        QSignalSpy positions(control.get(), SIGNAL(positionChanged(qint64)));
        control->play();
        QTRY_VERIFY_WITH_TIMEOUT(!positions.isEmpty() && positions.last().at(0).toLongLong() >= 200, 10000);
        QToolTip::hideText();
        control->setSsFront(true);
        QVERIFY2(control->screenshot(), "a screenshot is taken while playing");
        QTRY_VERIFY_WITH_TIMEOUT(!control->ssFront(), 10000);
        QCOMPARE(QToolTip::text(), QStringLiteral("Snapshot success"));
        const QStringList shots = QDir(dir.path()).entryList({QStringLiteral("*.jpeg")}, QDir::Files);
        QCOMPARE(shots.size(), 1);
        QVERIFY2(shots.first().startsWith(QStringLiteral("ScreenShot_quadrants_F__")), qPrintable(shots.first()));
        const QImage saved(dir.filePath(shots.first()));
        QCOMPARE(saved.size(), QSize(640, 360));
        QCOMPARE(quadrantColours(saved), QStringLiteral("red green blue white"));
        control->stop();
        QToolTip::hideText();
    }

    // An odd width and height give chroma planes of rounded-up size; every
    // walk of the picture must find them, or rows shear and colours slide.
    void oddSizeShowsAndSavesWithoutShear_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("image") << int(TrackoraActiveXLib::Render_Image);
        QTest::newRow("opengl") << int(TrackoraActiveXLib::Render_OpenGL);
    }

    void oddSizeShowsAndSavesWithoutShear()
    {
        QFETCH(int, model);
        const QString file = mediaFile(QStringLiteral("component/bars_odd_641x361_F.avi"));
        if (!QFileInfo::exists(file))
            QSKIP("generated recordings missing");
        const QVector<Sample> reference = referenceSamples(file);
        QVERIFY2(!reference.isEmpty(), "the generator stored the reference colours");
        const QSize size(641, 361);
        auto control = shownControl(size, TrackoraActiveXLib::FFRenderModel(model));
        QVERIFY(control);
        QTemporaryDir dir;
        control->setScreenshotSavePath(dir.path());
        control->setMedia(file);
        QSignalSpy positions(control.get(), SIGNAL(positionChanged(qint64)));
        control->play();
        QTRY_VERIFY_WITH_TIMEOUT(!positions.isEmpty() && positions.last().at(0).toLongLong() >= 200, 10000);
        control->pause();
        QImage image;
        QString misses;
        // Decoded JPEG against the ffmpeg tool's conversion of the same picture.
        QTRY_VERIFY2_WITH_TIMEOUT(
            (misses = sampleMismatches(image = control->grab().toImage(), size, reference, 6)).isEmpty(),
            qPrintable(misses), 5000);
        if (!qEnvironmentVariableIsEmpty("TRACKORA_GRAB_DIR"))
            image.save(qEnvironmentVariable("TRACKORA_GRAB_DIR") + QStringLiteral("/odd_")
                       + QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".png"));
        QCOMPARE(image.size(), size);

        control->setSsFront(true);
        QVERIFY2(control->screenshot(), "a screenshot is taken while paused");
        QTRY_VERIFY_WITH_TIMEOUT(!control->ssFront(), 10000);
        QToolTip::hideText();
        const QStringList shots = QDir(dir.path()).entryList({QStringLiteral("*.jpeg")}, QDir::Files);
        QCOMPARE(shots.size(), 1);
        const QImage saved(dir.filePath(shots.first()));
        if (!qEnvironmentVariableIsEmpty("TRACKORA_GRAB_DIR"))
            QFile::copy(dir.filePath(shots.first()), qEnvironmentVariable("TRACKORA_GRAB_DIR") + QStringLiteral("/odd_")
                        + QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral("_shot.jpeg"));
        QCOMPARE(saved.size(), size);
        // The saved file is compressed once more.
        misses = sampleMismatches(saved, size, reference, 12);
        QVERIFY2(misses.isEmpty(), qPrintable(misses));
        control->stop();
    }
};

QTEST_MAIN(TestFFPlayerAxWidget)
#include "tst_ffplayeraxwidget.moc"

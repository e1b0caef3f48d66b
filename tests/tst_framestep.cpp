#include <QtTest>
#include <QSignalSpy>

#include "PlayerWidget.h"
#include "playareamanager.h"
#include "rowdata.h"
#include "tst_componentsupport.h"

using namespace componenttest;

// Stepping picture by picture while paused, on the frame-numbered pair
// recordings (150 pictures, a key frame every 30): the play area's real
// controls, front alone and with the rear view following.
class TestFrameStep : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayAreaManager> area;
    RowData row;

    static int frameNumber(const QImage &image)
    {
        const double scale = image.width() / 640.0;
        int n = 0;
        for (int k = 0; k < 16; ++k) {
            if (qGray(image.pixel(int((40 * k + 20) * scale), int(20 * scale))) > 128)
                n |= 1 << k;
        }
        return n;
    }

    static int shownFrame(CPlayerWidget *host)
    {
        return frameNumber(host->playerControl()->controlWidget()->grab().toImage());
    }

    // Both views (or the front alone) show picture n, and the position says so.
    bool showsFrame(int n, bool withRear, QSignalSpy &positions)
    {
        const bool shown = QTest::qWaitFor([&] {
            return shownFrame(area->frontPlayer()) == n && (!withRear || shownFrame(area->rearPlayer()) == n);
        }, 5000);
        if (!shown) {
            qWarning("expected frame %d, front shows %d, rear %d", n, shownFrame(area->frontPlayer()),
                     withRear ? shownFrame(area->rearPlayer()) : -1);
            return false;
        }
        const qint64 expected = n * 1000 / 30;
        if (!QTest::qWaitFor([&] {
                return !positions.isEmpty() && qAbs(positions.last().at(1).toLongLong() - expected) <= 1;
            }, 2000)) {
            qWarning("frame %d: position %lld, expected %lld", n,
                     positions.isEmpty() ? -1LL : positions.last().at(1).toLongLong(), expected);
            return false;
        }
        return true;
    }

    bool step(int direction, int expected, bool withRear, QSignalSpy &positions)
    {
        area->stepFrame(direction);
        return showsFrame(expected, withRear, positions);
    }

    // Paused on the key frame of `second`.
    bool pausedAt(int second, bool withRear, QSignalSpy &positions)
    {
        area->onSliderStatusChanged(true, second);
        area->onSliderStatusChanged(false, second);
        return showsFrame(second * 30, withRear, positions);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("TrackoraTest"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_framestep"));
        if (!QFileInfo::exists(mediaFile(QStringLiteral("component/pair_F.mp4")))
            || !QFileInfo::exists(mediaFile(QStringLiteral("component/pair_R.mp4"))))
            QSKIP("generated recordings missing");
    }

    void init()
    {
        area = std::make_unique<PlayAreaManager>();
        area->resize(1000, 300);
        area->show();
        QVERIFY(QTest::qWaitForWindowExposed(area.get()));
    }

    void cleanup()
    {
        area->stop();
        area.reset();
    }

    void steps_data()
    {
        QTest::addColumn<bool>("withRear");
        QTest::newRow("front alone") << false;
        QTest::newRow("front and rear") << true;
    }

    void steps()
    {
        QFETCH(bool, withRear);
        row.id = 5;
        row.url = QUrl::fromLocalFile(mediaFile(QStringLiteral("component/pair_F.mp4")));
        area->setPlayFrontOrRear(true, withRear);
        area->setResourceData(&row, withRear ? QUrl::fromLocalFile(mediaFile(QStringLiteral("component/pair_R.mp4")))
                                             : QUrl());
        QSignalSpy positions(area.get(), &PlayAreaManager::positionChanged);
        area->play();
        QVERIFY2(QTest::qWaitFor([&] { return !positions.isEmpty() && positions.last().at(1).toLongLong() >= 300; },
                                 15000),
                 "playing reaches 300 ms");

        // Across a key frame both ways: 30 is one, 29 ends the group before.
        QVERIFY(pausedAt(1, withRear, positions));
        QVERIFY(step(1, 31, withRear, positions));
        QVERIFY(step(-1, 30, withRear, positions));
        QVERIFY(step(-1, 29, withRear, positions));
        QVERIFY(step(-1, 28, withRear, positions));
        QVERIFY(step(1, 29, withRear, positions));
        QVERIFY(step(1, 30, withRear, positions));

        // Steps asked for faster than they are made all count, however they are grouped.
        QVERIFY(pausedAt(2, withRear, positions));
        for (int i = 0; i < 40; ++i)
            area->stepFrame(-1);
        QVERIFY(showsFrame(20, withRear, positions));
        for (int i = 0; i < 3; ++i)
            area->stepFrame(1);
        QVERIFY(showsFrame(23, withRear, positions));

        // The first picture has nothing before it: it stays, and the next is 1.
        QVERIFY(pausedAt(0, withRear, positions));
        area->stepFrame(-1);
        QTest::qWait(300);
        QCOMPARE(shownFrame(area->frontPlayer()), 0);
        QVERIFY(step(1, 1, withRear, positions));

        // The last picture has nothing after it: it stays, and the one before is 148.
        QVERIFY(pausedAt(4, withRear, positions));
        for (int n = 121; n <= 149; ++n)
            QVERIFY2(step(1, n, withRear, positions), qPrintable(QStringLiteral("forward to %1").arg(n)));
        area->stepFrame(1);
        QTest::qWait(300);
        QCOMPARE(shownFrame(area->frontPlayer()), 149);
        QVERIFY(step(-1, 148, withRear, positions));

        // Playing on after steps goes on from the stepped picture.
        QVERIFY(pausedAt(2, withRear, positions));
        QVERIFY(step(-1, 59, withRear, positions));
        area->play();
        QVERIFY2(QTest::qWaitFor([&] {
            const int n = shownFrame(area->frontPlayer());
            return n > 62 && n < 120;
        }, 5000), "playing continues after the stepped picture");

        // Paused while playing, the first step is from the picture the pause left.
        area->pause();
        QTest::qWait(300);
        const int paused = shownFrame(area->frontPlayer());
        QVERIFY(step(1, paused + 1, withRear, positions));
        QVERIFY(step(-1, paused, withRear, positions));
    }

    // Playing, a step is not taken.
    void noStepWhilePlaying()
    {
        row.id = 6;
        row.url = QUrl::fromLocalFile(mediaFile(QStringLiteral("component/pair_F.mp4")));
        area->setPlayFrontOrRear(true, false);
        area->setResourceData(&row, QUrl());
        QSignalSpy states(area->frontPlayer(), &CPlayerWidget::stateChanged);
        area->play();
        QVERIFY(QTest::qWaitFor([&] { return area->frontPlayer()->decState() == TrackoraActiveXLib::PlayingState; },
                                10000));
        area->stepFrame(1);
        area->stepFrame(-1);
        QTest::qWait(200);
        QCOMPARE(area->frontPlayer()->decState(), TrackoraActiveXLib::PlayingState);
    }
};

QTEST_MAIN(TestFrameStep)
#include "tst_framestep.moc"

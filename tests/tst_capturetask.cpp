#include <QtTest>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <vector>

#include "FFCaptureTaskMgr.h"
#include "tst_componentsupport.h"

using namespace TrackoraActiveX;
using namespace componenttest;

// Screenshots written on the global pool: names, result codes, and the
// pixels saved being the ones handed over even when the caller's buffer
// changes at once.
class TestCaptureTask : public QObject
{
    Q_OBJECT

    static void paintQuadrants(uchar *bits, int w, int h)
    {
        QImage over(bits, w, h, w * 4, QImage::Format_RGB32);
        QPainter p(&over);
        p.fillRect(0, 0, w / 2, h / 2, Qt::red);
        p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
        p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
        p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::white);
    }

    static QStringList shots(const QString &dir)
    {
        return QDir(dir).entryList({QStringLiteral("ScreenShot_*.jpeg")}, QDir::Files, QDir::Name);
    }

private slots:
    void fileName_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        QTest::newRow("front recording") << "/data/shots" << "/data/rec/20230101_120000_F.MP4"
                                         << "/data/shots/ScreenShot_20230101_120000_F__230506-070809_010.jpeg";
        QTest::newRow("base name to first dot") << "/data/shots" << "/data/rec/trip.front.mp4"
                                                << "/data/shots/ScreenShot_trip__230506-070809_010.jpeg";
        QTest::newRow("no directory") << "" << "/data/rec/a_R.mp4"
                                      << "/ScreenShot_a_R__230506-070809_010.jpeg";
    }

    void fileName()
    {
        QFETCH(QString, directory);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        const QString time = QDateTime(QDate(2023, 5, 6), QTime(7, 8, 9, 10)).toString("yyMMdd-hhmmss_zzz");
        QCOMPARE(CCaptureQImageTask::fileNameFor(directory, source, time), expected);
    }

    void savesItsOwnCopy()
    {
        QTemporaryDir dir;
        CCaptureTaskMgr manager;
        manager.setDirectory(dir.path() + QStringLiteral("/new/shots"));
        QSignalSpy finished(&manager, &CCaptureTaskMgr::captureFinished);

        const int w = 640, h = 360;
        std::vector<uchar> buffer(size_t(w) * h * 4);
        paintQuadrants(buffer.data(), w, h);
        manager.captureImage(QStringLiteral("/rec/20230101_120000_F.MP4"),
                             QImage(buffer.data(), w, h, w * 4, QImage::Format_RGB32));
        // The next picture lands in the same buffer straight away.
        std::fill(buffer.begin(), buffer.end(), uchar(0));

        QVERIFY2(finished.wait(10000), "the capture reports when it is done");
        QCOMPARE(finished.takeFirst().at(0).toInt(), 0);
        const QStringList files = shots(manager.directory());
        QCOMPARE(files.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^ScreenShot_20230101_120000_F__\\d{6}-\\d{6}_\\d{3}\\.jpeg$"))
                     .match(files.first()).hasMatch(), qPrintable(files.first()));
        QImage saved(manager.directory() + QLatin1Char('/') + files.first(), "JPEG");
        QCOMPARE(saved.size(), QSize(w, h));
        QCOMPARE(quadrantColours(saved), QStringLiteral("red green blue white"));
        // Deliberately lets time pass: a second report would come within it.
        QVERIFY2(finished.isEmpty() && !finished.wait(100), "one capture reports once");
    }

    void resultCodes_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<bool>("nullImage");
        QTest::addColumn<int>("code");
        QTest::newRow("made on demand") << "made/on/demand" << false << 0;
        QTest::newRow("cannot be made") << "plainfile/sub" << false << -1;
        QTest::newRow("save fails") << "shots" << true << -2;
    }

    void resultCodes()
    {
        QFETCH(QString, directory);
        QFETCH(bool, nullImage);
        QFETCH(int, code);
        QTemporaryDir root;
        QFile plain(root.filePath(QStringLiteral("plainfile")));
        QVERIFY2(plain.open(QIODevice::WriteOnly), qPrintable(plain.errorString()));
        plain.close();

        CCaptureTaskMgr manager;
        manager.setDirectory(root.filePath(directory));
        QSignalSpy finished(&manager, &CCaptureTaskMgr::captureFinished);
        QImage image(64, 36, QImage::Format_RGB32);
        image.fill(Qt::gray);
        manager.captureImage(QStringLiteral("/rec/x_F.mp4"), nullImage ? QImage() : image);
        QVERIFY2(finished.wait(10000), "every capture reports, failed ones too");
        QCOMPARE(finished.first().at(0).toInt(), code);
        QCOMPARE(shots(root.filePath(directory)).size(), code == 0 ? 1 : 0);
    }

    void overlappingCaptures()
    {
        QTemporaryDir dir;
        CCaptureTaskMgr front;
        CCaptureTaskMgr rear;
        front.setDirectory(dir.path());
        rear.setDirectory(dir.path());
        QSignalSpy frontDone(&front, &CCaptureTaskMgr::captureFinished);
        QSignalSpy rearDone(&rear, &CCaptureTaskMgr::captureFinished);
        QImage image(320, 180, QImage::Format_RGB32);
        image.fill(Qt::red);
        front.captureImage(QStringLiteral("/rec/clip_F.mp4"), image);
        rear.captureImage(QStringLiteral("/rec/clip_R.mp4"), image);
        QTRY_COMPARE_WITH_TIMEOUT(frontDone.count() + rearDone.count(), 2, 10000);
        QCOMPARE(frontDone.first().at(0).toInt(), 0);
        QCOMPARE(rearDone.first().at(0).toInt(), 0);
        QCOMPARE(shots(dir.path()).size(), 2);
    }

    void managerGoneBeforeTheSave()
    {
        QTemporaryDir dir;
        auto *manager = new CCaptureTaskMgr;
        manager->setDirectory(dir.path());
        QImage image(1920, 1080, QImage::Format_RGB32);
        image.fill(Qt::blue);
        manager->captureImage(QStringLiteral("/rec/late_F.mp4"), image);
        delete manager;
        QVERIFY2(QThreadPool::globalInstance()->waitForDone(10000), "the save ends without its manager");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(shots(dir.path()).size(), 1);
    }
};

QTEST_MAIN(TestCaptureTask)
#include "tst_capturetask.moc"

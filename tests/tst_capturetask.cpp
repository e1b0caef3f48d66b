#include <QtTest>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QDirIterator>
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
        QTest::addColumn<int>("serial");
        QTest::addColumn<QString>("expected");
        QTest::newRow("front recording") << "/data/shots" << "/data/rec/20230101_120000_F.MP4" << 1
                                         << "/data/shots/ScreenShot_20230101_120000_F__230506-070809_010.jpeg";
        QTest::newRow("base name to first dot") << "/data/shots" << "/data/rec/trip.front.mp4" << 1
                                                << "/data/shots/ScreenShot_trip__230506-070809_010.jpeg";
        QTest::newRow("second of one millisecond") << "/data/shots" << "/data/rec/a_R.mp4" << 2
                                                   << "/data/shots/ScreenShot_a_R__230506-070809_010-2.jpeg";
        QTest::newRow("trailing slash") << "/data/shots/" << "/data/rec/a_R.mp4" << 1
                                        << "/data/shots/ScreenShot_a_R__230506-070809_010.jpeg";
        QTest::newRow("number in the folder") << "/shots%2" << "/rec/trip_F.mp4" << 1
                                              << "/shots%2/ScreenShot_trip_F__230506-070809_010.jpeg";
        QTest::newRow("number as a folder") << "/shots/%3" << "/rec/trip_F.mp4" << 1
                                            << "/shots/%3/ScreenShot_trip_F__230506-070809_010.jpeg";
        QTest::newRow("number in the recording") << "/shots" << "/rec/%1%3_F.mp4" << 1
                                                 << "/shots/ScreenShot_%1%3_F__230506-070809_010.jpeg";
    }

    void fileName()
    {
        QFETCH(QString, directory);
        QFETCH(QString, source);
        QFETCH(int, serial);
        QFETCH(QString, expected);
        const QString time = QDateTime(QDate(2023, 5, 6), QTime(7, 8, 9, 10)).toString("yyMMdd-hhmmss_zzz");
        QCOMPARE(CCaptureQImageTask::fileNameFor(directory, source, time, serial), expected);
    }

    // A long recording name is cut, between characters, so that the file
    // name, numbered or not, stays within what a file system takes.
    void longRecordingNames_data()
    {
        QTest::addColumn<QString>("base");
        QTest::newRow("242 ASCII characters") << QString(240, QLatin1Char('a')) + QStringLiteral("_F");
        QTest::newRow("two-byte characters") << QString(200, QChar(0x00e9));
        QTest::newRow("three-byte characters") << QString(100, QChar(0x65c5));
        QTest::newRow("four-byte characters") << QString::fromUcs4(std::vector<char32_t>(70, U'\U0001F697').data(), 70);
    }

    void longRecordingNames()
    {
        QFETCH(QString, base);
        const QString time = QDateTime(QDate(2023, 5, 6), QTime(7, 8, 9, 10)).toString("yyMMdd-hhmmss_zzz");
        for (int serial : {1, 2, 9999}) {
            const QString name = QFileInfo(CCaptureQImageTask::fileNameFor(
                QStringLiteral("/shots"), QStringLiteral("/rec/") + base + QStringLiteral(".MP4"), time, serial)).fileName();
            const QByteArray bytes = QFile::encodeName(name);
            QVERIFY2(bytes.size() <= 255, bytes.constData());
            QCOMPARE(QFile::decodeName(bytes), name); // no character cut in half
            QVERIFY2(name.startsWith(QStringLiteral("ScreenShot_") + base.left(40)), qPrintable(name));
            QVERIFY2(name.endsWith(QStringLiteral(".jpeg")), qPrintable(name));
        }

        QTemporaryDir dir;
        CCaptureTaskMgr manager;
        manager.setDirectory(dir.path());
        QSignalSpy finished(&manager, &CCaptureTaskMgr::captureFinished);
        QImage image(64, 36, QImage::Format_RGB32);
        image.fill(Qt::gray);
        manager.captureImage(QStringLiteral("/rec/") + base + QStringLiteral(".MP4"), image);
        QVERIFY2(finished.wait(10000), "the capture reports");
        QCOMPARE(finished.first().at(0).toInt(), 0);
        QCOMPARE(shots(dir.path()).size(), 1);
    }

    // Front and rear names that agree up to their first dot, captured in a
    // burst: every picture gets a file of its own and none is replaced.
    void burstNeverOverwrites()
    {
        QTemporaryDir dir;
        CCaptureTaskMgr front;
        CCaptureTaskMgr rear;
        front.setDirectory(dir.path());
        rear.setDirectory(dir.path());
        QSignalSpy frontDone(&front, &CCaptureTaskMgr::captureFinished);
        QSignalSpy rearDone(&rear, &CCaptureTaskMgr::captureFinished);
        QImage image(32, 18, QImage::Format_RGB32);
        image.fill(Qt::red);
        constexpr int perSide = 12;
        for (int i = 0; i < perSide; ++i) {
            front.captureImage(QStringLiteral("/rec/2024.01.01-120000.F.MP4"), image);
            rear.captureImage(QStringLiteral("/rec/2024.01.01-120000.R.MP4"), image);
        }
        QTRY_COMPARE_WITH_TIMEOUT(frontDone.count() + rearDone.count(), 2 * perSide, 20000);
        for (const QSignalSpy *spy : {&frontDone, &rearDone})
            for (const QList<QVariant> &report : *spy)
                QCOMPARE(report.at(0).toInt(), 0);
        QCOMPARE(shots(dir.path()).size(), 2 * perSide);
        // Nothing half-written or left over beside them.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2 * perSide);
    }

    // A file that already has the name is kept as it was.
    void existingFileIsKept()
    {
        QTemporaryDir dir;
        const QString stem = dir.filePath(QStringLiteral("ScreenShot_keep__230506-070809_010"));
        for (const QString &path : {stem + QStringLiteral(".jpeg"), stem + QStringLiteral("-2.jpeg")}) {
            QFile taken(path);
            QVERIFY(taken.open(QIODevice::WriteOnly));
            taken.write("not a picture");
        }
        QString error;
        const QString written = CCaptureQImageTask::saveUnique(dir.path(), QStringLiteral("/rec/keep.mp4"),
                                                               QStringLiteral("230506-070809_010"),
                                                               QByteArray("jpeg bytes"), &error);
        QCOMPARE(written, stem + QStringLiteral("-3.jpeg"));
        for (const QString &path : {stem + QStringLiteral(".jpeg"), stem + QStringLiteral("-2.jpeg")}) {
            QFile taken(path);
            QVERIFY(taken.open(QIODevice::ReadOnly));
            QCOMPARE(taken.readAll(), QByteArray("not a picture"));
        }
        QFile mine(written);
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("jpeg bytes"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    // Folder names that look like format markers are taken as they are.
    void folderTakenLiterally_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("source");
        QTest::newRow("%2 in the folder") << "shots%2" << "/rec/trip_F.mp4";
        QTest::newRow("%3 as a folder") << "shots/%3" << "/rec/trip_F.mp4";
        QTest::newRow("%1 in the recording") << "shots" << "/rec/%1%2_F.mp4";
    }

    void folderTakenLiterally()
    {
        QFETCH(QString, folder);
        QFETCH(QString, source);
        QTemporaryDir root;
        CCaptureTaskMgr manager;
        manager.setDirectory(root.filePath(folder));
        QSignalSpy finished(&manager, &CCaptureTaskMgr::captureFinished);
        QImage image(32, 18, QImage::Format_RGB32);
        image.fill(Qt::blue);
        manager.captureImage(source, image);
        QVERIFY2(finished.wait(10000), "the capture reports");
        QCOMPARE(finished.first().at(0).toInt(), 0);
        const QStringList files = shots(root.filePath(folder));
        QCOMPARE(files.size(), 1);
        QVERIFY2(files.first().startsWith(QStringLiteral("ScreenShot_") + QFileInfo(source).baseName() + QStringLiteral("__")),
                 qPrintable(files.first()));
        // Nothing anywhere else under the root.
        QDirIterator all(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        int count = 0;
        while (all.hasNext()) {
            all.next();
            ++count;
        }
        QCOMPARE(count, 1);
    }

    // No folder set is not the root folder, nor wherever the program runs.
    void emptyFolderIsRefused()
    {
        QTemporaryDir cwd;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(cwd.path()));
        const QStringList rootBefore = shots(QStringLiteral("/"));
        CCaptureTaskMgr manager;
        QSignalSpy finished(&manager, &CCaptureTaskMgr::captureFinished);
        QImage image(32, 18, QImage::Format_RGB32);
        image.fill(Qt::green);
        manager.captureImage(QStringLiteral("/rec/empty_F.mp4"), image);
        const bool reported = finished.wait(10000);
        const QStringList rootAfter = shots(QStringLiteral("/"));
        for (const QString &name : rootAfter)
            if (!rootBefore.contains(name))
                QFile::remove(QStringLiteral("/") + name);
        QDir::setCurrent(previous);
        QVERIFY2(reported, "the capture reports");
        QCOMPARE(finished.first().at(0).toInt(), -1);
        QCOMPARE(rootAfter, rootBefore);
        QCOMPARE(shots(cwd.path()), QStringList());
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

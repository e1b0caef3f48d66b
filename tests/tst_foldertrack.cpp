#include "configuration.h"
#include "foldertrackdialog.h"
#include "foldertracks.h"
#include "playlistmodel.h"
#include "trackfile.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The folder track as the window offers it: the dialog that loads it and
// shows what it covers, and the playlist parsing the folder's rows again.
class TestFolderTrack : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dialog();
    void playlistReparses();

private:
    QString write(const QString &name, const QByteArray &data = QByteArray())
    {
        QFile f(m_dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(name));
        f.write(data);
        return f.fileName();
    }
    QTemporaryDir m_dir;
    QString m_track;
    QStringList m_recordings;
};

void TestFolderTrack::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    // Stand-ins for recordings without GPS: empty files dated by their names
    // (length 0 s: one second each).
    m_recordings = QStringList{write(QStringLiteral("20240305_100000_F.mp4")), write(QStringLiteral("20240305_100100_F.mp4")),
                               write(QStringLiteral("20240305_100200_F.mp4")), write(QStringLiteral("20240305_120000_F.mp4"))};
    write(QStringLiteral("20240305_100200_F.gpx"),
          "<gpx><trk><trkseg><trkpt lat=\"48\" lon=\"11\"><time>2024-03-05T10:02:00Z</time></trkpt></trkseg></trk></gpx>");
    m_track = write(QStringLiteral("day.gpx"),
                    "<gpx><trk><trkseg>"
                    "<trkpt lat=\"48.0\" lon=\"11.0\"><time>2024-03-05T10:00:00Z</time></trkpt>"
                    "<trkpt lat=\"48.1\" lon=\"11.0\"><time>2024-03-05T10:01:00Z</time></trkpt>"
                    "</trkseg></trk></gpx>");
}

void TestFolderTrack::dialog()
{
    FolderTracks::instance().clear();
    Configuration::instance()->setFolderTrackOffset(m_dir.path(), 0);
    FolderTrackDialog dialog(m_dir.path(), m_recordings);
    QSignalSpy loaded(&dialog, &FolderTrackDialog::trackLoaded);
    auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("lEdit_TrackFile"));
    auto *offset = dialog.findChild<QSpinBox *>(QStringLiteral("sBox_Offset"));
    auto *load = dialog.findChild<QPushButton *>(QStringLiteral("pBtn_Load"));
    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lst_Covered"));
    QVERIFY(file && offset && load && list);
    QCOMPARE(offset->minimum(), -43200);
    QCOMPARE(offset->maximum(), 43200);

    // A file that is no track is refused and nothing is set.
    file->setText(m_recordings.first());
    load->click();
    QCOMPARE(loaded.count(), 0);
    QVERIFY(!FolderTracks::instance().find(m_dir.path()));

    file->setText(QDir::toNativeSeparators(m_track));
    load->click();
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.at(0).at(0).toString(), m_dir.path());
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    QCOMPARE(rows, (QStringList{"20240305_100000_F.mp4: covered, 1 of 1 s", "20240305_100100_F.mp4: covered, 1 of 1 s",
                                "20240305_100200_F.mp4: has a track file of its own",
                                "20240305_120000_F.mp4: not covered"}));

    // The offset is remembered for the folder and moves the recordings:
    // -7200 s puts the noon recording on the track's 10:00.
    offset->setValue(-7200);
    load->click();
    QCOMPARE(Configuration::instance()->folderTrackOffset(m_dir.path()), -7200);
    QCOMPARE(list->item(0)->text(), QStringLiteral("20240305_100000_F.mp4: not covered"));
    QCOMPARE(list->item(3)->text(), QStringLiteral("20240305_120000_F.mp4: covered, 1 of 1 s"));
    FolderTrackDialog again(m_dir.path(), m_recordings);
    QCOMPARE(again.findChild<QSpinBox *>(QStringLiteral("sBox_Offset"))->value(), -7200);
    QCOMPARE(again.findChild<QListWidget *>(QStringLiteral("lst_Covered"))->count(), 4);
}

void TestFolderTrack::playlistReparses()
{
    FolderTracks::instance().clear();
    PlaylistModel model;
    bool added = false;
    for (const QString &path : m_recordings)
        model.addDataByFileInfo(QFileInfo(path), 0, added);
    QCOMPARE(model.filesInFolder(m_dir.path()), m_recordings);
    QVERIFY(model.filesInFolder(QDir::tempPath()).isEmpty());

    // Row 0 sends its list by itself; row 1's comes when asked for.
    QSignalSpy lists(&model, &PlaylistModel::allGpsDataParserFinished);
    auto listOfRow1 = [&lists](QList<GpsData> *out) {
        for (const QList<QVariant> &args : qAsConst(lists)) {
            if (args.at(0).toInt() == 1) {
                *out = args.at(1).value<QList<GpsData>>();
                return true;
            }
        }
        return false;
    };
    QList<GpsData> samples;
    model.requestAllGpsData(1);
    QTRY_VERIFY(listOfRow1(&samples));
    QVERIFY(samples.isEmpty());
    lists.clear();

    TrackFile::Format format;
    QString problem;
    FolderTracks::instance().set(m_dir.path(), m_track, TrackFile::load(m_track, &format, &problem), 0);
    QCOMPARE(model.reparseFolder(m_dir.path()), (QList<int>{0, 1, 2, 3}));
    model.requestAllGpsData(1);
    QTRY_VERIFY(listOfRow1(&samples));
    QCOMPARE(samples.size(), 1);
    QCOMPARE(samples.at(0).latitude, 48.1);
}

QTEST_MAIN(TestFolderTrack)
#include "tst_foldertrack.moc"

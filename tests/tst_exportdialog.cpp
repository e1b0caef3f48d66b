#include "configuration.h"
#include "controlpanel.h"
#include "exportdialog.h"
#include "sliderrangeoverlay.h"
#include "tst_dashboardhelpers.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

using namespace DashboardTest;

// The window's side of the export: the marks on the control panel and the
// dialog that runs the export off the GUI thread, on a generated recording.
class TestExportDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void marksAndRange();
    void marksAcrossRecordings();
    void piecesMakeTheRequest();
    void exportFromDialog();
    void cancelFromDialog();

private:
    QString m_front;
    QString m_rear;
};

void TestExportDialog::initTestCase()
{
    useTestSettings("ExportDialogTest");
    const QDir media(qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QStringLiteral("/export"));
    m_front = media.filePath(QStringLiteral("20240103_100000_F.mp4"));
    m_rear = media.filePath(QStringLiteral("20240103_100000_R.mp4"));
    QVERIFY2(QFileInfo::exists(m_front) && QFileInfo::exists(m_rear), "the media fixture makes the export trip");
}

void TestExportDialog::marksAndRange()
{
    ControlPanel panel;
    panel.resize(900, 120);
    panel.show();
    panel.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&panel));
    panel.setMaxDuration(60000);
    panel.setState(TrackoraActiveXLib::PlayingState);
    auto *overlay = panel.findChild<SliderRangeOverlay *>();
    QVERIFY(overlay);
    QVERIFY(!overlay->isVisible());

    QSignalSpy requested(&panel, &ControlPanel::exportRequested);
    panel.setCurrentPosition(12000);
    QTest::keyClick(&panel, Qt::Key_I);
    panel.setCurrentPosition(40000);
    QTest::mouseClick(panel.findChild<QPushButton *>(QStringLiteral("btn_MarkOut")), Qt::LeftButton);
    QCOMPARE(panel.markedIn(), 12000);
    QCOMPARE(panel.markedOut(), 40000);
    QVERIFY(overlay->isVisible());
    QCOMPARE(overlay->in(), 12000);
    // The band lies where the slider's handle would stand at those seconds.
    auto *slider = panel.findChild<QSlider *>(QStringLiteral("hSlider_Seek"));
    QVERIFY(overlay->xFor(12000) < overlay->xFor(40000));
    QVERIFY(overlay->xFor(0) >= 0 && overlay->xFor(60000) <= slider->width());

    QTest::mouseClick(panel.findChild<QPushButton *>(QStringLiteral("btn_Export")), Qt::LeftButton);
    QCOMPARE(requested.size(), 1);
    QCOMPARE(requested.first().at(0).value<RangeMark>(), (RangeMark{0, 12000}));
    QCOMPARE(requested.first().at(1).value<RangeMark>(), (RangeMark{0, 40000}));

    // An out mark before the in mark starts a new range; another recording clears it.
    panel.setCurrentPosition(5000);
    QTest::keyClick(&panel, Qt::Key_O);
    QCOMPARE(panel.markedIn(), -1);
    QCOMPARE(panel.markedOut(), 5000);
    panel.setMaxDuration(30000);
    QCOMPARE(panel.markedOut(), -1);
    QVERIFY(!overlay->isVisible());
}

// Within a trip the marks count the trip's recordings and outlive the
// change to the next one; the slider shows the playing one's share.
void TestExportDialog::marksAcrossRecordings()
{
    ControlPanel panel;
    panel.resize(900, 120);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    auto *overlay = panel.findChild<SliderRangeOverlay *>();
    QSignalSpy requested(&panel, &ControlPanel::exportRequested);
    panel.setRangeScope(7, 0);
    panel.setMaxDuration(60000);
    panel.setState(TrackoraActiveXLib::PlayingState);
    panel.setCurrentPosition(50000);
    panel.markIn();

    // The next recording of the trip: the in mark stays, off this slider.
    panel.setRangeScope(7, 1);
    panel.setMaxDuration(30000);
    panel.setCurrentPosition(0);
    QCOMPARE(panel.markedInAt(), (RangeMark{0, 50000}));
    QVERIFY(!overlay->isVisible());
    panel.setCurrentPosition(8000);
    panel.markOut();
    QCOMPARE(panel.markedOutAt(), (RangeMark{1, 8000}));
    QVERIFY(overlay->isVisible());
    QCOMPARE(overlay->in(), 0);
    QCOMPARE(overlay->out(), 8000);
    QTest::mouseClick(panel.findChild<QPushButton *>(QStringLiteral("btn_Export")), Qt::LeftButton);
    QCOMPARE(requested.size(), 1);
    QCOMPARE(requested.first().at(0).value<RangeMark>(), (RangeMark{0, 50000}));
    QCOMPARE(requested.first().at(1).value<RangeMark>(), (RangeMark{1, 8000}));

    // A recording the range does not reach shows nothing; an out mark before
    // the in mark, in an earlier recording, starts a new range.
    panel.setRangeScope(7, 2);
    QVERIFY(!overlay->isVisible());
    panel.setRangeScope(7, 0);
    panel.setCurrentPosition(10000);
    panel.markOut();
    QVERIFY(!panel.markedInAt().isSet());
    QCOMPARE(panel.markedOutAt(), (RangeMark{0, 10000}));
    // Only the out mark: the export runs from its recording's start.
    QTest::mouseClick(panel.findChild<QPushButton *>(QStringLiteral("btn_Export")), Qt::LeftButton);
    QCOMPARE(requested.last().at(0).value<RangeMark>(), (RangeMark{0, 0}));
    // An in mark alone in another recording runs to that recording's end.
    panel.clearMarks();
    panel.setRangeScope(7, 1);
    panel.setCurrentPosition(3000);
    panel.markIn();
    panel.setRangeScope(7, 0);
    QTest::mouseClick(panel.findChild<QPushButton *>(QStringLiteral("btn_Export")), Qt::LeftButton);
    QCOMPARE(requested.last().at(1).value<RangeMark>(), (RangeMark{1, -1}));

    // Another trip, or a recording on its own, starts without marks.
    panel.setRangeScope(9, 0);
    QVERIFY(!panel.markedInAt().isSet());
    QVERIFY(!overlay->isVisible());
}

// The window's pieces become one request over both recordings; the rear goes
// along only when every piece has one.
void TestExportDialog::piecesMakeTheRequest()
{
    const QString second = QFileInfo(m_front).dir().filePath(QStringLiteral("20240103_100004_F.mp4"));
    const QString secondRear = QFileInfo(m_front).dir().filePath(QStringLiteral("20240103_100004_R.mp4"));
    {
        ExportDialog dialog({ExportPiece{m_front, m_rear, 1.5, -1.0}, ExportPiece{second, secondRear, 0.0, -1.0}});
        const QString text = dialog.findChild<QLabel *>(QStringLiteral("lbl_ExportRange"))->text();
        QVERIFY2(text.contains(QLatin1String("the end of 20240103_100004_F.mp4")) && text.contains(QLatin1String("key frame at 00:00:01")),
                 qPrintable(text));
        const ExportRequest r = dialog.request();
        QCOMPARE(r.front.size(), 2);
        QCOMPARE(r.front[0].from, 1.5);
        QCOMPARE(r.front[1].path, second);
        QCOMPARE(r.front[1].to, -1.0);
        QCOMPARE(r.rear, (QList<QString>{m_rear, secondRear}));
    }
    ExportDialog halfPaired({ExportPiece{m_front, m_rear, 0.0, -1.0}, ExportPiece{second, QString(), 0.0, 2.0}});
    QVERIFY(halfPaired.request().rear.isEmpty());
    QCOMPARE(halfPaired.request().front.size(), 2);
    QVERIFY2(halfPaired.findChild<QLabel *>(QStringLiteral("lbl_ExportRange"))->text().contains(QLatin1String("to 00:00:02 of 20240103_100004_F.mp4")),
             qPrintable(halfPaired.findChild<QLabel *>(QStringLiteral("lbl_ExportRange"))->text()));
}

void TestExportDialog::exportFromDialog()
{
    QTemporaryDir dir;
    ExportDialog dialog(m_front, m_rear, 1500, 3500);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // The copy starts at the key frame before 1.5 s, and the dialog says so.
    QVERIFY2(dialog.findChild<QLabel *>(QStringLiteral("lbl_ExportRange"))->text().contains(QLatin1String("00:00:01")),
             qPrintable(dialog.findChild<QLabel *>(QStringLiteral("lbl_ExportRange"))->text()));
    auto *kind = dialog.findChild<QComboBox *>(QStringLiteral("cBox_ExportKind"));
    kind->setCurrentIndex(kind->count() - 1);
    dialog.findChild<QLineEdit *>(QStringLiteral("lEdit_ExportPath"))->setText(dir.path());
    QSignalSpy finished(&dialog, &ExportDialog::exportFinished);
    auto *bar = dialog.findChild<QProgressBar *>(QStringLiteral("pBar_Export"));
    int biggestStep = 0;
    int last = 0;
    connect(bar, &QProgressBar::valueChanged, this, [&](int v) {
        biggestStep = qMax(biggestStep, v - last);
        last = v;
    });
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pBtn_ExportStart")), Qt::LeftButton);
    QVERIFY(dialog.isRunning());
    QVERIFY(finished.wait(60000));
    QVERIFY2(finished.first().at(0).toBool(), qPrintable(finished.first().at(2).toString()));
    QCOMPARE(finished.first().at(1).toStringList().size(), 5);
    QCOMPARE(bar->value(), bar->maximum());
    // The progress came in many steps, not as one jump at the end.
    QVERIFY2(biggestStep < bar->maximum() / 2, qPrintable(QString::number(biggestStep)));
    QCOMPARE(Configuration::instance()->exportSavePath(), dir.path());
}

void TestExportDialog::cancelFromDialog()
{
    QTemporaryDir dir;
    ExportDialog dialog(m_front, m_rear, 0, 4000);
    dialog.show();
    auto *kind = dialog.findChild<QComboBox *>(QStringLiteral("cBox_ExportKind"));
    kind->setCurrentIndex(kind->count() - 1);
    dialog.findChild<QLineEdit *>(QStringLiteral("lEdit_ExportPath"))->setText(dir.path());
    QSignalSpy finished(&dialog, &ExportDialog::exportFinished);
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pBtn_ExportStart")), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pBtn_ExportCancel")), Qt::LeftButton);
    QVERIFY(finished.wait(60000));
    // The export may have ended before the click landed; either way nothing half-written stays.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    if (finished.first().at(0).toBool())
        QCOMPARE(left.size(), 5);
    else
        QCOMPARE(left, QStringList());
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isRunning());
}

QTEST_MAIN(TestExportDialog)
#include "tst_exportdialog.moc"

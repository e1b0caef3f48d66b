#include <QtTest>

#include <cstring>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>

#include "cgpsutils.h"
#include "configuration.h"
#include "copyright.h"
#include "eventdetector.h"
#include "mainwindows.h"
#include "setting.h"
#include "trackoraversion.h"
#include "tst_mapharness.h"

namespace {

template<typename T>
T *child(QWidget *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child %s", name);
    return found;
}

// The scale the ctest run asked for through QT_FONT_DPI, or 1.
qreal requestedScale()
{
    const int dpi = qEnvironmentVariableIntValue("QT_FONT_DPI");
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

void saveShot(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("TRACKORA_DIALOG_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

// Both dialogs against a private settings folder. ctest runs this at 100 %,
// 125 % and 150 % (QT_FONT_DPI) for the font tables.
class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("TrackoraTest"));
        QCoreApplication::setApplicationName(QStringLiteral("DialogsTest"));
        QCoreApplication::setApplicationVersion(QStringLiteral(TRACKORA_VERSION));
        const QString folder = QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation).value(0);
        QFile::remove(folder + QStringLiteral("/configuration.ini"));
        qRegisterMetaType<MapTypes>("MapTypes");
        Configuration::instance()->setLanguage(Configuration::EnglishUS);
        CGPSUtils::instance()->setApplicationFont();
    }

    void settingShowsTheStoredValues()
    {
        Configuration *config = Configuration::instance();
        config->setScreenshotSavePath(QStringLiteral("/tmp/shots"));
        config->setLanguage(Configuration::EnglishGB);
        Setting dialog;
        QCOMPARE(child<QLineEdit>(&dialog, "lEdit_SavePath")->text(), QStringLiteral("/tmp/shots"));
        QVERIFY2(child<QLineEdit>(&dialog, "lEdit_SavePath")->isReadOnly(), "the save path is not typed in");
        QCOMPARE(child<QComboBox>(&dialog, "cBox_Language")->currentIndex(), 2);
        QCOMPARE(child<QComboBox>(&dialog, "cBox_Maps")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(&dialog, "cBox_RenderModel")->currentIndex(), 1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(dialog.windowFlags() & Qt::FramelessWindowHint, "the dialog draws its own frame");
        for (const char *hidden : {"labelSpeddUnit", "cBox_SpeedUnit", "labelRenderModel", "cBox_RenderModel"})
            QVERIFY2(!child<QWidget>(&dialog, hidden)->isVisible(), hidden);
        QVERIFY2(child<QComboBox>(&dialog, "cBox_Language")->isVisible(), "the language choice is shown");
        saveShot(&dialog, QStringLiteral("setting"));
    }

    void saveWithoutChangesStillAnnounces()
    {
        Configuration *config = Configuration::instance();
        config->setMaps(0);
        config->setSpeedUnit(1);
        config->setScreenshotSavePath(QStringLiteral("/tmp/shots"));
        QSignalSpy language(config, &Configuration::updateLanguage);
        QSignalSpy state(config, &Configuration::updateState);
        QSignalSpy speed(config, &Configuration::speedUnitChanged);
        QSignalSpy maps(config, &Configuration::mapsChanged);
        // updateState must come after everything is stored.
        int renderModelWhenStateArrived = -2;
        QMetaObject::Connection c = connect(config, &Configuration::updateState, this,
                                            [&] { renderModelWhenStateArrived = config->renderModel(); });

        Setting dialog;
        child<QPushButton>(&dialog, "pBtn_OK")->click();
        disconnect(c);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(language.count(), 1);
        QCOMPARE(state.count(), 1);
        QCOMPARE(speed.count(), 1);
        QCOMPARE(speed.first().first().toInt(), 1);
        QCOMPARE(maps.count(), 0);
        QCOMPARE(renderModelWhenStateArrived, 1);
        QCOMPARE(config->screenshotSavePath(), QStringLiteral("/tmp/shots"));
    }

    // Pressing on the dialog's own surface and moving drags it; it has no frame.
    void settingDragsByItsBackground()
    {
        Setting dialog;
        dialog.move(300, 200);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint before = dialog.pos();
        QWidget *title = child<QWidget>(&dialog, "widgetTipTitle");
        const QPoint press = title->mapTo(&dialog, QPoint(60, 10));
        QMouseEvent down(QEvent::MouseButtonPress, press, dialog.mapToGlobal(press), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &down);
        QCursor::setPos(dialog.mapToGlobal(press) + QPoint(80, 50));
        QTRY_COMPARE(QCursor::pos(), dialog.mapToGlobal(press) + QPoint(80, 50));
        QMouseEvent move(QEvent::MouseMove, press, QCursor::pos(), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &move);
        QMouseEvent up(QEvent::MouseButtonRelease, press, QCursor::pos(), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QApplication::sendEvent(&dialog, &up);
        QTRY_COMPARE(dialog.pos(), before + QPoint(80, 50));
    }

    void cancelAndCloseDropAChosenFolder_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("cancel") << QStringLiteral("pBtn_Cancel");
        QTest::newRow("close") << QStringLiteral("pBtn_Close");
    }

    void cancelAndCloseDropAChosenFolder()
    {
        QFETCH(QString, button);
        Configuration *config = Configuration::instance();
        config->setScreenshotSavePath(QStringLiteral("/tmp/shots"));
        QSignalSpy state(config, &Configuration::updateState);
        QTemporaryDir chosen;
        QVERIFY(chosen.isValid());

        Setting dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        bool answered = false;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
            auto *picker = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            // The whole path typed: selectFile leaves a focused name field alone.
            picker->setDirectory(chosen.path());
            if (auto *name = picker->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(chosen.path());
            static_cast<QDialog *>(picker)->accept();
            answered = true;
        });
        child<QPushButton>(&dialog, "pBtn_Choose")->click();
        QVERIFY2(answered, "the folder dialog was opened");
        QCOMPARE(QDir(child<QLineEdit>(&dialog, "lEdit_SavePath")->text()), QDir(chosen.path()));

        child<QPushButton>(&dialog, button.toLatin1().constData())->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY2(dialog.isHidden(), "the dialog hides after closing");
        QCOMPARE(config->screenshotSavePath(), QStringLiteral("/tmp/shots"));
        QCOMPARE(state.count(), 0);
    }

    // The thresholds sit in a part of their own that opens on demand; Save
    // stores them and detection follows, Cancel keeps the old ones.
    void eventThresholdsInTheAdvancedPart()
    {
        Configuration *config = Configuration::instance();
        config->setEventThresholds(EventThresholds());
        // 50 to 36 km/h in a second, an axis at 1.2 g.
        QList<GpsData> samples;
        for (int speed : {50, 36}) {
            GpsData s;
            std::memset(&s, 0, sizeof s);
            s.speed = speed;
            s.latitude = 35.6;
            s.longitude = 139.7;
            s.gsensorX = 1.2f;
            samples.append(s);
        }
        QCOMPARE(detectEvents(samples, config->eventThresholds()).size(), 1);

        for (const bool save : {false, true}) {
            Setting dialog;
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QWidget *advanced = child<QWidget>(&dialog, "wgt_Advanced");
            QVERIFY2(!advanced->isVisible(), "the advanced part starts closed");
            QCOMPARE(child<QSpinBox>(&dialog, "sBox_BrakingKmh")->value(), 12);
            QCOMPARE(child<QSpinBox>(&dialog, "sBox_AccelerationKmh")->value(), 10);
            QCOMPARE(child<QDoubleSpinBox>(&dialog, "dsBox_ImpactDeltaG")->value(), 1.5);
            QCOMPARE(child<QDoubleSpinBox>(&dialog, "dsBox_ImpactG")->value(), 2.0);
            child<QPushButton>(&dialog, "pBtn_Advanced")->click();
            QVERIFY2(advanced->isVisible(), "the button opens the advanced part");
            QTRY_VERIFY2(dialog.height() >= dialog.sizeHint().height(), "the dialog grows to show it");
            if (save)
                saveShot(&dialog, QStringLiteral("setting_advanced"));
            child<QSpinBox>(&dialog, "sBox_BrakingKmh")->setValue(15);
            child<QDoubleSpinBox>(&dialog, "dsBox_ImpactG")->setValue(1.2);
            child<QPushButton>(&dialog, save ? "pBtn_OK" : "pBtn_Cancel")->click();
        }
        const EventThresholds t = config->eventThresholds();
        QCOMPARE(t.brakingKmh, 15);
        QCOMPARE(t.accelerationKmh, 10);
        QCOMPARE(t.impactDeltaG, 1.5);
        QCOMPARE(t.impactG, 1.2);
        // The braking is gone, and both seconds now read as one impact.
        const QVector<DrivingEvent> events = detectEvents(samples, t);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().kind, DrivingEvent::Impact);
        config->setEventThresholds(EventThresholds());
    }

    void storedValuesSurviveSave_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("maps");
        QTest::addColumn<int>("shownLanguage");
        QTest::addColumn<int>("shownMaps");
        QTest::addColumn<int>("savedMaps");
        QTest::newRow("french") << int(Configuration::French) << 0 << 5 << 0 << 0;
        QTest::newRow("korean, openstreetmap") << int(Configuration::Korean) << 2 << 12 << 2 << 2;
        QTest::newRow("following a french system") << int(Configuration::FollowSystem) << 1 << 5 << 1 << 1;
        QTest::newRow("damaged map") << int(Configuration::German) << 99 << 9 << 0 << 0;
    }

    // Every stored value shows in its box, and Save without a change keeps it.
    void storedValuesSurviveSave()
    {
        QFETCH(int, language);
        QFETCH(int, maps);
        QFETCH(int, shownLanguage);
        QFETCH(int, shownMaps);
        QFETCH(int, savedMaps);
        Configuration *config = Configuration::instance();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        config->setLanguage(language);
        QSettings(config->fileName(), QSettings::IniFormat).setValue(QStringLiteral("maps"), maps);
        {
            Setting dialog;
            auto *languages = child<QComboBox>(&dialog, "cBox_Language");
            auto *mapBox = child<QComboBox>(&dialog, "cBox_Maps");
            QCOMPARE(languages->count(), 13);
            QCOMPARE(mapBox->count(), 3);
            QCOMPARE(languages->currentIndex(), shownLanguage);
            QCOMPARE(mapBox->currentIndex(), shownMaps);
            child<QPushButton>(&dialog, "pBtn_OK")->click();
        }
        QLocale::setDefault(QLocale::c());
        const QSettings file(config->fileName(), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("language")).toInt(), language);
        QCOMPARE(file.value(QStringLiteral("maps")).toInt(), savedMaps);
        QCOMPARE(file.value(QStringLiteral("speedUnit")).toInt(), config->speedUnit());
        QCOMPARE(file.value(QStringLiteral("renderModel")).toInt(), config->renderModel());
        QVERIFY2(config->speedUnit() >= 0 && config->renderModel() >= 0, "nothing is saved as -1");
        config->setLanguage(Configuration::EnglishUS);
        config->setMaps(0);
    }

    // A language picked in the box is the one stored.
    void pickedLanguageIsStored()
    {
        Configuration *config = Configuration::instance();
        config->setLanguage(Configuration::FollowSystem);
        Setting dialog;
        child<QComboBox>(&dialog, "cBox_Language")->setCurrentIndex(Configuration::Spanish);
        child<QPushButton>(&dialog, "pBtn_OK")->click();
        QCOMPARE(config->languageSetting(), int(Configuration::Spanish));
        QCOMPARE(QCoreApplication::translate("Configuration", "English"), QStringLiteral("Español"));
        config->setLanguage(Configuration::EnglishUS);
    }

    void fontTablesAtBoundaries_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<bool>("scaled");
        QTest::addColumn<int>("settingText");
        QTest::addColumn<int>("settingTitle");
        QTest::addColumn<int>("copyrightText");
        QTest::addColumn<int>("copyrightTitle");
        QTest::newRow("no screen") << 0.0 << false << 0 << 0 << 0 << 0;
        QTest::newRow("1.09") << 1.09 << false << 0 << 0 << 0 << 0;
        QTest::newRow("1.1") << 1.1 << true << 10 << 17 << 11 << 18;
        QTest::newRow("1.4") << 1.4 << true << 9 << 16 << 9 << 16;
        QTest::newRow("1.6") << 1.6 << true << 8 << 13 << 8 << 13;
        QTest::newRow("1.8") << 1.8 << true << 7 << 11 << 7 << 11;
        QTest::newRow("2.49") << 2.49 << true << 7 << 11 << 7 << 11;
        QTest::newRow("2.5") << 2.5 << true << 6 << 9 << 6 << 9;
    }

    void fontTablesAtBoundaries()
    {
        QFETCH(qreal, scale);
        QFETCH(bool, scaled);
        DialogFontStep setting, copyright;
        QCOMPARE(Setting::fontStepForScale(scale, &setting), scaled);
        QCOMPARE(Copyright::fontStepForScale(scale, &copyright), scaled);
        if (!scaled)
            return;
        QFETCH(int, settingText);
        QFETCH(int, settingTitle);
        QFETCH(int, copyrightText);
        QFETCH(int, copyrightTitle);
        QCOMPARE(setting.pointSize, settingText);
        QCOMPARE(setting.titlePointSize, settingTitle);
        QCOMPARE(copyright.pointSize, copyrightText);
        QCOMPARE(copyright.titlePointSize, copyrightTitle);
    }

    // The fonts follow the real screen's scale within a few timer ticks.
    void fontsFollowTheScreen()
    {
        Setting setting;
        Copyright copyright;
        setting.show();
        copyright.show();
        QVERIFY(QTest::qWaitForWindowExposed(&setting));
        QVERIFY(QTest::qWaitForWindowExposed(&copyright));
        QCOMPARE(screenScaleFor(&setting), requestedScale());

        auto *settingTitle = child<QLabel>(&setting, "lbl_Title");
        auto *settingLabel = child<QLabel>(&setting, "lbl_language");
        auto *savePath = child<QLineEdit>(&setting, "lEdit_SavePath");
        auto *copyrightTitle = child<QLabel>(&copyright, "lbl_Title");
        auto *version = child<QLabel>(&copyright, "label_ver");
        auto *appName = child<QLabel>(&copyright, "label_appName");
        auto *text = child<QTextEdit>(&copyright, "textEdit_copyright");

        DialogFontStep s, c;
        if (!Setting::fontStepForScale(requestedScale(), &s)) {
            // Nothing to wait for: no font may change over a few 50 ms checks.
            QTest::qWait(200);
            QCOMPARE(settingTitle->font().pointSize(), 12);
            QCOMPARE(copyrightTitle->font().pointSize(), 16);
            QCOMPARE(version->font().pointSize(), 12);
            QTRY_COMPARE(text->fontPointSize(), 11.0);
            return;
        }
        Copyright::fontStepForScale(requestedScale(), &c);
        QTRY_COMPARE_WITH_TIMEOUT(settingTitle->font().pointSize(), s.titlePointSize, 1000);
        QCOMPARE(settingLabel->font().pointSize(), s.pointSize);
        QCOMPARE(savePath->font().pointSize(), s.pointSize);
        QCOMPARE(child<QComboBox>(&setting, "cBox_Language")->font().pointSize(), s.pointSize);
        QCOMPARE(child<QPushButton>(&setting, "pBtn_OK")->font().pointSize(), s.pointSize);
        QVERIFY2(settingTitle->font().bold(), "the setting title is bold");

        QTRY_COMPARE_WITH_TIMEOUT(copyrightTitle->font().pointSize(), c.titlePointSize, 1000);
        // At some scales the title already has its size before the timer applies
        // the step, so its wait alone can end before the labels change.
        QTRY_COMPARE_WITH_TIMEOUT(version->font().pointSize(), c.pointSize, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(appName->font().pointSize(), c.pointSize, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(text->fontPointSize(), qreal(c.pointSize), 1000);
        saveShot(&setting, QStringLiteral("setting-%1").arg(qRound(requestedScale() * 100)));
        saveShot(&copyright, QStringLiteral("copyright-%1").arg(qRound(requestedScale() * 100)));
    }

    // Save with another language re-translates the windows behind while the
    // dialog is still open; the title buttons open both dialogs.
    void languageSwitchRetranslatesTheWindowsBehind()
    {
        Configuration *config = Configuration::instance();
        config->setLanguage(Configuration::EnglishUS);
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *close = child<QPushButton>(&window, "pBtn_Close");
        auto *maximize = child<QPushButton>(&window, "pBtn_Maximize");
        auto *stop = child<QWidget>(&window, "btn_Stop");
        auto *play = child<QWidget>(&window, "btn_PlayOrPause");
        auto *slower = child<QWidget>(&window, "pBtn_Up");
        QVERIFY2(close && maximize && stop && play && slower, "the window has its buttons");
        QCOMPARE(close->toolTip(), QStringLiteral("Close"));
        QCOMPARE(stop->toolTip(), QStringLiteral("Stop"));
        QCOMPARE(slower->toolTip(), QStringLiteral("Slow"));

        bool sawOpenDialog = false;
        QMetaObject::Connection seen = connect(config, &Configuration::updateState, this, [&] {
            sawOpenDialog = qobject_cast<Setting *>(QApplication::activeModalWidget())
                && QApplication::activeModalWidget()->isVisible()
                && close->toolTip() == QStringLiteral("閉じる") && stop->toolTip() == QStringLiteral("停止")
                && slower->toolTip() == QStringLiteral("低速");
        });
        const auto answer = [this](int language) {
            QTimer::singleShot(0, this, [language] {
                QTRY_VERIFY(qobject_cast<Setting *>(QApplication::activeModalWidget()));
                QWidget *dialog = QApplication::activeModalWidget();
                saveShot(dialog, QStringLiteral("setting-before-%1").arg(language));
                child<QComboBox>(dialog, "cBox_Language")->setCurrentIndex(language);
                child<QPushButton>(dialog, "pBtn_OK")->click();
            });
        };
        answer(Configuration::Japanese);
        child<QPushButton>(&window, "pBtn_Step")->click();
        disconnect(seen);
        QVERIFY2(sawOpenDialog, "the step button opened the settings dialog");
        QCOMPARE(int(config->language()), int(Configuration::Japanese));
        QCOMPARE(maximize->toolTip(), QStringLiteral("最大化"));
        QCOMPARE(play->toolTip(), QStringLiteral("再生"));
        QVERIFY2(!window.findChild<Setting *>(), "the settings dialog is gone after closing");

        // The information dialog, in Japanese now, closes by its button.
        QString licence;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<Copyright *>(QApplication::activeModalWidget()));
            QWidget *dialog = QApplication::activeModalWidget();
            licence = child<QTextEdit>(dialog, "textEdit_copyright")->toPlainText();
            QCOMPARE(child<QLabel>(dialog, "label_ver")->text(), QStringLiteral("バージョン: 1.34"));
            saveShot(dialog, QStringLiteral("copyright-main"));
            child<QPushButton>(dialog, "pBtn_Close")->click();
        });
        child<QPushButton>(&window, "pBtn_Copyright")->click();
        QVERIFY2(licence.contains(QStringLiteral("使用条件")), "the licence text is the Japanese one");

        answer(Configuration::EnglishUS);
        child<QPushButton>(&window, "pBtn_Step")->click();
        QCOMPARE(close->toolTip(), QStringLiteral("Close"));
        QCOMPARE(stop->toolTip(), QStringLiteral("Stop"));
        QCOMPARE(maximize->toolTip(), QStringLiteral("Maximize"));
        saveShot(&window, QStringLiteral("mainwindow"));
    }

    void copyrightShowsNameVersionAndFrame()
    {
        Copyright dialog;
        QCOMPARE(child<QLabel>(&dialog, "label_appName")->text(), QCoreApplication::applicationName());
        QCOMPARE(child<QLabel>(&dialog, "label_ver")->text(),
                 QCoreApplication::translate("Copyright", "Version:") + QStringLiteral(" 1.34"));
        QCOMPARE(dialog.size(), QSize(700, 440));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY2(dialog.windowFlags() & Qt::FramelessWindowHint, "the dialog draws its own frame");
        QVERIFY2(child<QTextEdit>(&dialog, "textEdit_copyright")->isReadOnly(), "the licence text is read-only");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        child<QPushButton>(&dialog, "pBtn_Close")->click();
        QTRY_VERIFY(dialog.isHidden());
    }

    void licenceFollowsTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::newRow("japanese") << 0 << QStringLiteral("License_jp.txt");
        QTest::newRow("english") << 1 << QStringLiteral("License_en.txt");
        QTest::newRow("french") << 5 << QStringLiteral("License_en.txt");
    }

    void licenceFollowsTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, file);
        Configuration *config = Configuration::instance();
        config->setLanguage(language);
        QCOMPARE(int(config->language()), language);

        QFile expected(QCoreApplication::applicationDirPath() + QLatin1Char('/') + file);
        QVERIFY2(expected.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(expected.fileName()));
        const QString text = QString::fromUtf8(expected.readAll());
        QVERIFY2(text.size() > 1000, "the licence file has its full text");

        Copyright dialog;
        auto *edit = child<QTextEdit>(&dialog, "textEdit_copyright");
        QCOMPARE(edit->toPlainText(), text);
        QCOMPARE(edit->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
        // Both files exist in both tongues, so the choice is visible in the script.
        const bool japanese = text.contains(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30ff}]")));
        QCOMPARE(japanese, language == 0);
        if (language == 0) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            saveShot(&dialog, QStringLiteral("copyright-ja"));
        }
        config->setLanguage(Configuration::EnglishUS);
    }
};

int main(int argc, char **argv)
{
    TestDialogs test;
    // The main window's map must not reach the network.
    return maptest::run(&test, "DialogsTest", argc, argv, {"--host-resolver-rules=MAP * ~NOTFOUND"});
}
#include "tst_dialogs.moc"

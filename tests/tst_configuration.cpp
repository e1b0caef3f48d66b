#include <QtTest>

#include <QSettings>
#include <QSignalSpy>

#include "configuration.h"

namespace {
QString languageText()
{
    return QCoreApplication::translate("Configuration", "English");
}
} // namespace

// Runs against a private settings folder; the instance is created once, so the
// first-start case must run first.
class TestConfiguration : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("TrackoraTest"));
        QCoreApplication::setApplicationName(QStringLiteral("ConfigurationTest"));
        const QString folder = QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation).value(0);
        QVERIFY(!folder.isEmpty());
        QFile::remove(folder + QStringLiteral("/configuration.ini"));
        qRegisterMetaType<MapTypes>("MapTypes");
    }

    void firstStartDefaults()
    {
        Configuration *c = Configuration::instance();
        QCOMPARE(c, Configuration::instance());
        QVERIFY2(c->fileName().endsWith(QStringLiteral("/ConfigurationTest/configuration.ini")), qPrintable(c->fileName()));
        QVERIFY2(!QFile::exists(c->fileName()), "a fresh configuration writes no file");
        QCOMPARE(int(c->language()), 0);
        QCOMPARE(c->volume(), 30);
        QCOMPARE(c->isMute(), false);
        QCOMPARE(c->isMainWindowMaximized(), false);
        QCOMPARE(c->mainWindowRect(), QRect(483, 166, 621, 628));
        QCOMPARE(c->maps(), 0);
        QCOMPARE(c->renderModel(), 1);
        QCOMPARE(c->speedUnit(), 0);
        QVERIFY2(c->screenshotSavePath().endsWith(QStringLiteral("/ConfigurationTest")),
                 "screenshots go to a folder named after the program");
        QVERIFY2(!c->videoFilePath().isEmpty(), "a recordings folder is set");

        // Start-up writes the resolved language back, so the file then exists.
        c->setLanguage(c->language());
        QCOMPARE(int(c->language()), 0);
        QCOMPARE(languageText(), QStringLiteral("日本語"));
    }

    void valuesPersistUnderTheirKeys()
    {
        Configuration *c = Configuration::instance();
        c->setVolume(77);
        c->setMute(true);
        c->setMainWindowRect(QRect(1, 2, 300, 400));
        c->setMainWindowMaximized(true);
        c->setRenderModel(0);
        c->setScreenshotSavePath(QStringLiteral("/tmp/shots"));
        c->setVideoFilePath(QStringLiteral("/tmp/videos"));
        QCOMPARE(c->volume(), 77);
        QCOMPARE(c->isMute(), true);
        QCOMPARE(c->mainWindowRect(), QRect(1, 2, 300, 400));
        QCOMPARE(c->isMainWindowMaximized(), true);
        QCOMPARE(c->renderModel(), 0);
        QCOMPARE(c->screenshotSavePath(), QStringLiteral("/tmp/shots"));
        QCOMPARE(c->videoFilePath(), QStringLiteral("/tmp/videos"));
    }

    // Stored thresholds outside what the dialog offers read as the defaults,
    // so a hand-edited file cannot turn every second into an event.
    void eventThresholdsStoredAndChecked_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("read");
        QTest::newRow("braking kept") << "brakingKmh" << "20" << 20.0;
        QTest::newRow("braking 0") << "brakingKmh" << "0" << 12.0;
        QTest::newRow("braking too high") << "brakingKmh" << "101" << 12.0;
        QTest::newRow("braking not a number") << "brakingKmh" << "abc" << 12.0;
        QTest::newRow("acceleration kept") << "accelerationKmh" << "8" << 8.0;
        QTest::newRow("change kept") << "impactDeltaG" << "0.75" << 0.75;
        QTest::newRow("change too small") << "impactDeltaG" << "0.05" << 1.5;
        QTest::newRow("change not a number") << "impactDeltaG" << "nan" << 1.5;
        QTest::newRow("reading negative") << "impactG" << "-1" << 2.0;
    }

    void eventThresholdsStoredAndChecked()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(double, read);
        Configuration *c = Configuration::instance();
        c->setEventThresholds(EventThresholds());
        // Settings objects on one file share their values within a process.
        QSettings(c->fileName(), QSettings::IniFormat).setValue(key, stored);
        const EventThresholds t = c->eventThresholds();
        const double got = key == QLatin1String("brakingKmh") ? t.brakingKmh
            : key == QLatin1String("accelerationKmh")          ? t.accelerationKmh
            : key == QLatin1String("impactDeltaG")             ? t.impactDeltaG
                                                               : t.impactG;
        QCOMPARE(got, read);
        c->setEventThresholds(EventThresholds());
    }

    void localeResolution_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("expected");
        QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany) << 9;
        QTest::newRow("swedish falls back to english") << QLocale(QLocale::Swedish, QLocale::Sweden) << 1;
        QTest::newRow("chinese hong kong") << QLocale(QLocale::Chinese, QLocale::HongKong) << 4;
        QTest::newRow("chinese taiwan") << QLocale(QLocale::Chinese, QLocale::Taiwan) << 4;
        QTest::newRow("chinese china") << QLocale(QLocale::Chinese, QLocale::China) << 3;
        QTest::newRow("japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << 0;
        QTest::newRow("portuguese brazil") << QLocale(QLocale::Portuguese, QLocale::Brazil) << 11;
        QTest::newRow("korean") << QLocale(QLocale::Korean, QLocale::SouthKorea) << 12;
    }

    void localeResolution()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, expected);
        Configuration *c = Configuration::instance();
        c->setLanguage(13);
        QLocale::setDefault(locale);
        QCOMPARE(int(c->language()), expected);
        QLocale::setDefault(QLocale::c());
    }

    void followSystemInstallsAndStoresResolvedLanguage()
    {
        Configuration *c = Configuration::instance();
        c->setLanguage(13);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        c->setLanguage(c->language());
        QLocale::setDefault(QLocale::c());
        QCOMPARE(int(c->language()), 9);
        QCOMPARE(languageText(), QStringLiteral("Deutsch"));
    }

    void switchingLanguages()
    {
        Configuration *c = Configuration::instance();
        QSignalSpy spy(c, &Configuration::updateLanguage);
        c->setLanguage(5);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(int(c->language()), 5);
        QCOMPARE(languageText(), QStringLiteral("Français"));
        c->setLanguage(1);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(languageText(), QStringLiteral("English"));
        // A value that is no language changes nothing.
        c->setLanguage(5);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no interface language 42")));
        c->setLanguage(42);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(int(c->language()), 5);
        QCOMPARE(languageText(), QStringLiteral("Français"));
        c->setLanguage(1);
    }

    // Following the system is kept as such and shows the system's language.
    void followSystemIsStoredAsSuch()
    {
        Configuration *c = Configuration::instance();
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        c->setLanguage(Configuration::FollowSystem);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(languageText(), QStringLiteral("Français"));
        QCOMPARE(QSettings(c->fileName(), QSettings::IniFormat).value(QStringLiteral("language")).toInt(), 13);
        c->setLanguage(Configuration::EnglishUS);
    }

    void damagedValuesFallBack_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("maps 99") << "maps" << "99" << QVariant(0);
        QTest::newRow("maps -1") << "maps" << "-1" << QVariant(0);
        QTest::newRow("maps text") << "maps" << "satellite" << QVariant(0);
        QTest::newRow("speed unit -1") << "speedUnit" << "-1" << QVariant(0);
        QTest::newRow("speed unit 2") << "speedUnit" << "2" << QVariant(0);
        QTest::newRow("render model 7") << "renderModel" << "7" << QVariant(1);
        QTest::newRow("language 99") << "language" << "99" << QVariant(0);
        QTest::newRow("language -1") << "language" << "-1" << QVariant(0);
        QTest::newRow("volume 250") << "Volume" << "250" << QVariant(30);
        QTest::newRow("volume -5") << "Volume" << "-5" << QVariant(30);
        QTest::newRow("mute maybe") << "Mute" << "maybe" << QVariant(false);
        QTest::newRow("maximized 2") << "mainwindowsIsMaximize" << "2" << QVariant(false);
        QTest::newRow("rect text") << "mainwindowsRect" << "garbage" << QVariant(QRect(483, 166, 621, 628));
        QTest::newRow("screenshots empty") << "ScreenshotSavePath" << "" << QVariant();
        QTest::newRow("videos blank") << "videoFilePath" << "  " << QVariant();
    }

    void damagedValuesFallBack()
    {
        QFETCH(QString, key);
        QFETCH(QString, raw);
        QFETCH(QVariant, expected);
        Configuration *c = Configuration::instance();
        {
            // Another settings object on the file, as an editor would change it.
            QSettings file(c->fileName(), QSettings::IniFormat);
            file.setValue(key, raw);
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("configuration.ini: %1 holds").arg(key)));
        QVariant read;
        if (key == QLatin1String("maps"))
            read = c->maps();
        else if (key == QLatin1String("speedUnit"))
            read = c->speedUnit();
        else if (key == QLatin1String("renderModel"))
            read = c->renderModel();
        else if (key == QLatin1String("language"))
            read = int(c->language());
        else if (key == QLatin1String("Volume"))
            read = c->volume();
        else if (key == QLatin1String("Mute"))
            read = c->isMute();
        else if (key == QLatin1String("mainwindowsIsMaximize"))
            read = c->isMainWindowMaximized();
        else if (key == QLatin1String("mainwindowsRect"))
            read = c->mainWindowRect();
        else if (key == QLatin1String("ScreenshotSavePath"))
            read = c->screenshotSavePath();
        else if (key == QLatin1String("videoFilePath"))
            read = c->videoFilePath();
        if (expected.isValid())
            QCOMPARE(read, expected);
        else
            QVERIFY2(!read.toString().trimmed().isEmpty(), "a folder, not nothing");
        QSettings(c->fileName(), QSettings::IniFormat).remove(key);
        c->setLanguage(Configuration::EnglishUS);
    }

    void japaneseWithoutComponentTranslation()
    {
        Configuration *c = Configuration::instance();
        c->setLanguage(6);
        QCOMPARE(languageText(), QStringLiteral("Italiano"));
        // The component's Japanese file is not among our resources; the
        // viewer's part still applies and the value is stored.
        QVERIFY2(!QFile::exists(QStringLiteral(":/translations/TrackoraActiveX_Jap.qm")),
                 "the component's Japanese file is not among the viewer's resources");
        QSignalSpy spy(c, &Configuration::updateLanguage);
        c->setLanguage(0);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(int(c->language()), 0);
        QCOMPARE(languageText(), QStringLiteral("日本語"));
    }

    // The component's Japanese texts live in the component; once its library
    // is loaded, the language still chosen brings them in.
    void componentTranslationArrivesWithTheComponent()
    {
        const auto componentText = [] {
            return QCoreApplication::translate("TrackoraActiveX::CFFPlayerAxWidget", "Failed to capture");
        };
        Configuration *c = Configuration::instance();
        c->setLanguage(0);
        QCOMPARE(componentText(), QStringLiteral("Failed to capture"));
        QLibrary library(qEnvironmentVariable("TRACKORA_BIN_DIR") + QStringLiteral("/TrackoraActiveX"));
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        QVERIFY2(QFile::exists(QStringLiteral(":/translations/TrackoraActiveX_Jap.qm")),
                 "loading the component brings its Japanese file");
        Configuration::componentLoaded();
        QCOMPARE(componentText(), QStringLiteral("キャプチャーに失敗しました"));
        c->setLanguage(5);
        QCOMPARE(componentText(), QStringLiteral("キャプチャーに失敗しました"));
        c->setLanguage(1);
        QCOMPARE(componentText(), QStringLiteral("Failed to capture"));
        // Loaded while another language is chosen, it stays out.
        Configuration::componentLoaded();
        QCOMPARE(componentText(), QStringLiteral("Failed to capture"));
    }

    void changeSignals()
    {
        Configuration *c = Configuration::instance();
        QSignalSpy maps(c, &Configuration::mapsChanged);
        QSignalSpy unit(c, &Configuration::speedUnitChanged);
        c->setMaps(c->maps());
        QCOMPARE(maps.count(), 0);
        c->setMaps(2);
        QCOMPARE(maps.count(), 1);
        QCOMPARE(maps.at(0).at(0).value<MapTypes>(), OpenStreetMap);
        QCOMPARE(c->maps(), 2);
        c->setMaps(2);
        QCOMPARE(maps.count(), 1);

        const int current = c->speedUnit();
        c->setSpeedUnit(current);
        c->setSpeedUnit(current);
        QCOMPARE(unit.count(), 2);
        QCOMPARE(unit.at(1).at(0).toInt(), current);
    }
};

QTEST_MAIN(TestConfiguration)
#include "tst_configuration.moc"

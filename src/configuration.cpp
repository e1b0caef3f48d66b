#include "configuration.h"

#include "shelllog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMetaEnum>
#include <QStandardPaths>

#include <memory>

// Resources live in the static library; the linker keeps them only when named.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(translations);
}

namespace {

const char *const kViewerTranslations[] = {
    ":/translations/Japanese.qm",           // 0
    nullptr,                                // 1 English (US)
    nullptr,                                // 2 English (GB)
    ":/translations/Chinese.qm",            // 3
    ":/translations/ChineseTraditional.qm", // 4
    ":/translations/French.qm",             // 5
    ":/translations/Italian.qm",            // 6
    ":/translations/Polish.qm",             // 7
    ":/translations/Russian.qm",            // 8
    ":/translations/German.qm",             // 9
    ":/translations/Spanish.qm",            // 10
    ":/translations/Portugal.qm",           // 11
    ":/translations/Korean.qm",             // 12
};
const char kComponentJapanese[] = ":/translations/TrackoraActiveX_Jap.qm";

QString settingsFolder()
{
    const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation);
    return locations.isEmpty() ? QCoreApplication::applicationDirPath() : locations.first();
}

QString firstOrHome(QStandardPaths::StandardLocation location)
{
    const QStringList locations = QStandardPaths::standardLocations(location);
    return locations.isEmpty() ? QDir::homePath() : locations.first();
}

std::unique_ptr<Configuration> &storage()
{
    static std::unique_ptr<Configuration> instance;
    return instance;
}

} // namespace

Configuration *Configuration::instance()
{
    std::unique_ptr<Configuration> &slot = storage();
    if (!slot)
        slot.reset(new Configuration);
    return slot.get();
}

Configuration::Configuration()
{
    initResources();
    const QString file = settingsFolder() + QStringLiteral("/configuration.ini");
    m_settings = new QSettings(file, QSettings::IniFormat, this);
    qCDebug(lcShell) << "configuration file" << file;
}

Configuration::~Configuration() = default;

QString Configuration::fileName() const
{
    return m_settings->fileName();
}

Configuration::Language_e Configuration::languageForLocale(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Chinese:
        return (locale.country() == QLocale::Taiwan || locale.country() == QLocale::HongKong)
            ? ChineseTraditional : ChineseSimplified;
    case QLocale::English: return EnglishUS;
    case QLocale::French: return French;
    case QLocale::Italian: return Italian;
    case QLocale::Japanese: return Japanese;
    case QLocale::Polish: return Polish;
    case QLocale::Russian: return Russian;
    case QLocale::German: return German;
    case QLocale::Spanish: return Spanish;
    case QLocale::Portuguese: return Portuguese;
    case QLocale::Korean: return Korean;
    default: return EnglishUS;
    }
}

Configuration::Language_e Configuration::language()
{
    const int stored = m_settings->value(QStringLiteral("language"), 0).toInt();
    if (stored != FollowSystem)
        return static_cast<Language_e>(stored);

    const QLocale locale;
    qCDebug(lcShell) << "Language" << QLocale::languageToString(locale.language())
             << "Country" << QLocale::countryToString(locale.country());
    const Language_e target = languageForLocale(locale);
    qCDebug(lcShell) << "targetLanguage" << target;
    return target;
}

void Configuration::setLanguage(int value)
{
    if (value == Japanese) {
        if (m_viewerTranslator.load(QString::fromLatin1(kViewerTranslations[Japanese])))
            QCoreApplication::installTranslator(&m_viewerTranslator);
        if (m_componentTranslator.load(QString::fromLatin1(kComponentJapanese)))
            QCoreApplication::installTranslator(&m_componentTranslator);
    } else if (value >= ChineseSimplified && value <= Korean) {
        if (!m_viewerTranslator.load(QString::fromLatin1(kViewerTranslations[value])))
            return;
        QCoreApplication::installTranslator(&m_viewerTranslator);
    } else {
        QCoreApplication::removeTranslator(&m_viewerTranslator);
        QCoreApplication::removeTranslator(&m_componentTranslator);
    }
    m_settings->setValue(QStringLiteral("language"), value);
    // The language's own name, as its translation has it: shows which one is installed.
    qCDebug(lcShell) << "interface language" << value << tr("English");
    emit updateLanguage();
}

void Configuration::componentLoaded()
{
    Configuration *config = storage().get();
    if (!config || config->language() != Japanese)
        return;
    if (config->m_componentTranslator.load(QString::fromLatin1(kComponentJapanese)))
        QCoreApplication::installTranslator(&config->m_componentTranslator);
}

bool Configuration::isMainWindowMaximized()
{
    return m_settings->value(QStringLiteral("mainwindowsIsMaximize"), false).toBool();
}

void Configuration::setMainWindowMaximized(bool maximized)
{
    m_settings->setValue(QStringLiteral("mainwindowsIsMaximize"), maximized);
}

QRect Configuration::mainWindowRect()
{
    return m_settings->value(QStringLiteral("mainwindowsRect"), QRect(483, 166, 621, 628)).toRect();
}

void Configuration::setMainWindowRect(const QRect &rect)
{
    m_settings->setValue(QStringLiteral("mainwindowsRect"), rect);
}

bool Configuration::isMute()
{
    return m_settings->value(QStringLiteral("Mute"), false).toBool();
}

void Configuration::setMute(bool mute)
{
    m_settings->setValue(QStringLiteral("Mute"), mute);
}

int Configuration::volume()
{
    return m_settings->value(QStringLiteral("Volume"), 30).toInt();
}

void Configuration::setVolume(int volume)
{
    m_settings->setValue(QStringLiteral("Volume"), volume);
}

int Configuration::maps()
{
    return m_settings->value(QStringLiteral("maps"), 0).toInt();
}

void Configuration::setMaps(int value)
{
    if (maps() == value)
        return;
    m_settings->setValue(QStringLiteral("maps"), value);
    emit mapsChanged(static_cast<MapTypes>(value));
}

int Configuration::renderModel()
{
    return m_settings->value(QStringLiteral("renderModel"), 1).toInt();
}

void Configuration::setRenderModel(int model)
{
    m_settings->setValue(QStringLiteral("renderModel"), model);
}

QString Configuration::screenshotSavePath()
{
    const QString fallback = firstOrHome(QStandardPaths::PicturesLocation)
        + QLatin1Char('/') + QCoreApplication::applicationName();
    return m_settings->value(QStringLiteral("ScreenshotSavePath"), fallback).toString();
}

void Configuration::setScreenshotSavePath(const QString &path)
{
    m_settings->setValue(QStringLiteral("ScreenshotSavePath"), path);
}

QString Configuration::exportSavePath()
{
    const QString beside = QFileInfo(screenshotSavePath()).absolutePath() + QStringLiteral("/Exports");
    return m_settings->value(QStringLiteral("ExportSavePath"), beside).toString();
}

void Configuration::setExportSavePath(const QString &path)
{
    m_settings->setValue(QStringLiteral("ExportSavePath"), path);
}

int Configuration::speedUnit()
{
    return m_settings->value(QStringLiteral("speedUnit"), 0).toInt();
}

void Configuration::setSpeedUnit(int unit)
{
    m_settings->setValue(QStringLiteral("speedUnit"), unit);
    emit speedUnitChanged(unit);
}

QString Configuration::videoFilePath()
{
    return m_settings->value(QStringLiteral("videoFilePath"),
                             firstOrHome(QStandardPaths::MoviesLocation)).toString();
}

void Configuration::setVideoFilePath(const QString &path)
{
    m_settings->setValue(QStringLiteral("videoFilePath"), path);
}

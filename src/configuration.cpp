#include "configuration.h"

#include "shelllog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMetaEnum>
#include <QStandardPaths>
#include <QUrl>

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

// A hand-edited or damaged file must not leave the viewer in a state its
// windows cannot show or undo: every value read is checked, and one that does
// not fit falls back to its default with a line in the log.
QVariant Configuration::stored(const QString &key) const
{
    return m_settings->value(key);
}

void Configuration::refuse(const QString &key, const QVariant &value, const QVariant &fallback) const
{
    qCWarning(lcShell).noquote() << "configuration.ini:" << key << "holds" << value.toString().left(80)
                                 << "which is not allowed; using" << fallback.toString();
}

int Configuration::readInt(const QString &key, int fallback, int lowest, int highest) const
{
    const QVariant value = stored(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < lowest || n > highest) {
        refuse(key, value, fallback);
        return fallback;
    }
    return n;
}

bool Configuration::readBool(const QString &key, bool fallback) const
{
    const QVariant value = stored(key);
    if (!value.isValid())
        return fallback;
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    refuse(key, value, fallback);
    return fallback;
}

QString Configuration::readText(const QString &key, const QString &fallback) const
{
    const QVariant value = stored(key);
    if (!value.isValid())
        return fallback;
    const QString text = value.toString();
    if (value.type() != QVariant::String || text.trimmed().isEmpty()) {
        refuse(key, value, fallback);
        return fallback;
    }
    return text;
}

int Configuration::languageSetting() const
{
    return readInt(QStringLiteral("language"), Japanese, Japanese, FollowSystem);
}

Configuration::Language_e Configuration::language()
{
    const int stored = languageSetting();
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
    if (value < Japanese || value > FollowSystem) {
        qCWarning(lcShell) << "no interface language" << value << "- the language stays as it is";
        return;
    }
    // Following the system is stored as such and shows its language now.
    const int shown = value == FollowSystem ? languageForLocale(QLocale()) : value;
    if (shown == Japanese) {
        if (m_viewerTranslator.load(QString::fromLatin1(kViewerTranslations[Japanese])))
            QCoreApplication::installTranslator(&m_viewerTranslator);
        if (m_componentTranslator.load(QString::fromLatin1(kComponentJapanese)))
            QCoreApplication::installTranslator(&m_componentTranslator);
    } else if (shown >= ChineseSimplified && shown <= Korean) {
        if (!m_viewerTranslator.load(QString::fromLatin1(kViewerTranslations[shown])))
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
    return readBool(QStringLiteral("mainwindowsIsMaximize"), false);
}

void Configuration::setMainWindowMaximized(bool maximized)
{
    m_settings->setValue(QStringLiteral("mainwindowsIsMaximize"), maximized);
}

QRect Configuration::mainWindowRect()
{
    const QRect fallback(483, 166, 621, 628);
    return hasMainWindowRect() ? stored(QStringLiteral("mainwindowsRect")).toRect() : fallback;
}

bool Configuration::hasMainWindowRect() const
{
    // No screen is wider or higher than this; a larger rectangle is damage.
    const int kLargest = 1 << 15;
    const QString key = QStringLiteral("mainwindowsRect");
    const QVariant value = stored(key);
    if (!value.isValid())
        return false;
    const QRect rect = value.toRect();
    if (value.type() == QVariant::Rect && rect.isValid() && rect.width() <= kLargest && rect.height() <= kLargest
        && qAbs(rect.x()) <= kLargest && qAbs(rect.y()) <= kLargest)
        return true;
    refuse(key, value, QStringLiteral("a window fitted to the screen"));
    return false;
}

void Configuration::setMainWindowRect(const QRect &rect)
{
    m_settings->setValue(QStringLiteral("mainwindowsRect"), rect);
}

bool Configuration::isMute()
{
    return readBool(QStringLiteral("Mute"), false);
}

void Configuration::setMute(bool mute)
{
    m_settings->setValue(QStringLiteral("Mute"), mute);
}

int Configuration::volume()
{
    return readInt(QStringLiteral("Volume"), 30, 0, 100);
}

void Configuration::setVolume(int volume)
{
    m_settings->setValue(QStringLiteral("Volume"), volume);
}

int Configuration::maps()
{
    return readInt(QStringLiteral("maps"), GoogleMap, GoogleMap, OpenStreetMap);
}

void Configuration::setMaps(int value)
{
    const bool same = maps() == value;
    // Stored even when the same, so that a damaged value read as the default is mended.
    m_settings->setValue(QStringLiteral("maps"), value);
    if (!same)
        emit mapsChanged(static_cast<MapTypes>(value));
}

int Configuration::renderModel()
{
    return readInt(QStringLiteral("renderModel"), 1, 0, 1);
}

void Configuration::setRenderModel(int model)
{
    m_settings->setValue(QStringLiteral("renderModel"), model);
}

QString Configuration::screenshotSavePath()
{
    const QString fallback = firstOrHome(QStandardPaths::PicturesLocation)
        + QLatin1Char('/') + QCoreApplication::applicationName();
    return readText(QStringLiteral("ScreenshotSavePath"), fallback);
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
    return readInt(QStringLiteral("speedUnit"), 0, 0, 1);
}

void Configuration::setSpeedUnit(int unit)
{
    m_settings->setValue(QStringLiteral("speedUnit"), unit);
    emit speedUnitChanged(unit);
}

QString Configuration::videoFilePath()
{
    return readText(QStringLiteral("videoFilePath"), firstOrHome(QStandardPaths::MoviesLocation));
}

void Configuration::setVideoFilePath(const QString &path)
{
    m_settings->setValue(QStringLiteral("videoFilePath"), path);
}

namespace {
// A path holds '/', which QSettings takes for groups.
QString folderKey(const QString &folder)
{
    return QStringLiteral("folderTrackOffset/") + QString::fromLatin1(QUrl::toPercentEncoding(folder));
}
} // namespace

int Configuration::folderTrackOffset(const QString &folder)
{
    return m_settings->value(folderKey(folder), 0).toInt();
}

void Configuration::setFolderTrackOffset(const QString &folder, int seconds)
{
    m_settings->setValue(folderKey(folder), seconds);
}

EventThresholds Configuration::eventThresholds()
{
    const EventThresholds defaults;
    EventThresholds t;
    // A threshold of 0 would make every second an event.
    const auto readInt = [this](const char *key, int fallback, int low, int high) {
        bool ok = false;
        const int v = m_settings->value(QLatin1String(key), fallback).toInt(&ok);
        return ok && v >= low && v <= high ? v : fallback;
    };
    const auto readG = [this](const char *key, double fallback) {
        bool ok = false;
        const double v = m_settings->value(QLatin1String(key), fallback).toDouble(&ok);
        return ok && v >= kMinEventG && v <= kMaxEventG ? v : fallback;
    };
    t.brakingKmh = readInt("brakingKmh", defaults.brakingKmh, kMinEventKmh, kMaxEventKmh);
    t.accelerationKmh = readInt("accelerationKmh", defaults.accelerationKmh, kMinEventKmh, kMaxEventKmh);
    t.impactDeltaG = readG("impactDeltaG", defaults.impactDeltaG);
    t.impactG = readG("impactG", defaults.impactG);
    return t;
}

void Configuration::setEventThresholds(const EventThresholds &thresholds)
{
    m_settings->setValue(QStringLiteral("brakingKmh"), thresholds.brakingKmh);
    m_settings->setValue(QStringLiteral("accelerationKmh"), thresholds.accelerationKmh);
    m_settings->setValue(QStringLiteral("impactDeltaG"), thresholds.impactDeltaG);
    m_settings->setValue(QStringLiteral("impactG"), thresholds.impactG);
}

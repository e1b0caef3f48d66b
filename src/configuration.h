#pragma once

#include <QObject>
#include <QRect>
#include <QSettings>
#include <QTranslator>

#include "eventthresholds.h"
#include "maptypes.h"

// The viewer's persistent settings and the owner of the installed translators.
// Used from the GUI thread only.
class Configuration : public QObject
{
    Q_OBJECT
public:
    enum Language_e {
        Japanese = 0,
        EnglishUS = 1,
        EnglishGB = 2,
        ChineseSimplified = 3,
        ChineseTraditional = 4,
        French = 5,
        Italian = 6,
        Polish = 7,
        Russian = 8,
        German = 9,
        Spanish = 10,
        Portuguese = 11,
        Korean = 12,
        FollowSystem = 13,
    };
    Q_ENUM(Language_e)

    static Configuration *instance();
    ~Configuration() override;

    Language_e language();
    // As stored, FollowSystem included.
    int languageSetting() const;
    void setLanguage(int language);

    bool isMainWindowMaximized();
    void setMainWindowMaximized(bool maximized);
    QRect mainWindowRect();
    // False on a first start, or when the stored rectangle is damaged.
    bool hasMainWindowRect() const;
    void setMainWindowRect(const QRect &rect);

    bool isMute();
    void setMute(bool mute);
    int volume();
    void setVolume(int volume);

    int maps();
    void setMaps(int maps);
    int renderModel();
    void setRenderModel(int model);

    QString screenshotSavePath();
    void setScreenshotSavePath(const QString &path);
    // Exports go beside the screenshots unless the user chose a folder.
    QString exportSavePath();
    void setExportSavePath(const QString &path);
    int speedUnit();
    void setSpeedUnit(int unit);
    QString videoFilePath();
    void setVideoFilePath(const QString &path);
    // Seconds added to the clock of a folder's recordings to meet its track file.
    int folderTrackOffset(const QString &folder);
    void setFolderTrackOffset(const QString &folder, int seconds);

    // When a recording's samples count as harsh braking, acceleration or an
    // impact; a stored value outside the dialog's range reads as the default.
    EventThresholds eventThresholds();
    void setEventThresholds(const EventThresholds &thresholds);

    // Where the INI file lives; fixed when the instance is created.
    QString fileName() const;

    // The component's Japanese texts are compiled into the component, so they
    // exist only once its library is loaded; the loader calls this then.
    static void componentLoaded();

    // The language value 13 resolves through this locale; tests replace it.
    static Language_e languageForLocale(const QLocale &locale);

signals:
    void updateLanguage();
    void mapsChanged(MapTypes map);
    void speedUnitChanged(int unit);
    void updateState();

private:
    Configuration();

    QVariant stored(const QString &key) const;
    void refuse(const QString &key, const QVariant &value, const QVariant &fallback) const;
    int readInt(const QString &key, int fallback, int lowest, int highest) const;
    bool readBool(const QString &key, bool fallback) const;
    QString readText(const QString &key, const QString &fallback) const;

    QTranslator m_viewerTranslator;
    QTranslator m_componentTranslator;
    QSettings *m_settings = nullptr;
};

#pragma once

#include <QObject>
#include <string>

// Process-wide helpers: the application font and two small services.
class CGPSUtils : public QObject
{
    Q_OBJECT
public:
    static CGPSUtils *instance();
    ~CGPSUtils() override;

    // Installs resources/fonts/GenShinGothic-Bold.ttf below the program folder
    // as the application font, sized for the screen's scale; without the file,
    // the installed CJK font that stands in for it. Registers the font
    // substitutions first.
    void setApplicationFont();

    // Maps the families the forms name to fonts a Debian desktop has. Once per
    // process; later calls do nothing.
    static void registerFontSubstitutions();

    // Point size for a screen scale (logical dpi / 96); <= 0 means no screen.
    static int fontPointSizeForScale(qreal scale);

    // Blocks the calling thread for ms milliseconds of a steady clock.
    static void sleepMs(int ms);

    // UTF-16 code units up to the first NUL.
    static QString toQString(const std::wstring &text);

private:
    CGPSUtils();
};

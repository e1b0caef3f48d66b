#include "cgpsutils.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>

#include <chrono>
#include <memory>
#include <thread>

#include "shelllog.h"

namespace {
// Noto Sans CJK JP carries the Japanese and Chinese glyphs of every language;
// Carlito keeps Calibri's metrics; DejaVu Sans Condensed is as narrow as the
// condensed display face it replaces.
const char kCjkFamily[] = "Noto Sans CJK JP";
const struct
{
    const char *designed;
    const char *installed;
} kSubstitutions[] = {
    {"Gen Shin Gothic Bold", kCjkFamily},
    {"Meiryo UI", kCjkFamily},
    {"Calibri", "Carlito"},
    {"Agency FB", "DejaVu Sans Condensed"},
};
} // namespace

void CGPSUtils::registerFontSubstitutions()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    for (const auto &entry : kSubstitutions) {
        // CJK text in any of them still needs a CJK face when the first one lacks a glyph.
        QStringList installed{QString::fromLatin1(entry.installed)};
        if (qstrcmp(entry.installed, kCjkFamily) != 0)
            installed << QString::fromLatin1(kCjkFamily);
        QFont::insertSubstitutions(QString::fromLatin1(entry.designed), installed);
    }
}

CGPSUtils *CGPSUtils::instance()
{
    static std::unique_ptr<CGPSUtils> instance(new CGPSUtils);
    return instance.get();
}

CGPSUtils::CGPSUtils() = default;
CGPSUtils::~CGPSUtils() = default;

int CGPSUtils::fontPointSizeForScale(qreal scale)
{
    if (scale < 1.1)
        return 12;
    if (scale < 1.4)
        return 11;
    if (scale < 1.8)
        return 8;
    if (scale < 2.5)
        return 7;
    return 6;
}

void CGPSUtils::setApplicationFont()
{
    registerFontSubstitutions();
    const QString path = QCoreApplication::applicationDirPath()
        + QStringLiteral("/resources/fonts/GenShinGothic-Bold.ttf");
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    QFont font;
    if (!families.isEmpty()) {
        font = QFont(families.first());
    } else if (QFontDatabase().hasFamily(QString::fromLatin1(kCjkFamily))) {
        // The platform default often has no CJK glyphs; the designed face is bold.
        font = QFont(QString::fromLatin1(kCjkFamily), -1, QFont::Bold);
    } else {
        qCDebug(lcShell) << "no application font:" << path << "is missing and" << kCjkFamily << "is not installed";
        return;
    }
    qreal scale = 0;
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (!screens.isEmpty()) {
        const QPoint centre = screens.first()->availableGeometry().center();
        if (QScreen *screen = QGuiApplication::screenAt(centre))
            scale = screen->logicalDotsPerInch() / 96.0;
    }
    font.setPointSize(fontPointSizeForScale(scale));
    QApplication::setFont(font);
}

void CGPSUtils::sleepMs(int ms)
{
    if (ms <= 0)
        return;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point now = Clock::now();
    const auto wanted = std::chrono::milliseconds(ms);
    // Saturate rather than overflow for absurd requests.
    const Clock::time_point deadline = (Clock::time_point::max() - now > wanted)
        ? now + std::chrono::duration_cast<Clock::duration>(wanted) : Clock::time_point::max();
    while (Clock::now() < deadline)
        std::this_thread::sleep_until(deadline);
}

QString CGPSUtils::toQString(const std::wstring &text)
{
    QString result;
    for (wchar_t c : text) {
        if (c == 0)
            break;
        // Only the UTF-16 code unit is kept, as on the platform where wchar_t is 16 bits.
        result.append(QChar(static_cast<ushort>(c & 0xFFFF)));
    }
    return result;
}

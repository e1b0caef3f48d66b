#include "exportnames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace {
// Beyond this the folder is full of exports of one range: give up searching.
const int kMaxNumber = 9999;
} // namespace

QString ExportNames::rangeName(const QDateTime &start, double seconds)
{
    const QDateTime end = start.addSecs(qint64(std::ceil(qMax(0.0, seconds) - 1e-3)));
    return start.toString(QStringLiteral("yyyyMMdd_HHmmss")) + QLatin1Char('-') + end.toString(QStringLiteral("HHmmss"));
}

QDateTime ExportNames::startFromFileName(const QString &path)
{
    static const QRegularExpression pattern(QStringLiteral("(\\d{8})_(\\d{6})"));
    const QRegularExpressionMatch m = pattern.match(QFileInfo(path).fileName());
    if (!m.hasMatch())
        return QDateTime();
    const QDate date = QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(m.captured(2), QStringLiteral("HHmmss"));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

QString ExportNames::numbered(const QString &base, int number, const QString &suffix)
{
    return number > 1 ? base + QLatin1Char('-') + QString::number(number) + suffix : base + suffix;
}

int ExportNames::freeNumber(const QString &folder, const QString &base, const QStringList &suffixes)
{
    const QDir dir(folder);
    for (int n = 1; n <= kMaxNumber; ++n) {
        bool taken = false;
        for (const QString &suffix : suffixes)
            taken = taken || QFileInfo::exists(dir.filePath(numbered(base, n, suffix)));
        if (!taken)
            return n;
    }
    return -1;
}

#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// File names of an export: the range's time, then a marker the playlist
// pairs by ("_F", "_R"), so exported pairs open as pairs.
namespace ExportNames {
// "20250314_092653-092753"; the end on the start's day or not, always hhmmss.
QString rangeName(const QDateTime &start, double seconds);
// The range's start from a recording's name ("20250314_092653_F.mp4"),
// invalid when the name carries no time.
QDateTime startFromFileName(const QString &path);
// base + (number > 1 ? "-number" : "") + suffix.
QString numbered(const QString &base, int number, const QString &suffix);
// The lowest number from 1 on for which no name made of base and the
// suffixes exists in the folder.
int freeNumber(const QString &folder, const QString &base, const QStringList &suffixes);
}

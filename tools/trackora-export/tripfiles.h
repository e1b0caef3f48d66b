#pragma once

#include <QString>
#include <QStringList>

// The recordings of one trip from the first to the last, inclusive: the files
// beside the first one that carry its camera marker and sort between the two.
// Empty, with the reason in problem, when the two do not make a trip.
QStringList tripFiles(const QString &first, const QString &last, QString *problem);

// "FILE@SECOND" into its parts; a missing time gives fallback.
bool splitFileTime(const QString &argument, QString *file, double *seconds, double fallback);

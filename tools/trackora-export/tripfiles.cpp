#include "tripfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
// The camera marker right before the extension: _F, _F_TL, _R, _R_TL.
QString marker(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("(_[FR](?:_TL)?)\\.[^.]+$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(fileName);
    return m.hasMatch() ? m.captured(1).toUpper() : QString();
}
} // namespace

QStringList tripFiles(const QString &first, const QString &last, QString *problem)
{
    const QFileInfo a(first);
    const QFileInfo b(last);
    for (const QFileInfo &f : {a, b}) {
        if (!f.isFile()) {
            *problem = QStringLiteral("%1: no such recording").arg(f.filePath());
            return {};
        }
    }
    if (a.canonicalFilePath() == b.canonicalFilePath())
        return {a.filePath()};
    if (a.absolutePath() != b.absolutePath()) {
        *problem = QStringLiteral("%1 and %2 lie in different folders").arg(first, last);
        return {};
    }
    if (b.fileName() < a.fileName()) {
        *problem = QStringLiteral("%1 comes before %2").arg(last, first);
        return {};
    }
    const QString camera = marker(a.fileName());
    QStringList files;
    const QStringList names = QDir(a.absolutePath()).entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (name < a.fileName() || name > b.fileName() || marker(name) != camera)
            continue;
        if (QFileInfo(name).suffix().compare(a.suffix(), Qt::CaseInsensitive) != 0)
            continue;
        files.append(QDir(a.path()).filePath(name));
    }
    return files;
}

bool splitFileTime(const QString &argument, QString *file, double *seconds, double fallback)
{
    *file = argument;
    *seconds = fallback;
    const int at = argument.lastIndexOf(QLatin1Char('@'));
    if (at < 0)
        return true;
    bool ok = false;
    const double value = argument.mid(at + 1).toDouble(&ok);
    // An '@' inside a name is part of the name.
    if (!ok)
        return true;
    if (value < 0)
        return false;
    *file = argument.left(at);
    *seconds = value;
    return !file->isEmpty();
}

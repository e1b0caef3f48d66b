#include "trackreader.h"

#include "videoparser.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString openProblem(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        return QStringLiteral("no such file");
    if (fi.isDir())
        return QStringLiteral("is a directory");
    if (!fi.isFile())
        return QStringLiteral("not a regular file");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be opened: %1").arg(f.errorString());
    return QStringLiteral("cannot be opened");
}
} // namespace

bool TrackReader::read(const QString &path)
{
    VideoParser parser;
    QObject::connect(&parser, &VideoParser::videoInfoChanged, [this](int, const VideoInfo &v) { info = v; });
    parser.setFile(path, 1);
    parser.parse();
    m_opened = parser.fileOpened();
    gpsKind = parser.gpsKind();
    samples = parser.gpsDataList();
    if (!m_opened)
        m_problem = openProblem(path);
    else if (gpsKind == NoGps)
        m_problem = QStringLiteral("no GPS data");
    else if (samples.isEmpty())
        m_problem = QStringLiteral("GPS source holds no samples");
    else
        m_problem.clear();
    return m_problem.isEmpty();
}

#include "playlistmodel.h"

#include "datalog.h"
#include "foldertracks.h"
#include "videoparser.h"
#include "videoparserrunnable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTime>

namespace {
// The parses share two threads so that a large folder does not starve the UI.
const int kParseThreads = 2;

// The camera's marker sits right before the extension: F or R, or F_TL or
// R_TL for time-lapse, in either letter case.
const QRegularExpression kMarker(QStringLiteral("(F|R)(_TL)?(\\.[^.]*)$"), QRegularExpression::CaseInsensitiveOption);

QUrl urlForFile(const QFileInfo &info)
{
    // A relative path is made absolute: a URL without a scheme would give the
    // parser an empty local path.
    return QUrl::fromLocalFile(info.absoluteFilePath());
}
} // namespace

PlaylistModel::Marker PlaylistModel::markerOf(const QString &name, QString *clip)
{
    const QRegularExpressionMatch m = kMarker.match(name);
    if (!m.hasMatch())
        return NoMarker;
    const bool front = m.captured(1).compare(QLatin1String("F"), Qt::CaseInsensitive) == 0;
    const bool timeLapse = !m.captured(2).isEmpty();
    if (clip) {
        // The whole name before the marker, exactly; the kind of marker and
        // the extension in one letter case, so that front and rear meet.
        *clip = name.left(m.capturedStart(1)) + QLatin1Char('/') + (timeLapse ? QLatin1String("TL") : QLatin1String(""))
            + m.captured(3).toCaseFolded();
    }
    return front ? FrontMarker : RearMarker;
}

PlaylistModel::PlaylistModel(QObject *parent)
    : QAbstractItemModel(parent)
{
    parsePool.setMaxThreadCount(kParseThreads);
}

PlaylistModel::~PlaylistModel()
{
    clearAll();
}

int PlaylistModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows.size();
}

int PlaylistModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QModelIndex PlaylistModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= rows.size() || column < 0 || column >= ColumnCount)
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex PlaylistModel::parent(const QModelIndex &) const
{
    return QModelIndex();
}

QVariant PlaylistModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rows.size())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    const RowData *row = rows.at(index.row());
    switch (index.column()) {
    case ColumnFileName:
        return row->fileName;
    case ColumnDuration:
        return QTime(0, 0, 0).addSecs(row->duration).toString(QStringLiteral("HH:mm:ss"));
    case ColumnDate:
        return row->dateTime.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    case ColumnSize:
        return readableSize(row->fileSize, 0);
    case ColumnResolution:
        return QStringLiteral("%1 x %2").arg(row->resolution.width()).arg(row->resolution.height());
    default:
        return QVariant();
    }
}

QVariant PlaylistModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section >= 0 && section < rows.size() ? QVariant(section) : QVariant();
    switch (section) {
    case ColumnFileName:
        return tr("File Name");
    case ColumnDuration:
        return tr("Duration");
    case ColumnDate:
        return tr("Create Date");
    case ColumnSize:
        return tr("Size");
    case ColumnResolution:
        return tr("Resolution");
    default:
        return QVariant();
    }
}

QString PlaylistModel::readableSize(qint64 bytes, int precision)
{
    static const QStringList units = {
        QCoreApplication::translate("QInstaller", "bytes"), QCoreApplication::translate("QInstaller", "KB"),
        QCoreApplication::translate("QInstaller", "MB"),    QCoreApplication::translate("QInstaller", "GB"),
        QCoreApplication::translate("QInstaller", "TB"),    QCoreApplication::translate("QInstaller", "PB"),
        QCoreApplication::translate("QInstaller", "EB"),    QCoreApplication::translate("QInstaller", "ZB"),
        QCoreApplication::translate("QInstaller", "YB")};
    double value = double(bytes);
    int unit = 0;
    while (value >= 1024.0 && unit + 1 < units.size()) {
        ++unit;
        value *= 1.0 / 1024.0;
    }
    return QStringLiteral("%1 %2").arg(QString::number(value, 'f', precision), units.at(unit));
}

int PlaylistModel::addDataByFileInfo(const QFileInfo &info, int, bool &added)
{
    if (info.isDir())
        return -1;
    const QString name = info.fileName();
    added = false;
    const auto same = rowByName.constFind(name);
    if (same != rowByName.constEnd())
        return rows.at(same.value())->id;

    QString clip;
    const Marker marker = markerOf(name, &clip);
    RowData *found = nullptr;
    if (marker != NoMarker) {
        const auto it = rowByClip.constFind(clip);
        if (it != rowByClip.constEnd())
            found = rows.at(it.value());
    }
    if (found && marker == FrontMarker && markerOf(found->fileName) == RearMarker) {
        // A rear file that waited for its front now stands for the clip.
        added = true;
        const QString rear = found->url.toLocalFile();
        const int id = replaceRowFile(found, info);
        pairedRear.insert(id, rear);
        return id;
    }
    if (found && marker == RearMarker && markerOf(found->fileName) == FrontMarker) {
        if (!pairedRear.contains(found->id))
            pairedRear.insert(found->id, info.absoluteFilePath());
        return found->id;
    }
    added = true;
    return addRow(info);
}

int PlaylistModel::addRow(const QFileInfo &info)
{
    const int n = rows.size();
    beginInsertRows(QModelIndex(), n, n);
    auto *row = new RowData;
    row->id = n;
    row->fileName = info.fileName();
    row->dateTime = info.metadataChangeTime();
    row->fileSize = info.size();
    row->url = urlForFile(info);

    auto *parser = new VideoParser;
    auto *job = new CVideoParserRunnable(parser);
    row->parser = parser;
    row->runnable = job;
    parser->setThreadPool(&parsePool, job);
    rows.append(row);
    indexName(n);

    connect(parser, &VideoParser::videoInfoChanged, this, &PlaylistModel::onVideoInfoChanged);
    connect(parser, &VideoParser::gpsDataChanged, this, &PlaylistModel::gpsDataChanged);
    connect(parser, &VideoParser::allGpsDataParserFinished, this, &PlaylistModel::allGpsDataParserFinished);
    connect(parser, &VideoParser::parseFinished, this, &PlaylistModel::parseFinished);

    parser->setFile(row->url.toLocalFile(), n);
    parsePool.start(job, 0);
    endInsertRows();
    announceRow(n);
    return n;
}

int PlaylistModel::replaceRowFile(RowData *row, const QFileInfo &info)
{
    row->fileName = info.fileName();
    reindexNames();
    row->duration = 0;
    row->dateTime = info.metadataChangeTime();
    row->fileSize = info.size();
    row->resolution = QSize(0, 0);
    row->url = urlForFile(info);
    // A parse of the old file that is still reading sends nothing more.
    row->parser->setFile(row->url.toLocalFile(), row->id);
    row->parser->cancelQueuedJob();
    row->runnable = nullptr;
    // Results of the old file's parse may still be queued for us; deliver them
    // now so they cannot land after, and over, the new file's.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    row->parser->parse();
    announceRow(row->id);
    return row->id;
}

// A large folder adds thousands of names: each is looked up by its whole
// name and by its clip, never compared with every row before it.
void PlaylistModel::indexName(int row)
{
    const QString &name = rows.at(row)->fileName;
    if (!rowByName.contains(name))
        rowByName.insert(name, row);
    QString clip;
    if (markerOf(name, &clip) != NoMarker && !rowByClip.contains(clip))
        rowByClip.insert(clip, row);
}

void PlaylistModel::reindexNames()
{
    rowByName.clear();
    rowByClip.clear();
    for (int i = 0; i < rows.size(); ++i)
        indexName(i);
}

void PlaylistModel::announceRow(int row)
{
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void PlaylistModel::onVideoInfoChanged(int mId, VideoInfo info)
{
    if (mId < 0 || mId >= rows.size())
        return;
    RowData *row = rows.at(mId);
    row->duration = info.duration;
    row->resolution = QSize(info.width, info.height);
    row->codec = info.codec;
    row->frameRate = info.frameRate;
    // The recording's own time, not when the file was last copied; a camera
    // that never set its clock writes the container's zero.
    if (info.createTime.isValid() && info.createTime.date().year() > 1904)
        row->dateTime = info.createTime;
    announceRow(mId);
}

QUrl PlaylistModel::getRelateUrlByMainData(const RowData *row, bool)
{
    if (!row)
        return QUrl();
    QString path;
    // The rear file this row was paired with, while the row still holds the same front file.
    const auto paired = pairedRear.constFind(row->id);
    if (paired != pairedRear.constEnd() && row->id >= 0 && row->id < rows.size() && rows.at(row->id)->url == row->url)
        path = paired.value();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        path = rearBesides(row);
    if (path.isEmpty())
        return QUrl();
    qCDebug(lcData) << "Rear file EXIST:" << path;
    return QUrl::fromLocalFile(path);
}

QString PlaylistModel::rearBesides(const RowData *row)
{
    return partnerPath(row->url.toLocalFile(), RearMarker);
}

// The marker turned to the wanted camera in the same letter case, else in
// the other one; a file that is already that camera's is its own partner.
QString PlaylistModel::partnerPath(const QString &path, Marker want)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QRegularExpressionMatch m = kMarker.match(name);
    if (!m.hasMatch() || want == NoMarker)
        return QString();
    const QString prefix = name.left(m.capturedStart(1));
    const QString rest = m.captured(2) + m.captured(3);
    const bool lower = m.captured(1).at(0).isLower();
    const QChar upper = want == FrontMarker ? QLatin1Char('F') : QLatin1Char('R');
    const QDir folder = info.absoluteDir();
    for (const QChar letter : {lower ? upper.toLower() : upper, lower ? upper : upper.toLower()}) {
        const QString candidate = folder.filePath(prefix + letter + rest);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return QString();
}

void PlaylistModel::clearAll()
{
    beginResetModel();
    for (RowData *row : qAsConst(rows))
        row->parser->requestStop();
    parsePool.clear();
    // A parse reads a bounded number of records and stops after the current
    // one when asked, so this wait ends.
    parsePool.waitForDone();
    // Whatever the finished parses posted is about rows that are gone; a new
    // row with a reused id must not receive it.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    for (RowData *row : qAsConst(rows)) {
        delete row->parser;
        delete row;
    }
    rows.clear();
    pairedRear.clear();
    reindexNames();
    endResetModel();
}

const RowData *PlaylistModel::getDataByRow(int row, RowData *out) const
{
    if (row < 0 || row >= rows.size())
        return nullptr;
    const RowData *source = rows.at(row);
    if (!out)
        return source;
    *out = *source;
    out->runnable = nullptr;
    out->parser = nullptr;
    return out;
}

int PlaylistModel::findRow(const QUrl &url) const
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i)->url == url)
            return i;
    }
    return -1;
}

const RowData *PlaylistModel::getNextData(const QUrl &url) const
{
    const int i = findRow(url);
    return i >= 0 && i + 1 < rows.size() ? rows.at(i + 1) : nullptr;
}

const RowData *PlaylistModel::getPreviousData(const QUrl &url) const
{
    const int i = findRow(url);
    return i > 0 ? rows.at(i - 1) : nullptr;
}

int PlaylistModel::getDurationByRow(int row) const
{
    return row >= 0 && row < rows.size() ? rows.at(row)->duration : 0;
}

float PlaylistModel::getFrameRateByRow(int row) const
{
    return row >= 0 && row < rows.size() ? rows.at(row)->frameRate : 0.0f;
}

QSize PlaylistModel::getResolutionByRow(int row) const
{
    return row >= 0 && row < rows.size() ? rows.at(row)->resolution : QSize(1920, 1080);
}

int PlaylistModel::getCodecByRow(int row) const
{
    if (row < 0 || row >= rows.size() || !rows.at(row)->parser)
        return VideoCodecH264;
    return rows.at(row)->codec;
}

namespace {
bool inFolder(const RowData *row, const QString &folderKey)
{
    return FolderTracks::folderKey(QFileInfo(row->url.toLocalFile()).absolutePath()) == folderKey;
}
} // namespace

QStringList PlaylistModel::filesInFolder(const QString &folder) const
{
    const QString key = FolderTracks::folderKey(folder);
    QStringList files;
    for (const RowData *row : rows) {
        if (inFolder(row, key))
            files << row->url.toLocalFile();
    }
    return files;
}

QList<int> PlaylistModel::reparseFolder(const QString &folder)
{
    const QString key = FolderTracks::folderKey(folder);
    QList<int> ids;
    for (RowData *row : qAsConst(rows)) {
        if (!row->parser || !inFolder(row, key))
            continue;
        // A parse that is reading sends nothing more; the new one sends the
        // list when it ends if the window asks for it meanwhile.
        row->parser->setFile(row->url.toLocalFile(), row->id);
        row->parser->cancelQueuedJob();
        auto *job = new CVideoParserRunnable(row->parser);
        row->runnable = job;
        row->parser->setThreadPool(&parsePool, job);
        parsePool.start(job, 0);
        ids << row->id;
    }
    return ids;
}

void PlaylistModel::requestAllGpsData(int row)
{
    if (row >= 0 && row < rows.size() && rows.at(row)->parser)
        rows.at(row)->parser->requestAllGpsData();
}

void PlaylistModel::requestGpsData(int row, int index)
{
    if (row >= 0 && row < rows.size() && rows.at(row)->parser)
        rows.at(row)->parser->requestGpsData(index);
}

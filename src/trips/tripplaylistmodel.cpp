#include "tripplaylistmodel.h"

#include "configuration.h"
#include "playlistmodel.h"
#include "rowdata.h"
#include "videoparser.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTime>

namespace {
// Parses end in bursts while a folder is listed; one grouping serves a burst.
const int kRegroupDelayMs = 100;
const double kMetersPerMile = 1609.344;

QString clockText(int seconds)
{
    return QTime(0, 0).addSecs(qMax(0, seconds)).toString(QStringLiteral("HH:mm:ss"));
}
} // namespace

TripPlaylistModel::TripPlaylistModel(PlaylistModel *model, QObject *parent)
    : QAbstractProxyModel(parent)
    , playlist(model)
{
    regroupTimer.setSingleShot(true);
    regroupTimer.setInterval(kRegroupDelayMs);
    connect(&regroupTimer, &QTimer::timeout, this, [this] { regroup(true); });
    QAbstractProxyModel::setSourceModel(model);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        regroupTimer.stop();
        beginResetModel();
    });
    connect(model, &QAbstractItemModel::modelReset, this, &TripPlaylistModel::onSourceReset);
    connect(model, &QAbstractItemModel::rowsInserted, this, &TripPlaylistModel::onSourceRowsInserted);
    connect(model, &QAbstractItemModel::dataChanged, this, &TripPlaylistModel::onSourceDataChanged);
    connect(model, &PlaylistModel::parseFinished, this, &TripPlaylistModel::onParseFinished);
    connect(Configuration::instance(), &Configuration::speedUnitChanged, this, [this] {
        for (int row = 0; row < entries.size(); ++row) {
            if (entries.at(row).sourceRow < 0)
                emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
    });
    beginResetModel();
    onSourceReset();
}

QModelIndex TripPlaylistModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || proxyIndex.row() >= entries.size())
        return QModelIndex();
    const int source = entries.at(proxyIndex.row()).sourceRow;
    return source < 0 ? QModelIndex() : playlist->index(source, proxyIndex.column());
}

QModelIndex TripPlaylistModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.row() >= rowOfSource.size())
        return QModelIndex();
    const int row = rowOfSource.at(sourceIndex.row());
    return row < 0 ? QModelIndex() : index(row, sourceIndex.column());
}

QModelIndex TripPlaylistModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= entries.size() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex TripPlaylistModel::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int TripPlaylistModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : entries.size();
}

int TripPlaylistModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : PlaylistModel::ColumnCount;
}

bool TripPlaylistModel::isHeader(int row) const
{
    return row >= 0 && row < entries.size() && entries.at(row).sourceRow < 0;
}

QVariant TripPlaylistModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= entries.size())
        return QVariant();
    const Entry &e = entries.at(index.row());
    if (e.sourceRow >= 0) {
        if (role == RecordingIdRole)
            return e.sourceRow;
        return playlist->data(playlist->index(e.sourceRow, index.column()), role);
    }
    const Trip &trip = tripList.at(e.trip);
    switch (role) {
    case TripNumberRole:
        return trip.number;
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        // The text spans the row; the name column stays free of it otherwise.
        return index.column() == 0 ? headerText(trip, foldedFirstIds.contains(trip.firstId())) : QVariant();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return QBrush(QColor(30, 36, 48));
    case Qt::ForegroundRole:
        return QBrush(QColor(235, 235, 235));
    case Qt::FontRole: {
        QFont font;
        font.setBold(true);
        return font;
    }
    default:
        return QVariant();
    }
}

QString TripPlaylistModel::headerText(const Trip &trip, bool folded) const
{
    const bool kmh = Configuration::instance()->speedUnit() == 0;
    const QString arrow = folded ? QStringLiteral("\u25B8") : QStringLiteral("\u25BE");
    const QString when = trip.start.isValid()
        ? QStringLiteral("%1  %2 - %3").arg(trip.start.toString(QStringLiteral("yyyy/MM/dd")),
                                            trip.start.toString(QStringLiteral("hh:mm:ss")),
                                            trip.end.toString(QStringLiteral("hh:mm:ss")))
        : tr("Unknown time");
    const QString distance = kmh ? tr("%1 km").arg(trip.distanceMeters / 1000.0, 0, 'f', 1)
                                 : tr("%1 mi").arg(trip.distanceMeters / kMetersPerMile, 0, 'f', 1);
    const int top = kmh ? trip.topSpeedKmh : qRound(trip.topSpeedKmh / (kMetersPerMile / 1000.0));
    const QString speed = kmh ? tr("max %1 km/h").arg(top) : tr("max %1 mph").arg(top);
    return QStringList{arrow + QLatin1Char(' ') + tr("Trip %1").arg(trip.number), when, clockText(trip.durationSeconds()),
                       distance, speed}
        .join(QStringLiteral("   "));
}

QVariant TripPlaylistModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole && section >= 0 && section < entries.size() ? QVariant(section) : QVariant();
    return playlist->headerData(section, orientation, role);
}

Qt::ItemFlags TripPlaylistModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // A header is clicked to fold, never selected: the selection stays a recording.
    if (isHeader(index.row()))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

int TripPlaylistModel::rowOfId(int id)
{
    if (id < 0 || id >= tripOfSource.size())
        return -1;
    if (rowOfSource.at(id) < 0) {
        const Trip &trip = tripList.at(tripOfSource.at(id));
        for (int row = 0; row < entries.size(); ++row) {
            if (entries.at(row).sourceRow < 0 && entries.at(row).trip == tripOfSource.at(id)) {
                if (foldedFirstIds.contains(trip.firstId()))
                    toggleFolded(row);
                break;
            }
        }
    }
    return rowOfSource.value(id, -1);
}

bool TripPlaylistModel::isFolded(int tripNumber) const
{
    return tripNumber >= 1 && tripNumber <= tripList.size()
        && foldedFirstIds.contains(tripList.at(tripNumber - 1).firstId());
}

void TripPlaylistModel::toggleFolded(int row)
{
    if (!isHeader(row))
        return;
    const int t = entries.at(row).trip;
    const Trip &trip = tripList.at(t);
    const int count = trip.recordings.size();
    if (foldedFirstIds.remove(trip.firstId())) {
        beginInsertRows(QModelIndex(), row + 1, row + count);
        QVector<Entry> added;
        for (const TripRecording &r : trip.recordings)
            added.append({t, r.id});
        entries.insert(row + 1, count, Entry{});
        std::copy(added.begin(), added.end(), entries.begin() + row + 1);
    } else {
        foldedFirstIds.insert(trip.firstId());
        beginRemoveRows(QModelIndex(), row + 1, row + count);
        entries.remove(row + 1, count);
    }
    rowOfSource.fill(-1);
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).sourceRow >= 0)
            rowOfSource[entries.at(i).sourceRow] = i;
    }
    if (foldedFirstIds.contains(trip.firstId()))
        endRemoveRows();
    else
        endInsertRows();
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

const Trip *TripPlaylistModel::tripOfId(int id) const
{
    if (id < 0 || id >= tripOfSource.size())
        return nullptr;
    return &tripList.at(tripOfSource.at(id));
}

int TripPlaylistModel::neighbourInTrip(int id, int step) const
{
    const Trip *trip = tripOfId(id);
    if (!trip)
        return -1;
    const int at = trip->indexOfId(id) + step;
    return at >= 0 && at < trip->recordings.size() ? trip->recordings.at(at).id : -1;
}

void TripPlaylistModel::refreshRecording(int row)
{
    const RowData *data = playlist->getDataByRow(row);
    if (!data)
        return;
    QList<GpsData> samples;
    // Only a finished parse's samples; a row still waiting for its parse has none yet.
    if (data->parser && data->parser->bytesRead() > 0)
        samples = data->parser->gpsDataList();
    const bool rearOnly = PlaylistModel::markerOf(data->fileName) == PlaylistModel::RearMarker;
    if (recordings.size() <= row)
        recordings.resize(row + 1);
    recordings[row] = TripRecording::fromSamples(row, data->fileName, !rearOnly, data->duration, samples);
}

void TripPlaylistModel::onSourceReset()
{
    recordings.clear();
    foldedFirstIds.clear();
    for (int row = 0; row < playlist->rowCount(); ++row)
        refreshRecording(row);
    regroup(false);
    endResetModel();
    emit regrouped();
}

void TripPlaylistModel::onSourceRowsInserted()
{
    const int first = recordings.size();
    for (int row = first; row < playlist->rowCount(); ++row)
        refreshRecording(row);
    if (tripList.isEmpty() || first == 0) {
        regroup(true);
        return;
    }
    // A folder is listed one row at a time: each new row joins the last trip
    // or starts one, at the end, as a whole grouping would place it. Changes
    // to earlier rows wait for the next grouping.
    const int lastTrip = tripList.size() - 1;
    const QString before = data(index(headerRowOf(lastTrip), 0)).toString();
    QVector<Entry> added;
    for (int row = first; row < recordings.size(); ++row) {
        const TripRecording &r = recordings.at(row);
        if (TripGrouper::append(tripList, r))
            added.append({tripList.size() - 1, -1});
        rowOfSource.append(-1);
        tripOfSource.append(tripList.size() - 1);
        if (!foldedFirstIds.contains(tripList.last().firstId()))
            added.append({tripList.size() - 1, row});
    }
    if (!added.isEmpty()) {
        beginInsertRows(QModelIndex(), entries.size(), entries.size() + added.size() - 1);
        for (const Entry &e : qAsConst(added)) {
            if (e.sourceRow >= 0)
                rowOfSource[e.sourceRow] = entries.size();
            entries.append(e);
        }
        endInsertRows();
    }
    const int header = headerRowOf(lastTrip);
    if (data(index(header, 0)).toString() != before)
        emit dataChanged(index(header, 0), index(header, columnCount() - 1));
    emit regrouped();
}

int TripPlaylistModel::headerRowOf(int trip) const
{
    // Headers come in trip order; the search starts from the end, where rows are added.
    for (int row = entries.size() - 1; row >= 0; --row) {
        if (entries.at(row).sourceRow < 0 && entries.at(row).trip == trip)
            return row;
    }
    return -1;
}

void TripPlaylistModel::onSourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                            const QVector<int> &)
{
    // A row's facts (or its file, when a front replaced its rear) changed.
    for (int row = topLeft.row(); row <= bottomRight.row() && row < recordings.size(); ++row)
        refreshRecording(row);
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        const int at = rowOfSource.value(row, -1);
        if (at >= 0)
            emit dataChanged(index(at, topLeft.column()), index(at, bottomRight.column()));
    }
    scheduleRegroup();
}

void TripPlaylistModel::onParseFinished(int id)
{
    if (id < 0 || id >= recordings.size())
        return;
    refreshRecording(id);
    scheduleRegroup();
}

void TripPlaylistModel::scheduleRegroup()
{
    if (!regroupTimer.isActive())
        regroupTimer.start();
}

void TripPlaylistModel::regroupNow()
{
    regroupTimer.stop();
    regroup(true);
}

void TripPlaylistModel::regroup(bool announce)
{
    QVector<Trip> newTrips = TripGrouper::group(recordings);
    QVector<Entry> newEntries;
    newEntries.reserve(recordings.size() + newTrips.size());
    QVector<int> newRowOfSource(recordings.size(), -1);
    QVector<int> newTripOfSource(recordings.size(), 0);
    for (int t = 0; t < newTrips.size(); ++t) {
        const Trip &trip = newTrips.at(t);
        newEntries.append({t, -1});
        const bool folded = foldedFirstIds.contains(trip.firstId());
        for (const TripRecording &r : trip.recordings) {
            newTripOfSource[r.id] = t;
            if (folded)
                continue;
            newRowOfSource[r.id] = newEntries.size();
            newEntries.append({t, r.id});
        }
    }

    if (!announce) {
        tripList = newTrips;
        entries = newEntries;
        rowOfSource = newRowOfSource;
        tripOfSource = newTripOfSource;
        return;
    }

    const bool appended = newEntries.size() >= entries.size() && std::equal(entries.begin(), entries.end(), newEntries.begin());
    if (appended) {
        // The common case while a folder is listed: rows only added at the end.
        const int first = entries.size();
        const int last = newEntries.size() - 1;
        if (last >= first)
            beginInsertRows(QModelIndex(), first, last);
        // Only the last trip listed before can have grown; later parses that
        // change an earlier one come as a layout change below.
        int lastHeader = -1;
        for (int row = first - 1; row >= 0 && lastHeader < 0; --row) {
            if (entries.at(row).sourceRow < 0)
                lastHeader = row;
        }
        const QString before = lastHeader >= 0 ? data(index(lastHeader, 0)).toString() : QString();
        tripList = newTrips;
        entries = newEntries;
        rowOfSource = newRowOfSource;
        tripOfSource = newTripOfSource;
        if (last >= first)
            endInsertRows();
        if (lastHeader >= 0 && data(index(lastHeader, 0)).toString() != before)
            emit dataChanged(index(lastHeader, 0), index(lastHeader, columnCount() - 1));
        if (last >= first)
            emit regrouped();
        return;
    }

    // Membership changed: the rows move, and whatever the table holds
    // (selection, current row) moves with its recording.
    emit layoutAboutToBeChanged();
    const QModelIndexList from = persistentIndexList();
    QVector<int> sources;
    QVector<int> headerFirstIds;
    for (const QModelIndex &i : from) {
        const Entry e = i.row() < entries.size() ? entries.at(i.row()) : Entry{-1, -1};
        sources.append(e.sourceRow);
        headerFirstIds.append(e.sourceRow < 0 && e.trip >= 0 ? tripList.at(e.trip).firstId() : -1);
    }
    tripList = newTrips;
    entries = newEntries;
    rowOfSource = newRowOfSource;
    tripOfSource = newTripOfSource;
    QModelIndexList to;
    for (int k = 0; k < from.size(); ++k) {
        int row = -1;
        if (sources.at(k) >= 0) {
            row = rowOfSource.value(sources.at(k), -1);
        } else if (headerFirstIds.at(k) >= 0) {
            for (int r = 0; r < entries.size() && row < 0; ++r) {
                if (entries.at(r).sourceRow < 0 && tripList.at(entries.at(r).trip).firstId() == headerFirstIds.at(k))
                    row = r;
            }
        }
        to.append(row < 0 ? QModelIndex() : index(row, from.at(k).column()));
    }
    changePersistentIndexList(from, to);
    emit layoutChanged();
    emit regrouped();
}

#pragma once

#include "tripgrouper.h"

#include <QAbstractProxyModel>
#include <QSet>
#include <QTimer>
#include <QVector>

class PlaylistModel;

// The playlist as the table shows it: a header row above each trip's
// recordings, which a click folds away. Recording rows are the playlist's
// own, in its order and with its columns; everything that names rows by id
// keeps using the playlist's ids (RecordingIdRole). GUI thread only.
class TripPlaylistModel : public QAbstractProxyModel
{
    Q_OBJECT

public:
    enum Role {
        TripNumberRole = Qt::UserRole + 1,  // header rows: the trip's number
        RecordingIdRole = Qt::UserRole + 2, // recording rows: the playlist id
    };

    explicit TripPlaylistModel(PlaylistModel *playlist, QObject *parent = nullptr);

    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    bool isHeader(int row) const;
    // The table row of a playlist id (its trip unfolded first); -1 when none.
    int rowOfId(int id);
    void toggleFolded(int row);
    bool isFolded(int tripNumber) const;

    const QVector<Trip> &trips() const { return tripList; }
    // The trip holding that playlist id; null when none.
    const Trip *tripOfId(int id) const;
    // The next or previous recording of the same trip; -1 at its ends.
    int neighbourInTrip(int id, int step) const;

    // Groups again now rather than at the next turn of the event loop.
    void regroupNow();

signals:
    // The trips were grouped anew (headers, counts or membership may differ).
    void regrouped();

private:
    struct Entry
    {
        int trip;      // index into tripList
        int sourceRow; // -1: the trip's header
        bool operator==(const Entry &o) const { return trip == o.trip && sourceRow == o.sourceRow; }
    };

    void onSourceReset();
    void onSourceRowsInserted();
    int headerRowOf(int trip) const;
    void onSourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles);
    void onParseFinished(int id);
    void refreshRecording(int row);
    void scheduleRegroup();
    void regroup(bool layoutOnly);
    QString headerText(const Trip &trip, bool folded) const;

    PlaylistModel *playlist;
    QVector<TripRecording> recordings; // by source row
    QVector<Trip> tripList;
    QVector<Entry> entries;
    QVector<int> rowOfSource;          // -1 while folded
    QVector<int> tripOfSource;
    // Folded trips by the id of their first recording, which stays theirs.
    QSet<int> foldedFirstIds;
    QTimer regroupTimer;
};

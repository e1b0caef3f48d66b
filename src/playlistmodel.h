#pragma once

#include "gpsdata.h"
#include "rowdata.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QThreadPool>
#include <QUrl>

// The playlist: one row per clip, holding the front recording when there is
// one; the rear recording is found by name when the clip plays. Every row's
// file is parsed on the model's own pool. All functions run on the GUI thread.
class PlaylistModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column { ColumnFileName, ColumnDuration, ColumnDate, ColumnSize, ColumnResolution, ColumnCount };

    explicit PlaylistModel(QObject *parent = nullptr);
    ~PlaylistModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int addDataByFileInfo(const QFileInfo &info, int unused, bool &added);
    QUrl getRelateUrlByMainData(const RowData *row, bool rear);
    void clearAll();
    const RowData *getDataByRow(int row, RowData *out = nullptr) const;
    const RowData *getNextData(const QUrl &url) const;
    const RowData *getPreviousData(const QUrl &url) const;
    int getDurationByRow(int row) const;
    float getFrameRateByRow(int row) const;
    QSize getResolutionByRow(int row) const;
    int getCodecByRow(int row) const;
    void requestAllGpsData(int row);
    void requestGpsData(int row, int index);
    // Local paths of the rows whose file lies in folder.
    QStringList filesInFolder(const QString &folder) const;
    // Parses those rows again (their folder's track changed); returns their ids.
    QList<int> reparseFolder(const QString &folder);

    static QString readableSize(qint64 bytes, int precision);

    enum Marker { NoMarker, FrontMarker, RearMarker };
    // The camera marker of a file name; clip receives what the front and
    // rear file of one clip share (the whole name before the marker).
    static Marker markerOf(const QString &name, QString *clip = nullptr);
    // The file of the wanted camera beside path, by name; empty when none.
    static QString partnerPath(const QString &path, Marker want);

signals:
    void gpsDataChanged(int mId, GpsData data);
    void allGpsDataParserFinished(int mId, QList<GpsData> dataList);
    // A row's parse has ended (its facts and samples are known).
    void parseFinished(int mId);

public slots:
    void onVideoInfoChanged(int mId, VideoInfo info);

private:
    int addRow(const QFileInfo &info);
    int replaceRowFile(RowData *row, const QFileInfo &info);
    int findRow(const QUrl &url) const;
    static QString rearBesides(const RowData *row);
    void announceRow(int row);
    void indexName(int row);
    void reindexNames();

    QList<RowData *> rows;
    // The first row of each file name and of each clip.
    QHash<QString, int> rowByName;
    QHash<QString, int> rowByClip;
    // The rear file paired with a row, by row id; its name may differ from
    // the front's in more than the marker's letter.
    QHash<int, QString> pairedRear;
    QThreadPool parsePool;
};

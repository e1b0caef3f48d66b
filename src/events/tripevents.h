#pragma once

#include "drivingevent.h"
#include "eventthresholds.h"
#include "gpsdata.h"

#include <QList>
#include <QObject>
#include <QUrl>

class PlaylistModel;

// The events of the trip that plays: the playing recording and its
// neighbours in the playlist that continue it (at most 10 s apart), each
// recording's first second preceded by the last of the one before.
// Neighbours are taken only once parsed, so nothing is read on the GUI
// thread; a next row still being parsed joins when its parse ends.
// GUI thread only.
class TripEvents : public QObject
{
    Q_OBJECT
public:
    explicit TripEvents(PlaylistModel *playlist, QObject *parent = nullptr);

    // The playing row's samples have arrived: a new trip around it.
    void start(int rowId, const QString &fileName, const QList<GpsData> &samples, const EventThresholds &thresholds);
    void clear();
    void setThresholds(const EventThresholds &thresholds);

    // In trip order, then time order.
    QVector<TripEvent> events() const;
    QVector<DrivingEvent> playingEvents() const;
    int playingPart() const { return m_playingPart; }

signals:
    void changed();

private:
    struct Part
    {
        int rowId;
        QString fileName;
        QList<GpsData> samples;
        QVector<DrivingEvent> events;
    };

    void extend();
    void onListArrived(int rowId, const QList<GpsData> &samples);
    void onParseFinished(int rowId);
    void detect(int part);

    PlaylistModel *m_playlist;
    EventThresholds m_thresholds;
    QList<Part> m_parts;
    int m_playingPart = 0;
    bool m_beforeDone = true;
    bool m_afterDone = true;
    // The neighbour whose list was asked for; its direction.
    int m_requestedRow = -1;
    bool m_requestedBefore = false;
    // Set while the playlist may answer inside the request.
    bool m_requesting = false;
    // A next row that was not parsed yet.
    int m_waitingRow = -1;
};

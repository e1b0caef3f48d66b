#pragma once

#include "drivingevent.h"

#include <QAbstractTableModel>
#include <QColor>

// The events of the trip that plays, one row each: time in its recording,
// kind, value and recording. GUI thread only.
class EventListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { ColumnTime, ColumnKind, ColumnValue, ColumnRecording, ColumnCount };

    explicit EventListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void setEvents(const QVector<TripEvent> &events);
    void clear();
    const QVector<TripEvent> &events() const { return m_events; }

    // The row of the first event after `second` of the trip's `part`, or of
    // the last one before it; -1 when there is none.
    int nextAfter(int part, int second) const;
    int previousBefore(int part, int second) const;
    int rowOf(int rowId, int second) const;

    // Texts follow the language setting.
    void retranslate();

    static QString kindText(DrivingEvent::Kind kind);
    static QColor kindColor(DrivingEvent::Kind kind);

private:
    QVector<TripEvent> m_events;
};

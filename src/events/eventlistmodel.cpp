#include "eventlistmodel.h"

#include <QTime>

EventListModel::EventListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int EventListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_events.size();
}

int EventListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_events.size())
        return QVariant();
    const DrivingEvent &event = m_events.at(index.row()).event;
    if (role == Qt::ForegroundRole && index.column() == ColumnKind)
        return kindColor(event.kind);
    if (role == Qt::TextAlignmentRole && index.column() != ColumnRecording)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case ColumnTime:
        return QTime(0, 0).addSecs(event.second).toString(QStringLiteral("hh:mm:ss"));
    case ColumnKind:
        return kindText(event.kind);
    case ColumnValue:
        return event.kind == DrivingEvent::Impact ? tr("%1 g").arg(event.value, 0, 'f', 2)
                                                  : tr("%1 km/h/s").arg(qRound(event.value));
    case ColumnRecording:
        return m_events.at(index.row()).recording;
    default:
        return QVariant();
    }
}

QVariant EventListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case ColumnTime: return tr("Time");
    case ColumnKind: return tr("Kind");
    case ColumnValue: return tr("Value");
    case ColumnRecording: return tr("Recording");
    default: return QVariant();
    }
}

void EventListModel::setEvents(const QVector<TripEvent> &events)
{
    beginResetModel();
    m_events = events;
    endResetModel();
}

void EventListModel::clear()
{
    setEvents({});
}

namespace {
bool isBefore(const TripEvent &e, int part, int second)
{
    return e.part < part || (e.part == part && e.event.second < second);
}

bool isAfter(const TripEvent &e, int part, int second)
{
    return e.part > part || (e.part == part && e.event.second > second);
}
} // namespace

int EventListModel::nextAfter(int part, int second) const
{
    for (int i = 0; i < m_events.size(); ++i) {
        if (isAfter(m_events.at(i), part, second))
            return i;
    }
    return -1;
}

int EventListModel::previousBefore(int part, int second) const
{
    for (int i = m_events.size() - 1; i >= 0; --i) {
        if (isBefore(m_events.at(i), part, second))
            return i;
    }
    return -1;
}

int EventListModel::rowOf(int rowId, int second) const
{
    for (int i = 0; i < m_events.size(); ++i) {
        if (m_events.at(i).rowId == rowId && m_events.at(i).event.second == second)
            return i;
    }
    return -1;
}

void EventListModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_events.isEmpty())
        emit dataChanged(index(0, 0), index(m_events.size() - 1, ColumnCount - 1));
}

QString EventListModel::kindText(DrivingEvent::Kind kind)
{
    switch (kind) {
    case DrivingEvent::Braking: return tr("Harsh braking");
    case DrivingEvent::Acceleration: return tr("Harsh acceleration");
    case DrivingEvent::Impact: return tr("Impact");
    }
    return QString();
}

QColor EventListModel::kindColor(DrivingEvent::Kind kind)
{
    // Apart from the chart's axis colours (red, green, blue) and its yellow cursor.
    switch (kind) {
    case DrivingEvent::Braking: return QColor(255, 140, 0);
    case DrivingEvent::Acceleration: return QColor(0, 220, 220);
    case DrivingEvent::Impact: return QColor(255, 60, 200);
    }
    return QColor();
}

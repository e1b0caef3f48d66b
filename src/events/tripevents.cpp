#include "tripevents.h"

#include "eventdetector.h"
#include "playlistmodel.h"
#include "rowdata.h"

namespace {
// Recordings taken on each side of the playing one: an hour of one-minute clips.
const int kMaxNeighbours = 60;
} // namespace

TripEvents::TripEvents(PlaylistModel *playlist, QObject *parent)
    : QObject(parent)
    , m_playlist(playlist)
{
    connect(playlist, &PlaylistModel::allGpsDataParserFinished, this, &TripEvents::onListArrived);
    connect(playlist, &PlaylistModel::parseFinished, this, &TripEvents::onParseFinished);
}

void TripEvents::start(int rowId, const QString &fileName, const QList<GpsData> &samples,
                       const EventThresholds &thresholds)
{
    clear();
    m_thresholds = thresholds;
    m_parts.append({rowId, fileName, samples, {}});
    detect(0);
    m_beforeDone = samples.isEmpty();
    m_afterDone = samples.isEmpty();
    extend();
}

void TripEvents::clear()
{
    m_parts.clear();
    m_playingPart = 0;
    m_beforeDone = true;
    m_afterDone = true;
    m_requestedRow = -1;
    m_waitingRow = -1;
}

void TripEvents::setThresholds(const EventThresholds &thresholds)
{
    m_thresholds = thresholds;
    for (int i = 0; i < m_parts.size(); ++i)
        detect(i);
    emit changed();
}

QVector<TripEvent> TripEvents::events() const
{
    QVector<TripEvent> out;
    for (int i = 0; i < m_parts.size(); ++i) {
        const Part &part = m_parts.at(i);
        for (const DrivingEvent &event : part.events)
            out.append({event, i, part.rowId, part.fileName});
    }
    return out;
}

QVector<DrivingEvent> TripEvents::playingEvents() const
{
    return m_parts.isEmpty() ? QVector<DrivingEvent>() : m_parts.at(m_playingPart).events;
}

void TripEvents::detect(int part)
{
    Part &p = m_parts[part];
    // Parts join only when they continue the one before.
    const GpsData *previous = part > 0 ? &m_parts.at(part - 1).samples.last() : nullptr;
    p.events = detectEvents(p.samples, m_thresholds, previous);
}

void TripEvents::extend()
{
    while (m_requestedRow < 0 && !(m_beforeDone && m_afterDone)) {
        const bool before = !m_beforeDone;
        const int taken = before ? m_playingPart : m_parts.size() - 1 - m_playingPart;
        const int edgeRow = before ? m_parts.first().rowId : m_parts.last().rowId;
        const RowData *row = taken < kMaxNeighbours ? m_playlist->getDataByRow(edgeRow + (before ? -1 : 1)) : nullptr;
        if (!row || m_playlist->getDurationByRow(row->id) <= 0) {
            if (row && !before)
                m_waitingRow = row->id;
            (before ? m_beforeDone : m_afterDone) = true;
            continue;
        }
        m_requestedRow = row->id;
        m_requestedBefore = before;
        m_requesting = true;
        m_playlist->requestAllGpsData(row->id);
        m_requesting = false;
    }
    if (m_requestedRow < 0)
        emit changed();
}

void TripEvents::onListArrived(int rowId, const QList<GpsData> &samples)
{
    if (rowId != m_requestedRow || m_parts.isEmpty())
        return;
    m_requestedRow = -1;
    const RowData *row = m_playlist->getDataByRow(rowId);
    bool joined = false;
    if (row && !samples.isEmpty()) {
        if (m_requestedBefore && continuesTrip(samples.last(), m_parts.first().samples.first())) {
            m_parts.prepend({rowId, row->fileName, samples, {}});
            ++m_playingPart;
            detect(0);
            detect(1);
            joined = true;
        } else if (!m_requestedBefore && continuesTrip(m_parts.last().samples.last(), samples.first())) {
            m_parts.append({rowId, row->fileName, samples, {}});
            detect(m_parts.size() - 1);
            joined = true;
        }
    }
    if (!joined)
        (m_requestedBefore ? m_beforeDone : m_afterDone) = true;
    // An answer inside the request goes on in extend()'s own loop.
    if (!m_requesting)
        extend();
}

void TripEvents::onParseFinished(int rowId)
{
    if (rowId != m_waitingRow || m_parts.isEmpty())
        return;
    m_waitingRow = -1;
    m_afterDone = false;
    extend();
}

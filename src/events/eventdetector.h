#pragma once

#include "drivingevent.h"
#include "eventthresholds.h"
#include "gpsdata.h"

#include <QList>
#include <QVector>

// The harsh braking, harsh acceleration and impacts in one recording's
// samples (one per second), in time order and, within a second, in kind
// order. `previous` is the last sample of the recording this one continues,
// if any: it counts as the second before the first.
QVector<DrivingEvent> detectEvents(const QList<GpsData> &samples, const EventThresholds &thresholds,
                                   const GpsData *previous = nullptr);

// Whether a recording whose first sample is `first` continues the one whose
// last sample is `last`: both carry a time and at most maxGapSeconds lie between.
bool continuesTrip(const GpsData &last, const GpsData &first, int maxGapSeconds = 10);

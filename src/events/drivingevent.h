#pragma once

#include <QMetaType>
#include <QString>
#include <QVector>

// One moment of a recording worth a look.
struct DrivingEvent
{
    enum Kind { Braking = 0, Acceleration = 1, Impact = 2 };

    int second = 0;      // sample number in its recording
    Kind kind = Braking;
    double value = 0.0;  // km/h within the second, or g

    // The names and units the command line writes.
    static QString kindName(Kind kind);
    static QString unitName(Kind kind);
};
Q_DECLARE_TYPEINFO(DrivingEvent, Q_MOVABLE_TYPE);
Q_DECLARE_METATYPE(DrivingEvent)

// An event of a trip of several recordings: which recording (its place in
// the trip and its playlist row) and the event within it.
struct TripEvent
{
    DrivingEvent event;
    int part = 0;
    int rowId = -1;
    QString recording;
};
Q_DECLARE_TYPEINFO(TripEvent, Q_MOVABLE_TYPE);

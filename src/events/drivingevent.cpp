#include "drivingevent.h"

QString DrivingEvent::kindName(Kind kind)
{
    switch (kind) {
    case Braking: return QStringLiteral("braking");
    case Acceleration: return QStringLiteral("acceleration");
    case Impact: return QStringLiteral("impact");
    }
    return QString();
}

QString DrivingEvent::unitName(Kind kind)
{
    return kind == Impact ? QStringLiteral("g") : QStringLiteral("km/h/s");
}

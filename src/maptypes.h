#pragma once

#include <QMetaType>

// The map provider, stored as "maps" and carried by mapsChanged/setMapType.
enum MapTypes {
    GoogleMap = 0,
    BaiduMap = 1,
    OpenStreetMap = 2,
};

Q_DECLARE_METATYPE(MapTypes)

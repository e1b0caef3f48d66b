#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <cstdint>
#include <type_traits>

// One second of trip data. Copied as a whole block; readers zero it before
// they fill it.
struct GpsData
{
    int32_t index;
    char dateTime[15];      // "yyyyMMddhhmmss" + NUL
    char markA;
    char extraText[15];     // 14 chars + NUL, not interpreted
    char markB;
    char latitudeRef;       // 'S' south, anything else north
    double latitude;
    char longitudeRef;      // 'W' west, anything else east
    double longitude;
    int32_t extraNumber;
    int32_t speed;          // km/h
    float gsensorZ;
    float gsensorY;
    float gsensorX;
    double heading;         // degrees clockwise from north
};
static_assert(std::is_trivially_copyable<GpsData>::value, "GpsData is copied as a block");
Q_DECLARE_TYPEINFO(GpsData, Q_MOVABLE_TYPE);

// What one parse found about a file's video.
struct VideoInfo
{
    int32_t width = 0;
    int32_t height = 0;
    int32_t duration = 0;   // whole seconds, truncated
    float frameRate = 0.0f; // one decimal
    QDateTime createTime;   // invalid for AVI
    int32_t codec = 0;      // VideoCodecId
};

enum VideoCodecId {
    VideoCodecNone = 0,
    VideoCodecH264 = 1,
    VideoCodecH265 = 2,
};

enum GpsSourceKind {
    NoGps = 0,
    ExtTrackGps = 1,
    IndexBoxGps = 2,
    FreeGpsInSound = 3,
    TopLevelGps = 4,
    MetaTrackGps = 6,
    AviGpsBlock = 7,
    // Sources beside the camera layouts; those always win when present.
    NmeaTrackGps = 8,       // a text or subtitle track of NMEA sentences
    GpmfTrackGps = 9,       // a 'gpmd' GPMF metadata track
    GpxSidecarGps = 10,     // a .gpx file with the recording's base name
    NmeaSidecarGps = 11,    // a .nmea or .gps file with the recording's base name
    FolderTrackGps = 12,    // the track file loaded for the recording's folder
};

Q_DECLARE_METATYPE(GpsData)
Q_DECLARE_METATYPE(VideoInfo)
Q_DECLARE_METATYPE(QList<GpsData>)

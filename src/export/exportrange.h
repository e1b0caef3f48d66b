#pragma once

#include <QList>
#include <QString>

// A piece of one recording: seconds from the start of its pictures. A
// negative end runs to the end of the recording.
struct ExportSegment
{
    QString path;
    double from = 0.0;
    double to = -1.0;
};

// A recording's share of a range as the window hands it over: the front
// file, its rear partner when the recording is paired (else empty), and
// seconds as in ExportSegment.
struct ExportPiece
{
    QString front;
    QString rear;
    double from = 0.0;
    double to = -1.0;
};

// Where each copied segment landed, once the cut has found its key frame.
struct PlacedSegment
{
    double sourceFrom = 0.0; // the picture the segment really starts with
    double exportStart = 0.0;
    double length = 0.0;
};

enum class SideBySideLayout { SideBySide, PictureInPicture };

// What to make of a range of one trip. The rear list, when given, runs
// beside the front list with the same cuts.
struct ExportRequest
{
    QList<ExportSegment> front;
    QList<QString> rear;
    QString folder;
    bool copyFront = true;
    bool copyRear = true;
    bool sideBySide = false;
    bool trackFiles = true; // GPX and CSV beside the videos
    SideBySideLayout layout = SideBySideLayout::SideBySide;
    bool mirrorRear = false;
    bool gsensorStrip = false;
};

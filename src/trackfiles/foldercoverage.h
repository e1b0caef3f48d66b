#pragma once

#include <QString>

// What the folder track does for one recording: whether the recording's trip
// comes from elsewhere first, and how many of its seconds the track covers.
// Reads only the recording's headers, so a folder of hundreds is quick.
class FolderCoverage
{
public:
    enum Source { OwnTrip, Sidecar, FolderTrack, Uncovered, Unreadable };

    struct Result
    {
        Source source = Unreadable;
        int coveredSeconds = 0;
        int seconds = 0;   // duration + 1
    };

    static Result of(const QString &recordingPath);
};

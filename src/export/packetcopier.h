#pragma once

#include "exportrange.h"

#include <QList>
#include <QString>

#include <atomic>
#include <functional>

// Copies the pictures and sound of consecutive segments into one MP4 without
// decoding: the cut starts at the key frame at or before the first segment's
// start, each following segment's timestamps go on from where the last one
// ended, and 'moov' goes to the front. Runs on the caller's thread.
class PacketCopier
{
public:
    explicit PacketCopier(const std::atomic_bool *cancel = nullptr) : m_cancel(cancel) {}

    // Where a copy from this second would really start: the time of the key
    // frame at or before it, or -1 when the recording cannot tell.
    static double keyFrameAtOrBefore(const QString &path, double seconds);

    // creationTime: ISO 8601 UTC for the movie header, or empty.
    bool copy(const QList<ExportSegment> &segments, const QString &outPath, const QString &creationTime);

    QList<PlacedSegment> placed() const { return m_placed; }
    // Seconds of pictures written.
    double length() const { return m_length; }
    bool cancelled() const { return m_cancelled; }
    // The FFmpeg error of a failed write (AVERROR), 0 for other failures.
    int writeError() const { return m_writeError; }
    QString problem() const { return m_problem; }

    // Called with the seconds written so far, on the copying thread.
    std::function<void(double)> onProgress;

private:
    bool fail(const QString &problem, int writeError = 0);

    const std::atomic_bool *m_cancel;
    QList<PlacedSegment> m_placed;
    double m_length = 0.0;
    bool m_cancelled = false;
    int m_writeError = 0;
    QString m_problem;
};

#pragma once

#include "exportrange.h"
#include "frameoverlay.h"
#include "gpsdata.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

struct SideBySideOptions
{
    SideBySideLayout layout = SideBySideLayout::SideBySide;
    bool mirrorRear = false;
    FrameOverlay overlay;
};

// Re-encodes front and rear into one H.264 MP4 at the front's picture size,
// with the trip data drawn in and the front's sound copied. The cut is
// exact: decoding starts at the key frame before the range and the pictures
// before it are dropped. Runs on the caller's thread.
class SideBySideEncoder
{
public:
    explicit SideBySideEncoder(const std::atomic_bool *cancel = nullptr) : m_cancel(cancel) {}

    // rear: the rear recording of each front segment, or an empty string;
    // samples: each front recording's samples (may be empty).
    bool encode(const QList<ExportSegment> &front, const QStringList &rear, const QList<QList<GpsData>> &samples,
                const SideBySideOptions &options, const QString &outPath);

    QList<PlacedSegment> placed() const { return m_placed; }
    double length() const { return m_length; }
    bool cancelled() const { return m_cancelled; }
    int writeError() const { return m_writeError; }
    QString problem() const { return m_problem; }
    QString encoderName() const { return m_encoderName; }

    std::function<void(double)> onProgress;

private:
    bool fail(const QString &problem, int writeError = 0);

    const std::atomic_bool *m_cancel;
    QList<PlacedSegment> m_placed;
    double m_length = 0.0;
    bool m_cancelled = false;
    int m_writeError = 0;
    QString m_problem;
    QString m_encoderName;
};

#pragma once

#include "trackoraactivex_global.h"

#include <QtGlobal>

#include <deque>

namespace TrackoraActiveX {

// Where the sound leaving the tempo stage stands in media time.
//
// The stage works on overlapping sequences: over time it gives out exactly
// one frame per `tempo` frames put in, so an output frame maps onto the input
// at that ratio, from where the stream (or the last tempo change) began. What
// the stage holds inside (its processing latency) needs no separate account.
// Within one sequence the sound runs at normal speed, so a sound event is
// heard off that average line: first heard late in a sequence below tempo 1
// and anywhere in one above; `eventLead` places the clock where events fall on
// average. The input keeps the media time of every piece put in, so a jump
// (a seek while playing) reaches the clock when its sound leaves the stage.
class TRACKORAACTIVEX_EXPORT CFFTempoTimeline
{
public:
    // A new stream: nothing put in or given out yet.
    void restart(int sampleRate);
    // From the next frame given out; outputSequence is the stage's nominal
    // output sequence in frames at this tempo, overlap the frames it
    // cross-fades from one sequence into the next.
    void setTempo(double tempo, int outputSequence, int overlap = 0);
    // `frames` put in, the first of them at `mediaSeconds`.
    void fed(qint64 frames, double mediaSeconds);
    void received(qint64 frames);
    qint64 receivedFrames() const;
    // Media seconds of output frame `frame` (counted from the restart), as heard.
    double mediaAt(qint64 frame);
    double eventLeadSeconds() const;

private:
    struct Piece
    {
        qint64 input;  // first input frame
        double media;  // its media time
    };
    std::deque<Piece> pieces;
    int rate = 0;
    qint64 inputFrames = 0;
    qint64 outputFrames = 0;
    qint64 anchorOutput = 0;
    double anchorInput = 0;
    double tempo = 1.0;
    double eventLead = 0;
};

} // namespace TrackoraActiveX

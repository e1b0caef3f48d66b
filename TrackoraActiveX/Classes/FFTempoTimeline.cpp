#include "FFTempoTimeline.h"

#include <algorithm>

namespace TrackoraActiveX {

void CFFTempoTimeline::restart(int sampleRate)
{
    pieces.clear();
    rate = sampleRate;
    inputFrames = 0;
    outputFrames = 0;
    anchorOutput = 0;
    anchorInput = 0;
}

void CFFTempoTimeline::setTempo(double value, int outputSequence, int overlap)
{
    if (value <= 0)
        return;
    anchorInput += double(outputFrames - anchorOutput) * tempo;
    anchorOutput = outputFrames;
    tempo = value;
    // A sequence copies input at normal speed, and its sound reaches on into
    // the cross-fade that opens the next (heard there until the fade is half
    // done). Below tempo 1 sequences start `tempo` of an output sequence
    // apart in the input, so an event is first heard within that last stretch
    // of the reach; above 1 they leave gaps and an event falls anywhere in
    // one. Its mean place in the sequence, times (1 - tempo), is how far its
    // media time runs ahead of the average line.
    const double sequence = std::max(outputSequence, 0);
    const double reach = sequence + std::max(overlap, 0) / 2.0;
    const double meanPlace = tempo < 1.0 ? reach - tempo * sequence / 2 : reach / 2;
    eventLead = rate > 0 ? (1.0 - tempo) * meanPlace / rate : 0;
}

void CFFTempoTimeline::fed(qint64 frames, double mediaSeconds)
{
    if (frames <= 0)
        return;
    pieces.push_back({inputFrames, mediaSeconds});
    inputFrames += frames;
}

void CFFTempoTimeline::received(qint64 frames)
{
    outputFrames += std::max<qint64>(frames, 0);
}

qint64 CFFTempoTimeline::receivedFrames() const
{
    return outputFrames;
}

double CFFTempoTimeline::mediaAt(qint64 frame)
{
    if (pieces.empty() || rate <= 0)
        return 0;
    const double input = anchorInput + double(frame - anchorOutput) * tempo;
    // Pieces wholly before the one that holds `input` are not asked for again:
    // the frames asked for only move forward until the next restart.
    while (pieces.size() > 1 && double(pieces[1].input) <= input)
        pieces.pop_front();
    const Piece &piece = pieces.front();
    return piece.media + (input - double(piece.input)) / rate + eventLead;
}

double CFFTempoTimeline::eventLeadSeconds() const
{
    return eventLead;
}

} // namespace TrackoraActiveX

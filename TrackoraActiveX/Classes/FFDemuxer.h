#pragma once

#include "trackoraactivex_global.h"
#include "FFBuffer.h"
#include "FFNextInput.h"
#include "FFUtils.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>

class QThread;

extern "C" {
#include <libavformat/avformat.h>
}

namespace TrackoraActiveX {

class CFFPlayer;
class CFFVideo;

// Opens one file and reads its packets into the decoders' queues. The public
// operations run on the GUI thread, except openMedia, which the player may
// run on its opener thread while the GUI thread leaves the demuxer alone; onDemux and onDemuxStarted run on
// demuxThread, and so do the seeks setSeekSecond asks for. Each read and each
// seek of formatContext holds ioLock.
class TRACKORAACTIVEX_EXPORT CFFDemuxer : public QObject
{
    Q_OBJECT
public:
    explicit CFFDemuxer(CFFPlayer *owner);
    ~CFFDemuxer() override;

    bool openMedia(const QString &url);
    // Makes an open in progress on another thread give up at its next read
    // (a stop while the player opens in the background); cleared before an open.
    void setOpenAborted(bool aborted);
    bool initialize();
    void pauseDemux(bool pause);
    void stopDemux();
    bool seekFile(int second, FFStates state);
    void setSeekSecond(int second, FFStates state);
    int seekSecond();
    // The second a seek to `second` goes to: the last second that holds
    // pictures for a seek at or past the end; -1 for a negative second.
    int seekableSecond(int second) const;
    void setDurationMs(qint64 ms);
    // Frame steps while paused, made by the read loop like a paused seek.
    // `fromStamp` is the shown picture's timestamp (video time base), used
    // when the loop has read on since it last showed one. Steps asked for
    // before the loop takes them add up; a seek drops them.
    void requestStep(int direction, int64_t fromStamp);
    // Shows the last picture at or before `seconds` (another view's picture time).
    void requestFollow(double seconds);

    // The file to read on with, without a pause, when the current one ends
    // (empty: none). Opened in the background at once; GUI thread.
    void prepareNext(const QString &path);
    // The next seek is meant for the file being shown, which the read loop
    // has already left for the next one: it goes back first. GUI thread.
    void revertJoinAtSeek(bool revert);
    // The player shows the first picture of a joined file; its thread.
    void noteJoinShown();

    bool isInitialized() const { return initialized; }
    bool isFinished() const { return finished; }

signals:
    void demuxed();

private slots:
    void onDemux();
    void onDemuxStarted();
    void onDemuxFinished();

private:
    void flushDecoderPackets();
    void endReadLoop();
    void closeInput();
    void reportUnusedOptions(const AVDictionary *options);
    bool decodeAtSeek(CFFVideo *video, int second);
    static int interruptOpen(void *demuxer);
    bool takeSeekRequest(int &second, FFStates &state);
    void runSeek(int second, FFStates state);
    int readPacket(AVPacket *pkt);
    void shiftPacket(AVPacket *pkt);
    bool spliceNext();
    void revertJoin();
    bool takeStepRequest();
    void runSteps(CFFVideo *video, int steps, int64_t fromStamp);
    void runFollow(CFFVideo *video, double seconds);
    bool stepForward(CFFVideo *video, int64_t from);
    int stepBack(CFFVideo *video, int64_t from, int count);
    bool seekForStep(CFFVideo *video, int64_t stamp);
    bool nextStepPicture(CFFVideo *video, AVFrame *dst);
    void forgetStepPlace();

    CSyncFlag runFlag;   // its mutex is the main lock; flag stored by the GUI thread, read by the loop
    CSyncFlag pauseFlag; // the read loop's gate; written by the GUI thread and onDemuxStarted
    CFFPlayer *owner = nullptr;
    QThread *demuxThread = nullptr;
    // opened and closed on the GUI thread under the main lock and ioLock; read under ioLock
    AVFormatContext *formatContext = nullptr;
    AVPacket *packet = nullptr;     // demux thread
    AVPacket *seekPacket = nullptr; // demux thread: the reads of a paused seek
    AVFrame *frame = nullptr;   // demux thread: the picture of a paused seek
    // The seek the loop has still to make; under pauseFlag's mutex, whose
    // condition wakes the loop. seekPending is also read bare by a paused
    // seek's decode, to give up for a newer one.
    std::atomic<bool> seekPending{false};
    int pendingSecond = 0;
    FFStates pendingState = StoppedState;
    // Frame steps and follows the loop has still to make; under pauseFlag's mutex.
    std::atomic<bool> stepPending{false};
    int pendingSteps = 0;
    int64_t pendingStepFrom = 0;
    bool followPending = false;
    double pendingFollowSeconds = 0;
    // Demux thread: where the codec and the input stand after the last
    // picture this loop showed (a paused seek's or a step's), so that the
    // next forward step decodes on instead of seeking.
    bool stepReady = false;
    int64_t stepShown = 0;
    // stepShown is where the steps stand, whether or not the codec is there.
    bool stepPlaceKnown = false;
    AVFrame *stepAhead = nullptr;   // decoded past the one shown, not shown yet
    AVFrame *stepScratch = nullptr;
    bool aheadValid = false;
    bool stepInputEnded = false;
    std::atomic<bool> openAborted{false}; // set by the GUI thread, read by FFmpeg's interrupt callback
    QString url;                // the opening thread (the GUI thread or the player's opener)
    std::atomic<bool> initialized{false}; // written by the GUI thread
    std::atomic<bool> finished{false};    // written by the loop at its end and by the GUI thread
    std::atomic<int> m_seekSecond{0};     // GUI thread
    std::atomic<qint64> durationMs{0};    // GUI thread
    bool optionsReported = false;         // the opening thread
    std::mutex ioLock; // serialises reads, seeks, open and close; after the main lock, before the player lock
    CFFNextInput nextInput;
    // The input being read and how its packets join the decoders' streams;
    // under ioLock. After a splice the packets of the new input are moved
    // to the decoders' stream numbers and time bases and shifted by
    // shiftSeconds, so the timestamps run on from the first file's.
    int inputVideoIndex = -1;
    int inputAudioIndex = -1;
    bool spliced = false;
    double shiftSeconds = 0;
    double readEndSeconds = 0;      // the latest packet end read so far, on the decoders' time line
    QByteArray newExtradata;        // handed to the video decoder with the new input's first picture
    QByteArray newAudioExtradata;   // and to the audio decoder with its first packet
    // The input left at the last join, kept until the player shows the new
    // file, so that a seek meant for the old one can go back to it.
    struct LeftInput
    {
        AVFormatContext *context = nullptr;
        int videoIndex = -1;
        int audioIndex = -1;
        bool spliced = false;
        double shiftSeconds = 0;
        double readEndSeconds = 0;
        QByteArray videoSets;       // its parameter sets where the joined file's differ
        QByteArray audioSets;
    };
    LeftInput left;                 // ioLock
    QString joinedPath;             // ioLock
    int joinsMade = 0;              // ioLock
    std::atomic<int> joinsShown{0}; // the player thread counts
    std::atomic<bool> revertAtSeek{false};
};

} // namespace TrackoraActiveX

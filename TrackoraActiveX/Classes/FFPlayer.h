#pragma once

#include "trackoraactivex_global.h"
#include "FFBuffer.h"
#include "FFPlayerAxUserData.h"
#include "FFUtils.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

struct AVFormatContext;
struct AVFrame;

namespace TrackoraActiveX {

class CFFDemuxer;
class CFFVideo;
class CFFAudio;
class CFFPlayer;

// Why the read loop hands a picture over while paused.
enum class PictureOrigin { Seek, Step, Follow };

// The picture handed to the control. `data` always points at the last
// complete picture; the player writes the next one into a second buffer and
// swaps under hframeMutex(), so a reader holding that mutex never sees a
// half-written picture. The colour fields say how to turn it into RGB.
struct HFrame
{
    int width;
    int height;
    int format;
    uint8_t *data;
    int size;
    int colorSpace = 2; // AVColorSpace; 2 is AVCOL_SPC_UNSPECIFIED
    int colorRange = 0; // AVColorRange; 0 is unspecified (limited), 2 full
};

// One player core. Public operations run on the GUI thread; doTransfer on
// the player thread; initCodec is called by the demuxer on the thread that
// opens (the GUI thread, or the opener thread of a background open),
// queueSeekPicture on its own thread. Lock order (docs/architecture.md): demuxer main lock,
// ioLock, player lock (pauseAck's mutex), a decoder's codec lock, the gate's
// mutex (held while a picture is copied), hframeLock (only around the buffer
// swap), a queue's mutex. No lock is held while a signal is emitted.
class TRACKORAACTIVEX_EXPORT CFFPlayer : public QObject
{
    Q_OBJECT
public:
    explicit CFFPlayer(QObject *parent = nullptr);
    ~CFFPlayer() override;

    void play(const QString &url);
    // With this set, play() from stopped opens the file, its codecs and the
    // sound device on a helper thread and returns at once; the result comes
    // back queued: durationChanged then stateChanged(PlayingState), or
    // stateChanged(StoppedState) when the file cannot be played. Meanwhile
    // state() stays StoppedState and isOpening() is true; a pause or a seek
    // is kept for when it has opened, and a stop cancels it.
    void setOpenInBackground(bool background);
    bool isOpening() const;
    void pause();
    void stop();
    void setSeekSecond(int second);
    // The file to go on with, without a stop, when the current one ends; its
    // input is opened in the background now. Empty cancels. The first
    // picture of the new file brings mediaChanged and durationChanged, and
    // positions count from 0 again.
    void setNextMedia(const QString &url);
    QString nextMedia() const;
    // While paused: the next (+1) or previous (-1) picture, decoded on the
    // read loop's thread; frameStepped says when it is shown. The main
    // player's peer then follows to the picture's time.
    void stepFrame(int direction);
    // While paused: the last picture at or before `seconds` of stream time.
    void followPicture(double seconds);

    FFStates state() const;
    void setState(FFStates value);
    int position() const;
    void announcePosition(int value);
    int seekSecond() const;
    void setPlaybackRate(FFPlaybackRate rate);
    FFPlaybackRate playbackRate() const;
    void setVolume(int value);
    int volume() const;
    void setMuted(bool value);
    bool isMuted() const;
    CFFPlayerAxUserData *userData() const;
    void setUserData(const CFFPlayerAxUserData *record);
    QString currentUrl() const;
    const HFrame *currentHFrame() const;
    // Held by a reader of currentHFrame()'s bytes; the player only swaps
    // buffers under it, so holding it briefly never stalls decoding.
    std::mutex &hframeMutex() const;

    // Used by the demuxer and the decoders.
    bool initCodec(AVFormatContext *formatContext);
    void showFrame(AVFrame *picture);
    // From the demuxer's thread: a paused seek's picture, shown on the GUI thread.
    void queueSeekPicture(const AVFrame *picture, PictureOrigin origin = PictureOrigin::Seek);
    // From the demuxer's thread: a step or follow that had no picture to move to.
    void queueStepMissed(PictureOrigin origin);
    bool isCodecOpen() const;
    qint64 positionMs() const;
    CFFVideo *videoDecoder() const;
    CFFAudio *audioDecoder() const;
    // From the demuxer's thread: its packets run on into `path`, whose first
    // picture comes at `seamSeconds` on the time line of the pictures.
    void noteSplice(double seamSeconds, const QString &path, qint64 durationMs);

    // The stream timestamp and the time in seconds of the picture the player
    // thread handles now (the peer's pacing, the benchmark's sync figures).
    qint64 currentFramePts() const;
    double currentFrameSeconds() const;
    bool hasAudioStream() const;
    FFDecodeMode decodeMode() const;
    qint64 durationMilliseconds() const;
    // Where positions and seeks count from: the container's first
    // timestamp, in milliseconds.
    qint64 startMilliseconds() const;
    bool isSeekSettled() const;

signals:
    void stateChanged(FFStates state);
    void durationChanged(qint64 duration);
    void positionChanged(qint64 position);
    void renderFrame(const HFrame *pFrm);
    // The first picture of the next file is shown (the path as opened).
    void mediaChanged(const QString &path);
    // A step or follow has ended: moved when it showed another picture.
    void frameStepped(bool moved);

private slots:
    void onSeekCheck();
    void played();
    void finishOpen(int ticket, bool opened);

private:
    void playerLoop();
    void doTransfer();
    double pictureDelay(double interval, double speed);
    void syncToClock(double pts, double interval, double speed);
    bool clockAtNewPlace(double pts, double clock);
    double nudgeFor(double ahead, double step);
    void waitForNewPlace(double pts, double speed);
    bool pacingClock(double &clock, bool *byAudio = nullptr);
    bool allocatePictureBuffers(int width, int height, AVPixelFormat format);
    bool copyToHFrame(const AVFrame *picture);
    bool publishPicture(const AVFrame *picture, bool seekStep = false);
    bool takePicture();
    void clearPicture();
    enum class NextPace { Plain, AtOnce, Doubled };
    bool peerClock(double &seconds);
    double pictureClock() const;
    void flushAllQueues();
    void finishStep(const AVFrame *picture, PictureOrigin origin);
    void closeGate();
    void waitForParkedThread();
    void startOpen();
    void cancelOpen();
    void crossSeam(const AVFrame *picture, double pts);

    CFFDemuxer *demuxer = nullptr;
    CFFVideo *video = nullptr;
    CFFAudio *audio = nullptr;
    QString url;                            // GUI thread only
    std::atomic<qint64> positionValue{0};   // atomic; player thread and GUI write
    std::atomic<FFStates> stateValue{StoppedState}; // atomic; GUI writes
    CSyncFlag pauseAck;                     // its mutex is the player lock
    std::atomic<bool> alive{false};         // atomic; GUI writes
    std::thread playerThread;
    // The background open: the GUI thread starts and joins the opener and
    // leaves the demuxer and the decoders to it until it has reported back.
    std::thread opener;                     // GUI thread
    bool openInBackground = false;          // GUI thread only
    bool opening = false;                   // GUI thread only
    int openTicket = 0;                     // GUI thread: counts opens and stops; an older open's report is dropped
    bool pauseAfterOpen = false;            // GUI thread only
    int seekAfterOpen = -1;                 // GUI thread only
    CSyncFlag *gate = nullptr;              // flag atomic; its mutex guards the picture copy
    QTimer seekTimer;                       // GUI thread
    std::atomic<bool> seekSettled{true};    // atomic; GUI writes, player thread reads
    qint64 lastSeekRequestMs = 0;           // GUI thread only
    std::atomic<int> seekGeneration{0};     // atomic; GUI counts seek requests
    int rushedGeneration = 0;               // player thread: the last request whose jump it has seen
    std::atomic<qint64> durationMs{0};      // atomic; written in initCodec
    std::atomic<qint64> startMs{0};         // atomic; written in initCodec
    std::atomic<bool> codecOpen{false};     // written under the player lock
    std::atomic<double> lastPts{0};         // atomic; player thread writes, stop() resets
    AVFrame *frame = nullptr;               // player thread
    bool pictureHeld = false;               // player thread: frame holds a picture a pause kept from showing
    int heldGeneration = 0;                 // player thread: discardGeneration when frame was pulled
    std::atomic<int> stopCount{0};          // atomic; GUI counts the stops, so a seek picture queued before one is dropped
    std::atomic<int> discardGeneration{0};  // atomic; GUI counts the stops and flushes that make pictures stale
    std::chrono::steady_clock::time_point nextDue; // player thread: when the next picture is due
    bool scheduleValid = false;             // player thread: nextDue follows from the last picture
    NextPace nextPace = NextPace::Plain;    // player thread: how the next picture's step is adjusted
    double nextNudge = 0;                   // player thread: wall seconds added to the next step
    double paceTrim = 0;                    // player thread: share of a step the clock's pace asks beyond the timestamps
    bool jumpPending = false;               // player thread: a seek's jump whose clock may still play the old place
    double jumpSeconds = 0;                 // player thread: the first picture's time after that jump
    std::chrono::steady_clock::time_point jumpAt; // player thread: when that picture came
    AVFrame *renderTarget = nullptr;        // under the gate's mutex: planes of the back buffer
    HFrame *hframe = nullptr;               // fields set by initCodec under the gate's mutex; data swapped under hframeLock
    uint8_t *frameBuffers[2] = {nullptr, nullptr}; // under the gate's mutex
    int backBuffer = 0;                     // under the gate's mutex
    mutable std::mutex hframeLock;
    std::atomic<FFPlaybackRate> rate{PlaybackRate_1_0}; // atomic; GUI writes
    std::atomic<bool> hasAudio{false};      // atomic; written in initCodec
    std::atomic<FFDecodeMode> mode{UNDEFINE_DECODE}; // atomic; written in initCodec
    std::atomic<qint64> framePts{0};        // atomic; player thread writes
    std::atomic<qint64> shownStamp{0};      // atomic: the shown picture's timestamp, written where it is published
    std::atomic<double> frameSeconds{0};    // atomic; player thread writes
    std::atomic<double> frameStep{0};       // atomic; player thread writes: the shown picture's timestamp step
    std::atomic<std::chrono::steady_clock::rep> frameShownAt{0}; // atomic; player thread writes
    CFFPlayerAxUserData *axUserData = nullptr; // fields written by the GUI (or the viewer in place)
    struct Seam
    {
        double atSeconds;
        QString path;
        qint64 durationMs;
    };
    QString nextUrl;                        // GUI thread only
    std::mutex seamLock;                    // guards seams; taken alone
    std::deque<Seam> seams;                 // files the demuxer went on with whose first picture is still to come
    // Which of the files joined since the last open the player thread shows,
    // and where that one and the one before begin on the pictures' time line;
    // a rear player compares its peer's place within the same file.
    std::atomic<int> fileIndex{0};          // atomic; player thread writes, stop() resets
    std::atomic<double> fileOrigin{0};      // atomic; as fileIndex
    std::atomic<double> previousOrigin{0};  // atomic; as fileIndex
};

} // namespace TrackoraActiveX

Q_DECLARE_METATYPE(const TrackoraActiveX::HFrame *)

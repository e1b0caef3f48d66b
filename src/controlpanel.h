#pragma once

#include <QDateTime>
#include <QTimer>
#include <QWidget>

#include <climits>

#include "playareamanager.h"
#include "trackoraactivexlib.h"
#include "triprange.h"

namespace Ui {
class ControlPanel;
}
class SliderRangeOverlay;

// The strip under the video: readouts, view buttons, seek slider, transport,
// rate selector, mute and volume. It never drives the player: user actions
// leave as signals and the player's answers come back through the slots.
// It also decides when a recording has ended and asks for the next one.
// GUI thread only.
class ControlPanel : public QWidget
{
    Q_OBJECT
public:
    using FFStates = TrackoraActiveXLib::FFStates;

    explicit ControlPanel(QWidget *parent = nullptr);
    ~ControlPanel() override;

    void setCurrentPosition(qint64 ms);
    // The marks' times inside their recordings, -1 while unmarked.
    qint64 markedIn() const { return inMark.ms; }
    qint64 markedOut() const { return outMark.ms; }
    RangeMark markedInAt() const { return inMark; }
    RangeMark markedOutAt() const { return outMark; }
    void disableBtn(bool front, bool rear, bool frontRear);
    void setSliderMove(int step);
    void setDateTime(const QDateTime &dateTime);
    void setSpeed(int kmh);
    void setCoordinate(const QString &latitude, const QString &longitude);
    void resetInfo();
    void stopAndReset();
    void updateToolTips();
    void setLastVolume(int volume);
    void setPlayEnabled(bool enabled);
    void setTimeFont(const QFont &font);
    void blockNextButton(bool block);
    void blockPreviousButton(bool block);
    bool isMuted() const { return muted; }
    FFStates state() const { return m_state; }

signals:
    void openFile();
    void screenshot();
    void play();
    void pause();
    void stop();
    void next();
    void previous();
    void frontView(bool checked);
    void rearView(bool checked);
    void frontRearView(bool checked);
    void changeVolume(int volume);
    void changeMuting(bool muting);
    void changeRate(double rate);
    void sliderMoved(int position);
    void sliderStatusChanged(bool isSliderDown, int seconds);
    // btn_Events shows or hides the trip's events list.
    void eventsShown(bool shown);
    // The marked range; an out mark's ms of -1 runs to the end of its recording.
    void exportRequested(const RangeMark &in, const RangeMark &out);
    void marksChanged();

public slots:
    void setState(FFStates state);
    void setVolume(int volume);
    void setMuted(bool muted);
    void setPlaybackRate(float rate);
    void playClicked();
    void onShowModeChanged(PlayAreaManager::ShowMode mode);
    void onSliderPressed();
    void onSliderReleased();
    void onSliderMoved(int position);
    void setMaxDuration(qlonglong msDuration);
    void checkSamePosPlay();
    void markIn();
    void markOut();
    void clearMarks();
    // A range chosen for the user (around an event); one for a recording
    // still opening waits for its duration.
    void proposeRange(qint64 inMs, qint64 outMs, bool forNextRecording);
    // Marks may span the recordings of one trip. scope names the trip (or a
    // recording played on its own) and part the playing recording's place in
    // it; marks survive a change of part and go with a change of scope.
    // Without a scope the marks belong to the recording they were set on.
    void setRangeScope(int scope, int part);
    // A range chosen for the user over the scope's recordings.
    void setRange(const RangeMark &in, const RangeMark &out);
private slots:
    void muteClicked();
    void updateRate();
    void onVolumeSliderValueChanged();
    void onUpdateLanguage();
    void onSliderValueChanged(int value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPosition(qint64 ms);
    void setMuteToolTip();
    static int linearToSlider(int linear);

    Ui::ControlPanel *ui = nullptr;
    FFStates m_state = TrackoraActiveXLib::StoppedState;
    bool muted = false;
    int maxSeconds = 0;
    qint64 durationMs = 0;
    bool speedInKmh = true;
    int speed = 0;
    bool sliderPressed = false;
    int lastVolume = 0;
    QTimer samePosTimer;
    int samePosCount = 0;
    qint64 currentPosition = 0;
    qint64 lastPosition = 0;
    // Several reports fall within the end window; when the GUI thread lags they
    // are handled before the queued next() is, and each extra next() would skip
    // a recording. Cleared by a new duration or a new start of playback.
    bool nearEndReported = false;
    // The range to export; a mark's ms is -1 while unmarked.
    RangeMark inMark;
    RangeMark outMark;
    static const int kNoScope = INT_MIN;
    int rangeScope = kNoScope;
    int playingPart = 0;
    qint64 proposedInMs = -1;
    qint64 proposedOutMs = -1;
    SliderRangeOverlay *rangeOverlay = nullptr;

    void requestExport();
    void showMarks();
};

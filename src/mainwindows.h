#pragma once

#include <QAbstractNativeEventFilter>
#include <QDialog>
#include <QModelIndex>
#include <QPointer>
#include <QRect>
#include <QWindow>

#include "gpsdata.h"
#include "trackoraactivexlib.h"
#include "triprange.h"

class ControlPanel;
class EventListModel;
class TripEvents;
class TripPlaylistModel;
class TripTimeline;
class MoveFilter;
class PlayAreaManager;
class PlaylistModel;
class QKeyEvent;
class QScreen;
class QWindow;
struct RowData;

namespace Ui {
class MainWindows;
}

// The viewer's only top-level window: a frameless frame with its own title
// bar, edge resizing and work-area filling, and the body that wires the play
// area, control panel, playlist, map, chart and gauges together. GUI thread only.
class MainWindows : public QDialog, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    // Where the cursor is on the frame; the values are those the edge test records.
    enum ResizeEdge {
        EdgeTop = 0,
        EdgeBottom = 1,
        EdgeLeft = 2,
        EdgeRight = 3,
        EdgeTopLeft = 4,
        EdgeBottomLeft = 5,
        EdgeBottomRight = 6,
        EdgeTopRight = 7,
        EdgeNone = 8,
    };
    Q_ENUM(ResizeEdge)

    explicit MainWindows(QWidget *parent = nullptr);
    ~MainWindows() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, long *result) override;

    void playByData(const RowData *row);
    void syncToPosition(qint64 position, int rowId);
    void showFileName(const QString &name);
    void toggleMaximized();
    ResizeEdge hitTestEdge(const QPoint &globalPos);

    // False while the window fills the work area.
    bool isNormalGeometry() const { return normalFlag; }
    PlaylistModel *playlist() const { return playlistModel; }
    // The table's model: the playlist with a header row above each trip.
    TripPlaylistModel *tripPlaylist() const { return tripModel; }
    TripTimeline *tripTimeline() const { return timeline; }
    // Plays the playlist row from that position (its own row, seeked once it plays).
    void playIdAt(int id, qint64 ms);

    // Folder picker opened in the parent of start with its last component
    // preselected; an empty string when cancelled.
    QString chooseFolder(const QString &start, const QString &title);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_pBtn_Minimize_clicked();
    void on_pBtn_Maximize_clicked();
    void on_pBtn_Close_clicked();
    void on_pBtn_Step_clicked();
    void on_pBtn_Copyright_clicked();
    void setSystemFontSize();
    void onDesktopResized(int screen);
    void onWorkAreaResized(int screen);

    void openFile();
    void playClicked();
    void onStop();
    void previousClicked();
    void nextClicked();
    void onFrontView(bool checked);
    void onRearView(bool checked);
    void onFrontRearView(bool checked);
    void onChangeRate(double rate);
    void positionChanged(int rowId, qint64 position);
    void onKeyPressEvent(QKeyEvent *event);
    void onDropFile(QString filePath);
    void clearPlayList();
    void onTableDoubleClicked(QModelIndex index);
    void onPlaylistContextMenu(const QPoint &pos);
    void loadFolderTrack(const QString &folder);
    void onFolderTrackLoaded(const QString &folder);
    void onGpsDataChanged(int rowId, GpsData data);
    void onAllGpsDataParserFinished(int id, QList<GpsData> dataList);
    void onPlayAreaStateChanged(TrackoraActiveXLib::FFStates state);
    void onUpdateLanguage();
    bool isSuportH264orH265(int id);
    void onEventDoubleClicked(const QModelIndex &index);
    void refreshEvents();
    void showTripEvents();
    void openExportDialog(const RangeMark &in, const RangeMark &out);
    void onTableClicked(const QModelIndex &index);
    void onMediaChanged(const QString &media);
    void onTripsRegrouped();
    void onTimelineSeek(int recording, qint64 ms);
    void playTripSecond(int second);

private:
    void setUpTable();
    void fitColumns();
    void restoreGeometry();
    static QRect firstWindowRect();
    static QRect fittedToWorkArea(const QRect &rect);
    void watchScreen(QScreen *screen);
    void progressStep(int i, int n);
    void clearTripViews();
    bool keepsOwnCursor(QWidget *widget) const;
    bool handleWindowMouse(QEvent *event);
    void setUpEventList();
    // Shows event `row` of the list and seeks leadSeconds before it, in
    // another recording of the trip if it is there.
    void goToEvent(int row, int leadSeconds);
    void placeTimeline();
    // The export range and the trip's events on the timeline.
    void placeTimelineMarks();
    void refreshTripSpans();
    void updateTimeline();
    void armNextMedia();
    void disarmNextMedia();
    void jumpInTrip(int step);
    void showWholeTrip();
    // Seconds from the shown trip's start to the playing recording's; -1
    // while the map and chart show one recording only.
    int tripOffset() const;

    Ui::MainWindows *ui = nullptr;
    PlaylistModel *playlistModel = nullptr;
    TripPlaylistModel *tripModel = nullptr;
    TripTimeline *timeline = nullptr;
    // Where the timeline's current recording sits in its trip; -1: none.
    int timelineIndex = -1;
    // The row the players were told to go on with, -1 when none; its file.
    int chainedId = -1;
    QString chainedMedia;
    // The players went on by themselves: the samples that follow must not
    // start them again.
    bool followingChain = false;
    // A position to seek to once this row plays (a click on the trip).
    int pendingSeekId = -1;
    qint64 pendingSeekMs = 0;
    bool spansPending = false;
    bool tripViewsPending = false;
    // The playing recording's last position and length, for the end of a chain.
    qint64 playingPositionMs = 0;
    qint64 playingDurationMs = 0;
    // The trip the map and chart show, by its first id, recordings and
    // length; empty while they show one recording.
    QString shownTrip;
    QVector<int> shownTripIds;
    QVector<int> shownTripOffsets;
    RowData *currentRow = nullptr;
    // The play area points at this copy, never at a model row, so clearing
    // the playlist cannot leave it with a deleted row.
    RowData *playingRow = nullptr;
    bool abortScan = false;
    // Set by playByData until the row's samples have started it.
    bool samplesPending = false;
    // The row's picture size was not parsed yet when it was chosen; the codec
    // check runs again once its samples (and facts) are in.
    bool codecCheckPending = false;
    // The player opens the chosen file in the background; its first state
    // says whether it plays. Cleared before the window stops it itself.
    bool openPending = false;

    // The events of the trip that plays, found in its samples.
    EventListModel *eventModel = nullptr;
    TripEvents *tripEvents = nullptr;
    // How many samples one chart point stands for.
    double chartSecondsPerPoint = 1.0;
    // An event in another recording: where to seek once that row plays.
    int pendingSeekRow = -1;
    int pendingSeekSecond = 0;
    // The event last gone to, selected again when the list is rebuilt.
    int selectedEventRow = -1;
    int selectedEventSecond = -1;
    int currentSecond = 0;

    QRect restoreRect;
    bool normalFlag = true;
    MoveFilter *moveFilter = nullptr;
    ResizeEdge lastEdge = EdgeNone;
    QString fileNameText;

    // Resizing by hand where the window manager offers no system resize.
    ResizeEdge dragEdge = EdgeNone;
    QRect dragStartGeometry;
    QPoint dragStartPos;
    QPointer<QWindow> watchedWindow;
    // The first exposure is logged once, for start-up timing.
    bool shownLogged = false;
};

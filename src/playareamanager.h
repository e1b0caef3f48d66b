#pragma once

#include <QUrl>
#include <QWidget>

#include "trackoraactivexlib.h"

class CPlayerWidget;
class QDragEnterEvent;
class QDropEvent;
class QHBoxLayout;
class QKeyEvent;
struct RowData;

// The play area: the front and rear player hosts side by side, linked so
// the rear player follows the front one. Decides which view is seen, which
// player speaks for the pair, which is heard and which takes screenshots.
// GUI thread only.
class PlayAreaManager : public QWidget
{
    Q_OBJECT
public:
    using FFStates = TrackoraActiveXLib::FFStates;

    enum ShowMode {
        ShowFrontRear = 1,
        ShowFront = 4,
        ShowRear = 8,
        ShowInvalid = 16,
    };
    Q_ENUM(ShowMode)

    explicit PlayAreaManager(QWidget *parent = nullptr);
    ~PlayAreaManager() override;

    void setResourceData(const RowData *row, const QUrl &relateUrl);
    // The players went on with this row's files by themselves: positions are
    // now this row's, and nothing is opened again.
    void followRow(const RowData *row, const QUrl &relateUrl);
    void setShowMode(ShowMode mode);
    void setPlayFrontOrRear(bool hasFront, bool hasRear);
    void hidePlayers();

    QString canonicalUrl() const;
    FFStates decState() const;
    int volume() const;

    ShowMode showMode() const { return mode; }
    // The id of the row that plays, -1 when none.
    int playingRowId() const;
    ShowMode playFrontOrRear() const { return gPlayFrontOrRear; }
    CPlayerWidget *frontPlayer() const { return front; }
    CPlayerWidget *rearPlayer() const { return rear; }

signals:
    void stateChanged(FFStates newState);
    void mutedChanged(bool muted);
    void durationChanged(qint64 duration);
    void positionChanged(int rowId, qint64 position);
    void keyPressSignals(QKeyEvent *event);
    void dropFile(QString filePath);
    void showModeChanged(ShowMode mode);
    void clearPlayList();

public slots:
    void play();
    void pause();
    void stop();
    void seek(int seconds);
    void setVolume(int volume);
    void setMuted(bool muted);
    void setPlaybackRate(double rate);
    void screenshot();
    // While paused: the next (+1) or previous (-1) picture of the leading
    // view; the other view follows its picture time.
    void stepFrame(int direction);
    void update();
    void onSliderStatusChanged(bool isSliderDown, int seconds);

private slots:
    void onPositionChanged(qint64 position);
    void onDragEnterEvented(qint64 address);
    void onDropEvented(qint64 address);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void connectPlayer(CPlayerWidget *host);
    void disconnectPlayer(CPlayerWidget *host);
    void linkPlayers();
    static bool isPlayableUrlText(const QString &text);

    QHBoxLayout *layout = nullptr;
    CPlayerWidget *front = nullptr;
    CPlayerWidget *rear = nullptr;
    ShowMode gPlayFrontOrRear = ShowFrontRear;
    QUrl relateUrl;
    ShowMode mode = ShowFrontRear;
    // The view last asked for while both cameras were there.
    ShowMode chosen = ShowFrontRear;
    const RowData *currentRow = nullptr;

    // Which player the next pause stops first; GUI thread only.
    static int pauseOrder;
};

#pragma once

#include <QWidget>

#include "trackoraactivexlib.h"

class QKeyEvent;

// The viewer's home of one player control: keeps it centred at 16:9,
// repeats its signals, wraps its properties and methods for the play area
// and becomes a full-screen window on a double-click. GUI thread only.
class CPlayerWidget : public QWidget
{
    Q_OBJECT
public:
    using FFStates = TrackoraActiveXLib::FFStates;

    enum AspectRatio {
        Aspect_Full = 0,
        Aspect_4_3 = 1,
        Aspect_16_9 = 2,
        Aspect_Vertical = 3,
        Aspect_Horizontal = 4,
    };
    Q_ENUM(AspectRatio)

    explicit CPlayerWidget(QWidget *parent = nullptr);
    ~CPlayerWidget() override;

    void play();
    void pause();
    void stop();
    void unRender();
    bool screenshot();
    void stepFrame(int direction);
    void setMedia(const QString &media);
    // The file the control goes on with, without a seam, when the current one
    // ends; false when this control cannot chain files.
    bool setNextMedia(const QString &media);
    bool canChainMedia() const;
    void setSeekSecond(int seconds);
    void setMuted(bool muted);
    void setVolume(int volume);
    void setSsFront(bool front);
    void setPlaybackRate(double rate);
    qint64 axUserData() const;
    void setAxUserData(qint64 record);
    QString canonicalUrl() const;
    int volume() const;
    FFStates decState() const;
    void leaveFullScreen();
    bool isShown() const { return shown; }
    void setShown(bool value) { shown = value; }
    bool isFullScreenHost() const { return fullScreen; }

    TrackoraActiveXLib::CFFPlayerAxWidget *playerControl() const { return control; }

    // The control's rate for a rate the viewer offers (0.5, 1.0, 2.0).
    static TrackoraActiveXLib::FFPlaybackRate rateFor(double rate);
    // Where the control sits inside a host of the given size.
    static QRect fittedGeometry(const QSize &host, AspectRatio ratio);

signals:
    void stateChanged(FFStates);
    void durationChanged(qint64 duration);
    void positionChanged(qint64 position);
    void mutedChanged(bool);
    void dragEnterEvented(qint64);
    void dropEvented(qint64);
    void keyPressSignals(QKeyEvent *event);
    // The control went on with its next file by itself.
    void mediaChanged(const QString &media);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TrackoraActiveXLib::CFFPlayerAxWidget *control = nullptr;
    bool shown = true;
    AspectRatio aspectRatio = Aspect_16_9;
    bool fullScreen = false;
};

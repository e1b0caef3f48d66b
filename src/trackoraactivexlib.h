#pragma once

#include <QObject>

#include "FFPlayerAxUserData.h"
#include "axwidget.h"

// The viewer's view of the player component's type library: its
// enumerations, the record that links two players, and a container class
// whose calls and signals mirror the control's dispatch and event
// interfaces.
namespace TrackoraActiveXLib {
Q_NAMESPACE

enum FFStates { StoppedState = 0, PlayingState = 1, PausedState = 2 };
Q_ENUM_NS(FFStates)
enum FFPlaybackRate { PlaybackRate_0_5 = 0, PlaybackRate_1_0 = 1, PlaybackRate_2_0 = 2 };
Q_ENUM_NS(FFPlaybackRate)
enum FFRenderModel { Render_OpenGL = 0, Render_Image = 1, Render_D3D = 2 };
Q_ENUM_NS(FFRenderModel)

// The record that links two players, the component's own declaration: the
// container reads and fills it in place through the address that axUserData
// hands out. Never created or deleted on this side.
using CFFPlayerAxUserData = TrackoraActiveX::CFFPlayerAxUserData;

class CFFPlayerAxWidget : public AxWidget
{
    Q_OBJECT
public:
    explicit CFFPlayerAxWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

    static const char *const classIdentifier;

    int volume() const { return controlProperty("volume").toInt(); }
    void setVolume(int value) { setControlProperty("volume", value); }
    int position() const { return controlProperty("position").toInt(); }
    void setPosition(int value) { setControlProperty("position", value); }
    bool muted() const { return controlProperty("muted").toBool(); }
    void setMuted(bool value) { setControlProperty("muted", value); }
    QString media() const { return controlProperty("media").toString(); }
    void setMedia(const QString &value) { setControlProperty("media", value); }
    int seekSecond() const { return controlProperty("seekSecond").toInt(); }
    void setSeekSecond(int value) { setControlProperty("seekSecond", value); }
    QString screenshotSavePath() const { return controlProperty("screenshotSavePath").toString(); }
    void setScreenshotSavePath(const QString &value) { setControlProperty("screenshotSavePath", value); }
    QString canonicalUrl() const { return controlProperty("canonicalUrl").toString(); }
    bool ssFront() const { return controlProperty("ssFront").toBool(); }
    void setSsFront(bool value) { setControlProperty("ssFront", value); }
    qlonglong activeParentWidget() const { return controlProperty("activeParentWidget").toLongLong(); }
    void setActiveParentWidget(qlonglong value) { setControlProperty("activeParentWidget", value); }
    FFStates decState() const { return FFStates(controlProperty("decState").toInt()); }
    void setDecState(FFStates value) { setControlProperty("decState", int(value)); }
    FFPlaybackRate playbackRate() const { return FFPlaybackRate(controlProperty("playbackRate").toInt()); }
    void setPlaybackRate(FFPlaybackRate value) { setControlProperty("playbackRate", int(value)); }
    FFRenderModel renderModel() const { return FFRenderModel(controlProperty("renderModel").toInt()); }
    void setRenderModel(FFRenderModel value) { setControlProperty("renderModel", int(value)); }
    qlonglong axUserData() const { return controlProperty("axUserData").toLongLong(); }
    void setAxUserData(qlonglong value) { setControlProperty("axUserData", value); }
    int axWidgetWidth() const { return controlProperty("axWidgetWidth").toInt(); }
    void setAxWidgetWidth(int value) { setControlProperty("axWidgetWidth", value); }
    int axWidgetHeight() const { return controlProperty("axWidgetHeight").toInt(); }
    void setAxWidgetHeight(int value) { setControlProperty("axWidgetHeight", value); }
    QString nextMedia() const { return controlProperty("nextMedia").toString(); }
    void setNextMedia(const QString &value) { setControlProperty("nextMedia", value); }
    double zoom() const { return controlProperty("zoom").toDouble(); }
    void setZoom(double value) { setControlProperty("zoom", value); }
    double zoomCenterX() const { return controlProperty("zoomCenterX").toDouble(); }
    void setZoomCenterX(double value) { setControlProperty("zoomCenterX", value); }
    double zoomCenterY() const { return controlProperty("zoomCenterY").toDouble(); }
    void setZoomCenterY(double value) { setControlProperty("zoomCenterY", value); }

public slots:
    void play() { dynamicCall("play()"); }
    void pause() { dynamicCall("pause()"); }
    void stop() { dynamicCall("stop()"); }
    bool screenshot() { return dynamicCall("screenshot()").toBool(); }
    void unRender() { dynamicCall("unRender()"); }
    void stepFrame(int direction) { dynamicCall("stepFrame(int)", direction); }

signals:
    void stateChanged(FFStates);
    void durationChanged(qint64 duration);
    void positionChanged(qint64 position);
    void mutedChanged(bool);
    void dragEnterEvented(qint64);
    void dropEvented(qint64);
    void mediaChanged(const QString &media);
};

} // namespace TrackoraActiveXLib

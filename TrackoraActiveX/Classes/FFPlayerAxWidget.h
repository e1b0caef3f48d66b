#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>
#include <cstdint>
#include <mutex>

#include "FFPlayer.h"
#include "FFRgbConverter.h"
#include "trackoraactivex_global.h"

class QDragEnterEvent;
class QDropEvent;

namespace TrackoraActiveX {

class CCaptureTaskMgr;
class CFFGLBase;

// The published player control: one file, one player core. Containers
// create it by class identifier and use only the properties, methods and
// signals below (looked up by name). Lives on the GUI thread; the core's
// signals arrive here queued from its worker threads.
class TRACKORAACTIVEX_EXPORT CFFPlayerAxWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int volume READ volume WRITE setVolume)
    Q_PROPERTY(int position READ position WRITE setPosition)
    Q_PROPERTY(bool muted READ isMuted WRITE setMuted)
    Q_PROPERTY(QString media READ mediaUrl WRITE setMedia)
    Q_PROPERTY(int seekSecond READ seekSecond WRITE setSeekSecond)
    Q_PROPERTY(QString screenshotSavePath READ screenshotSavePath WRITE setScreenshotSavePath)
    Q_PROPERTY(QString canonicalUrl READ canonicalUrl)
    Q_PROPERTY(bool ssFront READ ssFront WRITE setSsFront)
    Q_PROPERTY(qlonglong activeParentWidget READ activeParentWidget WRITE setActiveParentWidget)
    Q_PROPERTY(FFStates decState READ decState WRITE setDecState)
    Q_PROPERTY(FFPlaybackRate playbackRate READ playbackRate WRITE setPlaybackRate)
    Q_PROPERTY(FFRenderModel renderModel READ renderModel WRITE setRenderModel)
    Q_PROPERTY(qlonglong axUserData READ axUserData WRITE setAxUserData)
    Q_PROPERTY(int axWidgetWidth READ axWidgetWidth WRITE setAxWidgetWidth)
    Q_PROPERTY(int axWidgetHeight READ axWidgetHeight WRITE setAxWidgetHeight)
    Q_PROPERTY(double zoom READ zoom WRITE setZoom)
    Q_PROPERTY(double zoomCenterX READ zoomCenterX WRITE setZoomCenterX)
    Q_PROPERTY(double zoomCenterY READ zoomCenterY WRITE setZoomCenterY)
    Q_PROPERTY(QString nextMedia READ nextMedia WRITE setNextMedia)

public:
    enum FFStates { StoppedState = 0, PlayingState = 1, PausedState = 2 };
    Q_ENUM(FFStates)
    enum FFPlaybackRate { PlaybackRate_0_5 = 0, PlaybackRate_1_0 = 1, PlaybackRate_2_0 = 2 };
    Q_ENUM(FFPlaybackRate)
    enum FFRenderModel { Render_OpenGL = 0, Render_Image = 1, Render_D3D = 2 };
    Q_ENUM(FFRenderModel)

    explicit CFFPlayerAxWidget(QWidget *parent = nullptr);
    ~CFFPlayerAxWidget() override;

    int volume() const;
    void setVolume(int volume);
    int position() const;
    void setPosition(int position);
    bool isMuted() const;
    void setMuted(bool muted);
    QString mediaUrl() const { return media; }
    void setMedia(const QString &media);
    int seekSecond() const;
    void setSeekSecond(int second);
    QString screenshotSavePath() const;
    void setScreenshotSavePath(const QString &path);
    QString canonicalUrl() const { return media; }
    bool ssFront() const { return screenshotReports; }
    void setSsFront(bool front) { screenshotReports = front; }
    qlonglong activeParentWidget() const;
    void setActiveParentWidget(qlonglong widget);
    FFStates decState() const;
    void setDecState(FFStates state);
    FFPlaybackRate playbackRate() const;
    void setPlaybackRate(FFPlaybackRate rate);
    FFRenderModel renderModel() const { return model; }
    void setRenderModel(FFRenderModel model);
    qlonglong axUserData() const;
    void setAxUserData(qlonglong record);
    int axWidgetWidth() const { return axWidth; }
    void setAxWidgetWidth(int width) { axWidth = width; }
    int axWidgetHeight() const { return axHeight; }
    void setAxWidgetHeight(int height) { axHeight = height; }
    // The file that follows `media` without a stop; empty for none.
    QString nextMedia() const { return followingMedia; }
    void setNextMedia(const QString &url);

    // Magnification, 1 to 8, around a centre given in fractions of the
    // picture's width and height; the centre is kept where the shown part
    // stays inside the picture.
    double zoom() const { return zoomFactor; }
    void setZoom(double factor);
    double zoomCenterX() const { return zoomX; }
    void setZoomCenterX(double x);
    double zoomCenterY() const { return zoomY; }
    void setZoomCenterY(double y);
    // The part of the picture shown, in fractions of its width and height.
    QRectF zoomWindow() const;

    // Live controls in the process; the first one starts SDL, the last one
    // shuts it down.
    static int liveControls();

signals:
    void stateChanged(FFStates);
    void durationChanged(qint64 duration);
    void positionChanged(qint64 position);
    void mutedChanged(bool);
    void dragEnterEvented(qint64);
    void dropEvented(qint64);
    void mediaChanged(const QString &media);

public slots:
    void play();
    void pause();
    void stop();
    bool screenshot();
    void unRender();
    void stepFrame(int direction);

private slots:
    void onCaptureThreadFinished(int result);
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void onRenderHFrame(const TrackoraActiveX::HFrame *pFrame);
    void onCoreMediaChanged(const QString &path);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool coreStopped() const;
    QSize shownSize() const;
    bool presentImage(const HFrame &frame, std::unique_lock<std::mutex> &pictureLock);
    bool scalePlanes(const HFrame &frame, QSize target, HFrame &scaled);
    static bool scaleYuv(const HFrame &from, const HFrame &to);
    void refreshPicture();
    void presentOpenGL(const HFrame *frame);
    void removeRenderer();
    void applyZoom();
    bool cropPlanes(const HFrame &frame, QSize target, HFrame &scaled);
    static int requiredBytes(int width, int height, int format);

    CFFPlayer *player = nullptr;
    CCaptureTaskMgr *captureMgr = nullptr;
    QString media;
    bool screenshotReports = false;
    HFrame *frameInfo = nullptr;
    // The frame's planes scaled to the size shown (Image model).
    uint8_t *shrinkBuffer = nullptr;
    CFFRgbConverter rgbConverter;
    int shrinkAllocatedSize = 0;
    QWidget *activeParent = nullptr;
    FFRenderModel model = Render_Image;
    CFFGLBase *renderer = nullptr;
    QImage picture;
    std::mutex screenshotMutex;
    int axWidth = 0;
    int axHeight = 0;
    QString followingMedia;
    double zoomFactor = 1;
    double zoomX = 0.5;
    double zoomY = 0.5;
    bool dragging = false;
    QPointF dragFrom;
};

} // namespace TrackoraActiveX

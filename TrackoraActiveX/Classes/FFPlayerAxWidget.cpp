#include "FFPlayerAxWidget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QToolTip>
#include <QUrl>
#include <SDL.h>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <libyuv.h>

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixfmt.h>
}

#include "FFCaptureTaskMgr.h"
#include "FFColorMatrix.h"
#include "FFRgbConverter.h"
#include "FFGLNV12.h"
#include "FFGLYUV420P.h"

Q_LOGGING_CATEGORY(lcControl, "trackora.component.control")

namespace TrackoraActiveX {

namespace {
// Every subsystem, as the audio output and the core's timing expect.
constexpr Uint32 kSdlInitFlags = SDL_INIT_EVERYTHING;
// What the player needs when the full set cannot start (no display).
constexpr Uint32 kSdlFallbackFlags = SDL_INIT_AUDIO | SDL_INIT_TIMER | SDL_INIT_EVENTS;

std::atomic<int> liveControlCount{0};

constexpr double kMinZoom = 1.0;
constexpr double kMaxZoom = 8.0;
// One notch of the wheel (120 units) magnifies by this much.
constexpr double kZoomPerNotch = 1.25;

void acquireSdl()
{
    if (liveControlCount.fetch_add(1) != 0)
        return;
    // SDL would otherwise take over SIGINT/SIGTERM and the viewer could
    // no longer be ended from outside.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(kSdlInitFlags) != 0) {
        qCWarning(lcControl) << "SDL_Init failed:" << SDL_GetError() << "- starting audio only";
        if (SDL_Init(kSdlFallbackFlags) != 0)
            qCWarning(lcControl) << "SDL_Init (audio) failed:" << SDL_GetError();
    }
}

void releaseSdl()
{
    if (liveControlCount.fetch_sub(1) == 1)
        SDL_Quit();
}
} // namespace

int CFFPlayerAxWidget::liveControls()
{
    return liveControlCount.load();
}

CFFPlayerAxWidget::CFFPlayerAxWidget(QWidget *parent)
    : QWidget(parent)
{
    player = new CFFPlayer();
    // The host's thread never waits for a file, its codecs or the sound device to open.
    player->setOpenInBackground(true);
    captureMgr = new CCaptureTaskMgr();

    qRegisterMetaType<TrackoraActiveX::FFStates>("FFStates");
    // The core hands its picture record over by pointer across threads.
    qRegisterMetaType<const HFrame *>("const HFrame*");
    qRegisterMetaType<const HFrame *>("const TrackoraActiveX::HFrame*");

    acquireSdl();

    setAcceptDrops(true);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    // A window of its own: each picture then reaches the screen alone,
    // instead of recomposing the whole top-level window through OpenGL
    // (which a web view or an OpenGL widget anywhere in it turns on).
    setAttribute(Qt::WA_DontCreateNativeAncestors, true);
    setAttribute(Qt::WA_NativeWindow, true);
    // A click on it must leave the keyboard with the window, as it did
    // before it had a window of its own.
    setWindowFlag(Qt::WindowDoesNotAcceptFocus, true);

    frameInfo = new HFrame();
    frameInfo->width = 0;
    frameInfo->height = 0;
    frameInfo->format = 0;
    frameInfo->data = nullptr;
    frameInfo->size = 0;

    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    connect(player, &CFFPlayer::stateChanged, this, [this](TrackoraActiveX::FFStates state) {
        emit stateChanged(static_cast<FFStates>(state));
    });
    connect(player, &CFFPlayer::durationChanged, this, &CFFPlayerAxWidget::durationChanged);
    connect(player, &CFFPlayer::positionChanged, this, &CFFPlayerAxWidget::positionChanged);
    connect(captureMgr, &CCaptureTaskMgr::captureFinished, this,
            &CFFPlayerAxWidget::onCaptureThreadFinished);
    connect(player, &CFFPlayer::renderFrame, this, &CFFPlayerAxWidget::onRenderHFrame);
    connect(player, &CFFPlayer::mediaChanged, this, &CFFPlayerAxWidget::onCoreMediaChanged);
}

CFFPlayerAxWidget::~CFFPlayerAxWidget()
{
    delete player;
    player = nullptr;
    delete captureMgr;
    captureMgr = nullptr;
    picture = QImage();
    free(shrinkBuffer);
    shrinkBuffer = nullptr;
    removeRenderer();
    delete frameInfo;
    frameInfo = nullptr;
    releaseSdl();
}

bool CFFPlayerAxWidget::coreStopped() const
{
    return decState() == StoppedState;
}

int CFFPlayerAxWidget::volume() const
{
    return player->volume();
}

void CFFPlayerAxWidget::setVolume(int volume)
{
    player->setVolume(volume);
}

int CFFPlayerAxWidget::position() const
{
    return player->position();
}

void CFFPlayerAxWidget::setPosition(int position)
{
    player->announcePosition(position);
}

bool CFFPlayerAxWidget::isMuted() const
{
    return player->isMuted();
}

void CFFPlayerAxWidget::setMuted(bool muted)
{
    player->setMuted(muted);
    emit mutedChanged(muted);
}

void CFFPlayerAxWidget::setMedia(const QString &url)
{
    media = url;
    qCDebug(lcControl) << "setMedia" << media;
}

void CFFPlayerAxWidget::setNextMedia(const QString &url)
{
    followingMedia = url;
    qCDebug(lcControl) << "setNextMedia" << followingMedia;
    player->setNextMedia(url);
}

// The core went on with the next file: it is `media` now, in the form the
// container gave it.
void CFFPlayerAxWidget::onCoreMediaChanged(const QString &path)
{
    const QString local = followingMedia.startsWith(QLatin1String("file:///")) ? QUrl(followingMedia).toLocalFile()
                                                                               : followingMedia;
    if (!followingMedia.isEmpty() && local == path) {
        media = followingMedia;
        followingMedia.clear();
    } else {
        media = path;
    }
    emit mediaChanged(media);
}

int CFFPlayerAxWidget::seekSecond() const
{
    return player->seekSecond();
}

void CFFPlayerAxWidget::setSeekSecond(int second)
{
    player->setSeekSecond(second);
}

QString CFFPlayerAxWidget::screenshotSavePath() const
{
    return captureMgr->directory();
}

void CFFPlayerAxWidget::setScreenshotSavePath(const QString &path)
{
    captureMgr->setDirectory(path);
}

qlonglong CFFPlayerAxWidget::activeParentWidget() const
{
    return static_cast<qlonglong>(reinterpret_cast<quintptr>(activeParent));
}

void CFFPlayerAxWidget::setActiveParentWidget(qlonglong widget)
{
    activeParent = reinterpret_cast<QWidget *>(static_cast<quintptr>(widget));
}

CFFPlayerAxWidget::FFStates CFFPlayerAxWidget::decState() const
{
    return static_cast<FFStates>(player->state());
}

void CFFPlayerAxWidget::setDecState(FFStates state)
{
    player->setState(static_cast<TrackoraActiveX::FFStates>(state));
}

CFFPlayerAxWidget::FFPlaybackRate CFFPlayerAxWidget::playbackRate() const
{
    return static_cast<FFPlaybackRate>(player->playbackRate());
}

void CFFPlayerAxWidget::setPlaybackRate(FFPlaybackRate rate)
{
    player->setPlaybackRate(static_cast<TrackoraActiveX::FFPlaybackRate>(rate));
}

void CFFPlayerAxWidget::setRenderModel(FFRenderModel value)
{
    qCDebug(lcControl) << "RenderModel" << int(value);
    const FFRenderModel next = value == Render_Image ? Render_Image : Render_OpenGL;
    if (next == model)
        return;
    model = next;
    // A renderer left in the layout would cover the image picture.
    if (model == Render_Image)
        removeRenderer();
    else
        picture = QImage();
    // Show the current picture in the new model rather than what the old one left.
    if (!coreStopped())
        onRenderHFrame(player->currentHFrame());
    update();
}

qlonglong CFFPlayerAxWidget::axUserData() const
{
    return static_cast<qlonglong>(reinterpret_cast<quintptr>(player->userData()));
}

void CFFPlayerAxWidget::setAxUserData(qlonglong record)
{
    if (record == 0) {
        qCWarning(lcControl) << "axUserData: null record ignored";
        return;
    }
    player->setUserData(reinterpret_cast<CFFPlayerAxUserData *>(static_cast<quintptr>(record)));
}

void CFFPlayerAxWidget::play()
{
    if (media.isEmpty())
        return;
    // Opening may reallocate the core's picture buffers; a renderer must not
    // paint from the old ones meanwhile.
    if (renderer && coreStopped())
        renderer->renderBlank();
    player->play(media);
}

void CFFPlayerAxWidget::pause()
{
    player->pause();
}

void CFFPlayerAxWidget::stop()
{
    media = QString();
    followingMedia = QString();
    player->stop();
}

bool CFFPlayerAxWidget::screenshot()
{
    if (!frameInfo || coreStopped())
        return false;

    std::lock_guard<std::mutex> lock(screenshotMutex);
    const QString sourcePath = player->currentUrl();
    // The core swaps its picture buffers only under this lock.
    std::lock_guard<std::mutex> pictureLock(player->hframeMutex());
    const HFrame *current = player->currentHFrame();
    const int width = frameInfo->width;
    const int height = frameInfo->height;
    const int format = frameInfo->format;
    // The core's record must describe the picture frameInfo describes, or
    // the conversion would read past its bytes.
    if (!current || !current->data || current->width != width || current->height != height
        || current->format != format || current->size < requiredBytes(width, height, format)) {
        qCWarning(lcControl) << "screenshot: no current picture of" << width << "x" << height;
        return true;
    }
    // Made for this one shot: the shown picture is at the control's size.
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull() || image.bytesPerLine() != width * 4 || !rgbConverter.convert(*current, image.bits())) {
        qCWarning(lcControl) << "screenshot: cannot convert the" << width << "x" << height << "picture";
        return true;
    }
    captureMgr->captureImage(sourcePath, image);
    return true;
}

void CFFPlayerAxWidget::unRender()
{
    if (model == Render_OpenGL) {
        if (renderer)
            renderer->renderBlank();
    } else {
        picture = QImage();
        update();
    }
}

void CFFPlayerAxWidget::stepFrame(int direction)
{
    player->stepFrame(direction);
}

void CFFPlayerAxWidget::setZoom(double factor)
{
    zoomFactor = std::isfinite(factor) ? qBound(kMinZoom, factor, kMaxZoom) : kMinZoom;
    applyZoom();
}

void CFFPlayerAxWidget::setZoomCenterX(double x)
{
    zoomX = std::isfinite(x) ? x : 0.5;
    applyZoom();
}

void CFFPlayerAxWidget::setZoomCenterY(double y)
{
    zoomY = std::isfinite(y) ? y : 0.5;
    applyZoom();
}

QRectF CFFPlayerAxWidget::zoomWindow() const
{
    const double span = 1.0 / zoomFactor;
    return QRectF(zoomX - span / 2, zoomY - span / 2, span, span);
}

void CFFPlayerAxWidget::applyZoom()
{
    const double half = 0.5 / zoomFactor;
    zoomX = qBound(half, zoomX, 1.0 - half);
    zoomY = qBound(half, zoomY, 1.0 - half);
    if (renderer)
        renderer->setView(zoomWindow());
    if (model == Render_Image && !coreStopped())
        onRenderHFrame(player->currentHFrame());
}

void CFFPlayerAxWidget::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0 || width() <= 0 || height() <= 0) {
        event->ignore();
        return;
    }
    // The point of the picture under the cursor stays under it.
    const QRectF before = zoomWindow();
    const double u = qBound(0.0, event->position().x() / width(), 1.0);
    const double v = qBound(0.0, event->position().y() / height(), 1.0);
    const double pointX = before.left() + u * before.width();
    const double pointY = before.top() + v * before.height();
    zoomFactor = qBound(kMinZoom, zoomFactor * std::pow(kZoomPerNotch, delta / 120.0), kMaxZoom);
    const double span = 1.0 / zoomFactor;
    zoomX = pointX - u * span + span / 2;
    zoomY = pointY - v * span + span / 2;
    applyZoom();
    event->accept();
}

void CFFPlayerAxWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || zoomFactor <= kMinZoom) {
        event->ignore();
        return;
    }
    dragging = true;
    dragFrom = event->localPos();
    event->accept();
}

void CFFPlayerAxWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging || width() <= 0 || height() <= 0) {
        event->ignore();
        return;
    }
    // The picture moves with the cursor.
    const QPointF moved = event->localPos() - dragFrom;
    dragFrom = event->localPos();
    zoomX -= moved.x() / (width() * zoomFactor);
    zoomY -= moved.y() / (height() * zoomFactor);
    applyZoom();
    event->accept();
}

void CFFPlayerAxWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (!dragging) {
        event->ignore();
        return;
    }
    dragging = false;
    event->accept();
}

// Zoomed, a double-click goes back to the whole picture; otherwise it is the
// container's (full screen in the viewer).
void CFFPlayerAxWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (zoomFactor <= kMinZoom) {
        event->ignore();
        return;
    }
    dragging = false;
    zoomFactor = kMinZoom;
    applyZoom();
    event->accept();
}

void CFFPlayerAxWidget::onCaptureThreadFinished(int result)
{
    QWidget *anchor = activeParent ? activeParent : this;
    const QPoint point = anchor->mapToGlobal(QPoint(0, 0));
    if (!screenshotReports)
        return;
    if (result == 0) {
        QToolTip::showText(point, tr("Snapshot success"));
    } else if (result == -1) {
        QMessageBox::warning(nullptr, tr("Error"), tr("Directory not exist!"), QMessageBox::Ok,
                             QMessageBox::NoButton);
    } else {
        QToolTip::showText(point, tr("Failed to capture"));
    }
    screenshotReports = false;
}

void CFFPlayerAxWidget::dragEnterEvent(QDragEnterEvent *event)
{
    emit dragEnterEvented(static_cast<qint64>(reinterpret_cast<quintptr>(event)));
}

void CFFPlayerAxWidget::dropEvent(QDropEvent *event)
{
    emit dropEvented(static_cast<qint64>(reinterpret_cast<quintptr>(event)));
}

void CFFPlayerAxWidget::onRenderHFrame(const HFrame *pFrame)
{
    if (!pFrame || !frameInfo)
        return;

    // Read the picture as one piece: the core swaps buffers only under this lock.
    std::unique_lock<std::mutex> pictureLock(player->hframeMutex());
    frameInfo->data = pFrame->data;
    frameInfo->size = pFrame->size;
    frameInfo->colorSpace = pFrame->colorSpace;
    frameInfo->colorRange = pFrame->colorRange;
    if (pFrame->width != frameInfo->width || pFrame->height != frameInfo->height
        || pFrame->format != frameInfo->format) {
        frameInfo->width = pFrame->width;
        frameInfo->height = pFrame->height;
        frameInfo->format = pFrame->format;
        if (model == Render_OpenGL)
            removeRenderer();
    }
    if (!pFrame->data || pFrame->size < requiredBytes(pFrame->width, pFrame->height, pFrame->format))
        return;

    if (model == Render_OpenGL) {
        // The renderer uploads during the call, still under the lock: the
        // player writes its next picture into the other buffer meanwhile.
        presentOpenGL(pFrame);
        return;
    }
    if (pFrame->format != AV_PIX_FMT_YUV420P && pFrame->format != AV_PIX_FMT_NV12) {
        // Nothing sensible to show for a layout we cannot convert.
        picture = QImage();
        update();
        return;
    }
    if (coreStopped())
        return;
    if (!presentImage(*pFrame, pictureLock)) {
        picture = QImage();
        update();
    }
}

QSize CFFPlayerAxWidget::shownSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

bool CFFPlayerAxWidget::presentImage(const HFrame &frame, std::unique_lock<std::mutex> &pictureLock)
{
    const QSize target = shownSize();
    // Hidden or not laid out yet: the next picture or resize brings it.
    if (target.isEmpty())
        return true;
    // Only the pixels shown are converted: the planes go to the control's
    // size first, a fraction of the frame's for a 1080p recording.
    HFrame shown = frame;
    if (zoomFactor > kMinZoom) {
        if (!cropPlanes(frame, target, shown))
            return false;
        pictureLock.unlock();
    } else if (target != QSize(frame.width, frame.height)) {
        if (!scalePlanes(frame, target, shown))
            return false;
        pictureLock.unlock();
    }
    // A picture still shared elsewhere would be copied by bits(); a fresh one is cheaper.
    if (picture.size() != target || !picture.isDetached())
        picture = QImage(target, QImage::Format_RGB32);
    if (picture.isNull() || picture.bytesPerLine() != target.width() * 4) {
        qCWarning(lcControl) << "out of memory for a" << target << "picture";
        return false;
    }
    if (!rgbConverter.convert(shown, picture.bits()))
        return false;
    picture.setDevicePixelRatio(devicePixelRatioF());
    update();
    return true;
}

bool CFFPlayerAxWidget::scalePlanes(const HFrame &frame, QSize target, HFrame &scaled)
{
    const auto format = AVPixelFormat(frame.format);
    // Exact quarters and halves go through libyuv's vectorised box paths;
    // its general box filter sums columns in plain C and cost more than
    // twice as much for a 1080p frame shown a fifth as wide. The rest of
    // the way is short enough for the filter's bilinear steps.
    int divisor = 1;
    for (int d : {4, 2}) {
        if (frame.width % (2 * d) == 0 && frame.height % (2 * d) == 0 && target.width() * d <= frame.width
            && target.height() * d <= frame.height) {
            divisor = d;
            break;
        }
    }
    const QSize stage(frame.width / divisor, frame.height / divisor);
    const int targetBytes = av_image_get_buffer_size(format, target.width(), target.height(), 1);
    const int stageBytes =
        divisor > 1 && stage != target ? av_image_get_buffer_size(format, stage.width(), stage.height(), 1) : 0;
    if (targetBytes <= 0 || stageBytes < 0 || targetBytes > INT_MAX - stageBytes)
        return false;
    const int bytes = targetBytes + stageBytes;
    if (bytes > shrinkAllocatedSize) {
        auto *shrink = static_cast<uint8_t *>(realloc(shrinkBuffer, bytes));
        if (!shrink) {
            qCWarning(lcControl) << "out of memory for a" << target << "picture";
            return false;
        }
        shrinkBuffer = shrink;
        shrinkAllocatedSize = bytes;
    }
    HFrame from = frame;
    if (stageBytes > 0) {
        from.data = shrinkBuffer + targetBytes;
        from.size = stageBytes;
        from.width = stage.width();
        from.height = stage.height();
        if (!scaleYuv(frame, from))
            return false;
    }
    scaled = from;
    scaled.data = shrinkBuffer;
    scaled.size = targetBytes;
    scaled.width = target.width();
    scaled.height = target.height();
    return scaleYuv(from, scaled);
}

// The zoomed part of the full-resolution planes, straight to the size
// shown: only that part is read, so a stronger zoom costs less.
bool CFFPlayerAxWidget::cropPlanes(const HFrame &frame, QSize target, HFrame &scaled)
{
    const auto format = AVPixelFormat(frame.format);
    uint8_t *src[4] = {};
    int strides[4] = {};
    if (av_image_fill_linesizes(strides, format, frame.width) < 0
        || av_image_fill_pointers(src, format, frame.height, frame.data, strides) < 0)
        return false;
    const QRectF window = zoomWindow();
    // Even corners keep the chroma samples with their luma.
    const int left = qBound(0, int(std::floor(window.left() * frame.width)), frame.width - 1) & ~1;
    const int top = qBound(0, int(std::floor(window.top() * frame.height)), frame.height - 1) & ~1;
    const int right = qBound(left + 1, int(std::lround(window.right() * frame.width)), frame.width);
    const int bottom = qBound(top + 1, int(std::lround(window.bottom() * frame.height)), frame.height);
    const int bytes = av_image_get_buffer_size(format, target.width(), target.height(), 1);
    if (bytes <= 0)
        return false;
    if (bytes > shrinkAllocatedSize) {
        auto *shrink = static_cast<uint8_t *>(realloc(shrinkBuffer, bytes));
        if (!shrink) {
            qCWarning(lcControl) << "out of memory for a" << target << "picture";
            return false;
        }
        shrinkBuffer = shrink;
        shrinkAllocatedSize = bytes;
    }
    scaled = frame;
    scaled.data = shrinkBuffer;
    scaled.size = bytes;
    scaled.width = target.width();
    scaled.height = target.height();
    uint8_t *dst[4] = {};
    int dstStrides[4] = {};
    if (av_image_fill_linesizes(dstStrides, format, target.width()) < 0
        || av_image_fill_pointers(dst, format, target.height(), shrinkBuffer, dstStrides) < 0)
        return false;
    const int cropW = right - left;
    const int cropH = bottom - top;
    const uint8_t *y = src[0] + ptrdiff_t(top) * strides[0] + left;
    const ptrdiff_t chromaRow = ptrdiff_t(top / 2);
    // Box only where pixels are dropped (half the size or less); it takes
    // libyuv's plain C path, which a milder shrink need not pay for.
    const auto filter =
        cropW >= 2 * target.width() || cropH >= 2 * target.height() ? libyuv::kFilterBox : libyuv::kFilterBilinear;
    if (format == AV_PIX_FMT_NV12)
        return libyuv::NV12Scale(y, strides[0], src[1] + chromaRow * strides[1] + left, strides[1], cropW, cropH,
                                 dst[0], dstStrides[0], dst[1], dstStrides[1], target.width(), target.height(),
                                 filter) == 0;
    return libyuv::I420Scale(y, strides[0], src[1] + chromaRow * strides[1] + left / 2, strides[1],
                             src[2] + chromaRow * strides[2] + left / 2, strides[2], cropW, cropH, dst[0],
                             dstStrides[0], dst[1], dstStrides[1], dst[2], dstStrides[2], target.width(),
                             target.height(), filter) == 0;
}

bool CFFPlayerAxWidget::scaleYuv(const HFrame &from, const HFrame &to)
{
    const auto format = AVPixelFormat(from.format);
    uint8_t *src[4] = {};
    int srcStrides[4] = {};
    uint8_t *dst[4] = {};
    int dstStrides[4] = {};
    if (av_image_fill_linesizes(srcStrides, format, from.width) < 0
        || av_image_fill_pointers(src, format, from.height, from.data, srcStrides) < 0
        || av_image_fill_linesizes(dstStrides, format, to.width) < 0
        || av_image_fill_pointers(dst, format, to.height, to.data, dstStrides) < 0)
        return false;
    // Box: every source pixel counts towards a shrunk one, as Qt's smooth
    // scale did; libyuv falls back to bilinear for small factors and growth.
    constexpr auto filter = libyuv::kFilterBox;
    if (format == AV_PIX_FMT_NV12)
        return libyuv::NV12Scale(src[0], srcStrides[0], src[1], srcStrides[1], from.width, from.height, dst[0],
                                 dstStrides[0], dst[1], dstStrides[1], to.width, to.height, filter) == 0;
    return libyuv::I420Scale(src[0], srcStrides[0], src[1], srcStrides[1], src[2], srcStrides[2], from.width,
                             from.height, dst[0], dstStrides[0], dst[1], dstStrides[1], dst[2], dstStrides[2],
                             to.width, to.height, filter) == 0;
}

void CFFPlayerAxWidget::presentOpenGL(const HFrame *frame)
{
    if (!renderer) {
        if (frame->format == AV_PIX_FMT_YUV420P)
            renderer = new CFFGLYUV420P(nullptr);
        else if (frame->format == AV_PIX_FMT_NV12)
            renderer = new CFFGLNV12(nullptr);
        if (renderer) {
            renderer->setView(zoomWindow());
            layout()->addWidget(renderer);
        }
    }
    if (renderer) {
        renderer->setColorMatrix(CFFColorMatrix(frame->colorSpace, frame->colorRange));
        renderer->render(frame->data, frame->width, frame->height);
    }
}

void CFFPlayerAxWidget::removeRenderer()
{
    delete renderer;
    renderer = nullptr;
}

int CFFPlayerAxWidget::requiredBytes(int width, int height, int format)
{
    if (width <= 0 || height <= 0)
        return 0;
    if (format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_NV12)
        return av_image_get_buffer_size(static_cast<AVPixelFormat>(format), width, height, 1);
    return 0;
}

void CFFPlayerAxWidget::refreshPicture()
{
    // The picture is made at the size shown, so a new size needs it again.
    if (!coreStopped() && picture.size() != shownSize())
        onRenderHFrame(player->currentHFrame());
}

void CFFPlayerAxWidget::resizeEvent(QResizeEvent *event)
{
    if (event->size() == QSize(axWidth, axHeight))
        QWidget::resizeEvent(event);
    else
        resize(axWidth, axHeight);
    if (model == Render_Image)
        refreshPicture();
}

void CFFPlayerAxWidget::paintEvent(QPaintEvent *)
{
    if (model != Render_Image)
        return;
    QPainter painter(this);
    if (picture.isNull()) {
        painter.fillRect(rect(), QBrush(Qt::black, Qt::SolidPattern));
    } else {
        if (picture.size() == shownSize()) {
            painter.drawImage(QPoint(0, 0), picture);
        } else {
            // Until the next picture after a resize (or a stop) fits the control.
            painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform, true);
            painter.drawImage(rect(), picture);
        }
    }
}

} // namespace TrackoraActiveX

#include "PlayerWidget.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QScreen>
#include <cmath>

#include "configuration.h"
#include "openglcheck.h"

Q_LOGGING_CATEGORY(lcPlayerWidget, "trackora.viewer.player")

namespace {
// Closer than this to a rate counts as that rate.
constexpr double kRateTolerance = 1e-6;
}

CPlayerWidget::CPlayerWidget(QWidget *parent)
    : QWidget(parent)
{
    control = new TrackoraActiveXLib::CFFPlayerAxWidget(this, Qt::WindowFlags());

    connect(control, SIGNAL(stateChanged(FFStates)), this, SIGNAL(stateChanged(FFStates)));
    connect(control, SIGNAL(durationChanged(qint64)), this, SIGNAL(durationChanged(qint64)));
    connect(control, SIGNAL(positionChanged(qint64)), this, SIGNAL(positionChanged(qint64)));
    connect(control, SIGNAL(mutedChanged(bool)), this, SIGNAL(mutedChanged(bool)));
    connect(control, SIGNAL(dragEnterEvented(qint64)), this, SIGNAL(dragEnterEvented(qint64)));
    connect(control, SIGNAL(dropEvented(qint64)), this, SIGNAL(dropEvented(qint64)));
    if (QWidget *inner = control->controlWidget()) {
        if (inner->metaObject()->indexOfSignal("mediaChanged(QString)") >= 0)
            connect(inner, SIGNAL(mediaChanged(QString)), this, SIGNAL(mediaChanged(QString)));
    }

    control->setActiveParentWidget(static_cast<qlonglong>(reinterpret_cast<quintptr>(this)));
    // The OpenGL renderers would show nothing without a context.
    if (!OpenGLCheck::contextAvailable())
        control->setRenderModel(TrackoraActiveXLib::Render_Image);
}

CPlayerWidget::~CPlayerWidget() = default;

void CPlayerWidget::play()
{
    control->play();
}

void CPlayerWidget::pause()
{
    control->pause();
}

void CPlayerWidget::stop()
{
    control->stop();
}

void CPlayerWidget::unRender()
{
    control->unRender();
}

bool CPlayerWidget::screenshot()
{
    control->setScreenshotSavePath(Configuration::instance()->screenshotSavePath());
    return control->screenshot();
}

void CPlayerWidget::stepFrame(int direction)
{
    control->stepFrame(direction);
}

void CPlayerWidget::setMedia(const QString &media)
{
    control->setMedia(media);
}

bool CPlayerWidget::canChainMedia() const
{
    const QWidget *inner = control->controlWidget();
    return inner && inner->metaObject()->indexOfProperty("nextMedia") >= 0;
}

bool CPlayerWidget::setNextMedia(const QString &media)
{
    // A control built before chaining existed plays one file at a time.
    return canChainMedia() && control->setControlProperty("nextMedia", media);
}

void CPlayerWidget::setSeekSecond(int seconds)
{
    control->setSeekSecond(seconds);
}

void CPlayerWidget::setMuted(bool muted)
{
    control->setMuted(muted);
}

void CPlayerWidget::setVolume(int volume)
{
    control->setVolume(volume);
}

void CPlayerWidget::setSsFront(bool front)
{
    control->setSsFront(front);
}

TrackoraActiveXLib::FFPlaybackRate CPlayerWidget::rateFor(double rate)
{
    if (std::fabs(rate - 2.0) < kRateTolerance)
        return TrackoraActiveXLib::PlaybackRate_2_0;
    if (std::fabs(rate - 1.0) < kRateTolerance)
        return TrackoraActiveXLib::PlaybackRate_1_0;
    return TrackoraActiveXLib::PlaybackRate_0_5;
}

void CPlayerWidget::setPlaybackRate(double rate)
{
    control->setPlaybackRate(rateFor(rate));
}

qint64 CPlayerWidget::axUserData() const
{
    return control->axUserData();
}

void CPlayerWidget::setAxUserData(qint64 record)
{
    control->setAxUserData(record);
}

QString CPlayerWidget::canonicalUrl() const
{
    return control->canonicalUrl();
}

int CPlayerWidget::volume() const
{
    return control->volume();
}

CPlayerWidget::FFStates CPlayerWidget::decState() const
{
    return control->decState();
}

void CPlayerWidget::leaveFullScreen()
{
    // The flag alone is not enough: a hidden full-screen host is still a window.
    if (fullScreen || isWindow()) {
        setWindowFlags(Qt::Widget);
        showNormal();
        fullScreen = false;
    }
}

QRect CPlayerWidget::fittedGeometry(const QSize &host, AspectRatio ratio)
{
    float rw = 1.0f;
    float rh = 1.0f;
    if (ratio == Aspect_4_3) {
        rw = 4.0f;
        rh = 3.0f;
    } else if (ratio == Aspect_16_9) {
        rw = 16.0f;
        rh = 9.0f;
    }
    const int W = host.width();
    const int H = host.height();
    int w;
    int h;
    if (H < W) {
        h = H;
        w = static_cast<int>(rw / rh * static_cast<float>(h));
        if (w > W) {
            w = W;
            h = static_cast<int>(rh / rw * static_cast<float>(w));
        }
    } else {
        w = W;
        h = static_cast<int>(rh / rw * static_cast<float>(w));
        if (h > H) {
            h = H;
            w = static_cast<int>(rw / rh * static_cast<float>(h));
        }
    }
    return QRect((W - w) / 2, (H - h) / 2, w, h);
}

void CPlayerWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QRect fitted = fittedGeometry(size(), aspectRatio);
    control->setAxWidgetWidth(fitted.width());
    control->setAxWidgetHeight(fitted.height());
    control->setGeometry(fitted);
}

void CPlayerWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!fullScreen) {
        fullScreen = true;
        // The screen that shows most of the host.
        const QRect global(mapToGlobal(QPoint(0, 0)), size());
        QScreen *best = screen();
        int bestArea = -1;
        const auto screens = QGuiApplication::screens();
        for (QScreen *candidate : screens) {
            const QRect common = candidate->geometry().intersected(global);
            const int area = common.isEmpty() ? 0 : common.width() * common.height();
            if (area > bestArea) {
                bestArea = area;
                best = candidate;
            }
        }
        setWindowFlags(Qt::Window);
        if (best)
            setGeometry(best->geometry());
        showFullScreen();
    } else {
        fullScreen = false;
        setWindowFlags(Qt::SubWindow);
        showNormal();
    }
    event->accept();
}

void CPlayerWidget::keyPressEvent(QKeyEvent *event)
{
    qCDebug(lcPlayerWidget) << "PlayerWidget::keyPressEvent" << event->key() << event->modifiers();
    if (!fullScreen) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Period:
    case Qt::Key_Comma:
        emit keyPressSignals(event);
        break;
    case Qt::Key_Escape:
        qCDebug(lcPlayerWidget) << "Key_Escape, setValue=false";
        setWindowFlags(Qt::Widget);
        showNormal();
        fullScreen = false;
        break;
    default:
        break;
    }
}

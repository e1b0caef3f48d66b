#include "render.h"

#include "benchcommon.h"

#include "FFPlayer.h"
#include "trackoraactivexlib.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QUrl>

#include <cmath>

using namespace TrackoraActiveX;
using Container = TrackoraActiveXLib::CFFPlayerAxWidget;

namespace {

// How long the controls may take to open their files.
constexpr int kOpenWaitMs = 10000;

struct Options : bench::CommonOptions
{
    TrackoraActiveXLib::FFRenderModel model = TrackoraActiveXLib::Render_Image;
    QSize size{960, 540};
    double zoom = 1.0;
};

bool parseOptions(const QStringList &arguments, Options &options, QString &error)
{
    QCommandLineParser parser;
    bench::addCommonOptions(parser);
    const QCommandLineOption model("model", "render model: image or opengl", "model", "image");
    const QCommandLineOption size("size", "size of each control", "WxH", "960x540");
    const QCommandLineOption zoom("zoom", "magnification of each view, 1 to 8", "F", "1");
    parser.addOptions({model, size, zoom});
    if (!bench::parseCommonOptions(parser, arguments, options, error))
        return false;
    if (parser.value(model) == "image")
        options.model = TrackoraActiveXLib::Render_Image;
    else if (parser.value(model) == "opengl")
        options.model = TrackoraActiveXLib::Render_OpenGL;
    else {
        error = "--model takes image or opengl";
        return false;
    }
    options.zoom = parser.value(zoom).toDouble();
    if (!(options.zoom >= 1.0 && options.zoom <= 8.0)) {
        error = "--zoom takes a factor from 1 to 8";
        return false;
    }
    const QStringList wh = parser.value(size).split('x');
    options.size = wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
    if (options.size.width() <= 0 || options.size.height() <= 0) {
        error = "--size takes WxH";
        return false;
    }
    return true;
}

TrackoraActiveXLib::FFPlaybackRate playbackRate(double factor)
{
    return factor == 0.5 ? TrackoraActiveXLib::PlaybackRate_0_5
         : factor == 2.0 ? TrackoraActiveXLib::PlaybackRate_2_0
                         : TrackoraActiveXLib::PlaybackRate_1_0;
}

// Counts the paints of the controls and of the renderers inside them.
class PaintCounter : public QObject
{
public:
    QList<QWidget *> controls;
    int paints = 0; // GUI thread

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            for (QWidget *control : qAsConst(controls)) {
                if (watched == control || watched->parent() == control) {
                    ++paints;
                    break;
                }
            }
        }
        return false;
    }
};

CFFPlayer *coreOf(Container *control)
{
    auto *record = reinterpret_cast<CFFPlayerAxUserData *>(static_cast<quintptr>(control->axUserData()));
    return record ? record->player : nullptr;
}

Container *makeControl(QWidget *window, const Options &options)
{
    auto *control = new Container(window);
    if (control->isNull())
        return nullptr;
    control->setAxWidgetWidth(options.size.width());
    control->setAxWidgetHeight(options.size.height());
    control->setFixedSize(options.size);
    control->setRenderModel(options.model);
    control->setZoom(options.zoom);
    control->setPlaybackRate(playbackRate(options.rate));
    window->layout()->addWidget(control);
    return control;
}

} // namespace

int runRenderBench(int argc, char **argv)
{
    using bench::Clock;

    bench::useDummyAudioUnlessSet();
    QApplication app(argc, argv);
    bench::quietLogs();
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), options, error)) {
        bench::reportError("render", error);
        return 2;
    }

    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    layout->setSpacing(1);
    layout->setContentsMargins(0, 0, 0, 0);
    Container *front = makeControl(&window, options);
    Container *rear = options.peer.isEmpty() ? nullptr : makeControl(&window, options);
    if (!front || (!options.peer.isEmpty() && !rear)) {
        bench::reportError("render", QStringLiteral("the player control cannot be created"));
        return 1;
    }
    front->setVolume(100);
    CFFPlayer *frontPlayer = coreOf(front);
    CFFPlayer *rearPlayer = rear ? coreOf(rear) : nullptr;
    if (rear) {
        // Linked as the play area links them: the rear follows the front.
        auto *frontRecord = reinterpret_cast<CFFPlayerAxUserData *>(static_cast<quintptr>(front->axUserData()));
        auto *rearRecord = reinterpret_cast<CFFPlayerAxUserData *>(static_cast<quintptr>(rear->axUserData()));
        frontRecord->isMain = true;
        frontRecord->peer = rearRecord->player;
        front->setAxUserData(front->axUserData());
        rearRecord->isMain = false;
        rearRecord->peer = frontRecord->player;
        rear->setAxUserData(rear->axUserData());
        rear->setMuted(true);
    }

    PaintCounter painted;
    painted.controls << front->controlWidget();
    if (rear)
        painted.controls << rear->controlWidget();
    app.installEventFilter(&painted);

    bench::Samples samples;
    const Clock::time_point started = Clock::now();
    bench::recordFrames(samples, started, frontPlayer, rearPlayer);
    bench::RunFigures figures;
    figures.file = options.file;
    QObject::connect(front, &Container::positionChanged, [&](qint64 p) { figures.lastPositionMs = p; });
    QObject::connect(front, &Container::durationChanged, [&](qint64 d) { figures.durationMs = d; });

    window.show();
    front->setMedia(QUrl::fromLocalFile(QFileInfo(options.file).absoluteFilePath()).url());
    front->play();
    if (rear) {
        rear->setMedia(QUrl::fromLocalFile(QFileInfo(options.peer).absoluteFilePath()).url());
        rear->play();
    }
    figures.opened = bench::waitForOpen(front, kOpenWaitMs);
    if (rear)
        bench::waitForOpen(rear, kOpenWaitMs);

    const double limitMs = bench::runLimitMs(options, figures.durationMs);
    int paintsAtFirstFrame = -1;
    double firstFrameSeenMs = 0;
    figures.endedAtMs = bench::pollUntil(started, [&](double now) {
        if (paintsAtFirstFrame < 0 && samples.firstFrameMs >= 0) {
            paintsAtFirstFrame = painted.paints;
            firstFrameSeenMs = now;
        }
        return !figures.opened || now >= limitMs
            || bench::playedOut(samples, figures.lastPositionMs, figures.durationMs, now);
    });

    bench::readEndFigures(frontPlayer, figures);
    const double paintSeconds = (figures.endedAtMs - firstFrameSeenMs) / 1000.0;
    const double paintsPerSecond = paintsAtFirstFrame >= 0 && paintSeconds > 0
        ? (painted.paints - paintsAtFirstFrame) / paintSeconds / painted.controls.size() : 0;
    app.removeEventFilter(&painted);
    bench::stopPlayers(front, rear);

    QJsonObject result = bench::resultJson(figures, samples, true, options.rate == 2.0);
    result["paintsPerSecond"] = std::round(paintsPerSecond * 10) / 10;
    result["zoom"] = options.zoom;
    bench::printJsonLine(result);
    return figures.opened ? 0 : 1;
}

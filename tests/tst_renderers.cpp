#include <QtTest>
#include <cmath>
#include <QOpenGLWidget>
#include <QPointer>
#include <QScreen>
#include <vector>

#include "FFPlayer.h"
#include "trackoraactivexlib.h"
#include "tst_componentsupport.h"

using namespace componenttest;
using Container = TrackoraActiveXLib::CFFPlayerAxWidget;
using TrackoraActiveX::HFrame;

// Both render models on real windows, fed pictures of known colours the
// way the player core hands them over (the control's own picture slot).
class TestRenderers : public QObject
{
    Q_OBJECT

    static constexpr int kYuv420p = 0;
    static constexpr int kNv12 = 23;
    static constexpr int kBgra = 28;

    struct Picture
    {
        std::vector<uint8_t> bytes;
        HFrame frame{};
    };

    static Picture picture(int w, int h, int format, const Colour (&q)[4])
    {
        Picture p;
        p.bytes = quadrantFrame(w, h, format == kBgra ? kYuv420p : format, q);
        p.frame = {w, h, format, p.bytes.data(), int(p.bytes.size())};
        return p;
    }

    static std::unique_ptr<Container> makeControl(TrackoraActiveXLib::FFRenderModel model, QSize size)
    {
        auto control = std::make_unique<Container>();
        if (control->isNull())
            return nullptr;
        control->setAxWidgetWidth(size.width());
        control->setAxWidgetHeight(size.height());
        control->resize(size);
        control->setRenderModel(model);
        // The Image model presents only while the core is not stopped.
        control->setDecState(TrackoraActiveXLib::PlayingState);
        control->show();
        if (!QTest::qWaitForWindowExposed(control.get()))
            return nullptr;
        return control;
    }

    static void present(Container *control, const HFrame *frame)
    {
        QVERIFY(QMetaObject::invokeMethod(control->controlWidget(), "onRenderHFrame", Qt::DirectConnection,
                                          Q_ARG(const TrackoraActiveX::HFrame *, frame)));
    }

    static QOpenGLWidget *renderer(Container *control)
    {
        const auto all = control->controlWidget()->findChildren<QOpenGLWidget *>();
        return all.size() == 1 ? all.first() : nullptr;
    }

    // What a person sees: the Image model's paint or the renderer's frame buffer.
    static QImage shown(Container *control)
    {
        if (QOpenGLWidget *gl = renderer(control))
            return gl->grabFramebuffer();
        return control->controlWidget()->grab().toImage();
    }

    // What is shown once it has the size and its quadrants read colours (a
    // renderer starts at a default size until it is laid out), or the last
    // grab when that never comes.
    static QImage shownAs(Container *control, QSize size, const QString &colours)
    {
        QImage image;
        // The caller judges what came.
        (void)QTest::qWaitFor([&] {
            image = shown(control);
            return image.size() == size && quadrantColours(image) == colours;
        }, 5000);
        return image;
    }


    // Grey blocks of 16 x 16 pixels, each of a level that differs from its
    // neighbours', so a view of the wrong part reads the wrong levels.
    static int blockLevel(int bx, int by) { return (bx * 5 + by * 3) % 16; }
    static int lumaOf(int level) { return 24 + level * 12; }
    static int greyOf(int level) { return qBound(0, int(std::lround((lumaOf(level) - 16) * 255.0 / 219.0)), 255); }

    static Picture blocks(int w, int h, int format)
    {
        Picture p;
        p.bytes.assign(size_t(w * h * 3 / 2), 128);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                p.bytes[size_t(y * w + x)] = uint8_t(lumaOf(blockLevel(x / 16, y / 16)));
        p.frame = {w, h, format, p.bytes.data(), int(p.bytes.size())};
        return p;
    }

    // Checks a grid of the view against the blocks of the picture part that a
    // zoom of `factor` around (cx, cy) shows; points near a block edge are left
    // out. Empty when everything matches.
    static QString zoomMismatches(const QImage &image, QSize picture, double factor, double cx, double cy,
                                  int *checked)
    {
        const double span = 1.0 / factor;
        const double left = qBound(0.0, cx - span / 2, 1.0 - span);
        const double top = qBound(0.0, cy - span / 2, 1.0 - span);
        QStringList wrong;
        *checked = 0;
        for (int y = 2; y < image.height(); y += 7) {
            for (int x = 2; x < image.width(); x += 7) {
                const double sx = (left + (x + 0.5) / image.width() * span) * picture.width();
                const double sy = (top + (y + 0.5) / image.height() * span) * picture.height();
                const double inX = std::fmod(sx, 16.0);
                const double inY = std::fmod(sy, 16.0);
                if (inX < 4 || inX > 12 || inY < 4 || inY > 12)
                    continue;
                ++*checked;
                const int expected = greyOf(blockLevel(int(sx) / 16, int(sy) / 16));
                const int got = qGray(image.pixel(x, y));
                if (qAbs(got - expected) > 6 && wrong.size() < 5)
                    wrong << QStringLiteral("(%1,%2): %3 not %4").arg(x).arg(y).arg(got).arg(expected);
            }
        }
        return wrong.join(QStringLiteral("; "));
    }

    const Colour quadrants[4] = {Red, Green, Blue, White};
    const Colour swapped[4] = {White, Blue, Green, Red};

private slots:
    void initTestCase()
    {
        Container probe;
        QVERIFY2(!probe.isNull(), "the player control is created by its class identifier");
    }

    void imageIsBlackBeforeFirstPicture()
    {
        auto control = makeControl(TrackoraActiveXLib::Render_Image, QSize(320, 180));
        QVERIFY(control);
        QTRY_VERIFY2(allBlack(shown(control.get())), "the Image model shows black before any picture");
    }

    void showsColours_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("rendererClass");
        QTest::newRow("image yuv420p") << int(TrackoraActiveXLib::Render_Image) << kYuv420p << QString();
        QTest::newRow("image nv12") << int(TrackoraActiveXLib::Render_Image) << kNv12 << QString();
        QTest::newRow("opengl yuv420p") << int(TrackoraActiveXLib::Render_OpenGL) << kYuv420p
                                        << "TrackoraActiveX::CFFGLYUV420P";
        QTest::newRow("opengl nv12") << int(TrackoraActiveXLib::Render_OpenGL) << kNv12
                                     << "TrackoraActiveX::CFFGLNV12";
    }

    void showsColours()
    {
        QFETCH(int, model);
        QFETCH(int, format);
        QFETCH(QString, rendererClass);
        auto control = makeControl(TrackoraActiveXLib::FFRenderModel(model), QSize(640, 360));
        QVERIFY(control);
        const Picture p = picture(640, 360, format, quadrants);
        present(control.get(), &p.frame);
        const QImage image = shownAs(control.get(), QSize(640, 360), QStringLiteral("red green blue white"));
        QCOMPARE(image.size(), QSize(640, 360));
        QCOMPARE(quadrantColours(image), QStringLiteral("red green blue white"));
        QOpenGLWidget *gl = renderer(control.get());
        QCOMPARE(gl ? QString::fromLatin1(gl->metaObject()->className()) : QString(), rendererClass);

        // Every later picture replaces the one shown.
        const Picture next = picture(640, 360, format, swapped);
        present(control.get(), &next.frame);
        const QImage again = shownAs(control.get(), QSize(640, 360), QStringLiteral("white blue green red"));
        if (!qEnvironmentVariableIsEmpty("TRACKORA_GRAB_DIR"))
            again.save(qEnvironmentVariable("TRACKORA_GRAB_DIR") + QLatin1Char('/')
                       + QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'))
                       + QStringLiteral(".png"));
        QCOMPARE(quadrantColours(again), QStringLiteral("white blue green red"));
        QCOMPARE(renderer(control.get()), gl);
    }

    // The player core writes its next picture into a buffer a renderer may
    // not have painted yet; what is shown must be the picture presented.
    void openGlShowsThePresentedPicture_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("yuv420p") << kYuv420p;
        QTest::newRow("nv12") << kNv12;
    }

    void openGlShowsThePresentedPicture()
    {
        QFETCH(int, format);
        auto control = makeControl(TrackoraActiveXLib::Render_OpenGL, QSize(640, 360));
        QVERIFY(control);
        const Picture next = picture(640, 360, format, swapped);
        // First on a renderer just made, then on one that has painted.
        for (int round = 0; round < 2; ++round) {
            Picture p = picture(640, 360, format, quadrants);
            present(control.get(), &p.frame);
            std::copy(next.bytes.begin(), next.bytes.end(), p.bytes.begin());
            QTRY_COMPARE(quadrantColours(shown(control.get())), QStringLiteral("red green blue white"));
        }
    }

    void oddSizesShowWithoutShear_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("format");
        QTest::addColumn<QSize>("size");
        for (QSize size : {QSize(641, 361), QSize(319, 181)}) {
            const QByteArray name = QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
            QTest::newRow("image yuv420p " + name) << int(TrackoraActiveXLib::Render_Image) << kYuv420p << size;
            QTest::newRow("image nv12 " + name) << int(TrackoraActiveXLib::Render_Image) << kNv12 << size;
            QTest::newRow("opengl yuv420p " + name) << int(TrackoraActiveXLib::Render_OpenGL) << kYuv420p << size;
            QTest::newRow("opengl nv12 " + name) << int(TrackoraActiveXLib::Render_OpenGL) << kNv12 << size;
        }
    }

    void oddSizesShowWithoutShear()
    {
        QFETCH(int, model);
        QFETCH(int, format);
        QFETCH(QSize, size);
        auto control = makeControl(TrackoraActiveXLib::FFRenderModel(model), size);
        QVERIFY(control);
        const Picture p = picture(size.width(), size.height(), format, quadrants);
        present(control.get(), &p.frame);
        const QImage image = shownAs(control.get(), size, QStringLiteral("red green blue white"));
        QCOMPARE(image.size(), size);
        // Near the corners as well as at the centres: a shear grows row by row.
        QCOMPARE(quadrantColours(image), QStringLiteral("red green blue white"));
        const int right = size.width() - 4;
        const int bottom = size.height() - 4;
        QStringList corners;
        for (QPoint at : {QPoint(4, 4), QPoint(right, 4), QPoint(4, bottom), QPoint(right, bottom)})
            corners << colourName(classify(image.pixel(at)));
        QCOMPARE(corners.join(QLatin1Char(' ')), QStringLiteral("red green blue white"));
    }

    void unRenderClears_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("image") << int(TrackoraActiveXLib::Render_Image);
        QTest::newRow("opengl") << int(TrackoraActiveXLib::Render_OpenGL);
    }

    void unRenderClears()
    {
        QFETCH(int, model);
        auto control = makeControl(TrackoraActiveXLib::FFRenderModel(model), QSize(400, 225));
        QVERIFY(control);
        const Picture p = picture(640, 360, kYuv420p, quadrants);
        present(control.get(), &p.frame);
        QTRY_COMPARE(quadrantColours(shown(control.get())), QStringLiteral("red green blue white"));
        control->unRender();
        QTRY_VERIFY2(allBlack(shown(control.get())), "unRender leaves a black picture");
    }

    void openGlWithoutPictureHasNoRenderer()
    {
        auto control = makeControl(TrackoraActiveXLib::Render_OpenGL, QSize(320, 180));
        QVERIFY(control);
        control->unRender();
        QVERIFY2(control->controlWidget()->findChildren<QOpenGLWidget *>().isEmpty(),
                 "unRender before any picture makes no renderer");
    }

    void formatSwitchReplacesRenderer()
    {
        auto control = makeControl(TrackoraActiveXLib::Render_OpenGL, QSize(640, 360));
        QVERIFY(control);
        const Picture software = picture(640, 360, kYuv420p, quadrants);
        present(control.get(), &software.frame);
        QPointer<QOpenGLWidget> first = renderer(control.get());
        QVERIFY2(first, "the first picture makes a renderer");
        QCOMPARE(first->metaObject()->className(), "TrackoraActiveX::CFFGLYUV420P");

        const Picture hardware = picture(640, 360, kNv12, swapped);
        present(control.get(), &hardware.frame);
        QVERIFY2(first.isNull(), "the YUV420P renderer is destroyed");
        QOpenGLWidget *second = renderer(control.get());
        QVERIFY2(second, "the new format makes a new renderer");
        QCOMPARE(second->metaObject()->className(), "TrackoraActiveX::CFFGLNV12");
        QTRY_COMPARE(quadrantColours(shown(control.get())), QStringLiteral("white blue green red"));
    }

    void modelSwitchLeavesNoRendererBehind()
    {
        auto control = makeControl(TrackoraActiveXLib::Render_OpenGL, QSize(640, 360));
        QVERIFY(control);
        const Picture first = picture(640, 360, kYuv420p, quadrants);
        present(control.get(), &first.frame);
        QVERIFY2(renderer(control.get()), "the OpenGL model makes a renderer");

        control->setRenderModel(TrackoraActiveXLib::Render_Image);
        QVERIFY2(control->controlWidget()->findChildren<QOpenGLWidget *>().isEmpty(),
                 "switching to the Image model removes the renderer");
        const Picture next = picture(640, 360, kYuv420p, swapped);
        present(control.get(), &next.frame);
        // Grab the control with its children: a stale renderer would cover the picture.
        QTRY_COMPARE(quadrantColours(control->grab().toImage()), QStringLiteral("white blue green red"));

        control->setRenderModel(TrackoraActiveXLib::Render_OpenGL);
        present(control.get(), &first.frame);
        QTRY_COMPARE(quadrantColours(shown(control.get())), QStringLiteral("red green blue white"));
    }

    // What the screen itself shows at the control's place, read back from
    // the display server rather than painted again by the widget.
    static QImage onScreen(QWidget *control)
    {
        const QPoint at = control->mapToGlobal(QPoint(0, 0));
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, at.x(), at.y(), control->width(), control->height())
            .toImage();
    }

    void picturesReachTheScreenBesideOpenGl_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("image") << int(TrackoraActiveXLib::Render_Image);
        QTest::newRow("opengl") << int(TrackoraActiveXLib::Render_OpenGL);
    }

    // A window that an OpenGL widget (the map's web view is one) composes
    // through OpenGL: the pictures must still reach the screen at the
    // control's place as its holder moves, hides and shows.
    void picturesReachTheScreenBesideOpenGl()
    {
        QFETCH(int, model);
        QWidget window;
        window.resize(900, 420);
        auto *gl = new QOpenGLWidget(&window);
        gl->setGeometry(0, 0, 160, 160);
        auto *holder = new QWidget(&window);
        holder->setGeometry(200, 20, 340, 200);
        auto *control = new Container(holder);
        QVERIFY(!control->isNull());
        control->setAxWidgetWidth(320);
        control->setAxWidgetHeight(180);
        control->setGeometry(10, 10, 320, 180);
        control->setRenderModel(TrackoraActiveXLib::FFRenderModel(model));
        control->setDecState(TrackoraActiveXLib::PlayingState);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget *shownBy = control->controlWidget();

        const Picture first = picture(640, 360, kYuv420p, quadrants);
        present(control, &first.frame);
        QTRY_COMPARE(quadrantColours(onScreen(shownBy)), QStringLiteral("red green blue white"));

        holder->move(520, 220);
        const Picture next = picture(640, 360, kNv12, swapped);
        present(control, &next.frame);
        QTRY_COMPARE(quadrantColours(onScreen(shownBy)), QStringLiteral("white blue green red"));

        const QPoint left = shownBy->mapToGlobal(QPoint(0, 0));
        holder->hide();
        QTRY_VERIFY2(!quadrantColours(QGuiApplication::primaryScreen()
                                          ->grabWindow(0, left.x(), left.y(), 320, 180)
                                          .toImage())
                          .contains(QLatin1String("blue")),
                     "a hidden holder takes the picture off the screen");
        holder->show();
        QTRY_COMPARE(quadrantColours(onScreen(shownBy)), QStringLiteral("white blue green red"));
    }

    void renderModelValues_data()
    {
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("read");
        QTest::newRow("opengl") << 0 << 0;
        QTest::newRow("image") << 1 << 1;
        QTest::newRow("d3d selects opengl") << 2 << 0;
        QTest::newRow("unknown selects opengl") << 7 << 0;
    }

    void renderModelValues()
    {
        QFETCH(int, written);
        QFETCH(int, read);
        Container control;
        QVERIFY(!control.isNull());
        control.setRenderModel(TrackoraActiveXLib::FFRenderModel(written));
        QCOMPARE(int(control.renderModel()), read);
    }

    // Frame and control sizes that take the direct path and both sides of
    // the pre-shrink (a control wider than the frame needs a shrink buffer
    // larger than the frame's).
    void imageSizes_data()
    {
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QSize>("control");
        QTest::addColumn<int>("format");
        QTest::newRow("direct 1080p in 1000x600") << QSize(1920, 1080) << QSize(1000, 600) << kYuv420p;
        QTest::newRow("pre-shrunk 1080p in 900x500") << QSize(1920, 1080) << QSize(900, 500) << kYuv420p;
        QTest::newRow("wider than the frame") << QSize(640, 360) << QSize(1800, 160) << kYuv420p;
        QTest::newRow("taller than the frame") << QSize(640, 360) << QSize(200, 900) << kYuv420p;
        // A quarter first, then the rest of the way; and the same in one step.
        QTest::newRow("1080p in 378x212") << QSize(1920, 1080) << QSize(378, 212) << kYuv420p;
        QTest::newRow("1080p in 378x212 nv12") << QSize(1920, 1080) << QSize(378, 212) << kNv12;
        QTest::newRow("1080p in a quarter nv12") << QSize(1920, 1080) << QSize(480, 270) << kNv12;
        QTest::newRow("1080p halved then 700x300") << QSize(1920, 1080) << QSize(700, 300) << kNv12;
        QTest::newRow("odd frame in 150x81") << QSize(645, 363) << QSize(150, 81) << kYuv420p;
        QTest::newRow("odd frame in 150x81 nv12") << QSize(645, 363) << QSize(150, 81) << kNv12;
    }

    void imageSizes()
    {
        QFETCH(QSize, frame);
        QFETCH(QSize, control);
        QFETCH(int, format);
        auto widget = makeControl(TrackoraActiveXLib::Render_Image, control);
        QVERIFY(widget);
        QCOMPARE(widget->controlWidget()->size(), control);
        const Picture p = picture(frame.width(), frame.height(), format, quadrants);
        for (int i = 0; i < 3; ++i)
            present(widget.get(), &p.frame);
        const QImage image = shownAs(widget.get(), control, QStringLiteral("red green blue white"));
        QCOMPARE(image.size(), control);
        QCOMPARE(quadrantColours(image), QStringLiteral("red green blue white"));
    }

    void frameSizeChangeKeepsPictureValid()
    {
        auto control = makeControl(TrackoraActiveXLib::Render_Image, QSize(640, 360));
        QVERIFY(control);
        auto small = std::make_unique<Picture>(picture(640, 360, kYuv420p, quadrants));
        present(control.get(), &small->frame);
        // Stopped: the new size reallocates the buffers but builds no new picture.
        control->setDecState(TrackoraActiveXLib::StoppedState);
        const Picture large = picture(1280, 720, kYuv420p, swapped);
        present(control.get(), &large.frame);
        small.reset();
        control->controlWidget()->repaint();
        QTRY_COMPARE(quadrantColours(shown(control.get())), QStringLiteral("red green blue white"));
        control->setDecState(TrackoraActiveXLib::PlayingState);
        present(control.get(), &large.frame);
        QTRY_COMPARE(quadrantColours(shown(control.get())), QStringLiteral("white blue green red"));
    }

    void unsupportedFormatShowsNothing_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("image") << int(TrackoraActiveXLib::Render_Image);
        QTest::newRow("opengl") << int(TrackoraActiveXLib::Render_OpenGL);
    }

    void unsupportedFormatShowsNothing()
    {
        QFETCH(int, model);
        auto control = makeControl(TrackoraActiveXLib::FFRenderModel(model), QSize(320, 180));
        QVERIFY(control);
        const Picture p = picture(320, 180, kBgra, quadrants);
        present(control.get(), &p.frame);
        QVERIFY2(control->controlWidget()->findChildren<QOpenGLWidget *>().isEmpty(),
                 "a layout it cannot convert makes no renderer");
        if (model == TrackoraActiveXLib::Render_Image)
            QTRY_VERIFY2(allBlack(shown(control.get())), "a layout it cannot convert shows black");
    }

    void zoomShowsThePartAtFullResolution_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("cx");
        QTest::addColumn<double>("cy");
        const struct { const char *name; int model; } models[] = {
            {"image", TrackoraActiveXLib::Render_Image}, {"opengl", TrackoraActiveXLib::Render_OpenGL}};
        for (const auto &m : models) {
            const QByteArray name(m.name);
            QTest::newRow(name + " 1x") << m.model << kYuv420p << 1.0 << 0.5 << 0.5;
            QTest::newRow(name + " 2x") << m.model << kYuv420p << 2.0 << 0.3 << 0.6;
            QTest::newRow(name + " 8x") << m.model << kYuv420p << 8.0 << 0.71 << 0.37;
            QTest::newRow(name + " 8x nv12") << m.model << kNv12 << 8.0 << 0.2 << 0.8;
            // A centre too near the edge is moved in: the view stays inside the picture.
            QTest::newRow(name + " 4x at the corner") << m.model << kYuv420p << 4.0 << 0.0 << 1.0;
        }
    }

    void zoomShowsThePartAtFullResolution()
    {
        QFETCH(int, model);
        QFETCH(int, format);
        QFETCH(double, factor);
        QFETCH(double, cx);
        QFETCH(double, cy);
        // A view smaller than the picture: an enlarged copy of the scaled picture would lose the blocks' edges.
        const QSize view(480, 270);
        auto control = makeControl(TrackoraActiveXLib::FFRenderModel(model), view);
        QVERIFY(control);
        control->setZoom(factor);
        control->setZoomCenterX(cx);
        control->setZoomCenterY(cy);
        QCOMPARE(control->zoom(), factor);
        const Picture p = blocks(1280, 720, format);
        present(control.get(), &p.frame);
        QImage image;
        QString mismatches;
        int checked = 0;
        (void)QTest::qWaitFor([&] {
            image = shown(control.get());
            if (image.size() != view)
                return false;
            mismatches = zoomMismatches(image, QSize(1280, 720), factor, cx, cy, &checked);
            return mismatches.isEmpty();
        }, 5000);
        if (!qEnvironmentVariableIsEmpty("TRACKORA_GRAB_DIR"))
            image.save(qEnvironmentVariable("TRACKORA_GRAB_DIR") + QStringLiteral("/zoom_")
                       + QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'))
                       + QStringLiteral(".png"));
        QCOMPARE(image.size(), view);
        QVERIFY2(checked > 100, qPrintable(QStringLiteral("only %1 points away from the edges").arg(checked)));
        QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches));
    }

    void zoomStaysInRange_data()
    {
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("cx");
        QTest::addColumn<double>("cy");
        QTest::addColumn<double>("keptFactor");
        QTest::addColumn<double>("keptX");
        QTest::addColumn<double>("keptY");
        QTest::newRow("inside") << 4.0 << 0.3 << 0.7 << 4.0 << 0.3 << 0.7;
        QTest::newRow("below 1x") << 0.5 << 0.3 << 0.7 << 1.0 << 0.5 << 0.5;
        QTest::newRow("above 8x") << 20.0 << 0.5 << 0.5 << 8.0 << 0.5 << 0.5;
        QTest::newRow("not a number") << qQNaN() << qQNaN() << 0.5 << 1.0 << 0.5 << 0.5;
        QTest::newRow("centre past the edges") << 2.0 << -1.0 << 3.0 << 2.0 << 0.25 << 0.75;
    }

    void zoomStaysInRange()
    {
        QFETCH(double, factor);
        QFETCH(double, cx);
        QFETCH(double, cy);
        QFETCH(double, keptFactor);
        QFETCH(double, keptX);
        QFETCH(double, keptY);
        Container control;
        QVERIFY(!control.isNull());
        QCOMPARE(control.zoom(), 1.0);
        control.setZoom(factor);
        control.setZoomCenterX(cx);
        control.setZoomCenterY(cy);
        QCOMPARE(control.zoom(), keptFactor);
        QCOMPARE(control.zoomCenterX(), keptX);
        QCOMPARE(control.zoomCenterY(), keptY);
    }

    // The wheel keeps the picture's point under the cursor, dragging moves the
    // picture with the cursor, a double-click goes back to the whole picture.
    void zoomFollowsTheMouse()
    {
        auto control = makeControl(TrackoraActiveXLib::Render_Image, QSize(640, 360));
        QVERIFY(control);
        QWidget *widget = control->controlWidget();
        const QPointF at(160, 270);
        auto pointUnder = [&](QPointF pos) {
            const double span = 1.0 / control->zoom();
            return QPointF(control->zoomCenterX() - span / 2 + pos.x() / 640 * span,
                           control->zoomCenterY() - span / 2 + pos.y() / 360 * span);
        };
        auto wheel = [&](int notches) {
            QWheelEvent event(at, widget->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120 * notches),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(widget, &event);
        };
        const QPointF before = pointUnder(at);
        wheel(3);
        QVERIFY(control->zoom() > 1.9 && control->zoom() < 2.0);
        const QPointF after = pointUnder(at);
        QVERIFY2(qAbs(after.x() - before.x()) < 1e-9 && qAbs(after.y() - before.y()) < 1e-9,
                 "the point under the cursor stays");
        wheel(40);
        QCOMPARE(control->zoom(), 8.0);

        const double x = control->zoomCenterX();
        const double y = control->zoomCenterY();
        QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(300, 100));
        QMouseEvent move(QEvent::MouseMove, QPointF(364, 136), widget->mapToGlobal(QPoint(364, 136)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(364, 136));
        QVERIFY(qAbs(control->zoomCenterX() - (x - 64.0 / (640 * 8))) < 1e-9);
        QVERIFY(qAbs(control->zoomCenterY() - (y - 36.0 / (360 * 8))) < 1e-9);

        QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(320, 180));
        QCOMPARE(control->zoom(), 1.0);
        QCOMPARE(control->zoomCenterX(), 0.5);
        // At 1x a double-click is the host's (the viewer's full screen).
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(320, 180), widget->mapToGlobal(QPoint(320, 180)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        twice.setAccepted(true);
        QApplication::sendEvent(widget, &twice);
        QVERIFY(!twice.isAccepted());
        wheel(-5);
        QCOMPARE(control->zoom(), 1.0);
    }
};

QTEST_MAIN(TestRenderers)
#include "tst_renderers.moc"

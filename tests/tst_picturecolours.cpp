#include <QtTest>
#include <vector>

#include "FFPlayer.h"
#include "trackoraactivexlib.h"
#include "tst_componentsupport.h"

using namespace componenttest;
using Container = TrackoraActiveXLib::CFFPlayerAxWidget;
using TrackoraActiveX::CFFPlayer;
using TrackoraActiveX::HFrame;

// Colour-bar recordings that signal BT.601 or BT.709, limited or full range,
// decoded by the player core and shown by both renderers and the Image
// model, against the ffmpeg tool's own RGB of the same picture.
class TestPictureColours : public QObject
{
    Q_OBJECT

    static constexpr int kYuv420p = 0;
    static constexpr int kNv12 = 23;
    // Levels per channel: fixed-point and shader rounding stay well inside,
    // a wrong matrix or range misses by 10 to 30.
    static constexpr int kTolerance = 6;

    struct Picture
    {
        std::vector<uint8_t> bytes;
        HFrame frame{};
    };

    static bool playUntilShown(CFFPlayer &player, const QString &file)
    {
        QObject receiver;
        int shown = 0;
        QObject::connect(&player, &CFFPlayer::renderFrame, &receiver, [&shown]() { ++shown; },
                         Qt::QueuedConnection);
        player.play(file);
        return QTest::qWaitFor([&shown] { return shown > 0; }, 10000);
    }

    // The first picture the player core hands over, copied under its lock.
    static Picture decoded(const QString &file)
    {
        Picture p;
        CFFPlayer player;
        const bool shown = playUntilShown(player, file);
        player.pause();
        if (!shown)
            return p;
        std::lock_guard<std::mutex> lock(player.hframeMutex());
        const HFrame *current = player.currentHFrame();
        p.bytes.assign(current->data, current->data + current->size);
        p.frame = *current;
        p.frame.data = p.bytes.data();
        return p;
    }

    // The same picture with its chroma interleaved, as the hardware decoder gives it.
    static Picture asNv12(const Picture &planar)
    {
        Picture p = planar;
        const int w = planar.frame.width;
        const int h = planar.frame.height;
        const int cw = (w + 1) / 2;
        const int ch = (h + 1) / 2;
        const uint8_t *u = planar.bytes.data() + w * h;
        const uint8_t *v = u + cw * ch;
        uint8_t *uv = p.bytes.data() + w * h;
        for (int i = 0; i < cw * ch; ++i) {
            uv[2 * i] = u[i];
            uv[2 * i + 1] = v[i];
        }
        p.frame.format = kNv12;
        p.frame.data = p.bytes.data();
        return p;
    }

    // What the control shows of frame, once it matches the reference or,
    // failing that, when the wait is over.
    static QImage shownBy(TrackoraActiveXLib::FFRenderModel model, const HFrame &frame,
                          const QVector<Sample> &reference)
    {
        Container control;
        if (control.isNull())
            return QImage();
        const QSize size(frame.width, frame.height);
        control.setAxWidgetWidth(size.width());
        control.setAxWidgetHeight(size.height());
        control.resize(size);
        control.setRenderModel(model);
        control.setDecState(TrackoraActiveXLib::PlayingState);
        control.show();
        if (!QTest::qWaitForWindowExposed(&control))
            return QImage();
        QMetaObject::invokeMethod(control.controlWidget(), "onRenderHFrame", Qt::DirectConnection,
                                  Q_ARG(const TrackoraActiveX::HFrame *, &frame));
        QImage image;
        // The caller judges what came.
        (void)QTest::qWaitFor([&] {
            image = control.controlWidget()->grab().toImage();
            return sampleMismatches(image, size, reference, kTolerance).isEmpty();
        }, 5000);
        if (!qEnvironmentVariableIsEmpty("TRACKORA_GRAB_DIR"))
            image.save(qEnvironmentVariable("TRACKORA_GRAB_DIR") + QLatin1Char('/')
                       + QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'))
                       + QStringLiteral(".png"));
        return image;
    }

private slots:
    void barsMatchTheReference_data()
    {
        QTest::addColumn<QString>("recording");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("format");
        const char *const clips[] = {"bt601_limited", "bt601_full", "bt709_limited", "bt709_full"};
        for (const char *clip : clips) {
            const QString file = QStringLiteral("component/bars_%1_F.mp4").arg(QLatin1String(clip));
            QTest::addRow("%s image yuv420p", clip) << file << int(TrackoraActiveXLib::Render_Image) << kYuv420p;
            QTest::addRow("%s image nv12", clip) << file << int(TrackoraActiveXLib::Render_Image) << kNv12;
            QTest::addRow("%s opengl yuv420p", clip) << file << int(TrackoraActiveXLib::Render_OpenGL) << kYuv420p;
            QTest::addRow("%s opengl nv12", clip) << file << int(TrackoraActiveXLib::Render_OpenGL) << kNv12;
        }
    }

    void barsMatchTheReference()
    {
        QFETCH(QString, recording);
        QFETCH(int, model);
        QFETCH(int, format);
        const QString file = mediaFile(recording);
        if (!QFileInfo::exists(file))
            QSKIP("generated recordings missing");
        const QVector<Sample> reference = referenceSamples(file);
        QVERIFY2(!reference.isEmpty(), "the generator stored the reference colours");

        const Picture planar = decoded(file);
        QVERIFY2(planar.frame.data, "the player core shows the first picture");
        const Picture picture = format == kNv12 ? asNv12(planar) : planar;
        const QImage image = shownBy(TrackoraActiveXLib::FFRenderModel(model), picture.frame, reference);
        QVERIFY2(!image.isNull(), "the control shows the picture");
        const QSize size(picture.frame.width, picture.frame.height);
        QCOMPARE(image.size(), size);
        const QString misses = sampleMismatches(image, size, reference, kTolerance);
        QVERIFY2(misses.isEmpty(), qPrintable(misses));
    }

    // Stopping blacks out the whole picture, the rounded-up chroma of an odd
    // size included, so nothing of the last picture is left to show.
    void stopClearsTheWholePicture()
    {
        const QString file = mediaFile(QStringLiteral("component/bars_odd_641x361_F.avi"));
        if (!QFileInfo::exists(file))
            QSKIP("generated recordings missing");
        CFFPlayer player;
        QVERIFY2(playUntilShown(player, file), "the player core shows a picture");
        player.stop();
        std::lock_guard<std::mutex> lock(player.hframeMutex());
        const HFrame *frame = player.currentHFrame();
        QCOMPARE(QSize(frame->width, frame->height), QSize(641, 361));
        const int luma = 641 * 361;
        QCOMPARE(frame->size, luma + 2 * 321 * 181);
        int lit = 0;
        int tinted = 0;
        for (int i = 0; i < frame->size; ++i) {
            if (i < luma)
                lit += frame->data[i] != 0;
            else
                tinted += frame->data[i] != 128;
        }
        QCOMPARE(lit, 0);
        QCOMPARE(tinted, 0);
    }
};

QTEST_MAIN(TestPictureColours)
#include "tst_picturecolours.moc"

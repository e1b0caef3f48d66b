#include "FFHelper.h"
#include "FFPlayer.h"
#include "FFVideo.h"
#include "tst_logcapture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
}

using namespace TrackoraActiveX;

namespace {
QString mediaPath(const QString &name)
{
    return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QStringLiteral("/engine/") + name;
}

struct Input
{
    AVFormatContext *ctx = nullptr;
    explicit Input(const QString &path)
    {
        if (avformat_open_input(&ctx, path.toUtf8().constData(), nullptr, nullptr) < 0)
            ctx = nullptr;
        else if (avformat_find_stream_info(ctx, nullptr) < 0)
            avformat_close_input(&ctx);
    }
    ~Input()
    {
        if (ctx)
            avformat_close_input(&ctx);
    }
};

struct Picture
{
    int64_t pts;
    bool key;
};

// Plays the part of the demuxer (this thread) and of the player (a consumer
// thread) around a started decoder; returns the pictures in queue order.
std::vector<Picture> runPipeline(CFFVideo &video, AVFormatContext *ctx, int *packets, AVFrame *keepFirst,
                                 bool *formatsOk)
{
    std::vector<Picture> pictures;
    std::atomic<bool> producerDone{false};
    std::atomic<int> packetCount{0};
    bool allOk = true;
    std::thread consumer([&] {
        AVFrame *f = av_frame_alloc();
        for (;;) {
            if (producerDone && int(pictures.size()) >= packetCount)
                break;
            if (!video.pullFrame(f)) {
                if (producerDone)
                    break;
                continue;
            }
            if (f->format != video.outputFormat() || f->width != video.codecContext()->width ||
                f->height != video.codecContext()->height)
                allOk = false;
            if (pictures.empty() && keepFirst)
                av_frame_ref(keepFirst, f);
            pictures.push_back({f->pts, f->key_frame != 0});
            av_frame_unref(f);
        }
        av_frame_free(&f);
    });
    AVPacket *pkt = av_packet_alloc();
    while (av_read_frame(ctx, pkt) == 0) {
        if (pkt->stream_index == video.streamIndex()) {
            while (!video.pushPacket(pkt)) {
            }
            ++packetCount;
        }
        av_packet_unref(pkt);
    }
    // The empty packet drains the decoder's last pictures.
    while (!video.pushPacket(pkt)) {
    }
    producerDone = true;
    consumer.join();
    av_packet_free(&pkt);
    *packets = packetCount;
    *formatsOk = allOk;
    return pictures;
}

// Mean absolute difference of one plane against the same plane of a reference.
double planeDifference(const AVFrame *f, int plane, const QByteArray &ref, int offset, int w, int h)
{
    double sum = 0;
    for (int y = 0; y < h; ++y) {
        const uint8_t *row = f->data[plane] + y * f->linesize[plane];
        const auto *refRow = reinterpret_cast<const uint8_t *>(ref.constData()) + offset + y * w;
        for (int x = 0; x < w; ++x)
            sum += qAbs(int(row[x]) - int(refRow[x]));
    }
    return sum / (double(w) * h);
}

} // namespace

class TestFFVideo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void hardwareProbeRunsOnceAndFallsBack();
    void failedHardwareDeviceFallsBackToSoftware();
    void unmatchedSurfaceFormatFallsBackToSoftware();
    void decodesEveryPictureInOutputFormat_data();
    void decodesEveryPictureInOutputFormat();
    void firstPictureAtOnceThenPacketWithoutPicture();
    void decodeOneGivesOnePictureAndQueuesNothing();
    void rateTwoDropsEveryOtherNonKeyPicture();
    void stopReturnsQuickly_data();
    void stopReturnsQuickly();
    void missingStreamIsRefused();
};

void TestFFVideo::initTestCase()
{
    LogCapture::install();
    QVERIFY2(QFile::exists(mediaPath("clip_short_F.mp4")), "the generated recordings are missing");
}

void TestFFVideo::init()
{
    LogCapture::clear();
}

void TestFFVideo::hardwareProbeRunsOnceAndFallsBack()
{
    const bool available = CFFHelper::hwAcclAvailable();
    const QStringList firstRun = LogCapture::matching(QString());
    QCOMPARE(CFFHelper::hwAcclAvailable(), available);
    QCOMPARE(LogCapture::matching(QString()).size(), firstRun.size());
    if (available) {
        QVERIFY2(CFFHelper::hwDeviceType() != AV_HWDEVICE_TYPE_NONE, "an available decoder names its device type");
        QCOMPARE(LogCapture::matching("Hardware decoding device").size(), 1);
        return;
    }
    // No device here: each kind was tried once, in order, and the probe says so.
    QCOMPARE(CFFHelper::hwDeviceType(), AV_HWDEVICE_TYPE_NONE);
    const QStringList tried = LogCapture::matching("Failed to create ");
    QCOMPARE(tried.size(), 3);
    QVERIFY2(tried[0].contains("vaapi"), "vaapi is tried first");
    QVERIFY2(tried[1].contains("cuda"), "cuda is tried second");
    QVERIFY2(tried[2].contains("vdpau"), "vdpau is tried third");
    QCOMPARE(LogCapture::matching("No hardware decoding device usable").size(), 1);
    QCOMPARE(CFFHelper::hwAcclProbe(), AVERROR(EINVAL));
}

void TestFFVideo::failedHardwareDeviceFallsBackToSoftware()
{
    if (CFFHelper::hwAcclAvailable())
        QSKIP("a hardware device exists here; the fall-back is for machines without one");
    Input input(mediaPath("clip_short_F.mp4"));
    QVERIFY(input.ctx);
    CFFVideo video(nullptr);
    QVERIFY(video.openStream(input.ctx, AVMEDIA_TYPE_VIDEO));
    AVCodecContext *ctx = video.codecContext();
    // Forcing the attempt makes the decoder try to create a device, fail, and go on in software.
    QCOMPARE(video.initDecodeMode(ctx, true), SOFTWARE_DECODE);
    QCOMPARE(LogCapture::matching("Failed to create specified HW device. ").size(), 1);
    QCOMPARE(LogCapture::matching("SOFTWARE_DECODE codec_name: h264=>").size(), 1);
    QVERIFY2(ctx->get_format != getHardwareFormat, "the codec's own get_format is put back");
    QVERIFY2(!ctx->hw_device_ctx, "software decoding holds no device context");
    QCOMPARE(ctx->thread_count, 4);
    QCOMPARE(video.decodeMode(), SOFTWARE_DECODE);
    QCOMPARE(video.outputFormat(), AV_PIX_FMT_YUV420P);
}

void TestFFVideo::unmatchedSurfaceFormatFallsBackToSoftware()
{
    CFFVideo video(nullptr);
    AVCodecContext *ctx = avcodec_alloc_context3(nullptr);
    ctx->opaque = &video;
    const AVPixelFormat offered[] = {AV_PIX_FMT_VAAPI, AV_PIX_FMT_CUDA, AV_PIX_FMT_YUV420P10LE, AV_PIX_FMT_NONE};
    QCOMPARE(getHardwareFormat(ctx, offered), AV_PIX_FMT_YUV420P10LE);
    QCOMPARE(LogCapture::matching("Failed to get HW surface format.").size(), 1);
    const AVPixelFormat onlyHardware[] = {AV_PIX_FMT_VDPAU, AV_PIX_FMT_NONE};
    QCOMPARE(getHardwareFormat(ctx, onlyHardware), AV_PIX_FMT_NONE);
    avcodec_free_context(&ctx);
}

void TestFFVideo::decodesEveryPictureInOutputFormat_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("codecName");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("H.264") << "clip_short_F.mp4" << "h264" << 640 << 360;
    QTest::newRow("H.265") << "clip_h265_F.mp4" << "hevc" << 1280 << 720;
    QTest::newRow("H.265 10-bit") << "clip_h265_10bit_F.mp4" << "hevc" << 640 << 360;
    QTest::newRow("MJPEG yuvj422p, full size") << "clip_mjpeg_F.avi" << "mjpeg" << 640 << 360;
    QTest::newRow("H.264 beside a subtitle stream") << "clip_subtitle_F.mp4" << "h264" << 640 << 360;
}

void TestFFVideo::decodesEveryPictureInOutputFormat()
{
    QFETCH(QString, file);
    QFETCH(QString, codecName);
    QFETCH(int, width);
    QFETCH(int, height);

    Input input(mediaPath(file));
    QVERIFY2(input.ctx, qPrintable("cannot open " + file));
    CFFVideo video(nullptr);
    QVERIFY(video.openStream(input.ctx, AVMEDIA_TYPE_VIDEO));
    QVERIFY(video.avcodecOpen());
    const bool hardware = CFFHelper::hwAcclAvailable();
    if (hardware) {
        QCOMPARE(LogCapture::matching("HARDWARE_DECODE codec_name: " + codecName + "=>").size()
                     + LogCapture::matching("SOFTWARE_DECODE codec_name: " + codecName + "=>").size(),
                 1);
    } else {
        QCOMPARE(video.decodeMode(), SOFTWARE_DECODE);
        QCOMPARE(LogCapture::matching("SOFTWARE_DECODE codec_name: " + codecName + "=>").size(), 1);
        QCOMPARE(video.outputFormat(), AV_PIX_FMT_YUV420P);
    }
    QCOMPARE(video.codecContext()->width, width);
    QCOMPARE(video.codecContext()->height, height);

    video.start();
    AVFrame *first = av_frame_alloc();
    int packets = 0;
    bool formatsOk = false;
    const std::vector<Picture> pictures = runPipeline(video, input.ctx, &packets, first, &formatsOk);
    QVERIFY2(formatsOk, "every queued picture has the output format and the codec's size");
    QVERIFY2(packets > 0, "the pipeline reads packets");
    QCOMPARE(int(pictures.size()), packets);
    for (size_t i = 1; i < pictures.size(); ++i)
        QVERIFY2(pictures[i].pts > pictures[i - 1].pts, "pictures leave in presentation order");

    if (video.outputFormat() == AV_PIX_FMT_YUV420P) {
        // The first picture matches the ffmpeg tool's own conversion to 8-bit 4:2:0.
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", {"-v", "error", "-i", mediaPath(file), "-frames:v", "1", "-f", "rawvideo",
                                "-pix_fmt", "yuv420p", "-"});
        QVERIFY(ffmpeg.waitForFinished(30000));
        const QByteArray ref = ffmpeg.readAllStandardOutput();
        const int cw = (width + 1) / 2, ch = (height + 1) / 2;
        QCOMPARE(ref.size(), width * height + 2 * cw * ch);
        const double dy = planeDifference(first, 0, ref, 0, width, height);
        const double du = planeDifference(first, 1, ref, width * height, cw, ch);
        const double dv = planeDifference(first, 2, ref, width * height + cw * ch, cw, ch);
        QVERIFY2(dy < 2.0 && du < 3.0 && dv < 3.0,
                 qPrintable(QString("picture differs from the reference: Y %1, U %2, V %3").arg(dy).arg(du).arg(dv)));
    }
    av_frame_free(&first);
    video.stop();
    QVERIFY2(!video.codecContext(), "stop releases the codec");
}

void TestFFVideo::firstPictureAtOnceThenPacketWithoutPicture()
{
    Input input(mediaPath("clip_short_F.mp4"));
    QVERIFY(input.ctx);
    CFFVideo video(nullptr);
    QVERIFY(video.openStream(input.ctx, AVMEDIA_TYPE_VIDEO));
    QVERIFY(video.avcodecOpen());
    AVPacket *pkt = av_packet_alloc();
    while (av_read_frame(input.ctx, pkt) == 0 && pkt->stream_index != video.streamIndex())
        av_packet_unref(pkt);
    // The open's first packet is decoded alone: its picture is queued at once,
    // though frame threads and B-pictures would hold it back.
    QVERIFY(video.decodePacket(pkt) != 0);
    QCOMPARE(video.frameQueueSize(), 1);
    av_packet_unref(pkt);
    while (av_read_frame(input.ctx, pkt) == 0 && pkt->stream_index != video.streamIndex())
        av_packet_unref(pkt);
    // The next one completes no picture yet, and the first is not given twice.
    QCOMPARE(video.decodePacket(pkt), -1);
    QCOMPARE(video.frameQueueSize(), 1);
    av_packet_free(&pkt);
    video.stop();
}

void TestFFVideo::decodeOneGivesOnePictureAndQueuesNothing()
{
    Input input(mediaPath("clip_mjpeg_F.avi"));
    QVERIFY(input.ctx);
    CFFVideo video(nullptr);
    QVERIFY(video.openStream(input.ctx, AVMEDIA_TYPE_VIDEO));
    QVERIFY(video.avcodecOpen());
    AVPacket *pkt = av_packet_alloc();
    AVFrame *out = av_frame_alloc();
    int result = -1;
    int reads = 0;
    while (result != 0 && av_read_frame(input.ctx, pkt) == 0 && reads < 50) {
        if (pkt->stream_index == video.streamIndex()) {
            result = video.decodePacket(pkt, out);
            ++reads;
        }
        av_packet_unref(pkt);
    }
    QCOMPARE(result, 0);
    QCOMPARE(out->format, int(video.outputFormat()));
    QCOMPARE(out->width, 640);
    QCOMPARE(out->height, 360);
    QCOMPARE(video.frameQueueSize(), 0);
    av_frame_free(&out);
    av_packet_free(&pkt);
    video.stop();
}

void TestFFVideo::rateTwoDropsEveryOtherNonKeyPicture()
{
    // At rate 1.0 every picture passes; that run tells which pictures are key.
    std::vector<Picture> all;
    {
        Input input(mediaPath("clip_noaudio_F.mp4"));
        QVERIFY(input.ctx);
        CFFVideo video(nullptr);
        QVERIFY(video.openStream(input.ctx, AVMEDIA_TYPE_VIDEO));
        QVERIFY(video.avcodecOpen());
        video.start();
        int packets = 0;
        bool ok = false;
        all = runPipeline(video, input.ctx, &packets, nullptr, &ok);
        QCOMPARE(int(all.size()), packets);
    }
    std::vector<int64_t> expected;
    int cycle = 0;
    for (const Picture &p : all) {
        if (p.key) {
            expected.push_back(p.pts);
        } else if (++cycle > 1) {
            cycle = 0;
            expected.push_back(p.pts);
        }
    }
    int keys = 0;
    for (const Picture &p : all)
        keys += p.key ? 1 : 0;
    QVERIFY2(keys >= 2, "the clip needs several key pictures for this test");

    CFFPlayer player;
    player.setPlaybackRate(PlaybackRate_2_0);
    Input input(mediaPath("clip_noaudio_F.mp4"));
    QVERIFY(input.ctx);
    CFFVideo video(&player);
    QVERIFY(video.openStream(input.ctx, AVMEDIA_TYPE_VIDEO));
    QVERIFY(video.avcodecOpen());
    video.start();
    int packets = 0;
    bool ok = false;
    // The consumer stops at the packet count; with drops it waits one queue limit at the end.
    std::vector<Picture> kept = runPipeline(video, input.ctx, &packets, nullptr, &ok);
    std::vector<int64_t> keptPts;
    for (const Picture &p : kept)
        keptPts.push_back(p.pts);
    QCOMPARE(keptPts.size(), expected.size());
    QVERIFY2(keptPts == expected, "dropped, kept, dropped, kept; key pictures always kept");
}

void TestFFVideo::stopReturnsQuickly_data()
{
    QTest::addColumn<bool>("queueFull");
    QTest::newRow("thread waiting for packets") << false;
    QTest::newRow("thread waiting on a full picture queue") << true;
}

void TestFFVideo::stopReturnsQuickly()
{
    QFETCH(bool, queueFull);
    Input input(mediaPath("clip_short_F.mp4"));
    QVERIFY(input.ctx);
    auto *video = new CFFVideo(nullptr);
    QVERIFY(video->openStream(input.ctx, AVMEDIA_TYPE_VIDEO));
    QVERIFY(video->avcodecOpen());
    video->start();
    if (queueFull) {
        // Nobody pulls: after two pictures the decode thread blocks in its push, codec held.
        AVPacket *pkt = av_packet_alloc();
        int pushed = 0;
        while (pushed < 10 && av_read_frame(input.ctx, pkt) == 0) {
            if (pkt->stream_index == video->streamIndex()) {
                if (!video->pushPacket(pkt))
                    break;
                ++pushed;
            }
            av_packet_unref(pkt);
        }
        av_packet_free(&pkt);
        QTRY_COMPARE_WITH_TIMEOUT(video->frameQueueSize(), 2, 10000);
    }
    // Lets the thread reach its wait, which shows in nothing it reports.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    QElapsedTimer timer;
    timer.start();
    video->stop();
    const qint64 stopMs = timer.elapsed();
    QVERIFY2(stopMs < 1500, qPrintable(QString("stop took %1 ms").arg(stopMs)));
    QCOMPARE(video->frameQueueSize(), 0);
    QVERIFY2(!video->codecContext(), "stop releases the codec");
    timer.restart();
    delete video;
    const qint64 deleteMs = timer.elapsed();
    QVERIFY2(deleteMs < 1500, qPrintable(QString("destruction took %1 ms").arg(deleteMs)));
}

void TestFFVideo::missingStreamIsRefused()
{
    // An audio-only input offers no video stream.
    const QString path = qEnvironmentVariable("TRACKORA_THIRDPARTY_MEDIA") + "/bento4-audio-aac-001.mp4";
    if (!QFile::exists(path))
        QSKIP("third-party audio sample not present (configure with -DTRACKORA_THIRDPARTY_MEDIA_DIR=FOLDER)");
    Input input(path);
    QVERIFY(input.ctx);
    CFFVideo video(nullptr);
    QVERIFY2(!video.openStream(input.ctx, AVMEDIA_TYPE_VIDEO), "a recording without video opens no video stream");
    QCOMPARE(video.streamIndex(), int(AVERROR_STREAM_NOT_FOUND));
    QVERIFY2(!video.avcodecOpen(), "no codec opens without a stream");
}

QTEST_GUILESS_MAIN(TestFFVideo)
#include "tst_ffvideo.moc"

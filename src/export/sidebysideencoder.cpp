#include "sidebysideencoder.h"

#include "exportlog.h"
#include "ffmpegtext.h"
#include "picturedecoder.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <atomic>
#include <cmath>
#include <limits>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <libyuv.h>

namespace {
// veryfast keeps a minute of 1080p within a few times real time on a laptop;
// crf 20 keeps the burned text crisp.
const char kPreset[] = "veryfast";
const char kQuality[] = "20";
// The rear picture in a corner takes a third of each side.
const int kInsetDivisor = 3;
const uint8_t kBlackY = 16;
const uint8_t kWhiteY = 235;
const uint8_t kNeutralChroma = 128;

struct Output
{
    AVFormatContext *context = nullptr;
    AVCodecContext *encoder = nullptr;
    AVFrame *frame = nullptr;
    AVFrame *front = nullptr;
    AVFrame *rear = nullptr;
    AVPacket *packet = nullptr;
    SwsContext *scaleFront = nullptr;
    SwsContext *scaleRear = nullptr;
    ~Output()
    {
        av_frame_free(&front);
        av_frame_free(&rear);
        sws_freeContext(scaleFront);
        sws_freeContext(scaleRear);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&encoder);
        if (context) {
            if (context->pb)
                avio_closep(&context->pb);
            avformat_free_context(context);
        }
    }
};

QSize fitted(const QSize &picture, const QSize &box)
{
    QSize s = picture.scaled(box, Qt::KeepAspectRatio);
    // Even sizes keep the chroma grid of the converters aligned.
    return QSize(qMax(2, s.width() & ~1), qMax(2, s.height() & ~1));
}

struct Planes
{
    uint8_t *y;
    uint8_t *u;
    uint8_t *v;
};

// The planes of a 4:2:0 frame from an even point on.
Planes at(const AVFrame *f, int x, int y)
{
    return {f->data[0] + y * f->linesize[0] + x, f->data[1] + (y / 2) * f->linesize[1] + x / 2,
            f->data[2] + (y / 2) * f->linesize[2] + x / 2};
}

void fill(AVFrame *f, const QRect &r, uint8_t y, uint8_t u, uint8_t v)
{
    const Planes p = at(f, r.x(), r.y());
    libyuv::SetPlane(p.y, f->linesize[0], r.width(), r.height(), y);
    libyuv::SetPlane(p.u, f->linesize[1], r.width() / 2, r.height() / 2, u);
    libyuv::SetPlane(p.v, f->linesize[2], r.width() / 2, r.height() / 2, v);
}

AVFrame *allocatePicture(const QSize &size)
{
    AVFrame *f = av_frame_alloc();
    if (!f)
        return nullptr;
    f->format = AV_PIX_FMT_YUV420P;
    f->width = size.width();
    f->height = size.height();
    if (av_frame_get_buffer(f, 0) < 0)
        av_frame_free(&f);
    return f;
}

// Scales a decoded picture, whatever its format, into a 4:2:0 picture of
// the target's size.
bool scaleInto(SwsContext **context, const AVFrame *from, AVFrame *to)
{
    *context = sws_getCachedContext(*context, from->width, from->height, AVPixelFormat(from->format), to->width,
                                    to->height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!*context)
        return false;
    sws_scale(*context, from->data, from->linesize, 0, from->height, to->data, to->linesize);
    return true;
}

// Places a 4:2:0 picture on the canvas at an even point, mirrored or not.
void place(const AVFrame *picture, AVFrame *canvas, const QPoint &where, bool mirrored)
{
    const Planes d = at(canvas, where.x(), where.y());
    if (mirrored)
        libyuv::I420Mirror(picture->data[0], picture->linesize[0], picture->data[1], picture->linesize[1],
                           picture->data[2], picture->linesize[2], d.y, canvas->linesize[0], d.u, canvas->linesize[1], d.v,
                           canvas->linesize[2], picture->width, picture->height);
    else
        libyuv::I420Copy(picture->data[0], picture->linesize[0], picture->data[1], picture->linesize[1],
                         picture->data[2], picture->linesize[2], d.y, canvas->linesize[0], d.u, canvas->linesize[1], d.v,
                         canvas->linesize[2], picture->width, picture->height);
}

// A graphics card's encoder when one answers, else x264. A card that failed
// once is not asked again in this process: each try costs a driver load and
// a logged error.
std::atomic_bool hardwareFailed{false};

AVCodecContext *openEncoder(const QSize &size, AVRational timeBase, AVRational rate, bool globalHeader, QString *name)
{
    QList<const char *> candidates;
    if (!hardwareFailed.load())
        candidates << "h264_nvenc";
    candidates << "libx264" << nullptr;
    for (const char *candidate : qAsConst(candidates)) {
        const AVCodec *codec = candidate ? avcodec_find_encoder_by_name(candidate) : avcodec_find_encoder(AV_CODEC_ID_H264);
        if (!codec)
            continue;
        AVCodecContext *encoder = avcodec_alloc_context3(codec);
        if (!encoder)
            return nullptr;
        encoder->width = size.width();
        encoder->height = size.height();
        encoder->pix_fmt = AV_PIX_FMT_YUV420P;
        encoder->time_base = timeBase;
        encoder->framerate = rate;
        encoder->sample_aspect_ratio = AVRational{1, 1};
        encoder->thread_count = 0;
        if (rate.num > 0 && rate.den > 0)
            encoder->gop_size = 2 * rate.num / rate.den;
        if (globalHeader)
            encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        AVDictionary *options = nullptr;
        const QLatin1String codecName(codec->name);
        if (codecName == QLatin1String("libx264")) {
            av_dict_set(&options, "preset", kPreset, 0);
            av_dict_set(&options, "crf", kQuality, 0);
        } else if (codecName == QLatin1String("h264_nvenc")) {
            av_dict_set(&options, "preset", "p4", 0);
            av_dict_set(&options, "cq", "21", 0);
        }
        const int r = avcodec_open2(encoder, codec, &options);
        av_dict_free(&options);
        if (r >= 0) {
            *name = QString(codecName);
            return encoder;
        }
        qCInfo(lcExport) << codec->name << "does not open:" << ffmpegErrorText(r);
        if (codecName == QLatin1String("h264_nvenc"))
            hardwareFailed.store(true);
        avcodec_free_context(&encoder);
    }
    return nullptr;
}
} // namespace

bool SideBySideEncoder::fail(const QString &problem, int writeError)
{
    m_problem = problem;
    m_writeError = writeError;
    qCWarning(lcExport).noquote() << problem;
    return false;
}

bool SideBySideEncoder::encode(const QList<ExportSegment> &front, const QStringList &rear,
                               const QList<QList<GpsData>> &samples, const SideBySideOptions &options,
                               const QString &outPath)
{
    m_placed.clear();
    m_length = 0.0;
    m_cancelled = false;
    m_writeError = 0;
    m_problem.clear();
    if (front.isEmpty())
        return fail(QStringLiteral("nothing to encode"));

    auto frontDecoder = std::make_unique<PictureDecoder>();
    if (!frontDecoder->open(front[0].path, front[0].from))
        return fail(frontDecoder->problem());
    const AVStream *firstVideo = frontDecoder->input().video();
    const QSize size(firstVideo->codecpar->width & ~1, firstVideo->codecpar->height & ~1);
    if (size.width() < 2 || size.height() < 2)
        return fail(QStringLiteral("%1: no picture size").arg(front[0].path));
    const AVRational rate = av_guess_frame_rate(frontDecoder->input().context(), const_cast<AVStream *>(firstVideo),
                                                nullptr);

    Output out;
    const QByteArray path = QFile::encodeName(outPath);
    int r = avformat_alloc_output_context2(&out.context, nullptr, "mp4", path.constData());
    if (r < 0)
        return fail(QStringLiteral("cannot make an MP4 writer: %1").arg(ffmpegErrorText(r)));
    out.encoder = openEncoder(size, firstVideo->time_base, rate, out.context->oformat->flags & AVFMT_GLOBALHEADER,
                              &m_encoderName);
    if (!out.encoder)
        return fail(QStringLiteral("no H.264 encoder opens"));
    out.frame = av_frame_alloc();
    out.packet = av_packet_alloc();
    if (!out.frame || !out.packet)
        return fail(QStringLiteral("out of memory"));

    AVStream *videoOut = avformat_new_stream(out.context, nullptr);
    if (!videoOut || avcodec_parameters_from_context(videoOut->codecpar, out.encoder) < 0)
        return fail(QStringLiteral("cannot set up the picture stream"));
    videoOut->time_base = out.encoder->time_base;
    videoOut->avg_frame_rate = rate;

    AVStream *audioOut = nullptr;
    const AVStream *firstAudio = frontDecoder->input().audio();
    if (firstAudio
        && avformat_query_codec(out.context->oformat, firstAudio->codecpar->codec_id, FF_COMPLIANCE_NORMAL) == 1) {
        audioOut = avformat_new_stream(out.context, nullptr);
        if (!audioOut || avcodec_parameters_copy(audioOut->codecpar, firstAudio->codecpar) < 0)
            return fail(QStringLiteral("cannot set up the sound stream"));
        audioOut->codecpar->codec_tag = 0;
        audioOut->time_base = firstAudio->time_base;
    }

    QString reason;
    r = writeFastStartHeader(out.context, path, outPath, &reason);
    if (r < 0)
        return fail(reason, r);

    out.frame->format = AV_PIX_FMT_YUV420P;
    out.frame->width = size.width();
    out.frame->height = size.height();
    if (av_frame_get_buffer(out.frame, 0) < 0)
        return fail(QStringLiteral("out of memory"));

    bool writeFailed = false;
    auto writePacket = [&](AVPacket *p) {
        if (writeFailed) {
            av_packet_unref(p);
            return;
        }
        const int w = av_interleaved_write_frame(out.context, p);
        if (w < 0) {
            writeFailed = true;
            fail(QStringLiteral("%1: writing failed: %2").arg(outPath, ffmpegErrorText(w)), w);
        }
    };
    auto drainEncoder = [&]() -> bool {
        for (;;) {
            const int e = avcodec_receive_packet(out.encoder, out.packet);
            if (e == AVERROR(EAGAIN) || e == AVERROR_EOF)
                return !writeFailed;
            if (e < 0)
                return fail(QStringLiteral("encoding failed: %1").arg(ffmpegErrorText(e)));
            av_packet_rescale_ts(out.packet, out.encoder->time_base, videoOut->time_base);
            out.packet->stream_index = videoOut->index;
            writePacket(out.packet);
            if (writeFailed)
                return false;
        }
    };

    // Where each picture goes: both halves letterboxed, or the front whole and
    // the rear in the top right corner.
    const QSize half(size.width() / 2, size.height());
    const QSize inset(size.width() / kInsetDivisor, size.height() / kInsetDivisor);
    const bool sideBySide = options.layout == SideBySideLayout::SideBySide;
    const QSize frontSize = sideBySide ? fitted(QSize(firstVideo->codecpar->width, firstVideo->codecpar->height), half) : size;
    const QPoint frontAt = sideBySide ? QPoint(((half.width() - frontSize.width()) / 2) & ~1,
                                               ((half.height() - frontSize.height()) / 2) & ~1)
                                      : QPoint(0, 0);
    out.front = allocatePicture(frontSize);
    if (!out.front)
        return fail(QStringLiteral("out of memory"));
    // Only the band of texts (and the strip above it) goes through RGB for the painter.
    QRect overlay = FrameOverlay::bandRect(size);
    if (options.overlay.gsensorStrip)
        overlay.setTop(overlay.top() - 2 * overlay.height());
    overlay.setTop(qMax(0, overlay.top()) & ~1);
    overlay.setHeight((overlay.height() + 1) & ~1);
    overlay = overlay.intersected(QRect(QPoint(0, 0), size));
    QImage overlayImage(overlay.size(), QImage::Format_RGB32);
    double exportStart = 0.0;
    int64_t lastAudioDts = std::numeric_limits<int64_t>::min();
    int64_t lastVideoPts = std::numeric_limits<int64_t>::min();

    for (int i = 0; i < front.size(); ++i) {
        const ExportSegment &segment = front[i];
        if (i > 0) {
            frontDecoder = std::make_unique<PictureDecoder>();
            if (!frontDecoder->open(segment.path, segment.from))
                return fail(frontDecoder->problem());
        }
        std::unique_ptr<PictureDecoder> rearDecoder;
        if (i < rear.size() && !rear[i].isEmpty()) {
            rearDecoder = std::make_unique<PictureDecoder>();
            if (!rearDecoder->open(rear[i], segment.from)) {
                qCWarning(lcExport).noquote() << rearDecoder->problem() << "; the export goes on without it";
                rearDecoder.reset();
            }
        }
        const MediaInput &input = frontDecoder->input();
        const AVStream *videoIn = input.video();
        const AVStream *audioIn = audioOut ? input.audio() : nullptr;
        const double to = segment.to < 0 ? std::numeric_limits<double>::infinity() : segment.to;
        const double videoStart = videoIn->start_time != AV_NOPTS_VALUE ? videoIn->start_time * av_q2d(videoIn->time_base)
                                                                          : 0.0;
        if (audioIn) {
            frontDecoder->onOtherPacket = [&, audioIn](AVPacket *p) {
                if (p->stream_index != input.audioIndex() || p->pts == AV_NOPTS_VALUE)
                    return;
                const double t = p->pts * av_q2d(audioIn->time_base) - videoStart;
                if (t < segment.from || t >= to)
                    return;
                AVPacket *copy = av_packet_clone(p);
                if (!copy)
                    return;
                const int64_t pts = std::llround((t - segment.from + exportStart) / av_q2d(audioOut->time_base));
                const int64_t delay = p->dts != AV_NOPTS_VALUE
                    ? av_rescale_q(p->pts - p->dts, audioIn->time_base, audioOut->time_base) : 0;
                copy->pts = pts;
                copy->dts = pts - delay;
                copy->duration = av_rescale_q(p->duration, audioIn->time_base, audioOut->time_base);
                copy->stream_index = audioOut->index;
                copy->pos = -1;
                if (copy->dts > lastAudioDts) {
                    lastAudioDts = copy->dts;
                    writePacket(copy);
                }
                av_packet_free(&copy);
            };
        }

        const double frameLength = frontDecoder->frameDuration();
        // The pictures of the segment are those whose time lies in [from, to).
        const double slack = frameLength / 2;
        bool rearShown = false;
        QRect rearRect;
        AVFrame *rearFrame = nullptr;
        double rearTime = 0.0;
        bool rearHasNext = false;
        if (rearDecoder)
            rearHasNext = rearDecoder->next(&rearFrame, &rearTime);
        double segmentEnd = segment.from;
        bool any = false;
        AVFrame *picture = nullptr;
        double t = 0.0;
        while (frontDecoder->next(&picture, &t)) {
            if (m_cancel && m_cancel->load()) {
                m_cancelled = true;
                m_problem = QStringLiteral("cancelled");
                return false;
            }
            if (t < segment.from - slack)
                continue;
            if (t >= to - slack)
                break;
            any = true;
            if (av_frame_make_writable(out.frame) < 0)
                return fail(QStringLiteral("out of memory"));
            // The rear picture on screen at this moment: the last one not later than t.
            while (rearHasNext && rearTime <= t + slack) {
                const QSize rearSize = fitted(QSize(rearFrame->width, rearFrame->height), sideBySide ? half : inset);
                if (!out.rear || out.rear->width != rearSize.width() || out.rear->height != rearSize.height()) {
                    av_frame_free(&out.rear);
                    out.rear = allocatePicture(rearSize);
                    if (!out.rear)
                        return fail(QStringLiteral("out of memory"));
                }
                scaleInto(&out.scaleRear, rearFrame, out.rear);
                rearShown = true;
                const int margin = (size.height() / 40) & ~1;
                rearRect = sideBySide
                    ? QRect(QPoint((half.width() + (half.width() - rearSize.width()) / 2) & ~1,
                                   ((half.height() - rearSize.height()) / 2) & ~1),
                            rearSize)
                    : QRect(QPoint((size.width() - rearSize.width() - margin) & ~1, margin), rearSize);
                rearHasNext = rearDecoder->next(&rearFrame, &rearTime);
            }

            if (sideBySide || !rearShown)
                fill(out.frame, QRect(QPoint(0, 0), size), kBlackY, kNeutralChroma, kNeutralChroma);
            if (!scaleInto(&out.scaleFront, picture, out.front))
                return fail(QStringLiteral("cannot scale the pictures"));
            place(out.front, out.frame, frontAt, false);
            if (rearShown) {
                if (!sideBySide) {
                    const int border = qMax(2, (size.height() / 360) & ~1);
                    fill(out.frame, rearRect.adjusted(-border, -border, border, border).intersected(QRect(QPoint(0, 0), size)),
                         kWhiteY, kNeutralChroma, kNeutralChroma);
                }
                place(out.rear, out.frame, rearRect.topLeft(), options.mirrorRear);
            }
            const QList<GpsData> &trip = i < samples.size() ? samples[i] : QList<GpsData>();
            if (!trip.isEmpty() && !overlay.isEmpty()) {
                const int second = qBound(0, int(std::floor(t + 1e-3)), trip.size() - 1);
                const Planes band = at(out.frame, overlay.x(), overlay.y());
                libyuv::I420ToARGB(band.y, out.frame->linesize[0], band.u, out.frame->linesize[1], band.v,
                                   out.frame->linesize[2], overlayImage.bits(), overlayImage.bytesPerLine(),
                                   overlay.width(), overlay.height());
                QPainter painter(&overlayImage);
                painter.translate(-overlay.topLeft());
                options.overlay.paint(&painter, size, trip[second], trip, t);
                painter.end();
                libyuv::ARGBToI420(overlayImage.constBits(), overlayImage.bytesPerLine(), band.y, out.frame->linesize[0],
                                   band.u, out.frame->linesize[1], band.v, out.frame->linesize[2], overlay.width(),
                                   overlay.height());
            }

            int64_t pts = std::llround((t - segment.from + exportStart) / av_q2d(out.encoder->time_base));
            if (pts <= lastVideoPts)
                pts = lastVideoPts + 1;
            lastVideoPts = pts;
            out.frame->pts = pts;
            r = avcodec_send_frame(out.encoder, out.frame);
            if (r < 0)
                return fail(QStringLiteral("encoding failed: %1").arg(ffmpegErrorText(r)));
            if (!drainEncoder())
                return false;
            segmentEnd = t + frameLength;
            if (onProgress)
                onProgress(t - segment.from + exportStart);
        }
        if (!frontDecoder->problem().isEmpty())
            return fail(QStringLiteral("%1: %2").arg(segment.path, frontDecoder->problem()));
        if (!any)
            return fail(QStringLiteral("%1: no picture in the range").arg(segment.path));
        PlacedSegment placed;
        placed.sourceFrom = segment.from;
        placed.exportStart = exportStart;
        placed.length = segmentEnd - segment.from;
        m_placed.append(placed);
        exportStart += placed.length;
        frontDecoder->onOtherPacket = nullptr;
    }

    r = avcodec_send_frame(out.encoder, nullptr);
    if (r < 0 && r != AVERROR_EOF)
        return fail(QStringLiteral("encoding failed: %1").arg(ffmpegErrorText(r)));
    if (!drainEncoder())
        return false;
    r = av_write_trailer(out.context);
    if (r < 0)
        return fail(QStringLiteral("%1: finishing failed: %2").arg(outPath, ffmpegErrorText(r)), r);
    r = avio_closep(&out.context->pb);
    if (r < 0)
        return fail(QStringLiteral("%1: closing failed: %2").arg(outPath, ffmpegErrorText(r)), r);
    m_length = exportStart;
    return true;
}

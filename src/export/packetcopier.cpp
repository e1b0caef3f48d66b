#include "packetcopier.h"

#include "exportlog.h"
#include "ffmpegtext.h"
#include "mediainput.h"

#include <QFile>

#include <deque>
#include <limits>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {
struct PacketFree
{
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;

// The output context and the file it writes; closed on every way out.
struct Output
{
    AVFormatContext *context = nullptr;
    ~Output()
    {
        if (!context)
            return;
        if (context->pb)
            avio_closep(&context->pb);
        avformat_free_context(context);
    }
};

bool sameVideo(const AVCodecParameters *a, const AVCodecParameters *b)
{
    return a->codec_id == b->codec_id && a->width == b->width && a->height == b->height;
}

// As ffmpeg does for a stream copy: keep the camera's tag where the container
// knows it; H.265 keeps 'hvc1', which the viewer reads, instead of 'hev1'.
unsigned int outputTag(const AVOutputFormat *format, const AVCodecParameters *in)
{
    if (in->codec_id == AV_CODEC_ID_HEVC)
        return MKTAG('h', 'v', 'c', '1');
    unsigned int tag = 0;
    if (!format->codec_tag || av_codec_get_id(format->codec_tag, in->codec_tag) == in->codec_id
        || !av_codec_get_tag2(format->codec_tag, in->codec_id, &tag))
        return in->codec_tag;
    return 0;
}
} // namespace

double PacketCopier::keyFrameAtOrBefore(const QString &path, double seconds)
{
    MediaInput input;
    if (!input.open(path))
        return -1.0;
    if (seconds > 0.0
        && av_seek_frame(input.context(), input.videoIndex(), input.videoTimestamp(seconds), AVSEEK_FLAG_BACKWARD) < 0)
        return -1.0;
    PacketPtr packet(av_packet_alloc());
    // A few seconds of packets at most: a key frame starts every group.
    for (int n = 0; packet && n < 2000 && av_read_frame(input.context(), packet.get()) >= 0; ++n) {
        const bool key = packet->stream_index == input.videoIndex() && (packet->flags & AV_PKT_FLAG_KEY);
        const int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        av_packet_unref(packet.get());
        if (key)
            return input.videoSeconds(pts);
    }
    return -1.0;
}

bool PacketCopier::fail(const QString &problem, int writeError)
{
    m_problem = problem;
    m_writeError = writeError;
    qCWarning(lcExport).noquote() << problem;
    return false;
}

bool PacketCopier::copy(const QList<ExportSegment> &segments, const QString &outPath, const QString &creationTime)
{
    m_placed.clear();
    m_length = 0.0;
    m_cancelled = false;
    m_writeError = 0;
    m_problem.clear();
    if (segments.isEmpty())
        return fail(QStringLiteral("nothing to copy"));

    std::vector<MediaInput> inputs(size_t(segments.size()));
    for (int i = 0; i < segments.size(); ++i) {
        if (!inputs[size_t(i)].open(segments[i].path))
            return fail(inputs[size_t(i)].problem());
        if (i > 0 && !sameVideo(inputs[0].video()->codecpar, inputs[size_t(i)].video()->codecpar))
            return fail(QStringLiteral("%1: its pictures differ from those of %2 in codec or size")
                            .arg(segments[i].path, segments[0].path));
    }

    Output out;
    const QByteArray path = QFile::encodeName(outPath);
    int r = avformat_alloc_output_context2(&out.context, nullptr, "mp4", path.constData());
    if (r < 0)
        return fail(QStringLiteral("cannot make an MP4 writer: %1").arg(ffmpegErrorText(r)));

    AVStream *firstVideo = inputs[0].video();
    AVStream *videoOut = avformat_new_stream(out.context, nullptr);
    if (!videoOut || avcodec_parameters_copy(videoOut->codecpar, firstVideo->codecpar) < 0)
        return fail(QStringLiteral("cannot set up the picture stream"));
    videoOut->codecpar->codec_tag = outputTag(out.context->oformat, firstVideo->codecpar);
    videoOut->time_base = firstVideo->time_base;
    videoOut->avg_frame_rate = firstVideo->avg_frame_rate;
    av_dict_copy(&videoOut->metadata, firstVideo->metadata, 0);

    AVStream *audioOut = nullptr;
    AVStream *firstAudio = inputs[0].audio();
    if (firstAudio) {
        if (avformat_query_codec(out.context->oformat, firstAudio->codecpar->codec_id, FF_COMPLIANCE_NORMAL) == 1) {
            audioOut = avformat_new_stream(out.context, nullptr);
            if (!audioOut || avcodec_parameters_copy(audioOut->codecpar, firstAudio->codecpar) < 0)
                return fail(QStringLiteral("cannot set up the sound stream"));
            audioOut->codecpar->codec_tag = 0;
            audioOut->time_base = firstAudio->time_base;
        } else {
            qCWarning(lcExport) << "the sound of" << segments[0].path << "("
                                << avcodec_get_name(firstAudio->codecpar->codec_id) << ") does not fit an MP4; left out";
        }
    }

    if (!creationTime.isEmpty())
        av_dict_set(&out.context->metadata, "creation_time", creationTime.toUtf8().constData(), 0);
    QString reason;
    r = writeFastStartHeader(out.context, path, outPath, &reason);
    if (r < 0)
        return fail(reason, r);

    const AVRational videoOutBase = videoOut->time_base;
    PacketPtr packet(av_packet_alloc());
    if (!packet)
        return fail(QStringLiteral("out of memory"));
    int64_t base = 0; // where the next segment starts, in the output's picture time base
    int64_t lastVideoDts = std::numeric_limits<int64_t>::min();
    int64_t lastAudioDts = std::numeric_limits<int64_t>::min();

    auto write = [&](AVPacket *p) -> bool {
        const int w = av_interleaved_write_frame(out.context, p);
        if (w < 0)
            return fail(QStringLiteral("%1: writing failed: %2").arg(outPath, ffmpegErrorText(w)), w);
        return true;
    };

    for (int i = 0; i < segments.size(); ++i) {
        const ExportSegment &segment = segments[i];
        const MediaInput &input = inputs[size_t(i)];
        AVFormatContext *in = input.context();
        const AVStream *videoIn = input.video();
        const AVStream *audioIn = audioOut ? input.audio() : nullptr;
        if (audioOut && audioIn && audioIn->codecpar->codec_id != audioOut->codecpar->codec_id) {
            qCWarning(lcExport) << "the sound of" << segment.path << "differs from the first recording's; left out";
            audioIn = nullptr;
        }
        const int64_t to = segment.to < 0 ? std::numeric_limits<int64_t>::max() : input.videoTimestamp(segment.to);
        const bool cut = segment.from > 0.0;
        if (cut) {
            r = av_seek_frame(in, input.videoIndex(), input.videoTimestamp(segment.from), AVSEEK_FLAG_BACKWARD);
            if (r < 0)
                return fail(QStringLiteral("%1: cannot seek to %2 s: %3")
                                .arg(segment.path).arg(segment.from).arg(ffmpegErrorText(r)));
        }

        int64_t start = AV_NOPTS_VALUE; // first picture's pts, input picture time base
        int64_t end = AV_NOPTS_VALUE;
        int64_t audioStart = 0;
        const int64_t audioBase = audioOut ? av_rescale_q(base, videoOutBase, audioOut->time_base) : 0;
        bool videoDone = false;
        bool audioDone = !audioIn;
        // Sound read before the first key frame waits until the cut is known.
        std::deque<PacketPtr> early;

        const int64_t audioTo = !audioIn || segment.to < 0 ? std::numeric_limits<int64_t>::max()
                                                           : av_rescale_q(to, videoIn->time_base, audioIn->time_base);
        auto writeAudio = [&](AVPacket *p) -> bool {
            const int64_t pts = p->pts != AV_NOPTS_VALUE ? p->pts : p->dts;
            if (cut && pts < audioStart)
                return true;
            if (pts >= audioTo) {
                audioDone = true;
                return true;
            }
            const int64_t shift = audioBase - av_rescale_q(audioStart, audioIn->time_base, audioOut->time_base);
            av_packet_rescale_ts(p, audioIn->time_base, audioOut->time_base);
            p->pts += shift;
            p->dts += shift;
            // The seam may overlap by a sound frame; time only moves forward.
            if (p->dts <= lastAudioDts)
                return true;
            lastAudioDts = p->dts;
            p->stream_index = audioOut->index;
            p->pos = -1;
            return write(p);
        };

        while (!(videoDone && audioDone)) {
            if (m_cancel && m_cancel->load()) {
                m_cancelled = true;
                m_problem = QStringLiteral("cancelled");
                return false;
            }
            r = av_read_frame(in, packet.get());
            if (r == AVERROR_EOF)
                break;
            if (r < 0)
                return fail(QStringLiteral("%1: reading failed: %2").arg(segment.path, ffmpegErrorText(r)));
            AVPacket *p = packet.get();
            if (p->stream_index == input.videoIndex()) {
                if (p->pts == AV_NOPTS_VALUE)
                    p->pts = p->dts;
                if (start == AV_NOPTS_VALUE) {
                    if (!(p->flags & AV_PKT_FLAG_KEY)) {
                        av_packet_unref(p);
                        continue;
                    }
                    start = p->pts;
                    end = start;
                    if (audioIn)
                        audioStart = av_rescale_q(start, videoIn->time_base, audioIn->time_base);
                    for (PacketPtr &waiting : early) {
                        if (!writeAudio(waiting.get()))
                            return false;
                    }
                    early.clear();
                }
                if (p->dts != AV_NOPTS_VALUE && p->dts >= to) {
                    videoDone = true;
                    av_packet_unref(p);
                    continue;
                }
                if (p->pts >= to) {
                    av_packet_unref(p);
                    continue;
                }
                end = qMax(end, p->pts + p->duration);
                const int64_t shift = base - av_rescale_q(start, videoIn->time_base, videoOutBase);
                av_packet_rescale_ts(p, videoIn->time_base, videoOutBase);
                p->pts += shift;
                p->dts += shift;
                if (p->dts <= lastVideoDts)
                    p->dts = lastVideoDts + 1;
                lastVideoDts = p->dts;
                p->stream_index = videoOut->index;
                p->pos = -1;
                const double written = double(p->pts) * av_q2d(videoOutBase);
                if (!write(p))
                    return false;
                if (onProgress)
                    onProgress(written);
            } else if (audioIn && p->stream_index == input.audioIndex() && !audioDone) {
                if (start == AV_NOPTS_VALUE) {
                    early.emplace_back(av_packet_clone(p));
                    av_packet_unref(p);
                    continue;
                }
                if (!writeAudio(p))
                    return false;
            }
            av_packet_unref(p);
        }
        if (start == AV_NOPTS_VALUE)
            return fail(QStringLiteral("%1: no picture in the range").arg(segment.path));

        PlacedSegment placed;
        placed.sourceFrom = input.videoSeconds(start);
        placed.exportStart = double(base) * av_q2d(videoOutBase);
        placed.length = double(end - start) * av_q2d(videoIn->time_base);
        m_placed.append(placed);
        base += av_rescale_q(end - start, videoIn->time_base, videoOutBase);
    }

    r = av_write_trailer(out.context);
    if (r < 0)
        return fail(QStringLiteral("%1: finishing failed: %2").arg(outPath, ffmpegErrorText(r)), r);
    r = avio_closep(&out.context->pb);
    if (r < 0)
        return fail(QStringLiteral("%1: closing failed: %2").arg(outPath, ffmpegErrorText(r)), r);
    m_length = double(base) * av_q2d(videoOutBase);
    return true;
}

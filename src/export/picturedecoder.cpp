#include "picturedecoder.h"

#include "ffmpegtext.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

PictureDecoder::PictureDecoder() = default;

PictureDecoder::~PictureDecoder()
{
    avcodec_free_context(&m_codec);
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
}

bool PictureDecoder::open(const QString &path, double from)
{
    if (!m_input.open(path)) {
        m_problem = m_input.problem();
        return false;
    }
    const AVStream *stream = m_input.video();
    const AVCodec *decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    m_codec = avcodec_alloc_context3(decoder);
    m_packet = av_packet_alloc();
    m_frame = av_frame_alloc();
    if (!decoder || !m_codec || !m_packet || !m_frame) {
        m_problem = QStringLiteral("%1: no decoder for its pictures").arg(path);
        return false;
    }
    avcodec_parameters_to_context(m_codec, stream->codecpar);
    m_codec->pkt_timebase = stream->time_base;
    m_codec->thread_count = 0;
    int r = avcodec_open2(m_codec, decoder, nullptr);
    if (r < 0) {
        m_problem = QStringLiteral("%1: the decoder does not open: %2").arg(path, ffmpegErrorText(r));
        return false;
    }
    if (from > 0.0) {
        r = av_seek_frame(m_input.context(), m_input.videoIndex(), m_input.videoTimestamp(from), AVSEEK_FLAG_BACKWARD);
        if (r < 0) {
            m_problem = QStringLiteral("%1: cannot seek to %2 s: %3").arg(path).arg(from).arg(ffmpegErrorText(r));
            return false;
        }
    }
    return true;
}

bool PictureDecoder::next(AVFrame **frame, double *seconds)
{
    for (;;) {
        int r = avcodec_receive_frame(m_codec, m_frame);
        if (r == 0) {
            *frame = m_frame;
            *seconds = m_input.videoSeconds(m_frame->best_effort_timestamp);
            return true;
        }
        if (r == AVERROR_EOF)
            return false;
        if (r != AVERROR(EAGAIN)) {
            m_problem = QStringLiteral("decoding failed: %1").arg(ffmpegErrorText(r));
            return false;
        }
        r = av_read_frame(m_input.context(), m_packet);
        if (r == AVERROR_EOF) {
            if (m_flushing)
                return false;
            m_flushing = true;
            avcodec_send_packet(m_codec, nullptr);
            continue;
        }
        if (r < 0) {
            m_problem = QStringLiteral("reading failed: %1").arg(ffmpegErrorText(r));
            return false;
        }
        if (m_packet->stream_index == m_input.videoIndex()) {
            // A damaged picture is skipped; the next key frame resumes.
            avcodec_send_packet(m_codec, m_packet);
        } else if (onOtherPacket) {
            onOtherPacket(m_packet);
        }
        av_packet_unref(m_packet);
    }
}

double PictureDecoder::frameDuration() const
{
    const AVStream *s = m_input.video();
    const AVRational rate = av_guess_frame_rate(m_input.context(), const_cast<AVStream *>(s), nullptr);
    return rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 1.0 / 30.0;
}

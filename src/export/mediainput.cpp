#include "mediainput.h"

#include "ffmpegtext.h"

#include <QFile>

#include <cmath>

extern "C" {
#include <libavformat/avformat.h>
}

void MediaInput::Closer::operator()(AVFormatContext *c) const
{
    avformat_close_input(&c);
}

MediaInput::MediaInput() = default;
MediaInput::~MediaInput() = default;
MediaInput::MediaInput(MediaInput &&) noexcept = default;
MediaInput &MediaInput::operator=(MediaInput &&) noexcept = default;

bool MediaInput::open(const QString &path)
{
    AVFormatContext *context = nullptr;
    // The recording is only ever read.
    int r = avformat_open_input(&context, QFile::encodeName(path).constData(), nullptr, nullptr);
    if (r < 0) {
        m_problem = QStringLiteral("%1: cannot be opened: %2").arg(path, ffmpegErrorText(r));
        return false;
    }
    m_context.reset(context);
    r = avformat_find_stream_info(context, nullptr);
    if (r < 0) {
        m_problem = QStringLiteral("%1: cannot be read: %2").arg(path, ffmpegErrorText(r));
        return false;
    }
    m_video = av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (m_video < 0 || (context->streams[m_video]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
        m_problem = QStringLiteral("%1: holds no pictures").arg(path);
        return false;
    }
    m_audio = av_find_best_stream(context, AVMEDIA_TYPE_AUDIO, -1, m_video, nullptr, 0);
    if (m_audio < 0)
        m_audio = -1;
    return true;
}

AVStream *MediaInput::video() const
{
    return m_video >= 0 ? m_context->streams[m_video] : nullptr;
}

AVStream *MediaInput::audio() const
{
    return m_audio >= 0 ? m_context->streams[m_audio] : nullptr;
}

double MediaInput::videoSeconds(long long ts) const
{
    const AVStream *s = video();
    const long long start = s->start_time != AV_NOPTS_VALUE ? s->start_time : 0;
    return double(ts - start) * av_q2d(s->time_base);
}

long long MediaInput::videoTimestamp(double seconds) const
{
    const AVStream *s = video();
    const long long start = s->start_time != AV_NOPTS_VALUE ? s->start_time : 0;
    return start + std::llround(seconds / av_q2d(s->time_base));
}

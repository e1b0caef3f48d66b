#include "ffmpegtext.h"

extern "C" {
#include <libavutil/error.h>
#include <libavformat/avformat.h>
}

QString ffmpegErrorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

int writeFastStartHeader(AVFormatContext *context, const QByteArray &path, const QString &shownPath, QString *reason)
{
    int r = avio_open(&context->pb, path.constData(), AVIO_FLAG_WRITE);
    if (r < 0) {
        *reason = QStringLiteral("%1: cannot be written: %2").arg(shownPath, ffmpegErrorText(r));
        return r;
    }
    AVDictionary *options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    r = avformat_write_header(context, &options);
    av_dict_free(&options);
    if (r < 0)
        *reason = QStringLiteral("%1: cannot write the header: %2").arg(shownPath, ffmpegErrorText(r));
    return r;
}

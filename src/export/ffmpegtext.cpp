#include "ffmpegtext.h"

extern "C" {
#include <libavutil/error.h>
}

QString ffmpegErrorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

#pragma once

#include <QString>

// FFmpeg's text for an error code, for the log and for messages.
QString ffmpegErrorText(int error);

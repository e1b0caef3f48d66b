#pragma once

#include <QByteArray>
#include <QString>

struct AVFormatContext;

// FFmpeg's text for an error code, for the log and for messages.
QString ffmpegErrorText(int error);

// Opens the muxer's file and writes the header with the index moved to the
// front once done, so the file plays while it downloads. On failure returns
// FFmpeg's code and says why in *reason, naming the file as shownPath.
int writeFastStartHeader(AVFormatContext *context, const QByteArray &path, const QString &shownPath, QString *reason);

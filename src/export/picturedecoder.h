#pragma once

#include "mediainput.h"

#include <QString>

#include <functional>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

// Decodes the pictures of one recording in order from a time on; the other
// packets it reads go to onOtherPacket (the sound of a side-by-side export).
class PictureDecoder
{
public:
    PictureDecoder();
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder &) = delete;
    PictureDecoder &operator=(const PictureDecoder &) = delete;

    // Opens the recording and places the decoder at the key frame at or
    // before `from` seconds.
    bool open(const QString &path, double from);
    // The next picture and its time in seconds of the recording; false at
    // the end or on an error (then problem() says which).
    bool next(AVFrame **frame, double *seconds);
    QString problem() const { return m_problem; }
    const MediaInput &input() const { return m_input; }
    // A picture's length in seconds, from the stream's frame rate.
    double frameDuration() const;

    std::function<void(AVPacket *)> onOtherPacket;

private:
    MediaInput m_input;
    AVCodecContext *m_codec = nullptr;
    AVPacket *m_packet = nullptr;
    AVFrame *m_frame = nullptr;
    bool m_flushing = false;
    QString m_problem;
};

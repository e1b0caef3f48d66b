#pragma once

#include <QString>

#include <memory>

struct AVFormatContext;
struct AVStream;

// One recording opened for reading, with its chosen picture and sound
// streams.
class MediaInput
{
public:
    MediaInput();
    ~MediaInput();
    MediaInput(MediaInput &&) noexcept;
    MediaInput &operator=(MediaInput &&) noexcept;

    // False, with the reason in problem(), when the file cannot be read or
    // has no pictures.
    bool open(const QString &path);
    QString problem() const { return m_problem; }

    AVFormatContext *context() const { return m_context.get(); }
    int videoIndex() const { return m_video; }
    int audioIndex() const { return m_audio; }
    AVStream *video() const;
    AVStream *audio() const;
    // Seconds from the first picture to a timestamp of the picture stream and back.
    double videoSeconds(long long ts) const;
    long long videoTimestamp(double seconds) const;

private:
    struct Closer
    {
        void operator()(AVFormatContext *c) const;
    };
    std::unique_ptr<AVFormatContext, Closer> m_context;
    int m_video = -1;
    int m_audio = -1;
    QString m_problem;
};

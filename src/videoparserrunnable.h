#pragma once

#include <QRunnable>

class VideoParser;

// The pool job that parses one row's file; deleted by the pool after it ran.
class CVideoParserRunnable : public QRunnable
{
public:
    explicit CVideoParserRunnable(VideoParser *parser);
    void run() override;

private:
    VideoParser *m_parser; // not owned; outlives the job
};

#pragma once

#include "bytesource.h"

#include <memory>

class QFile;

// Reads an already opened file through one window of at most WindowSize
// bytes. A parse reads many small fields close together (box headers, the
// fixed fields of a movie header), so one read from the file serves many of
// them; a read that jumps away starts a small window again, one that keeps
// moving forward lets the next window grow, so isolated records far apart
// cost a page each, not a whole window. The file should be unbuffered: the
// window is the only copy.
class FileByteSource : public ByteSource
{
public:
    static constexpr qint64 WindowSize = 64 * 1024;
    // Window starts and the first window's length; a page of the file cache.
    static constexpr qint64 Alignment = 4 * 1024;

    explicit FileByteSource(QFile *file);
    ~FileByteSource() override;

    bool isOpen() const override;
    qint64 size() const override { return m_size; }

    // What was asked of the file itself (bytesRead() counts what the parser
    // was handed): the reads and their bytes.
    int fileReads() const { return m_fileReads; }
    quint64 bytesFetched() const { return m_bytesFetched; }

protected:
    qint64 readAt(qint64 pos, char *data, qint64 maxSize) override;

private:
    // One read of the file at pos, platform's way; fewer bytes only at its end
    // or on an error.
    qint64 readFile(qint64 pos, char *data, qint64 maxSize);
    qint64 seekAndRead(qint64 pos, char *data, qint64 maxSize);
    // Moves the window so that it starts at or before pos; false when the
    // file gives nothing there.
    bool fill(qint64 pos, qint64 wanted);

    QFile *m_file; // not owned
    qint64 m_size = 0;
    std::unique_ptr<char[]> m_window;
    qint64 m_windowStart = 0;
    qint64 m_windowLength = 0;
    qint64 m_nextLength = Alignment;
    int m_fileReads = 0;
    quint64 m_bytesFetched = 0;
};

#pragma once

#include <QString>
#include <QTemporaryFile>

// A file that gets its final name only when it is complete: it is written
// under a hidden temporary name in the target folder (same file system, so
// the rename is atomic) and removed when it is not committed.
class PartFile
{
public:
    // False, with the system's reason in errorString(), when the folder
    // takes no new file.
    bool create(const QString &folder, const QString &finalName);
    QString tempPath() const { return m_file.fileName(); }
    // Renames onto the final path; never replaces an existing file.
    bool commit(const QString &finalPath);
    QString errorString() const { return m_error; }
    // The errno behind the last failure, 0 when unknown.
    int errorNumber() const { return m_errno; }

private:
    QTemporaryFile m_file;
    QString m_error;
    int m_errno = 0;
};

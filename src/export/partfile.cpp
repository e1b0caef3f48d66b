#include "partfile.h"

#include "exportlog.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

bool PartFile::create(const QString &folder, const QString &finalName)
{
    m_file.setFileTemplate(QDir(folder).filePath(QLatin1Char('.') + finalName + QLatin1String(".XXXXXX.part")));
    m_file.setAutoRemove(true);
    errno = 0;
    if (!m_file.open()) {
        m_errno = errno;
        m_error = m_file.errorString();
        qCWarning(lcExport) << "cannot create a file in" << folder << ":" << m_error;
        return false;
    }
    // The writer opens the path itself; this handle only keeps the name ours.
    m_file.close();
    return true;
}

bool PartFile::commit(const QString &finalPath)
{
    if (QFileInfo::exists(finalPath)) {
        m_errno = EEXIST;
        m_error = QString::fromLocal8Bit(std::strerror(EEXIST));
        return false;
    }
    if (!m_file.rename(finalPath)) {
        m_errno = errno;
        m_error = m_file.errorString();
        qCWarning(lcExport) << "cannot rename" << m_file.fileName() << "to" << finalPath << ":" << m_error;
        return false;
    }
    m_file.setAutoRemove(false);
    // Temporary files are private to their owner; an export is to hand over.
    QFile::setPermissions(finalPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                         | QFileDevice::ReadOther);
    return true;
}

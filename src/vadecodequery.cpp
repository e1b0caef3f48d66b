#include "vadecodequery.h"

#include "computeInfo.h"

#include <QDir>
#include <QFile>

#include <va/va.h>
#include <va/va_drm.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

void logVaError(void *, const char *message)
{
    qCDebug(lcComputeInfo) << "VA-API:" << QByteArray(message).trimmed().constData();
}

bool hasVld(VADisplay display, VAProfile profile)
{
    const int capacity = vaMaxNumEntrypoints(display);
    if (capacity <= 0)
        return false;
    std::vector<VAEntrypoint> entrypoints(size_t(capacity), VAEntrypoint(0));
    int count = 0;
    if (vaQueryConfigEntrypoints(display, profile, entrypoints.data(), &count) != VA_STATUS_SUCCESS)
        return false;
    for (int i = 0; i < count && i < capacity; ++i) {
        if (entrypoints[size_t(i)] == VAEntrypointVLD)
            return true;
    }
    return false;
}

// The largest surface the decoder accepts, where the driver says so.
void readMaxSize(VADisplay display, VAProfile profile, VaDecodeQuery::Codec *codec)
{
    VAConfigID config = VA_INVALID_ID;
    if (vaCreateConfig(display, profile, VAEntrypointVLD, nullptr, 0, &config) != VA_STATUS_SUCCESS)
        return;
    unsigned int count = 0;
    if (vaQuerySurfaceAttributes(display, config, nullptr, &count) == VA_STATUS_SUCCESS && count > 0) {
        std::vector<VASurfaceAttrib> attributes(count);
        if (vaQuerySurfaceAttributes(display, config, attributes.data(), &count) == VA_STATUS_SUCCESS) {
            for (unsigned int i = 0; i < count && i < attributes.size(); ++i) {
                const VASurfaceAttrib &a = attributes[i];
                if (a.value.type != VAGenericValueTypeInteger)
                    continue;
                if (a.type == VASurfaceAttribMaxWidth)
                    codec->maxWidth = a.value.value.i;
                else if (a.type == VASurfaceAttribMaxHeight)
                    codec->maxHeight = a.value.value.i;
            }
        }
    }
    vaDestroyConfig(display, config);
}

// First profile of the list that decodes; its limits stand for the codec.
VaDecodeQuery::Codec probeCodec(VADisplay display, const std::vector<VAProfile> &supported,
                                std::initializer_list<VAProfile> wanted)
{
    VaDecodeQuery::Codec codec;
    for (VAProfile profile : wanted) {
        if (std::find(supported.begin(), supported.end(), profile) == supported.end())
            continue;
        if (!hasVld(display, profile))
            continue;
        codec.decode = true;
        readMaxSize(display, profile, &codec);
        break;
    }
    return codec;
}

} // namespace

bool VaDecodeQuery::Codec::fits(int width, int height) const
{
    return decode && (maxWidth <= 0 || width <= maxWidth) && (maxHeight <= 0 || height <= maxHeight);
}

bool VaDecodeQuery::decodes(int codec, int width, int height) const
{
    if (!answered)
        return false;
    if (codec == 1)
        return h264.fits(width, height);
    if (codec == 2)
        return h265.fits(width, height);
    return false;
}

VaDecodeQuery VaDecodeQuery::query(const QString &root)
{
    VaDecodeQuery result;
    const QDir dri(QDir(root).filePath(QStringLiteral("dev/dri")));
    const QStringList nodes = dri.entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files, QDir::Name);
    if (nodes.isEmpty()) {
        result.status = QStringLiteral("no render node");
        return result;
    }
    result.renderNode = dri.filePath(nodes.first());
    const int fd = ::open(QFile::encodeName(result.renderNode).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        result.status = QStringLiteral("cannot open %1: %2").arg(result.renderNode, QString::fromLocal8Bit(strerror(errno)));
        return result;
    }
    result.ask(fd);
    ::close(fd);
    return result;
}

void VaDecodeQuery::ask(int fd)
{
    VADisplay display = vaGetDisplayDRM(fd);
    if (!display) {
        status = QStringLiteral("not a DRM device");
        return;
    }
    // libva writes to standard error unless told otherwise.
    vaSetErrorCallback(display, logVaError, nullptr);
    vaSetInfoCallback(display, logVaError, nullptr);
    int major = 0;
    int minor = 0;
    const VAStatus initialized = vaInitialize(display, &major, &minor);
    if (initialized != VA_STATUS_SUCCESS) {
        status = QStringLiteral("vaInitialize failed: %1").arg(QString::fromLatin1(vaErrorStr(initialized)));
        vaTerminate(display);
        return;
    }
    driver = QString::fromLatin1(vaQueryVendorString(display));
    const int capacity = vaMaxNumProfiles(display);
    std::vector<VAProfile> profiles(size_t(qMax(capacity, 0)), VAProfileNone);
    int count = 0;
    const VAStatus queried = capacity > 0 ? vaQueryConfigProfiles(display, profiles.data(), &count)
                                          : VA_STATUS_ERROR_UNKNOWN;
    if (queried != VA_STATUS_SUCCESS) {
        status = QStringLiteral("vaQueryConfigProfiles failed: %1").arg(QString::fromLatin1(vaErrorStr(queried)));
        vaTerminate(display);
        return;
    }
    profiles.resize(size_t(qBound(0, count, capacity)));
    h264 = probeCodec(display, profiles, {VAProfileH264High, VAProfileH264Main, VAProfileH264ConstrainedBaseline});
    h265 = probeCodec(display, profiles, {VAProfileHEVCMain, VAProfileHEVCMain10});
    answered = true;
    status = QStringLiteral("ok");
    vaTerminate(display);
}

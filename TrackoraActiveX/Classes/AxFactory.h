#pragma once

#include <QStringList>
#include <QUuid>

class QObject;
class QSettings;
struct QMetaObject;

namespace TrackoraActiveX {

// What a container needs from a component's class factory: the published
// class names, their identifiers and a way to create an instance. Only
// virtual functions and inline members, so the viewer can use a factory it
// got from the loaded library without linking against it.
class CAxFactory
{
public:
    CAxFactory(const QUuid &libraryId, const QUuid &applicationId)
        : libId(libraryId), appId(applicationId) {}
    virtual ~CAxFactory() = default;

    CAxFactory(const CAxFactory &) = delete;
    CAxFactory &operator=(const CAxFactory &) = delete;

    virtual QStringList featureList() const = 0;
    virtual QObject *createObject(const QString &key) = 0;
    virtual const QMetaObject *metaObject(const QString &key) const = 0;
    virtual QUuid classID(const QString &key) const { Q_UNUSED(key); return QUuid(); }
    virtual QUuid interfaceID(const QString &key) const { Q_UNUSED(key); return QUuid(); }
    virtual QUuid eventsID(const QString &key) const { Q_UNUSED(key); return QUuid(); }
    virtual void registerClass(const QString &key, QSettings *settings) const { Q_UNUSED(key); Q_UNUSED(settings); }
    virtual void unregisterClass(const QString &key, QSettings *settings) const { Q_UNUSED(key); Q_UNUSED(settings); }

    virtual QUuid typeLibID() const { return libId; }
    virtual QUuid appID() const { return appId; }

    // The published interfaces as text, the way an IDL dump reads.
    virtual QByteArray interfaceDescription() const = 0;

private:
    QUuid libId;
    QUuid appId;
};

} // namespace TrackoraActiveX

// Name of the exported function that hands out the library's factory:
//   TrackoraActiveX::CAxFactory *axFactoryInstance();
#define TRACKORA_AX_FACTORY_ENTRY "axFactoryInstance"

// Name of the exported function that takes the container's thread-start hook:
//   void setThreadStartHook(void (*hook)());
#define TRACKORA_THREAD_START_HOOK_ENTRY "setThreadStartHook"

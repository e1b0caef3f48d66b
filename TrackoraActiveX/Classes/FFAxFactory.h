#pragma once

#include <QHash>
#include <QUuid>
#include <functional>

#include "AxFactory.h"
#include "trackoraactivex_global.h"

namespace TrackoraActiveX {

// Publishes the player control. Where the COM server library exists this
// class derives from QAxFactory with the same overrides; here the small
// CAxFactory takes its place and the viewer finds it through the exported
// entry point.
class TRACKORAACTIVEX_EXPORT CFFAxFactory : public CAxFactory
{
public:
    CFFAxFactory(const QUuid &libraryId, const QUuid &applicationId);

    QStringList featureList() const override;
    QObject *createObject(const QString &key) override;
    const QMetaObject *metaObject(const QString &key) const override;
    QUuid classID(const QString &key) const override;
    QUuid interfaceID(const QString &key) const override;
    QUuid eventsID(const QString &key) const override;
    void registerClass(const QString &key, QSettings *settings) const override;
    void unregisterClass(const QString &key, QSettings *settings) const override;
    QByteArray interfaceDescription() const override;

private:
    struct ClassEntry
    {
        QUuid classId;
        QUuid interfaceId;
        QUuid eventsId;
        const QMetaObject *metaObject = nullptr;
        std::function<QObject *()> creator;
    };

    QHash<QString, ClassEntry> classes;
};

} // namespace TrackoraActiveX

extern "C" {
// The process's one factory, made on first call and kept until unload.
TRACKORAACTIVEX_EXPORT TrackoraActiveX::CAxFactory *axFactoryInstance();
// Writes the interface description to outFile: 0 on success, -1 when the
// description is missing, -2 when the file cannot be written.
TRACKORAACTIVEX_EXPORT int DumpIDL(const char *outFile, const char *version);
}

#include "FFAxFactory.h"

#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

#include "FFPlayerAxWidget.h"

Q_LOGGING_CATEGORY(lcAxFactory, "trackora.component.factory")

namespace TrackoraActiveX {

namespace {
const QUuid kTypeLibraryId(QStringLiteral("{57A46451-EC16-492D-93F1-788AB6CA61A5}"));
const QUuid kApplicationId(QStringLiteral("{43B4343A-65C4-4556-A059-D121C7FD99D7}"));
const QUuid kPlayerClassId(QStringLiteral("{1CB000FC-4A11-4FD3-A30D-65E5ECCF7D56}"));
const QUuid kPlayerInterfaceId(QStringLiteral("{624408D2-25D0-4D37-9514-ED2CD3572A05}"));
const QUuid kPlayerEventsId(QStringLiteral("{AB9BAE9B-77AE-4380-B899-781EE1606878}"));
const QString kPlayerClassName = QStringLiteral("CFFPlayerAxWidget");
const QString kIdlResource = QStringLiteral(":/TrackoraActiveX/TrackoraActiveX.idl");
} // namespace

CFFAxFactory::CFFAxFactory(const QUuid &libraryId, const QUuid &applicationId)
    : CAxFactory(libraryId, applicationId)
{
    ClassEntry player;
    player.classId = kPlayerClassId;
    player.interfaceId = kPlayerInterfaceId;
    player.eventsId = kPlayerEventsId;
    player.metaObject = &CFFPlayerAxWidget::staticMetaObject;
    player.creator = [] { return new CFFPlayerAxWidget(nullptr); };
    classes.insert(kPlayerClassName, player);
}

QStringList CFFAxFactory::featureList() const
{
    return classes.keys();
}

QObject *CFFAxFactory::createObject(const QString &key)
{
    const auto it = classes.constFind(key);
    if (it == classes.constEnd()) {
        qCWarning(lcAxFactory) << "no class" << key;
        return nullptr;
    }
    return it->creator();
}

const QMetaObject *CFFAxFactory::metaObject(const QString &key) const
{
    const auto it = classes.constFind(key);
    return it == classes.constEnd() ? nullptr : it->metaObject;
}

QUuid CFFAxFactory::classID(const QString &key) const
{
    return classes.value(key).classId;
}

QUuid CFFAxFactory::interfaceID(const QString &key) const
{
    return classes.value(key).interfaceId;
}

QUuid CFFAxFactory::eventsID(const QString &key) const
{
    return classes.value(key).eventsId;
}

void CFFAxFactory::registerClass(const QString &key, QSettings *settings) const
{
    Q_UNUSED(key);
    Q_UNUSED(settings);
}

void CFFAxFactory::unregisterClass(const QString &key, QSettings *settings) const
{
    Q_UNUSED(key);
    Q_UNUSED(settings);
}

QByteArray CFFAxFactory::interfaceDescription() const
{
    QFile idl(kIdlResource);
    if (!idl.open(QIODevice::ReadOnly)) {
        qCWarning(lcAxFactory) << "interface description missing:" << idl.errorString();
        return QByteArray();
    }
    return idl.readAll();
}

} // namespace TrackoraActiveX

TrackoraActiveX::CAxFactory *axFactoryInstance()
{
    static TrackoraActiveX::CFFAxFactory factory(TrackoraActiveX::kTypeLibraryId,
                                                 TrackoraActiveX::kApplicationId);
    return &factory;
}

int DumpIDL(const char *outFile, const char *version)
{
    Q_UNUSED(version);
    const QByteArray idl = axFactoryInstance()->interfaceDescription();
    if (idl.isEmpty())
        return -1;
    QSaveFile out(QString::fromLocal8Bit(outFile));
    if (!out.open(QIODevice::WriteOnly) || out.write(idl) != idl.size() || !out.commit()) {
        qCWarning(lcAxFactory) << "cannot write" << outFile << out.errorString();
        return -2;
    }
    return 0;
}

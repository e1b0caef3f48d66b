#include "axwidget.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QLoggingCategory>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QResizeEvent>
#include <QUuid>

#include "../TrackoraActiveX/Classes/AxFactory.h"
#include "configuration.h"
#include "crashdumper.h"

Q_LOGGING_CATEGORY(lcAxWidget, "trackora.viewer.axwidget")

namespace {
const char *const kComponentLibrary = "TrackoraActiveX";

using FactoryEntry = TrackoraActiveX::CAxFactory *(*)();
using ThreadHookEntry = void (*)(void (*)());

// Loaded once and never unloaded: controls made from it live as long as
// their containers.
TrackoraActiveX::CAxFactory *componentFactory()
{
    static TrackoraActiveX::CAxFactory *factory = nullptr;
    if (factory)
        return factory;
    QLibrary library(QDir(AxWidget::componentDirectory()).filePath(QLatin1String(kComponentLibrary)));
    if (!library.load()) {
        qCWarning(lcAxWidget) << "cannot load the player component:" << library.errorString();
        return nullptr;
    }
    auto entry = reinterpret_cast<FactoryEntry>(library.resolve(TRACKORA_AX_FACTORY_ENTRY));
    if (!entry) {
        qCWarning(lcAxWidget) << "no factory entry in" << library.fileName();
        return nullptr;
    }
    // The component's decode, demuxer and sound threads get the crash handler's
    // signal stack too, so a stack overflow on one of them still leaves a dump.
    if (auto setHook = reinterpret_cast<ThreadHookEntry>(library.resolve(TRACKORA_THREAD_START_HOOK_ENTRY)))
        setHook(&CrashDumper::guardThread);
    else
        qCWarning(lcAxWidget) << "no thread-start hook in" << library.fileName();
    factory = entry();
    Configuration::componentLoaded();
    return factory;
}
} // namespace

AxWidget::AxWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
}

AxWidget::~AxWidget()
{
    clear();
}

QString AxWidget::componentDirectory()
{
    const QString fromEnv = qEnvironmentVariable("TRACKORA_BIN_DIR");
    return fromEnv.isEmpty() ? QCoreApplication::applicationDirPath() : fromEnv;
}

bool AxWidget::setControl(const QString &id)
{
    clear();
    const QUuid wanted(id);
    if (wanted.isNull()) {
        qCWarning(lcAxWidget) << "not a class identifier:" << id;
        return false;
    }
    TrackoraActiveX::CAxFactory *factory = componentFactory();
    if (!factory)
        return false;
    const QStringList keys = factory->featureList();
    for (const QString &key : keys) {
        if (factory->classID(key) != wanted)
            continue;
        QObject *object = factory->createObject(key);
        auto *widget = qobject_cast<QWidget *>(object);
        if (!widget) {
            qCWarning(lcAxWidget) << "class" << key << "made no control";
            delete object;
            return false;
        }
        controlObject = widget;
        classId = id;
        widget->setParent(this);
        widget->setGeometry(rect());
        widget->show();
        connectControlSignals();
        return true;
    }
    qCWarning(lcAxWidget) << "no class registered for" << id;
    return false;
}

void AxWidget::clear()
{
    delete controlObject.data();
    controlObject.clear();
    classId.clear();
}

// Every signal of the control finds the container's signal of the same
// signature, so the container can re-emit what the control reports.
void AxWidget::connectControlSignals()
{
    const QMetaObject *source = controlObject->metaObject();
    const QMetaObject *target = metaObject();
    for (int i = source->methodOffset(); i < source->methodCount(); ++i) {
        const QMetaMethod signal = source->method(i);
        if (signal.methodType() != QMetaMethod::Signal)
            continue;
        const int mine = target->indexOfSignal(signal.methodSignature().constData());
        if (mine < 0)
            continue;
        QObject::connect(controlObject.data(), signal, this, target->method(mine));
    }
}

QVariant AxWidget::controlProperty(const char *name) const
{
    if (!controlObject)
        return QVariant();
    const QMetaObject *mo = controlObject->metaObject();
    const int index = mo->indexOfProperty(name);
    if (index < 0) {
        qCWarning(lcAxWidget) << "control has no property" << name;
        return QVariant();
    }
    return mo->property(index).read(controlObject.data());
}

bool AxWidget::setControlProperty(const char *name, const QVariant &value)
{
    if (!controlObject)
        return false;
    const QMetaObject *mo = controlObject->metaObject();
    const int index = mo->indexOfProperty(name);
    if (index < 0) {
        qCWarning(lcAxWidget) << "control has no property" << name;
        return false;
    }
    const QMetaProperty property = mo->property(index);
    QVariant converted = value;
    if (property.isEnumType())
        converted = QVariant(value.toInt());
    if (!property.write(controlObject.data(), converted)) {
        qCWarning(lcAxWidget) << "cannot write" << name << "=" << value;
        return false;
    }
    return true;
}

QVariant AxWidget::dynamicCall(const char *signature, const QVariant &argument)
{
    if (!controlObject)
        return QVariant();
    const QMetaObject *mo = controlObject->metaObject();
    const QByteArray normalized = QMetaObject::normalizedSignature(signature);
    const int index = mo->indexOfMethod(normalized.constData());
    if (index < 0) {
        qCWarning(lcAxWidget) << "control has no method" << signature;
        return QVariant();
    }
    const QMetaMethod method = mo->method(index);
    if (method.parameterCount() > 1) {
        qCWarning(lcAxWidget) << "calls with more than one argument are not supported:" << signature;
        return QVariant();
    }

    QVariant result;
    QGenericReturnArgument returnArgument;
    if (method.returnType() != QMetaType::Void) {
        result = QVariant(method.returnType(), nullptr);
        returnArgument = QGenericReturnArgument(method.typeName(), result.data());
    }
    QVariant parameter = argument;
    QGenericArgument genericArgument;
    if (method.parameterCount() == 1) {
        if (!parameter.convert(method.parameterType(0))) {
            qCWarning(lcAxWidget) << "argument does not fit" << signature << argument;
            return QVariant();
        }
        genericArgument = QGenericArgument(parameter.typeName(), parameter.constData());
    }
    if (!method.invoke(controlObject.data(), Qt::DirectConnection, returnArgument, genericArgument)) {
        qCWarning(lcAxWidget) << "call failed:" << signature;
        return QVariant();
    }
    return result;
}

void AxWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (controlObject)
        controlObject->setGeometry(QRect(QPoint(0, 0), event->size()));
}

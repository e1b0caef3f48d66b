#include <QtTest>
#include <QLibrary>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "AxFactory.h"
#include "trackoraversion.h"

using TrackoraActiveX::CAxFactory;

// The component's factory, reached the way the viewer reaches it: the real
// library loaded at run time, its entry point resolved by name. The
// interface description is held against the control's meta-object, so the
// dispatch ids a container binds to cannot drift from the code.
class TestAxFactory : public QObject
{
    Q_OBJECT

    struct Member
    {
        int dispId;
        QString type;
        QString name;
        QString arguments;
        bool readOnly;
    };

    // The members the first interface had; those added later are numbered after them.
    static constexpr int kFirstProperties = 15;
    static constexpr int kFirstMethods = 5;

    QLibrary library;
    CAxFactory *factory = nullptr;
    QByteArray idl;

    static QString block(const QString &text, const QString &header)
    {
        const int start = text.indexOf(header);
        if (start < 0)
            return QString();
        const int open = text.indexOf(QLatin1Char('{'), start);
        const int close = text.indexOf(QLatin1String("};"), open);
        return text.mid(open, close - open);
    }

    static QList<Member> members(const QString &section)
    {
        QList<Member> result;
        static const QRegularExpression line(
            QStringLiteral("\\[id\\((\\d+)\\)(, readonly)?\\]\\s+(?:enum )?(\\w+)\\s+(\\w+)(?:\\(([^)]*)\\))?;"));
        auto it = line.globalMatch(section);
        while (it.hasNext()) {
            const auto m = it.next();
            result.append({m.captured(1).toInt(), m.captured(3), m.captured(4), m.captured(5),
                           !m.captured(2).isEmpty()});
        }
        return result;
    }

    static QString section(const QString &dispinterface, const QString &name)
    {
        const int start = dispinterface.indexOf(name + QLatin1Char(':'));
        const int end = dispinterface.indexOf(QLatin1String("methods:"), start + 1);
        return name == QLatin1String("properties") ? dispinterface.mid(start, end - start)
                                                    : dispinterface.mid(start);
    }

    // The meta type a description type stands for.
    static bool sameType(const QString &idlType, int metaType, const char *typeName, bool isEnum)
    {
        if (idlType == QLatin1String("int"))
            return metaType == QMetaType::Int;
        if (idlType == QLatin1String("int64"))
            return metaType == QMetaType::LongLong;
        if (idlType == QLatin1String("BSTR"))
            return metaType == QMetaType::QString;
        if (idlType == QLatin1String("VARIANT_BOOL"))
            return metaType == QMetaType::Bool;
        if (idlType == QLatin1String("void"))
            return metaType == QMetaType::Void;
        return isEnum || QByteArray(typeName).endsWith(idlType.toLatin1());
    }

    static QUuid uuidBefore(const QString &text, const QString &what)
    {
        const int at = text.indexOf(what);
        const int uuid = text.lastIndexOf(QLatin1String("uuid("), at);
        return QUuid(QLatin1Char('{') + text.mid(uuid + 5, 36) + QLatin1Char('}'));
    }

private slots:
    void initTestCase()
    {
        library.setFileName(qEnvironmentVariable("TRACKORA_BIN_DIR") + QStringLiteral("/TrackoraActiveX"));
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        auto entry = reinterpret_cast<CAxFactory *(*)()>(library.resolve(TRACKORA_AX_FACTORY_ENTRY));
        QVERIFY2(entry, "the factory entry point is exported");
        factory = entry();
        QVERIFY(factory);
        QCOMPARE(entry(), factory);
        idl = factory->interfaceDescription();
        QVERIFY2(!idl.isEmpty(), "the interface description is written");
    }

    // Containers see the control and the factory; the engine stays inside.
    void exportsOnlyTheControlAndFactory()
    {
        QVERIFY(library.resolve("_ZN15TrackoraActiveX17CFFPlayerAxWidget16staticMetaObjectE"));
        QVERIFY(library.resolve("DumpIDL"));
        for (const char *inside : {"_ZN15TrackoraActiveX9CFFPlayer16staticMetaObjectE",
                                   "_ZN15TrackoraActiveX10CFFDemuxer16staticMetaObjectE",
                                   "_ZN15TrackoraActiveX15CCaptureTaskMgr16staticMetaObjectE"})
            QVERIFY2(!library.resolve(inside), inside);
    }

    // The library, its interface description and the viewer carry one version.
    void versionIsTheProjectVersion()
    {
        auto version = reinterpret_cast<const char *(*)()>(library.resolve("trackoraActiveXVersion"));
        QVERIFY(version);
        QCOMPARE(QByteArray(version()), QByteArray(TRACKORA_VERSION));
        QVERIFY2(idl.contains("version(" TRACKORA_VERSION ")"), "the type library's version");
        QVERIFY2(idl.contains("TrackoraActiveX " TRACKORA_VERSION " Type Library"), "the type library's help text");
    }

    void publishesOneClass()
    {
        QCOMPARE(factory->featureList(), QStringList{QStringLiteral("CFFPlayerAxWidget")});
    }

    void identifiers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QUuid>("classId");
        QTest::addColumn<QUuid>("interfaceId");
        QTest::addColumn<QUuid>("eventsId");
        QTest::newRow("player") << "CFFPlayerAxWidget"
                                << QUuid("{1CB000FC-4A11-4FD3-A30D-65E5ECCF7D56}")
                                << QUuid("{624408D2-25D0-4D37-9514-ED2CD3572A05}")
                                << QUuid("{AB9BAE9B-77AE-4380-B899-781EE1606878}");
        QTest::newRow("unknown") << "QWidget" << QUuid() << QUuid() << QUuid();
        QTest::newRow("empty") << "" << QUuid() << QUuid() << QUuid();
    }

    void identifiers()
    {
        QFETCH(QString, key);
        QFETCH(QUuid, classId);
        QFETCH(QUuid, interfaceId);
        QFETCH(QUuid, eventsId);
        QCOMPARE(factory->classID(key), classId);
        QCOMPARE(factory->interfaceID(key), interfaceId);
        QCOMPARE(factory->eventsID(key), eventsId);
        QCOMPARE(factory->metaObject(key) != nullptr, !classId.isNull());
        std::unique_ptr<QObject> object(factory->createObject(key));
        QCOMPARE(object != nullptr, !classId.isNull());
        if (object)
            QCOMPARE(object->metaObject(), factory->metaObject(key));
    }

    void libraryIdentifiers()
    {
        QCOMPARE(factory->typeLibID(), QUuid("{57A46451-EC16-492D-93F1-788AB6CA61A5}"));
        QCOMPARE(factory->appID(), QUuid("{43B4343A-65C4-4556-A059-D121C7FD99D7}"));
        const QString text = QString::fromLatin1(idl);
        QCOMPARE(uuidBefore(text, QStringLiteral("library TrackoraActiveXLib")), factory->typeLibID());
        QCOMPARE(uuidBefore(text, QStringLiteral("dispinterface ICFFPlayerAxWidget\n")),
                 factory->interfaceID(QStringLiteral("CFFPlayerAxWidget")));
        QCOMPARE(uuidBefore(text, QStringLiteral("dispinterface ICFFPlayerAxWidgetEvents")),
                 factory->eventsID(QStringLiteral("CFFPlayerAxWidget")));
        QCOMPARE(uuidBefore(text, QStringLiteral("coclass CFFPlayerAxWidget")),
                 factory->classID(QStringLiteral("CFFPlayerAxWidget")));
    }

    // Ids once given never move: members added later take fresh ones from 74
    // on, properties and methods drawing from the same count, none skipped.
    void laterMembersTakeFreshIds()
    {
        const QString dispatch = block(QString::fromLatin1(idl), QStringLiteral("dispinterface ICFFPlayerAxWidget\n"));
        const QList<Member> properties = members(section(dispatch, QStringLiteral("properties")));
        const QList<Member> methods = members(section(dispatch, QStringLiteral("methods")));
        QList<int> later;
        auto take = [&later](const QList<Member> &list, int first) {
            for (int i = first; i < list.size(); ++i) {
                if (i > first)
                    QVERIFY2(list.at(i).dispId > list.at(i - 1).dispId, qPrintable(list.at(i).name));
                later << list.at(i).dispId;
            }
        };
        take(properties, kFirstProperties);
        take(methods, kFirstMethods);
        std::sort(later.begin(), later.end());
        for (int i = 0; i < later.size(); ++i)
            QCOMPARE(later.at(i), 74 + i);
    }

    void propertiesMatchDescription()
    {
        const QMetaObject *mo = factory->metaObject(QStringLiteral("CFFPlayerAxWidget"));
        const QList<Member> described = members(
            section(block(QString::fromLatin1(idl), QStringLiteral("dispinterface ICFFPlayerAxWidget\n")),
                    QStringLiteral("properties")));
        QCOMPARE(described.size(), mo->propertyCount() - mo->propertyOffset());
        for (int i = 0; i < described.size(); ++i) {
            const Member &d = described.at(i);
            const QMetaProperty p = mo->property(mo->propertyOffset() + i);
            QCOMPARE(QString::fromLatin1(p.name()), d.name);
            if (i < kFirstProperties)
                QCOMPARE(d.dispId, 41 + i);
            QVERIFY2(sameType(d.type, p.userType(), p.typeName(), p.isEnumType()),
                     qPrintable(d.name + QStringLiteral(": ") + d.type + QStringLiteral(" vs ") + p.typeName()));
            if (p.isEnumType())
                QCOMPARE(QString::fromLatin1(p.enumerator().name()), d.type);
            QCOMPARE(p.isWritable(), !d.readOnly);
        }
    }

    void methodsMatchDescription()
    {
        const QMetaObject *mo = factory->metaObject(QStringLiteral("CFFPlayerAxWidget"));
        const QString dispatch = block(QString::fromLatin1(idl), QStringLiteral("dispinterface ICFFPlayerAxWidget\n"));
        const QList<Member> described = members(section(dispatch, QStringLiteral("methods")));
        const QString events = block(QString::fromLatin1(idl), QStringLiteral("dispinterface ICFFPlayerAxWidgetEvents"));
        const QList<Member> signalsDescribed = members(section(events, QStringLiteral("methods")));

        QList<QMetaMethod> published;
        QList<QMetaMethod> emitted;
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
            const QMetaMethod m = mo->method(i);
            if (m.methodType() == QMetaMethod::Signal)
                emitted << m;
            else if (m.access() == QMetaMethod::Public)
                published << m;
        }
        QCOMPARE(published.size(), described.size());
        for (int i = 0; i < described.size(); ++i) {
            QCOMPARE(QString::fromLatin1(published.at(i).name()), described.at(i).name);
            if (i < kFirstMethods)
                QCOMPARE(described.at(i).dispId, 69 + i);
            QVERIFY2(sameType(described.at(i).type, published.at(i).returnType(), published.at(i).typeName(), false),
                     "the described type matches the published one");
            const QString args = described.at(i).arguments.trimmed();
            QCOMPARE(published.at(i).parameterCount(), args.isEmpty() ? 0 : int(args.count(QLatin1Char(',')) + 1));
        }
        QCOMPARE(emitted.size(), signalsDescribed.size());
        for (int i = 0; i < signalsDescribed.size(); ++i) {
            const QMetaMethod s = emitted.at(i);
            QCOMPARE(QString::fromLatin1(s.name()), signalsDescribed.at(i).name);
            QCOMPARE(signalsDescribed.at(i).dispId, 8 + i);
            const QStringList args = signalsDescribed.at(i).arguments.split(QLatin1Char(','));
            QCOMPARE(s.parameterCount(), args.size());
            const QString argType = args.first().trimmed().remove(QStringLiteral("enum ")).section(QLatin1Char(' '), 0, 0);
            QVERIFY2(sameType(argType, s.parameterType(0), s.parameterTypes().first(), false),
                     qPrintable(s.methodSignature()));
        }
    }

    void dumpsDescription()
    {
        auto dump = reinterpret_cast<int (*)(const char *, const char *)>(library.resolve("DumpIDL"));
        QVERIFY(dump);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("TrackoraActiveX.idl")));
        QCOMPARE(dump(path.constData(), "1.0"), 0);
        QFile written(QString::fromLocal8Bit(path));
        QVERIFY2(written.open(QIODevice::ReadOnly), "the dump writes its file");
        QCOMPARE(written.readAll(), idl);
        const QByteArray nowhere = QFile::encodeName(dir.filePath(QStringLiteral("missing/sub/x.idl")));
        QCOMPARE(dump(nowhere.constData(), "1.0"), -2);
    }
};

QTEST_MAIN(TestAxFactory)
#include "tst_axfactory.moc"

#include <QtTest>

#include <cstring>

#include "eventdetector.h"

// The event rules over short sample lists written as tokens: "50" is a
// second at 50 km/h with a fix and calm axes (Z 1 g), "-" a second without
// a fix, "50/x1.8/y-0.5/z2.6" sets axes. Events are "second:kind:value".
class TestEventDetector : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void seam_data();
    void seam();

private:
    static GpsData sample(const QString &token, int second)
    {
        GpsData s;
        std::memset(&s, 0, sizeof s);
        s.index = second;
        const QDateTime when = QDateTime(QDate(2024, 3, 1), QTime(9, 0)).addSecs(second);
        std::memcpy(s.dateTime, when.toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1().constData(), 14);
        s.gsensorZ = 1.0f;
        if (token == QLatin1String("-"))
            return s;
        const QStringList parts = token.split(QLatin1Char('/'));
        s.speed = parts.first().toInt();
        s.latitude = 35.6 + second * 0.0001;
        s.longitude = 139.7 + second * 0.0001;
        for (const QString &axis : parts.mid(1)) {
            const float g = axis.mid(1).toFloat();
            if (axis.startsWith(QLatin1Char('x')))
                s.gsensorX = g;
            else if (axis.startsWith(QLatin1Char('y')))
                s.gsensorY = g;
            else
                s.gsensorZ = g;
        }
        return s;
    }

    static QList<GpsData> samples(const QString &tokens)
    {
        QList<GpsData> out;
        const QStringList list = tokens.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (int i = 0; i < list.size(); ++i)
            out.append(sample(list.at(i), i));
        return out;
    }

    static QString text(const QVector<DrivingEvent> &events)
    {
        QStringList out;
        for (const DrivingEvent &e : events) {
            const QString value = e.kind == DrivingEvent::Impact ? QString::number(e.value, 'f', 2)
                                                                 : QString::number(qRound(e.value));
            out << QStringLiteral("%1:%2:%3").arg(e.second).arg(DrivingEvent::kindName(e.kind), value);
        }
        return out.join(QLatin1Char(' '));
    }
};

void TestEventDetector::rules_data()
{
    QTest::addColumn<QString>("thresholds"); // braking km/h, acceleration km/h, change g, reading g
    QTest::addColumn<QString>("previous");   // the last second of the recording before, or empty
    QTest::addColumn<QString>("tokens");
    QTest::addColumn<QString>("expected");

    const QString defaults = QStringLiteral("12,10,1.5,2.0");
    QTest::newRow("nothing") << defaults << "" << "" << "";
    QTest::newRow("calm drive") << defaults << "" << "50 52 55 50 45" << "";
    QTest::newRow("braking at the threshold") << defaults << "" << "50 38" << "1:braking:12";
    QTest::newRow("braking just below") << defaults << "" << "50 39" << "";
    QTest::newRow("acceleration at the threshold") << defaults << "" << "30 40" << "1:acceleration:10";
    QTest::newRow("acceleration just below") << defaults << "" << "30 39" << "";
    QTest::newRow("change on x") << defaults << "" << "50 50/x1.5" << "1:impact:1.50";
    QTest::newRow("knock on y and back is one event") << defaults << "" << "50 50/y-1.6 50" << "1:impact:1.60";
    QTest::newRow("change on z reads above the limit") << defaults << "" << "50 50/z2.6" << "1:impact:2.60";
    QTest::newRow("change just below") << defaults << "" << "50/x0.2 50/x1.69" << "";
    QTest::newRow("reading without a large change") << defaults << "" << "50/x1.0 50/x1.6 50/x2.0" << "2:impact:2.00";
    QTest::newRow("negative reading on the first second") << defaults << "" << "50/y-2.2" << "0:impact:2.20";
    QTest::newRow("lost and regained fix") << defaults << "" << "50 - 50" << "";
    QTest::newRow("fix regained at a new speed") << defaults << "" << "- 80 60" << "2:braking:20";
    QTest::newRow("run of braking at its strongest") << defaults << "" << "60 46 30 18 18" << "2:braking:16";
    QTest::newRow("equal run keeps the first") << defaults << "" << "60 46 32 32" << "1:braking:14";
    QTest::newRow("two runs") << defaults << "" << "60 46 46 32" << "1:braking:14 3:braking:14";
    QTest::newRow("kinds in one second") << defaults << "" << "60 46/x2.0" << "1:braking:14 1:impact:2.00";
    QTest::newRow("braking then acceleration") << defaults << "" << "60 40 60" << "1:braking:20 2:acceleration:20";
    QTest::newRow("seam braking") << defaults << "40" << "20 20" << "0:braking:20";
    QTest::newRow("seam impact") << defaults << "40/x-1.6" << "40 40" << "0:impact:1.60";
    QTest::newRow("seam without a fix") << defaults << "-" << "30 30" << "";
    QTest::newRow("raised thresholds") << "15,20,2.0,3.0" << "" << "50 36 50/x1.8 50 64" << "";
    QTest::newRow("lowered thresholds") << "5,5,0.5,1.5" << "" << "50 44 50/x0.6" << "1:braking:6 2:acceleration:6 2:impact:0.60";
    QTest::newRow("lowered reading limit meets gravity") << "12,10,1.5,1.0" << "" << "50" << "0:impact:1.00";
}

void TestEventDetector::rules()
{
    QFETCH(QString, thresholds);
    QFETCH(QString, previous);
    QFETCH(QString, tokens);
    QFETCH(QString, expected);

    const QStringList t = thresholds.split(QLatin1Char(','));
    EventThresholds limits;
    limits.brakingKmh = t.at(0).toInt();
    limits.accelerationKmh = t.at(1).toInt();
    limits.impactDeltaG = t.at(2).toDouble();
    limits.impactG = t.at(3).toDouble();
    const GpsData before = sample(previous, -1);
    const QVector<DrivingEvent> events = detectEvents(samples(tokens), limits, previous.isEmpty() ? nullptr : &before);
    QCOMPARE(text(events), expected);
}

void TestEventDetector::seam_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("first");
    QTest::addColumn<bool>("continues");
    QTest::newRow("next second") << "20240301090000" << "20240301090001" << true;
    QTest::newRow("ten seconds") << "20240301090000" << "20240301090010" << true;
    QTest::newRow("eleven seconds") << "20240301090000" << "20240301090011" << false;
    QTest::newRow("same second") << "20240301090000" << "20240301090000" << false;
    QTest::newRow("earlier") << "20240301090000" << "20240301085955" << false;
    QTest::newRow("over a leap day's midnight") << "20240229235959" << "20240301000004" << true;
    QTest::newRow("over new year") << "20231231235955" << "20240101000001" << true;
    QTest::newRow("no such day") << "20240230235959" << "20240301000000" << false;
    QTest::newRow("no such hour") << "20240301245959" << "20240301250000" << false;
    QTest::newRow("not digits") << "2024030109000 " << "20240301090001" << false;
    QTest::newRow("the filler of a missing record") << "<<<<<<<<<<<<<<" << "20240301090001" << false;
}

void TestEventDetector::seam()
{
    QFETCH(QString, last);
    QFETCH(QString, first);
    QFETCH(bool, continues);
    GpsData a = sample(QStringLiteral("50"), 0);
    GpsData b = sample(QStringLiteral("50"), 1);
    std::memcpy(a.dateTime, last.toLatin1().constData(), 14);
    std::memcpy(b.dateTime, first.toLatin1().constData(), 14);
    QCOMPARE(continuesTrip(a, b), continues);
}

QTEST_GUILESS_MAIN(TestEventDetector)
#include "tst_eventdetector.moc"

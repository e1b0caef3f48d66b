#include <QtTest>

#include <thread>

#include "crashdumper.h"

// "--crash" makes a copy of this program crash on a worker thread with the
// dumper installed, as the viewer's decoding threads would.
namespace {
int crashMain()
{
    static CrashDumper dumper;
    std::thread worker([] {
        volatile int *nowhere = nullptr;
        *nowhere = 42;
    });
    worker.join();
    return 0;
}
} // namespace

class TestCrashDumper : public QObject
{
    Q_OBJECT
private:
    QString dumpPath() const { return QCoreApplication::applicationFilePath() + QStringLiteral(".dmp"); }

    QByteArray crashOnce(int *status)
    {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--crash")});
        if (!p.waitForFinished(20000))
            return QByteArray();
        *status = p.exitStatus() == QProcess::CrashExit ? -1 : p.exitCode();
        return p.readAllStandardError();
    }

private slots:
    void crashWritesDumpBesideProgram()
    {
        QFile::remove(dumpPath());
        int status = 0;
        const QByteArray log = crashOnce(&status);
        QCOMPARE(status, -1);
        QVERIFY2(log.contains("Dump file created in"), log.constData());
        QVERIFY(log.contains(QCoreApplication::applicationFilePath().toLocal8Bit()));
        QFile dump(dumpPath());
        QVERIFY(dump.open(QIODevice::ReadOnly));
        const QByteArray first = dump.readAll();
        QVERIFY(first.contains("signal: 11"));
        dump.close();

        // A second crash replaces the dump rather than appending to it.
        const QDateTime before = QFileInfo(dumpPath()).lastModified();
        QTest::qWait(20);
        crashOnce(&status);
        QCOMPARE(status, -1);
        QVERIFY(dump.open(QIODevice::ReadOnly));
        QCOMPARE(dump.readAll().count("program: "), 1);
        QVERIFY(QFileInfo(dumpPath()).lastModified() >= before);
        QFile::remove(dumpPath());
    }
};

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--crash") == 0)
        return crashMain();
    QCoreApplication app(argc, argv);
    TestCrashDumper test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_crashdumper.moc"

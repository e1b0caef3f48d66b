#include <QtTest>

#include <cstdlib>
#include <thread>

#include "crashdumper.h"

// "--crash HOW" makes a copy of this program crash with the dumper installed,
// as the viewer's threads would.
namespace {

volatile bool g_stopRecursion = false;

__attribute__((noinline)) int recurse(int depth)
{
    volatile char frame[1024];
    frame[0] = char(depth);
    if (g_stopRecursion)
        return 0;
    return recurse(depth + 1) + frame[0];
}

// Overwrites the size of the heap's top chunk, so the next large request
// aborts inside malloc while it holds its arena lock.
void corruptHeapThenAllocate()
{
    char *block = static_cast<char *>(std::malloc(24));
    // Hides the overrun from the compiler, which would drop or flag it.
    char *end = block + 24;
    asm volatile("" : "+r"(end));
    *reinterpret_cast<volatile size_t *>(end) = ~size_t(0);
    void *large = std::malloc(100000);
    std::free(large);
    std::free(block);
}

int crashMain(const char *how)
{
    static CrashDumper dumper;
    if (qstrcmp(how, "overflow-main") == 0)
        return recurse(0);
    std::thread worker([how] {
        if (qstrcmp(how, "null") == 0) {
            volatile int *nowhere = nullptr;
            *nowhere = 42;
        } else if (qstrcmp(how, "abort") == 0) {
            std::abort();
        } else if (qstrcmp(how, "heap") == 0) {
            corruptHeapThenAllocate();
        } else if (qstrcmp(how, "overflow-thread") == 0) {
            CrashDumper::guardThread();
            recurse(0);
        }
    });
    worker.join();
    return 0;
}

struct Crash
{
    bool ended = false;   // within the time limit
    bool bySignal = false;
    QByteArray log;
    QByteArray dump;
};

} // namespace

class TestCrashDumper : public QObject
{
    Q_OBJECT
private:
    QString dumpPath() const { return QCoreApplication::applicationFilePath() + QStringLiteral(".dmp"); }

    Crash crashOnce(const char *how)
    {
        QFile::remove(dumpPath());
        Crash crash;
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--crash"), QString::fromLatin1(how)});
        crash.ended = p.waitForFinished(20000);
        if (!crash.ended) {
            p.kill();
            p.waitForFinished(5000);
            return crash;
        }
        crash.bySignal = p.exitStatus() == QProcess::CrashExit;
        crash.log = p.readAllStandardError();
        QFile dump(dumpPath());
        if (dump.open(QIODevice::ReadOnly))
            crash.dump = dump.readAll();
        return crash;
    }

private slots:
    void crashWritesDumpBesideProgram()
    {
        const Crash first = crashOnce("null");
        QVERIFY2(first.ended, "the child ended");
        QVERIFY2(first.bySignal, "ended by the signal");
        QVERIFY2(first.log.contains("Dump file created in"), first.log.constData());
        QVERIFY2(first.log.contains(QCoreApplication::applicationFilePath().toLocal8Bit()),
                 "the log names the program");
        QVERIFY2(first.dump.contains("signal: 11"), "the dump names the signal");

        // A second crash replaces the dump rather than appending to it.
        const Crash second = crashOnce("null");
        QVERIFY2(second.bySignal, "the second crash ended by the signal");
        QCOMPARE(second.dump.count("program: "), 1);
        QFile::remove(dumpPath());
    }

    // Each crash leaves a dump and still ends the process by its signal,
    // also where the stack is gone or the allocator is locked.
    void everyCrashEndsWithDump_data()
    {
        QTest::addColumn<QByteArray>("how");
        QTest::addColumn<QByteArray>("signalLine");
        QTest::newRow("stack overflow, main thread") << QByteArray("overflow-main") << QByteArray("signal: 11");
        QTest::newRow("stack overflow, worker thread") << QByteArray("overflow-thread") << QByteArray("signal: 11");
        QTest::newRow("abort in a worker thread") << QByteArray("abort") << QByteArray("signal: 6");
        QTest::newRow("abort inside the allocator") << QByteArray("heap") << QByteArray("signal: 6");
    }

    void everyCrashEndsWithDump()
    {
        QFETCH(QByteArray, how);
        QFETCH(QByteArray, signalLine);
        const Crash crash = crashOnce(how.constData());
        QVERIFY2(crash.ended, "the crashed process hung");
        QVERIFY2(crash.bySignal, "ended by the signal");
        QVERIFY2(crash.dump.contains(signalLine), crash.dump.left(200).constData());
        QVERIFY2(crash.dump.contains("backtrace:\n0x"), "the dump lists return addresses");
        QVERIFY2(crash.log.contains("Dump file created in " + QCoreApplication::applicationFilePath().toLocal8Bit()),
                 crash.log.constData());
        QFile::remove(dumpPath());
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--crash") == 0)
        return crashMain(argv[2]);
    QCoreApplication app(argc, argv);
    TestCrashDumper test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_crashdumper.moc"

#include <QtTest>

#include <csignal>
#include <memory>
#include <vector>
#include <sys/types.h>

#include "qtsingleapplication.h"

// The test runs copies of itself: "--probe ID" exits 10 when another instance
// runs and 20 when it is the first; "--hold ID" becomes the first instance and
// waits to be killed; "--viewer ID" starts as the viewer does, ending with 0
// when another instance runs.
namespace {
constexpr int kRunning = 10;
constexpr int kFirst = 20;

int childMain(int argc, char **argv)
{
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString id = QString::fromLocal8Bit(argv[2]);
    QtSingleApplication app(id, argc, argv);
    const bool running = app.isRunning();
    if (mode == QLatin1String("--probe"))
        return running ? kRunning : kFirst;
    if (mode == QLatin1String("--viewer") && running)
        return 0;
    if (running)
        return kRunning;
    printf("ready\n");
    fflush(stdout);
    return app.exec();
}
} // namespace

class TestSingleApplication : public QObject
{
    Q_OBJECT
private:
    QString m_id = QStringLiteral("trackora-test-%1").arg(QCoreApplication::applicationPid());

    int probe()
    {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--probe"), m_id});
        if (!p.waitForFinished(10000))
            return -1;
        return p.exitCode();
    }

    void startHolder(QProcess &holder)
    {
        holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), m_id});
        QVERIFY(holder.waitForStarted());
        QByteArray out;
        while (!out.contains("ready") && holder.waitForReadyRead(10000))
            out += holder.readAllStandardOutput();
        QVERIFY2(out.contains("ready"), out.constData());
    }

private slots:
    void firstInstanceIsNotRunning()
    {
        QCOMPARE(probe(), kFirst);
        // A probe that ended left nothing behind.
        QCOMPARE(probe(), kFirst);
    }

    void secondInstanceSeesTheFirst()
    {
        QProcess holder;
        startHolder(holder);
        QCOMPARE(probe(), kRunning);
        QCOMPARE(probe(), kRunning);
        holder.terminate();
        QVERIFY2(holder.waitForFinished(10000), "the holder ends when terminated");
    }

    void crashedFirstInstanceIsTakenOver()
    {
        QProcess holder;
        startHolder(holder);
        ::kill(pid_t(holder.processId()), SIGKILL);
        QVERIFY2(holder.waitForFinished(10000), "the holder ends when killed");
        QCOMPARE(probe(), kFirst);
    }

    // Started together, before any of them is fully up: one stays.
    void eightAtOnceLeaveOne()
    {
        constexpr int kViewers = 8;
        const QString id = m_id + QStringLiteral("-together");
        std::vector<std::unique_ptr<QProcess>> viewers;
        const auto stopAll = qScopeGuard([&viewers] {
            for (auto &p : viewers) {
                p->terminate();
                p->waitForFinished(10000);
            }
        });
        for (int i = 0; i < kViewers; ++i) {
            viewers.emplace_back(new QProcess);
            viewers.back()->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--viewer"), id});
        }
        int ended = 0;
        int ready = 0;
        QElapsedTimer clock;
        clock.start();
        QByteArray outputs[kViewers];
        while (ended + ready < kViewers && clock.elapsed() < 30000) {
            ended = ready = 0;
            for (int i = 0; i < kViewers; ++i) {
                QProcess &p = *viewers[size_t(i)];
                p.waitForReadyRead(10);
                outputs[i] += p.readAllStandardOutput();
                if (p.state() == QProcess::NotRunning) {
                    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
                    QCOMPARE(p.exitCode(), 0);
                    ++ended;
                } else if (outputs[i].contains("ready")) {
                    ++ready;
                }
            }
        }
        QCOMPARE(ready, 1);
        QCOMPARE(ended, kViewers - 1);
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && (qstrcmp(argv[1], "--probe") == 0 || qstrcmp(argv[1], "--hold") == 0
                      || qstrcmp(argv[1], "--viewer") == 0))
        return childMain(argc, argv);
    QCoreApplication app(argc, argv);
    TestSingleApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_singleapplication.moc"

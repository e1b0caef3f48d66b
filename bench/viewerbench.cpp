#include "viewerbench.h"

#include "benchcommon.h"
#include "configuration.h"
#include "controlpanel.h"
#include "eventdetector.h"
#include "mainwindows.h"
#include "mapwebview.h"
#include "playareamanager.h"
#include "playlistmodel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QJsonArray>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <QWebEnginePage>
#include <QtMath>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <unistd.h>

namespace {

// The folder test's timer period; its lateness is the event loop's latency.
constexpr int kTickMs = 10;
// How often the process tree's memory is sampled.
constexpr int kMemorySampleMs = 200;
// How late a waiting loop notices its time is up.
constexpr int kPollMs = 20;

// Times each event the application hands out; with a bound set, every one
// that took longer is logged with its receiver and nesting depth, to find
// what holds the event loop.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    int traceMs = 0;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (traceMs <= 0 || QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        const int type = event->type();
        QElapsedTimer took;
        took.start();
        timespec cpu0{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu0);
        ++depth;
        const bool handled = QApplication::notify(receiver, event);
        --depth;
        timespec cpu1{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu1);
        const double cpuMs = (cpu1.tv_sec - cpu0.tv_sec) * 1e3 + (cpu1.tv_nsec - cpu0.tv_nsec) / 1e6;
        if (took.elapsed() >= traceMs)
            qInfo("slow event %lld ms (cpu %.1f ms), depth %d: %s \"%s\" type %d", took.elapsed(), cpuMs, depth,
                  receiver->metaObject()->className(), qPrintable(receiver->objectName()), type);
        return handled;
    }

private:
    int depth = 0;
};

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Sleeps in the event loop: a loop that polls would spend a core of the very
// process it measures and starve the parse threads on a small machine.
double cpuSeconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Pred>
bool spinUntil(Pred done, int ms)
{
    QElapsedTimer t;
    t.start();
    // The predicate changes with delivered events; the timer only bounds how
    // late a timeout is seen.
    QTimer wake;
    wake.start(kPollMs);
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// /proc/PID/stat: utime + stime in seconds, and the parent's pid.
bool readStat(int pid, double &cpuSeconds, int &parent)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = f.readAll();
    const int close = text.lastIndexOf(')');
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    if (fields.size() < 13)
        return false;
    parent = fields.at(1).toInt();
    cpuSeconds = (fields.at(11).toDouble() + fields.at(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
    return true;
}

qint64 rssKB(int pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The process and every descendant (the web engine's helpers among them).
QList<int> processTree(int root)
{
    QHash<int, QList<int>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &e : entries) {
        bool ok = false;
        const int pid = e.toInt(&ok);
        double cpu = 0;
        int parent = 0;
        if (ok && readStat(pid, cpu, parent))
            children[parent].append(pid);
    }
    QList<int> out{root};
    for (int i = 0; i < out.size(); ++i)
        out += children.value(out.at(i));
    return out;
}

double treeCpu(const QList<int> &pids)
{
    double total = 0;
    for (int pid : pids) {
        double cpu = 0;
        int parent = 0;
        if (readStat(pid, cpu, parent))
            total += cpu;
    }
    return total;
}

qint64 treeRss(const QList<int> &pids)
{
    qint64 total = 0;
    for (int pid : pids)
        total += rssKB(pid);
    return total;
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2) : QString();
}

double median(QVector<double> v)
{
    if (v.isEmpty())
        return -1;
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

void answerPicker(const QString &folder, qint64 *acceptedNs)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, folder, acceptedNs] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        // The whole path typed: selectFile leaves a focused name field alone.
        dialog->setDirectory(folder);
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(QDir(folder).absolutePath());
        *acceptedNs = monotonicNs();
        static_cast<QDialog *>(dialog)->accept();
    });
    poll->start();
}

void openFolder(MainWindows &window, const QString &folder, qint64 *acceptedNs)
{
    answerPicker(folder, acceptedNs);
    window.findChild<QAbstractButton *>(QStringLiteral("btn_OpenFile"))->click();
}

bool exposed(QWidget &w)
{
    return w.windowHandle() && w.windowHandle()->isExposed();
}

// (a) The real program from its start to its first exposed window. It runs
// in a settings, cache and instance-lock folder of its own, so neither the
// user's settings nor a viewer already running changes what is measured.
QJsonObject startupFigures(const QString &work, int rounds)
{
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Trackora"));
    if (!QFileInfo(program).isExecutable())
        return {{QStringLiteral("error"), QStringLiteral("no program at ") + program}};
    const QString home = QDir(work).filePath(QStringLiteral("startup-home"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString dir = QDir(home).filePath(QString::fromLatin1(name).toLower());
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env.insert(QString::fromLatin1(name), dir);
    }
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));

    QVector<double> ms;
    QVector<double> cpu;
    QStringList failures;
    for (int i = 0; i < rounds; ++i) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.setStandardOutputFile(QProcess::nullDevice());
        child.setReadChannel(QProcess::StandardError);
        const qint64 start = monotonicNs();
        child.start(program, QStringList());
        qint64 shown = 0;
        QByteArray log;
        QElapsedTimer t;
        t.start();
        while (!shown && t.elapsed() < 60000 && child.state() != QProcess::NotRunning) {
            if (!child.waitForReadyRead(100))
                continue;
            log += child.readAll();
            if (log.contains("window shown"))
                shown = monotonicNs();
        }
        if (shown) {
            ms.append(double(shown - start) / 1e6);
            cpu.append(treeCpu(processTree(int(child.processId()))));
        } else {
            failures.append(QString::fromLocal8Bit(log.right(400)));
        }
        child.terminate();
        if (!child.waitForFinished(10000)) {
            child.kill();
            child.waitForFinished(5000);
        }
    }
    QJsonArray all;
    for (double v : ms)
        all.append(v);
    QJsonObject out{{QStringLiteral("windowShownMs"), median(ms)},
                    {QStringLiteral("cpuSecondsAtShown"), median(cpu)},
                    {QStringLiteral("rounds"), all}};
    if (!failures.isEmpty())
        out.insert(QStringLiteral("failures"), QJsonArray::fromStringList(failures));
    return out;
}

// Waits until the event loop has run quietly for a while: the web engine and
// the map page start up after the window shows, and a person chooses a folder
// after that, not within the same frame. Returns the time waited.
qint64 settle(int quietMs, int maxMs)
{
    QElapsedTimer total;
    total.start();
    QElapsedTimer quiet;
    quiet.start();
    qint64 last = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = total.elapsed();
        if (now - last > kTickMs + 15)
            quiet.restart();
        last = now;
    });
    tick.start(kTickMs);
    spinUntil([&] { return quiet.elapsed() >= quietMs; }, maxMs);
    return total.elapsed();
}

// (b) A folder of many one-minute recordings.
QJsonObject folderFigures(MainWindows &window, const QString &minute, const QString &work, int rows, int traceMs)
{
    const QString dir = QDir(work).filePath(QStringLiteral("folder%1").arg(rows));
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    for (int i = 0; i < rows; ++i) {
        const QString name = QDir(dir).filePath(QStringLiteral("20240501_%1_F.mp4").arg(i, 6, 10, QLatin1Char('0')));
        if (!QFile::link(minute, name) && ::link(QFile::encodeName(minute).constData(), QFile::encodeName(name).constData()) != 0)
            return {{QStringLiteral("error"), QStringLiteral("cannot link ") + name}};
    }

    qint64 accepted = 0;
    qint64 firstPicture = 0;
    qint64 allListed = 0;
    QSet<int> parsed;
    PlaylistModel *model = window.playlist();
    auto *area = window.findChild<PlayAreaManager *>(QStringLiteral("wgt_PlayArea"));
    const auto c1 = QObject::connect(area, &PlayAreaManager::positionChanged, [&](int, qint64) {
        if (!firstPicture && accepted)
            firstPicture = monotonicNs();
    });
    // Row 0's list arrives unasked; it stands for every row's below.
    QList<GpsData> minuteSamples;
    const auto c3 = QObject::connect(model, &PlaylistModel::allGpsDataParserFinished, [&](int id, const QList<GpsData> &list) {
        if (id == 0 && minuteSamples.isEmpty())
            minuteSamples = list;
    });
    const auto c2 = QObject::connect(model, &PlaylistModel::parseFinished, [&](int id) {
        parsed.insert(id);
        if (parsed.size() == rows && !allListed)
            allListed = monotonicNs();
    });
    QVector<double> lateness;
    QElapsedTimer tickClock;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    qint64 lastTick = -1;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = tickClock.nsecsElapsed();
        if (lastTick >= 0 && accepted && !allListed) {
            const double late = qMax(0.0, double(now - lastTick) / 1e6 - kTickMs);
            lateness.append(late);
            // Where in the scan the loop was held, to line up with the log.
            if (traceMs > 0 && late >= traceMs)
                qInfo("stall %.1f ms, ending %.1f ms after the folder was chosen", late,
                      double(monotonicNs() - accepted) / 1e6);
        }
        lastTick = now;
    });
    tickClock.start();
    tick.start(kTickMs);

    const double guiCpuBefore = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double processCpuBefore = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    openFolder(window, dir, &accepted);
    spinUntil([&] { return allListed && firstPicture; }, 120000);
    tick.stop();
    // What the scan costs whatever the load: the GUI thread's share, and the
    // whole process's (the parses and the first clip's playback included).
    const double guiCpu = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - guiCpuBefore;
    const double processCpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processCpuBefore;
    QObject::disconnect(c1);
    QObject::disconnect(c2);
    QObject::disconnect(c3);

    // Event detection over every listed row's minute, each row continuing
    // the one before, on the GUI thread as the window runs it.
    const EventThresholds thresholds;
    int eventsFound = 0;
    QElapsedTimer detection;
    detection.start();
    for (int i = 0; i < rows && !minuteSamples.isEmpty(); ++i) {
        const GpsData *previous = i > 0 && continuesTrip(minuteSamples.last(), minuteSamples.first()) ? &minuteSamples.last() : nullptr;
        eventsFound += detectEvents(minuteSamples, thresholds, previous).size();
    }
    const double detectionMs = minuteSamples.isEmpty() ? -1.0 : detection.nsecsElapsed() / 1e6;

    auto ms = [&](qint64 at) { return at && accepted ? double(at - accepted) / 1e6 : -1.0; };
    return {{QStringLiteral("rows"), rows},
            {QStringLiteral("listedRows"), model->rowCount()},
            {QStringLiteral("firstPictureMs"), ms(firstPicture)},
            {QStringLiteral("allDurationsMs"), ms(allListed)},
            {QStringLiteral("loopLatencyP50Ms"), bench::percentile(lateness, 50)},
            {QStringLiteral("loopLatencyP99Ms"), bench::percentile(lateness, 99)},
            {QStringLiteral("loopSamples"), lateness.size()},
            {QStringLiteral("guiCpuSeconds"), guiCpu},
            {QStringLiteral("processCpuSeconds"), processCpu},
            {QStringLiteral("eventDetectionMs"), detectionMs},
            {QStringLiteral("eventDetectionSamplesPerRow"), minuteSamples.size()},
            {QStringLiteral("eventsFound"), eventsFound}};
}

// (c) Playback cost of the pair with everything running, and the same two
// files in two mpv windows, alternating.
// The page's answer to a script, once every call sent before it has run.
QVariant pageAnswer(QWebEnginePage *page, const QString &script)
{
    QVariant answer;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &v) {
        answer = v;
        done = true;
    });
    spinUntil([&] { return done; }, 30000);
    return answer;
}

// A two-hour drive (7200 samples) drawn whole on the map: how long until the
// page has drawn it, and what each second's update costs the GUI thread.
QJsonObject tripFigures(MainWindows &window, int rounds)
{
    auto *map = window.findChild<MapWebView *>(QStringLiteral("wgt_MapView"));
    QJsonObject out;
    const auto backend = [map] {
        return map->page() ? pageAnswer(map->page(), QStringLiteral("window.trackoraMapState ? trackoraMapState().backend : 'none'")).toString()
                           : QString();
    };
    if (!map || !spinUntil([&] { return !backend().isEmpty() && backend() != QLatin1String("none"); }, 60000)) {
        out.insert(QStringLiteral("error"), QStringLiteral("the map page did not come up"));
        return out;
    }
    const int samples = 7200;
    QVector<QVector<double>> points;
    points.reserve(samples);
    double lng = 139.70, lat = 35.68;
    for (int i = 0; i < samples; ++i) {
        // A winding road, slow in town and fast between, about 12 m a second on average.
        const double heading = i * 0.004 + 0.8 * qSin(i * 0.013);
        const double speed = 15 + 60 * (0.5 + 0.5 * qSin(i * 0.0021)) + 40 * qMax(0.0, qSin(i * 0.0007));
        lng += qSin(heading) * speed / 3.6 / 91000.0;
        lat += qCos(heading) * speed / 3.6 / 111000.0;
        points.append({lng, lat, speed, double(i)});
    }
    QJsonArray draws;
    QJsonArray updates;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        map->showTrip(points);
        const qint64 sendNs = t.nsecsElapsed();
        const int drawn = pageAnswer(map->page(), QStringLiteral("trackoraMapState().trip")).toInt();
        draws.append(QJsonObject{{QStringLiteral("ms"), t.nsecsElapsed() / 1e6},
                                 {QStringLiteral("guiSendMs"), sendNs / 1e6},
                                 {QStringLiteral("points"), drawn}});
        // A minute of seconds, each update as the window sends it.
        qint64 worstNs = 0;
        qint64 sumNs = 0;
        for (int second = 0; second < 60; ++second) {
            QElapsedTimer u;
            u.start();
            map->setPlayed(3600 + second);
            const qint64 ns = u.nsecsElapsed();
            worstNs = qMax(worstNs, ns);
            sumNs += ns;
            QCoreApplication::processEvents();
        }
        QElapsedTimer caught;
        caught.start();
        const int played = pageAnswer(map->page(), QStringLiteral("trackoraMapState().played")).toInt();
        updates.append(QJsonObject{{QStringLiteral("worstMs"), worstNs / 1e6},
                                   {QStringLiteral("meanMs"), sumNs / 60 / 1e6},
                                   {QStringLiteral("pageCatchUpMs"), caught.nsecsElapsed() / 1e6},
                                   {QStringLiteral("played"), played}});
    }
    out.insert(QStringLiteral("samples"), samples);
    out.insert(QStringLiteral("draw"), draws);
    out.insert(QStringLiteral("secondUpdate"), updates);
    return out;
}

QJsonObject playbackFigures(MainWindows &window, const QString &media, int seconds, int rounds)
{
    const QString dir = QDir(media).filePath(QStringLiteral("pair"));
    QDir().mkpath(dir);
    for (const char *name : {"pair1080_F.mp4", "pair1080_R.mp4"}) {
        const QString target = QDir(dir).filePath(QLatin1String(name));
        if (!QFileInfo::exists(target))
            QFile::link(QDir(media).filePath(QLatin1String(name)), target);
    }
    const QList<int> self{int(getpid())};
    QVector<double> viewerCpu;
    QVector<double> viewerSampling;
    QVector<double> mpvCpu;
    qint64 viewerPeakKB = 0;
    qint64 mpvPeakKB = 0;
    auto *panel = window.findChild<ControlPanel *>(QStringLiteral("wgt_PlayCtrl"));
    for (int round = 0; round < rounds; ++round) {
        qint64 accepted = 0;
        openFolder(window, dir, &accepted);
        if (!spinUntil([&] { return panel->state() == TrackoraActiveXLib::PlayingState; }, 30000))
            return {{QStringLiteral("error"), QStringLiteral("the pair did not play")}};
        spin(1000); // past the opening pictures
        QList<int> tree = processTree(getpid());
        const double before = treeCpu(tree);
        // The viewer runs in this process: what the memory sampling itself
        // costs (a walk of /proc) is the benchmark's, not the viewer's.
        double samplingCpu = 0;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < seconds * 1000) {
            spin(kMemorySampleMs);
            const double sampleStart = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
            tree = processTree(getpid());
            viewerPeakKB = qMax(viewerPeakKB, treeRss(tree));
            samplingCpu += cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - sampleStart;
        }
        const double elapsed = double(t.elapsed()) / 1000.0;
        const double sampleStart = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        const double after = treeCpu(tree);
        samplingCpu += cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - sampleStart;
        viewerCpu.append((after - before - samplingCpu) / elapsed);
        viewerSampling.append(samplingCpu / elapsed);
        window.findChild<QAbstractButton *>(QStringLiteral("btn_Stop"))->click();
        spin(500);

        QList<QProcess *> players;
        for (const char *name : {"pair1080_F.mp4", "pair1080_R.mp4"}) {
            auto *p = new QProcess;
            p->start(QStringLiteral("mpv"), {QStringLiteral("--no-config"), QStringLiteral("--vo=x11"), QStringLiteral("--ao=null"),
                                             QStringLiteral("--hwdec=no"), QStringLiteral("--really-quiet"),
                                             QStringLiteral("--geometry=640x360"), QDir(dir).filePath(QLatin1String(name))});
            if (!p->waitForStarted(5000)) {
                delete p;
                qDeleteAll(players);
                return {{QStringLiteral("error"), QStringLiteral("mpv did not start (tools/install-deps.sh --bench)")}};
            }
            players.append(p);
        }
        spin(1000);
        QList<int> mpvPids;
        for (QProcess *p : players)
            mpvPids += processTree(int(p->processId()));
        const double mpvBefore = treeCpu(mpvPids);
        QElapsedTimer m;
        m.start();
        while (m.elapsed() < seconds * 1000) {
            spin(kMemorySampleMs);
            mpvPeakKB = qMax(mpvPeakKB, treeRss(mpvPids));
        }
        mpvCpu.append((treeCpu(mpvPids) - mpvBefore) / (double(m.elapsed()) / 1000.0));
        for (QProcess *p : players) {
            p->terminate();
            p->waitForFinished(3000);
        }
        qDeleteAll(players);
    }
    const double viewer = median(viewerCpu);
    const double peer = median(mpvCpu);
    QJsonArray v, m;
    for (double x : viewerCpu)
        v.append(x);
    for (double x : mpvCpu)
        m.append(x);
    return {{QStringLiteral("viewerCpuPerSecond"), viewer},
            {QStringLiteral("mpvPairCpuPerSecond"), peer},
            {QStringLiteral("ratio"), peer > 0 ? viewer / peer : -1},
            {QStringLiteral("viewerRounds"), v},
            {QStringLiteral("samplingCpuPerSecondLeftOut"), median(viewerSampling)},
            {QStringLiteral("mpvRounds"), m},
            {QStringLiteral("viewerPeakTreeRssKB"), viewerPeakKB},
            {QStringLiteral("mpvPeakTreeRssKB"), mpvPeakKB},
            {QStringLiteral("seconds"), seconds}};
}

} // namespace

int runViewerBench(int argc, char **argv)
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    bench::useDummyAudioUnlessSet();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TimedApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("viewer"), QStringLiteral("this benchmark"));
    const QCommandLineOption mediaOpt(QStringLiteral("media"), QStringLiteral("folder for the generated recordings"),
                                      QStringLiteral("DIR"), QStringLiteral("build/bench-media"));
    const QCommandLineOption rowsOpt(QStringLiteral("rows"), QStringLiteral("recordings in the large folder"), QStringLiteral("N"),
                                     QStringLiteral("2000"));
    const QCommandLineOption secondsOpt(QStringLiteral("seconds"), QStringLiteral("playback seconds measured per round"),
                                        QStringLiteral("S"), QStringLiteral("20"));
    const QCommandLineOption roundsOpt(QStringLiteral("rounds"), QStringLiteral("rounds of each measurement"), QStringLiteral("N"),
                                       QStringLiteral("3"));
    const QCommandLineOption partsOpt(QStringLiteral("parts"),
                                      QStringLiteral("comma-separated parts to run: startup, folder, playback, trip"),
                                      QStringLiteral("LIST"), QStringLiteral("startup,folder,playback,trip"));
    const QCommandLineOption traceOpt(QStringLiteral("trace-stalls"),
                                      QStringLiteral("log each event-loop stall of the folder part over MS"), QStringLiteral("MS"));
    parser.addOptions({mediaOpt, rowsOpt, secondsOpt, roundsOpt, partsOpt, traceOpt});
    parser.process(app);
    const QString media = QDir(parser.value(mediaOpt)).absolutePath();
    const int rounds = qMax(1, parser.value(roundsOpt).toInt());
    const QStringList parts = parser.value(partsOpt).split(QLatin1Char(','), Qt::SkipEmptyParts);
    app.traceMs = parser.value(traceOpt).toInt();

    QProcess make;
    make.setProcessChannelMode(QProcess::ForwardedChannels);
    make.start(QStringLiteral("python3"), {QStringLiteral(TRACKORA_SOURCE_DIR "/bench/viewer_media.py"), media});
    if (!make.waitForFinished(-1) || make.exitCode() != 0) {
        std::fprintf(stderr, "trackora-bench viewer: making the recordings in %s failed\n", qPrintable(media));
        return 1;
    }

    QJsonObject result{{QStringLiteral("bench"), QStringLiteral("viewer")},
                       {QStringLiteral("load"), loadAverage()}};
    if (parts.contains(QStringLiteral("startup")))
        result.insert(QStringLiteral("startup"), startupFigures(media, qMax(3, rounds)));

    bench::quietLogs();
    // Debug lines of chosen categories, to line up with the stall trace.
    if (qEnvironmentVariableIsSet("TRACKORA_BENCH_LOG_RULES"))
        QLoggingCategory::setFilterRules(qEnvironmentVariable("TRACKORA_BENCH_LOG_RULES"));
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral(TRACKORA_APP_NAME));
    QCoreApplication::setOrganizationName(QStringLiteral("TrackoraBench"));
    Configuration::instance()->setLanguage(Configuration::EnglishUS);
    Configuration::instance()->setMainWindowMaximized(false);
    Configuration::instance()->setMainWindowRect(QRect(100, 100, 1280, 800));
    {
        MainWindows window;
        window.show();
        spinUntil([&] { return exposed(window); }, 30000);
        if (parts.contains(QStringLiteral("folder"))) {
            const qint64 settledMs = settle(1000, 20000);
            QJsonObject folder = folderFigures(window, QDir(media).filePath(QStringLiteral("minute_F.mp4")), media,
                                               parser.value(rowsOpt).toInt(), parser.value(traceOpt).toInt());
            folder.insert(QStringLiteral("chosenAfterShownMs"), settledMs);
            result.insert(QStringLiteral("folder"), folder);
        }
        if (parts.contains(QStringLiteral("playback")))
            result.insert(QStringLiteral("playback"), playbackFigures(window, media, parser.value(secondsOpt).toInt(), rounds));
        if (parts.contains(QStringLiteral("trip")))
            result.insert(QStringLiteral("trip"), tripFigures(window, rounds));
        window.close();
    }
    bench::printJsonLine(result);
    return 0;
}

#include "FFBuffer.h"
#include "tst_logcapture.h"

#include <QElapsedTimer>
#include <QtTest>

#include <atomic>
#include <thread>

extern "C" {
#include <libavutil/buffer.h>
}

using namespace TrackoraActiveX;

namespace {
// A packet that owns a 64-byte buffer, so reference counts can be read back.
AVPacket *makePacket(int64_t pts)
{
    AVPacket *p = av_packet_alloc();
    av_new_packet(p, 64);
    p->pts = pts;
    return p;
}

AVFrame *makeFrame(int64_t pts)
{
    AVFrame *f = av_frame_alloc();
    f->format = AV_PIX_FMT_GRAY8;
    f->width = 16;
    f->height = 16;
    av_frame_get_buffer(f, 0);
    f->pts = pts;
    return f;
}

// One pull from the queue on a thread of its own, timed.
struct TimedPull
{
    std::atomic<bool> result{true};
    std::atomic<qint64> took{0};
    std::thread thread;

    explicit TimedPull(CFrameQueue &queue)
        : thread([this, &queue] {
              QElapsedTimer timer;
              timer.start();
              AVFrame *dst = av_frame_alloc();
              result = queue.pullQueue(dst);
              av_frame_free(&dst);
              took = timer.elapsed();
          })
    {
    }
};

} // namespace

class TestFFBuffer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void packetQueueAcceptsFourThenWaitsForPull();
    void itemsComeOutInPushOrder();
    void referencesFollowTheItems();
    void flushReleasesAndFreesAllShells();
    void giveUpAfterSixtySteps_data();
    void giveUpAfterSixtySteps();
    void failedPullLeavesDestinationUntouched();
    void nullDestinationFailsAtOnce();
    void waitsEndWhenTheOtherSideActs_data();
    void waitsEndWhenTheOtherSideActs();
    void abortEndsWaitsWithoutTimeoutLog();
    void parkingEndsAnEmptyPull();
    void syncFlagWaitWhileSet();
    void parkedPushOutlastsTheWaitLimit_data();
    void parkedPushOutlastsTheWaitLimit();
    void tryPullNeverWaits();
    void audioQueueCapacityFollowsItsOwner();
};

void TestFFBuffer::initTestCase()
{
    LogCapture::install();
}

void TestFFBuffer::init()
{
    LogCapture::clear();
}

void TestFFBuffer::packetQueueAcceptsFourThenWaitsForPull()
{
    CPacketQueue queue;
    AVPacket *src = makePacket(1);
    // With no wait steps at all, a push that needed to wait would fail at once.
    queue.waitTimeoutMs = 0;
    for (int i = 0; i < 4; ++i)
        QVERIFY2(queue.pushQueue(src), "the first four pushes must not wait");
    QCOMPARE(queue.queueSize(), 4);
    QVERIFY2(!queue.pushQueue(src), "a fifth push into a full queue cannot succeed without a pull");

    queue.waitTimeoutMs = 40;
    std::thread consumer([&queue] {
        // Deliberately late, so the push has to wait; nothing shows that it waits.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        AVPacket *dst = av_packet_alloc();
        queue.pullQueue(dst);
        av_packet_free(&dst);
    });
    QElapsedTimer timer;
    timer.start();
    QVERIFY2(queue.pushQueue(src), "the fifth push must succeed once a pull frees a shell");
    const qint64 waited = timer.elapsed();
    consumer.join();
    QVERIFY2(waited >= 150, qPrintable(QString("the push returned after %1 ms, before the pull").arg(waited)));
    QVERIFY2(waited < 2000, qPrintable(QString("the push took %1 ms after the pull").arg(waited)));
    QCOMPARE(queue.queueSize(), 4);
    av_packet_free(&src);
}

void TestFFBuffer::itemsComeOutInPushOrder()
{
    CPacketQueue packets;
    CFrameQueue frames;
    packets.waitTimeoutMs = 0;
    frames.waitTimeoutMs = 0;
    AVPacket *dst = av_packet_alloc();
    AVFrame *out = av_frame_alloc();
    int64_t next = 0;
    // Interleave pushes and pulls so the shells wrap around the lists several times.
    for (int round = 0; round < 5; ++round) {
        for (int i = 0; i < 3; ++i) {
            AVPacket *p = makePacket(round * 3 + i);
            QVERIFY2(packets.pushQueue(p), "a push into a queue with room succeeds");
            av_packet_free(&p);
        }
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(packets.pullQueue(dst), "a pull from a queue holding packets succeeds");
            QCOMPARE(dst->pts, next++);
            av_packet_unref(dst);
        }
    }
    for (int i = 0; i < 6; ++i) {
        AVFrame *f = makeFrame(100 + i);
        QVERIFY2(frames.pushQueue(f), "a push into a queue with room succeeds");
        av_frame_free(&f);
        if (i % 2 == 1) {
            QVERIFY2(frames.pullQueue(out), "a pull from a queue holding frames succeeds");
            QCOMPARE(out->pts, int64_t(100 + i - 1));
            av_frame_unref(out);
            QVERIFY2(frames.pullQueue(out), "a pull from a queue holding frames succeeds");
            QCOMPARE(out->pts, int64_t(100 + i));
            av_frame_unref(out);
        }
    }
    av_packet_free(&dst);
    av_frame_free(&out);
}

void TestFFBuffer::referencesFollowTheItems()
{
    CFrameQueue queue;
    AVFrame *src = makeFrame(7);
    QCOMPARE(av_buffer_get_ref_count(src->buf[0]), 1);
    QVERIFY2(queue.pushQueue(src), "a push into an empty queue succeeds");
    QCOMPARE(av_buffer_get_ref_count(src->buf[0]), 2);
    AVFrame *dst = av_frame_alloc();
    QVERIFY2(queue.pullQueue(dst), "the pushed frame can be pulled");
    QCOMPARE(dst->data[0], src->data[0]);
    QCOMPARE(av_buffer_get_ref_count(src->buf[0]), 2);
    av_frame_unref(dst);
    QCOMPARE(av_buffer_get_ref_count(src->buf[0]), 1);
    av_frame_free(&dst);
    av_frame_free(&src);
}

void TestFFBuffer::flushReleasesAndFreesAllShells()
{
    CPacketQueue queue;
    AVPacket *src = makePacket(3);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(queue.pushQueue(src), "four pushes fit an empty queue");
    QCOMPARE(av_buffer_get_ref_count(src->buf), 5);
    queue.flushQueue();
    QCOMPARE(queue.queueSize(), 0);
    QCOMPARE(av_buffer_get_ref_count(src->buf), 1);
    queue.waitTimeoutMs = 0;
    for (int i = 0; i < 4; ++i)
        QVERIFY2(queue.pushQueue(src), "after a flush four pushes succeed without waiting");
    AVPacket *dst = av_packet_alloc();
    queue.flushQueue();
    QVERIFY2(!queue.pullQueue(dst), "nothing is left to pull after a flush");
    av_packet_free(&dst);
    av_packet_free(&src);
}

void TestFFBuffer::giveUpAfterSixtySteps_data()
{
    QTest::addColumn<bool>("frameQueue");
    QTest::addColumn<bool>("push");
    QTest::addColumn<int>("stepMs");
    QTest::addColumn<QString>("logText");
    QTest::newRow("packet push, 40 ms steps") << false << true << 40 << "Waiting for timeout to Packet Queue push";
    QTest::newRow("frame pull, 40 ms steps") << true << false << 40 << "Waiting for timeout to Frame Queue pull";
    QTest::newRow("packet pull, 160 ms steps") << false << false << 160 << "Waiting for timeout to Packet Queue pull";
    QTest::newRow("frame push, no wait") << true << true << 0 << "Waiting for timeout to Frame Queue push";
}

void TestFFBuffer::giveUpAfterSixtySteps()
{
    QFETCH(bool, frameQueue);
    QFETCH(bool, push);
    QFETCH(int, stepMs);
    QFETCH(QString, logText);

    CPacketQueue packets;
    CFrameQueue frames;
    AVPacket *pkt = makePacket(1);
    AVFrame *frm = makeFrame(1);
    if (push) {
        for (int i = 0; i < 4; ++i)
            packets.pushQueue(pkt);
        for (int i = 0; i < 2; ++i)
            frames.pushQueue(frm);
    }
    packets.waitTimeoutMs = stepMs;
    frames.waitTimeoutMs = stepMs;
    AVPacket *pktOut = av_packet_alloc();
    AVFrame *frmOut = av_frame_alloc();

    QElapsedTimer timer;
    timer.start();
    bool ok = true;
    if (frameQueue)
        ok = push ? frames.pushQueue(frm) : frames.pullQueue(frmOut);
    else
        ok = push ? packets.pushQueue(pkt) : packets.pullQueue(pktOut);
    const qint64 took = timer.elapsed();

    QVERIFY2(!ok, "the operation must give up");
    const qint64 limit = 60LL * stepMs;
    QVERIFY2(took >= limit * 95 / 100, qPrintable(QString("gave up after %1 ms, limit %2 ms").arg(took).arg(limit)));
    QVERIFY2(took < limit + 5000, qPrintable(QString("gave up only after %1 ms, limit %2 ms").arg(took).arg(limit)));
    QCOMPARE(LogCapture::count(logText), 1);
    QCOMPARE(packets.queueSize(), push ? 4 : 0);
    QCOMPARE(frames.queueSize(), push ? 2 : 0);

    av_packet_free(&pkt);
    av_packet_free(&pktOut);
    av_frame_free(&frm);
    av_frame_free(&frmOut);
}

void TestFFBuffer::failedPullLeavesDestinationUntouched()
{
    CFrameQueue queue;
    queue.waitTimeoutMs = 0;
    AVFrame *dst = av_frame_alloc();
    dst->pts = 1234;
    QVERIFY2(!queue.pullQueue(dst), "a pull from an empty queue fails");
    QCOMPARE(dst->pts, int64_t(1234));
    QVERIFY2(!dst->buf[0], "a failed pull attaches no buffer");
    QCOMPARE(LogCapture::count("Waiting for timeout to Frame Queue pull"), 1);
    av_frame_free(&dst);
}

void TestFFBuffer::nullDestinationFailsAtOnce()
{
    CPacketQueue packets;
    CFrameQueue frames;
    AVPacket *p = makePacket(1);
    AVFrame *f = makeFrame(1);
    packets.pushQueue(p);
    frames.pushQueue(f);
    QVERIFY2(!packets.pullQueue(nullptr), "a packet pull into nothing fails");
    QVERIFY2(!frames.pullQueue(nullptr), "a frame pull into nothing fails");
    QCOMPARE(packets.queueSize(), 1);
    QCOMPARE(frames.queueSize(), 1);
    QCOMPARE(LogCapture::count("Waiting for timeout"), 0);
    av_packet_free(&p);
    av_frame_free(&f);
}

void TestFFBuffer::waitsEndWhenTheOtherSideActs_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("pull frees a waiting push") << "pull";
    QTest::newRow("flush frees a waiting push") << "flush";
    QTest::newRow("push feeds a waiting pull") << "push";
}

void TestFFBuffer::waitsEndWhenTheOtherSideActs()
{
    QFETCH(QString, action);
    // Steps of 3 s: a waiter that was not woken would take at least that long.
    CPacketQueue queue;
    AVPacket *src = makePacket(9);
    if (action != "push") {
        for (int i = 0; i < 4; ++i)
            queue.pushQueue(src);
    }
    queue.waitTimeoutMs = 3000;
    std::atomic<bool> result{false};
    std::atomic<qint64> took{0};
    std::thread waiter([&] {
        QElapsedTimer timer;
        timer.start();
        if (action == "push") {
            AVPacket *dst = av_packet_alloc();
            result = queue.pullQueue(dst);
            av_packet_free(&dst);
        } else {
            result = queue.pushQueue(src);
        }
        took = timer.elapsed();
    });
    // Gives the waiter time to reach its wait, which nothing shows from outside.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    AVPacket *dst = av_packet_alloc();
    if (action == "pull")
        queue.pullQueue(dst);
    else if (action == "flush")
        queue.flushQueue();
    else
        queue.pushQueue(src);
    av_packet_free(&dst);
    waiter.join();
    QVERIFY2(result, "the waiter succeeds once the other side acts");
    QVERIFY2(took < 2500, qPrintable(QString("the waiter slept %1 ms through the change").arg(took)));
    av_packet_free(&src);
}

void TestFFBuffer::abortEndsWaitsWithoutTimeoutLog()
{
    CFrameQueue queue;
    queue.waitTimeoutMs = 3000;
    TimedPull waiter(queue);
    // Gives the waiter time to reach its wait, which nothing shows from outside.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    queue.abortWaits();
    waiter.thread.join();
    QVERIFY2(!waiter.result, "an aborted pull fails");
    QVERIFY2(waiter.took < 2500, qPrintable(QString("abort took %1 ms").arg(waiter.took)));
    QCOMPARE(LogCapture::count("Waiting for timeout"), 0);
    AVFrame *f = makeFrame(1);
    QVERIFY2(!queue.pushQueue(f), "an aborted queue takes nothing");
    av_frame_free(&f);
}

void TestFFBuffer::parkingEndsAnEmptyPull()
{
    // A pausing consumer's thread waits here; it must get to its gate at once,
    // not after 60 steps (here 5 minutes), nor leave what is queued behind.
    CFrameQueue queue;
    queue.waitTimeoutMs = 5000;
    TimedPull consumer(queue);
    // Whether the pull waits already or starts after, it must end.
    queue.setParked(true);
    consumer.thread.join();
    QVERIFY2(!consumer.result, "a pull from an empty parked queue got something");
    QVERIFY2(consumer.took < 2500, qPrintable(QString("the parked pull took %1 ms").arg(consumer.took)));
    QCOMPARE(LogCapture::count("Waiting for timeout"), 0);

    // Parked, a queue still hands out what it holds.
    AVFrame *f = makeFrame(3);
    QVERIFY(queue.pushQueue(f));
    AVFrame *dst = av_frame_alloc();
    QVERIFY2(queue.pullQueue(dst), "a parked queue kept its picture from the pull");
    QCOMPARE(dst->pts, int64_t(3));
    av_frame_free(&dst);
    av_frame_free(&f);
}

void TestFFBuffer::syncFlagWaitWhileSet()
{
    CSyncFlag flag;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(flag.waitWhileSet(5000), 0);
    QVERIFY2(timer.elapsed() < 1000, "a clear flag returns at once");

    flag.setFlag(true);
    QCOMPARE(flag.waitWhileSet(0), -1);
    timer.restart();
    QCOMPARE(flag.waitWhileSet(50), -1);
    QVERIFY2(timer.elapsed() >= 45, qPrintable(QString("timed out after %1 ms").arg(timer.elapsed())));

    std::thread clearer([&flag] {
        // Clears the flag only once the wait below has surely begun.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        flag.setFlag(false);
    });
    timer.restart();
    QCOMPARE(flag.waitWhileSet(5000), 0);
    const qint64 took = timer.elapsed();
    clearer.join();
    QVERIFY2(took < 4000, qPrintable(QString("woken only after %1 ms").arg(took)));
    QVERIFY2(!flag.flag, "the flag stays cleared");
}

void TestFFBuffer::parkedPushOutlastsTheWaitLimit_data()
{
    QTest::addColumn<QString>("release");
    QTest::newRow("a pull takes the push") << "pull";
    QTest::newRow("a flush takes the push") << "flush";
    QTest::newRow("unparked, the limit applies again") << "unpark";
}

void TestFFBuffer::parkedPushOutlastsTheWaitLimit()
{
    QFETCH(QString, release);
    CPacketQueue queue;
    AVPacket *src = makePacket(7);
    for (int i = 0; i < 4; ++i)
        QVERIFY(queue.pushQueue(src));
    // 60 steps of 2 ms: unparked, the push would give up after about 120 ms.
    queue.waitTimeoutMs = 2;
    queue.setParked(true);
    std::atomic<bool> done{false};
    std::atomic<bool> result{false};
    std::thread producer([&] {
        result = queue.pushQueue(src);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    const bool stillWaiting = !done;
    AVPacket *dst = av_packet_alloc();
    if (release == "pull")
        queue.pullQueue(dst);
    else if (release == "flush")
        queue.flushQueue();
    else
        queue.setParked(false);
    producer.join();
    av_packet_free(&dst);
    QVERIFY2(stillWaiting, "a parked push gave up while the consumer was paused");
    QCOMPARE(bool(result), release != "unpark");
    QCOMPARE(LogCapture::count("Waiting for timeout to Packet Queue push"), release == "unpark" ? 1 : 0);
    QCOMPARE(queue.queueSize(), release == "flush" ? 1 : 4);
    av_packet_free(&src);
}

void TestFFBuffer::tryPullNeverWaits()
{
    CFrameQueue queue;
    queue.waitTimeoutMs = 3000;
    AVFrame *dst = av_frame_alloc();
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!queue.tryPullQueue(dst));
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString("an empty pull took %1 ms").arg(timer.elapsed())));
    QCOMPARE(LogCapture::count("Waiting for timeout"), 0);
    AVFrame *f = makeFrame(5);
    QVERIFY(queue.pushQueue(f));
    QVERIFY(queue.tryPullQueue(dst));
    QCOMPARE(dst->pts, int64_t(5));
    av_frame_free(&f);
    av_frame_free(&dst);
}

void TestFFBuffer::audioQueueCapacityFollowsItsOwner()
{
    CAudioPacketQueue queue;
    AVPacket *src = makePacket(1);
    queue.waitTimeoutMs = 0;
    // Four packets, as any packet queue, until the owner asks for more.
    QCOMPARE(queue.currentCapacity(), 4);
    for (int i = 0; i < 4; ++i)
        QVERIFY(queue.pushQueue(src));
    QVERIFY2(!queue.pushQueue(src), "a fifth packet fits only when the owner asks for more");

    // A push waiting at the limit goes through as soon as the limit is raised.
    queue.waitTimeoutMs = 40;
    std::thread owner([&queue] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        queue.setCapacity(40);
    });
    QVERIFY2(queue.pushQueue(src), "raising the limit lets a waiting push through");
    owner.join();
    queue.waitTimeoutMs = 0;
    while (queue.queueSize() < 40)
        QVERIFY(queue.pushQueue(src));
    QVERIFY2(!queue.pushQueue(src), "the raised limit holds");

    // Bounded both ways; lowering the limit keeps what is queued.
    queue.setCapacity(100000);
    QCOMPARE(queue.currentCapacity(), kMaxAudioPackets);
    queue.setCapacity(0);
    QCOMPARE(queue.currentCapacity(), 4);
    QCOMPARE(queue.queueSize(), 40);
    QVERIFY(!queue.pushQueue(src));
    queue.flushQueue();
    QCOMPARE(queue.queueSize(), 0);
    QCOMPARE(src->buf ? av_buffer_get_ref_count(src->buf) : 1, 1);
    av_packet_free(&src);
}

QTEST_GUILESS_MAIN(TestFFBuffer)
#include "tst_ffbuffer.moc"

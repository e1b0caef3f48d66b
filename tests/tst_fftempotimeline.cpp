#include "FFTempoTimeline.h"

#include <QtTest>

#include <soundtouch/SoundTouch.h> // only for the SETTING_ numbers of the C interface
extern "C" {
#include <SoundTouchDLL.h>
}

#include <cmath>
#include <vector>

using namespace TrackoraActiveX;

namespace {

// A 1 kHz beep of 20 ms at every whole second from 1 s, silence between.
std::vector<int16_t> beeps(int sampleRate, int seconds)
{
    std::vector<int16_t> samples(size_t(sampleRate) * seconds);
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / sampleRate;
        const double inSecond = std::fmod(t, 1.0);
        if (t >= 0.5 && inSecond < 0.02)
            samples[i] = int16_t(16000 * std::sin(2 * M_PI * 1000 * inSecond));
    }
    return samples;
}

// Runs sound through a real SoundTouch stage set up as the audio output sets
// it, in packets of 1024 frames, and reads the timeline where each beep is
// first heard: the clock's error there, in media milliseconds.
struct Run
{
    QVector<double> errorsMs;
    QVector<double> heardAtMs;
};

class Stage
{
public:
    Stage(int sampleRate, double tempo) : rate(sampleRate)
    {
        handle = soundtouch_createInstance();
        soundtouch_setChannels(handle, 1);
        soundtouch_setSampleRate(handle, unsigned(sampleRate));
        soundtouch_setSetting(handle, SETTING_USE_QUICKSEEK, 1);
        soundtouch_setSetting(handle, SETTING_USE_AA_FILTER, 1);
        soundtouch_setSetting(handle, SETTING_SEQUENCE_MS, 40);
        soundtouch_setSetting(handle, SETTING_SEEKWINDOW_MS, 15);
        timeline.restart(sampleRate);
        setTempo(tempo);
    }
    ~Stage() { soundtouch_destroyInstance(handle); }

    void setTempo(double tempo)
    {
        soundtouch_setTempo(handle, float(tempo));
        timeline.setTempo(tempo, soundtouch_getSetting(handle, SETTING_NOMINAL_OUTPUT_SEQUENCE),
                          soundtouch_getSetting(handle, SETTING_OVERLAP_MS) * rate / 1000);
    }

    // Feeds `samples` as media starting at `mediaSeconds`; notes beep onsets as they come out.
    void feed(const std::vector<int16_t> &samples, size_t from, size_t to, double mediaSeconds, Run &run)
    {
        std::vector<int16_t> out(8192);
        for (size_t at = from; at < to; at += 1024) {
            const size_t count = std::min<size_t>(1024, to - at);
            soundtouch_putSamples_i16(handle, samples.data() + at, unsigned(count));
            timeline.fed(qint64(count), mediaSeconds + double(at - from) / rate);
            for (;;) {
                const int got = int(soundtouch_receiveSamples_i16(handle, out.data(), unsigned(out.size())));
                if (got <= 0)
                    break;
                for (int i = 0; i < got; ++i, ++outputFrame) {
                    if (std::abs(int(out[size_t(i)])) < 4000)
                        continue;
                    if (outputFrame - lastLoud > rate / 4) {
                        // Read where the device would: frames before this one were handed already.
                        const double clock = timeline.mediaAt(outputFrame);
                        run.errorsMs << (std::round(clock) - clock) * 1000;
                        run.heardAtMs << clock * 1000;
                    }
                    lastLoud = outputFrame;
                }
                timeline.received(got);
            }
        }
    }

    CFFTempoTimeline timeline;

private:
    void *handle = nullptr;
    int rate;
    qint64 outputFrame = 0;
    qint64 lastLoud = -(qint64(1) << 40);
};

QString describe(const QVector<double> &errors)
{
    QStringList parts;
    for (double e : errors)
        parts << QString::number(e, 'f', 1);
    return parts.join(' ');
}

double mean(const QVector<double> &values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return values.isEmpty() ? 0 : sum / values.size();
}

} // namespace

class TestFFTempoTimeline : public QObject
{
    Q_OBJECT

private slots:
    void beepsHeardAtTheirMediaTime_data();
    void beepsHeardAtTheirMediaTime();
    void jumpReachesTheClockWhenItsSoundLeaves();
    void tempoChangeKeepsTheClockContinuous();
};

void TestFFTempoTimeline::beepsHeardAtTheirMediaTime_data()
{
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<double>("tempo");
    for (int sampleRate : {48000, 44100}) {
        for (double tempo : {0.5, 1.0, 2.0})
            QTest::addRow("%d Hz, tempo %.1f", sampleRate, tempo) << sampleRate << tempo;
    }
}

// The stage holds sound in its sequences; a clock that left that out ran 8 ms
// behind at tempo 1, 20 to 40 ms at 0.5. One that left out the cross-fade
// between sequences ran about 4 ms behind the beeps at 0.5 (48 kHz).
void TestFFTempoTimeline::beepsHeardAtTheirMediaTime()
{
    QFETCH(int, sampleRate);
    QFETCH(double, tempo);
    const std::vector<int16_t> sound = beeps(sampleRate, 12);
    Stage stage(sampleRate, tempo);
    Run run;
    stage.feed(sound, 0, sound.size(), 0.0, run);
    QVERIFY2(run.errorsMs.size() >= 9, qPrintable(QString("only %1 beeps heard").arg(run.errorsMs.size())));
    // Media milliseconds: at 0.5 they count double on the wall, so the bound is half.
    const double meanBound = tempo < 1 ? 3 : 8;
    QVERIFY2(std::fabs(mean(run.errorsMs)) <= meanBound,
             qPrintable(QString("beeps heard off their time on average by %1 ms: %2").arg(mean(run.errorsMs)).arg(describe(run.errorsMs))));
    for (double e : run.errorsMs)
        QVERIFY2(std::fabs(e) <= 2 * meanBound + 6 * std::fabs(1 - tempo),
                 qPrintable(QString("a beep heard %1 ms off its time: %2").arg(e).arg(describe(run.errorsMs))));
}

// A seek while playing keeps the sound queued for the old place; the clock
// jumps when the new place is heard, not when it is put in.
void TestFFTempoTimeline::jumpReachesTheClockWhenItsSoundLeaves()
{
    const int sampleRate = 48000;
    const std::vector<int16_t> sound = beeps(sampleRate, 12);
    Stage stage(sampleRate, 1.0);
    Run before, after;
    stage.feed(sound, 0, size_t(sampleRate) * 4, 0.0, before);
    // Jump from 4 s to 8 s of the same sound.
    stage.feed(sound, size_t(sampleRate) * 8, sound.size(), 8.0, after);
    QCOMPARE(before.heardAtMs.size(), 3);
    QVERIFY2(after.heardAtMs.size() >= 3, qPrintable(describe(after.heardAtMs)));
    // The new place starts on its 8 s beep; the old place's sound ended before its 4 s beep.
    QVERIFY2(std::fabs(after.heardAtMs.first() - 8000) <= 8,
             qPrintable(QString("first beep after the jump heard at clock %1 ms, expected 8000").arg(after.heardAtMs.first())));
    QVERIFY2(std::fabs(mean(after.errorsMs)) <= 8, qPrintable(describe(after.errorsMs)));
}

void TestFFTempoTimeline::tempoChangeKeepsTheClockContinuous()
{
    const int sampleRate = 48000;
    const std::vector<int16_t> sound = beeps(sampleRate, 12);
    Stage stage(sampleRate, 1.0);
    Run first, second;
    stage.feed(sound, 0, size_t(sampleRate) * 3, 0.0, first);
    const double clockBefore = stage.timeline.mediaAt(stage.timeline.receivedFrames());
    stage.setTempo(2.0);
    const double clockAfter = stage.timeline.mediaAt(stage.timeline.receivedFrames());
    // Only the lead of events at the new tempo may move it, by less than a sequence.
    QVERIFY2(std::fabs(clockAfter - clockBefore) < 0.04,
             qPrintable(QString("clock moved from %1 to %2 s at the tempo change").arg(clockBefore).arg(clockAfter)));
    stage.feed(sound, size_t(sampleRate) * 3, sound.size(), 3.0, second);
    QVERIFY2(second.errorsMs.size() >= 6, qPrintable(describe(second.errorsMs)));
    // The first beep may straddle the change; the rest are heard on time at the new tempo.
    second.errorsMs.removeFirst();
    QVERIFY2(std::fabs(mean(second.errorsMs)) <= 8, qPrintable(describe(second.errorsMs)));
}

QTEST_GUILESS_MAIN(TestFFTempoTimeline)
#include "tst_fftempotimeline.moc"

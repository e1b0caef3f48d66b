#pragma once

#include <QWidget>

class QSlider;

// Shows a marked range over a seek slider's groove: a band between the two
// marks and a tick at each. A child of the slider that lets every mouse event
// through to it.
class SliderRangeOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit SliderRangeOverlay(QSlider *slider);

    // Milliseconds; -1 leaves a mark out. The band needs both.
    void setRange(qint64 inMs, qint64 outMs, qint64 durationMs);
    qint64 in() const { return m_in; }
    qint64 out() const { return m_out; }
    // Where a time lies on the slider, in the slider's coordinates.
    int xFor(qint64 ms) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QSlider *m_slider;
    qint64 m_in = -1;
    qint64 m_out = -1;
    qint64 m_duration = 0;
};

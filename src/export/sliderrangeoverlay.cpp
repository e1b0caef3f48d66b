#include "sliderrangeoverlay.h"

#include <QEvent>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {
const QColor kBand(255, 160, 40, 110);
const QColor kMark(255, 160, 40);
} // namespace

SliderRangeOverlay::SliderRangeOverlay(QSlider *slider)
    : QWidget(slider)
    , m_slider(slider)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setObjectName(QStringLiteral("wgt_ExportRange"));
    setGeometry(slider->rect());
    slider->installEventFilter(this);
    hide();
}

void SliderRangeOverlay::setRange(qint64 inMs, qint64 outMs, qint64 durationMs)
{
    m_in = inMs;
    m_out = outMs;
    m_duration = durationMs;
    setVisible(durationMs > 0 && (inMs >= 0 || outMs >= 0));
    raise();
    update();
}

int SliderRangeOverlay::xFor(qint64 ms) const
{
    QStyleOptionSlider option;
    option.initFrom(m_slider);
    option.orientation = m_slider->orientation();
    option.minimum = m_slider->minimum();
    option.maximum = m_slider->maximum();
    option.sliderPosition = m_slider->sliderPosition();
    option.sliderValue = m_slider->value();
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    const QRect groove = m_slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, m_slider);
    const QRect handle = m_slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, m_slider);
    const int span = qMax(1, groove.width() - handle.width());
    const qint64 clamped = qBound<qint64>(0, ms, qMax<qint64>(1, m_duration));
    return groove.x() + handle.width() / 2 + int(clamped * span / qMax<qint64>(1, m_duration));
}

bool SliderRangeOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_slider && event->type() == QEvent::Resize)
        setGeometry(m_slider->rect());
    return QWidget::eventFilter(watched, event);
}

void SliderRangeOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int middle = height() / 2;
    const int bandHeight = qMax(4, height() / 3);
    if (m_in >= 0 && m_out > m_in) {
        const int a = xFor(m_in);
        const int b = xFor(m_out);
        painter.fillRect(QRect(a, middle - bandHeight / 2, qMax(1, b - a), bandHeight), kBand);
    }
    painter.setPen(QPen(kMark, 2));
    for (qint64 mark : {m_in, m_out}) {
        if (mark >= 0) {
            const int x = xFor(mark);
            painter.drawLine(x, 1, x, height() - 2);
        }
    }
}

#include "controlpanel.h"

#include <QAudio>
#include <QMouseEvent>
#include <QtMath>

#include <cmath>

#include "configuration.h"
#include "dashboardsupport.h"
#include "sliderrangeoverlay.h"
#include "ui_controlpanel.h"

#include <QShortcut>

namespace {

// Two silent ticks of this period while playing end the recording.
constexpr int kSamePosIntervalMs = 900;
// Reports within this many hundredths of a second of the end count as the end.
constexpr int kNearEndCentis = 20;

int linearFromSlider(int sliderValue)
{
    return qRound(QAudio::convertVolume(sliderValue / qreal(100), QAudio::LogarithmicVolumeScale,
                                        QAudio::LinearVolumeScale) * 100);
}

QString clockText(qint64 seconds)
{
    return QString::asprintf("%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

} // namespace

ControlPanel::ControlPanel(QWidget *parent)
    : QWidget(parent), ui(new Ui::ControlPanel)
{
    initDashboardImages();
    ui->setupUi(this);
    ui->hSlider_Seek->installEventFilter(this);
    ui->lbl_GpsDateTime->hide();
    ui->pBtn_SP->hide();
    ui->lbl_LongitudeAndLatitude->hide();
    ui->btn_PlayOrPause->setEnabled(false);
    ui->lbl_GpsDateTime->setFont(QFont(QStringLiteral("Calibri"), 11));
    ui->pBtn_SP->setFont(QFont(QStringLiteral("Calibri"), 11));
    ui->lbl_LongitudeAndLatitude->setFont(QFont(QStringLiteral("Calibri"), 11));
    ui->lbl_PlayTime->setFont(QFont(QStringLiteral("Calibri"), 12));
    speedInKmh = Configuration::instance()->speedUnit() == 0;
    setSpeed(0);

    connect(ui->btn_OpenFile, &QPushButton::clicked, this, &ControlPanel::openFile);
    connect(ui->btn_ScreenShot, &QPushButton::clicked, this, &ControlPanel::screenshot);
    connect(ui->btn_Events, &QPushButton::toggled, this, &ControlPanel::eventsShown);
    connect(ui->btn_MarkIn, &QPushButton::clicked, this, &ControlPanel::markIn);
    connect(ui->btn_MarkOut, &QPushButton::clicked, this, &ControlPanel::markOut);
    connect(ui->btn_Export, &QPushButton::clicked, this, &ControlPanel::requestExport);
    // Anywhere in the window, except where a text field takes the letter.
    connect(new QShortcut(QKeySequence(Qt::Key_I), this, nullptr, nullptr, Qt::WindowShortcut), &QShortcut::activated,
            this, &ControlPanel::markIn);
    connect(new QShortcut(QKeySequence(Qt::Key_O), this, nullptr, nullptr, Qt::WindowShortcut), &QShortcut::activated,
            this, &ControlPanel::markOut);
    rangeOverlay = new SliderRangeOverlay(ui->hSlider_Seek);
    qRegisterMetaType<RangeMark>();
    connect(ui->btn_Stop, &QPushButton::clicked, this, &ControlPanel::stop);
    connect(ui->btn_Next, &QPushButton::clicked, this, &ControlPanel::next);
    connect(ui->btn_Previous, &QPushButton::clicked, this, &ControlPanel::previous);
    connect(ui->btn_Front, &QPushButton::clicked, this, &ControlPanel::frontView);
    connect(ui->btn_Rear, &QPushButton::clicked, this, &ControlPanel::rearView);
    connect(ui->btn_FrontRear, &QPushButton::clicked, this, &ControlPanel::frontRearView);
    connect(ui->btn_PlayOrPause, &QPushButton::clicked, this, &ControlPanel::playClicked);
    connect(ui->tBtn_Mute, &QToolButton::clicked, this, &ControlPanel::muteClicked);
    connect(ui->hSlider_Volume, &QSlider::valueChanged, this, &ControlPanel::onVolumeSliderValueChanged);
    connect(ui->hSlider_Seek, &QSlider::valueChanged, this, &ControlPanel::onSliderValueChanged);
    connect(ui->hSlider_Seek, &QSlider::sliderMoved, this, &ControlPanel::onSliderMoved);
    connect(ui->hSlider_Seek, &QSlider::sliderPressed, this, &ControlPanel::onSliderPressed);
    connect(ui->hSlider_Seek, &QSlider::sliderReleased, this, &ControlPanel::onSliderReleased);

    ui->fcbox_Rate->addItem(QStringLiteral("0.5x"), 0.5);
    ui->fcbox_Rate->addItem(QStringLiteral("1.0x"), 1.0);
    ui->fcbox_Rate->addItem(QStringLiteral("2.0x"), 2.0);
    ui->fcbox_Rate->setCurrentIndex(1);
    connect(ui->fcbox_Rate, &FComboBox::activated, this, &ControlPanel::updateRate);

    connect(Configuration::instance(), &Configuration::updateLanguage, this, &ControlPanel::onUpdateLanguage);
    samePosTimer.setInterval(kSamePosIntervalMs);
    connect(&samePosTimer, &QTimer::timeout, this, &ControlPanel::checkSamePosPlay);
}

ControlPanel::~ControlPanel()
{
    delete ui;
}

void ControlPanel::setState(FFStates s)
{
    if (s == m_state)
        return;
    m_state = s;
    switch (s) {
    case TrackoraActiveXLib::PlayingState:
        nearEndReported = false;
        ui->btn_Stop->setEnabled(true);
        ui->btn_PlayOrPause->setChecked(true);
        currentPosition = 0;
        lastPosition = 0;
        samePosCount = 0;
        if (!samePosTimer.isActive())
            samePosTimer.start(kSamePosIntervalMs);
        ui->btn_PlayOrPause->setToolTip(tr("Pause"));
        break;
    case TrackoraActiveXLib::StoppedState:
    case TrackoraActiveXLib::PausedState:
        ui->btn_Stop->setEnabled(s == TrackoraActiveXLib::PausedState);
        ui->btn_PlayOrPause->setChecked(false);
        if (samePosTimer.isActive())
            samePosTimer.stop();
        ui->btn_PlayOrPause->setToolTip(tr("Play"));
        break;
    default:
        ui->btn_PlayOrPause->setToolTip(tr("Play"));
        break;
    }
    ui->btn_PlayOrPause->update();
}

void ControlPanel::playClicked()
{
    // A click toggles the checkable button at once; it shows the reported state
    // until the player answers, so a player that does not start never shows pause.
    ui->btn_PlayOrPause->setChecked(m_state == TrackoraActiveXLib::PlayingState);
    if (m_state == TrackoraActiveXLib::PlayingState)
        emit pause();
    else
        emit play();
}

void ControlPanel::setMaxDuration(qlonglong msDuration)
{
    // Without a scope, marks belong to the recording they were set on.
    const bool cleared = rangeScope == kNoScope && msDuration != durationMs;
    durationMs = msDuration;
    if (cleared)
        clearMarks();
    else
        showMarks();
    if (proposedInMs >= 0 && msDuration > 0) {
        proposeRange(proposedInMs, proposedOutMs, false);
        proposedInMs = proposedOutMs = -1;
    }
    nearEndReported = false;
    maxSeconds = int(float(msDuration) / 1000.0f);
    ui->hSlider_Seek->setMaximum(maxSeconds);
}

void ControlPanel::setCurrentPosition(qint64 ms)
{
    if (m_state == TrackoraActiveXLib::StoppedState && ms > 0)
        return;
    samePosCount = 0;
    currentPosition = ms;
    showPosition(ms);
    if (maxSeconds != 0 && ms != 0) {
        const float reported = std::floor(float(ms) / 10.0f);
        const float total = std::floor(float(durationMs) / 10.0f);
        if (reported + kNearEndCentis >= total && !nearEndReported) {
            nearEndReported = true;
            qCDebug(lcDashboard) << "***Playnext 0!";
            showPosition(qint64(maxSeconds) * 1000);
            qCDebug(lcDashboard) << "***Playnext 0 end!";
            emit next();
        }
    }
    lastPosition = ms;
}

void ControlPanel::showPosition(qint64 ms)
{
    if (ms % 1000 != 0)
        return;
    const qint64 secs = ms / 1000;
    QString text;
    if (ms == 0 && maxSeconds == 0)
        text = QStringLiteral("00:00:00/00:00:00");
    else
        text = clockText(secs) + QLatin1Char('/') + clockText(maxSeconds);
    if (!ui->hSlider_Seek->isSliderDown())
        ui->hSlider_Seek->setValue(int(secs));
    ui->lbl_PlayTime->setText(text);
}

void ControlPanel::checkSamePosPlay()
{
    if (m_state != TrackoraActiveXLib::PlayingState || currentPosition != lastPosition)
        return;
    if (++samePosCount >= 2) {
        qCDebug(lcDashboard) << "***Playnext 4!";
        emit next();
        samePosCount = 0;
        qCDebug(lcDashboard) << "***Playnext 4 end!";
    }
}

bool ControlPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != ui->hSlider_Seek)
        return QWidget::eventFilter(watched, event);
    QSlider *slider = ui->hSlider_Seek;
    if (event->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            slider->setSliderDown(true);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            // The groove spans the width less the handle and the style's margins;
            // a slider too narrow to have one stays where it is.
            const int span = slider->width() - 22;
            int v = span > 0 ? slider->minimum() + (mouse->pos().x() - 6) * (slider->maximum() - slider->minimum()) / span
                             : slider->sliderPosition();
            if (m_state == TrackoraActiveXLib::StoppedState)
                v = 0;
            if (v != slider->sliderPosition())
                slider->setValue(v);
            slider->setSliderDown(false);
            if (m_state == TrackoraActiveXLib::PausedState)
                playClicked();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ControlPanel::onSliderPressed()
{
    sliderPressed = true;
}

void ControlPanel::onSliderReleased()
{
    sliderPressed = false;
    if (m_state == TrackoraActiveXLib::StoppedState) {
        emit sliderStatusChanged(false, 0);
        return;
    }
    if (ui->hSlider_Seek->value() >= maxSeconds) {
        qCDebug(lcDashboard) << "***Playnext 3!";
        showPosition(qint64(maxSeconds) * 1000);
        qCDebug(lcDashboard) << "***Playnext 3 end!";
        emit next();
    }
}

void ControlPanel::onSliderMoved(int position)
{
    if (position < maxSeconds)
        emit sliderMoved(position);
    else if (position == maxSeconds)
        emit sliderMoved(position - 1);
}

void ControlPanel::onSliderValueChanged(int value)
{
    Q_UNUSED(value)
}

void ControlPanel::setSliderMove(int step)
{
    const int r = int(qMax(1.0, ui->fcbox_Rate->itemData(ui->fcbox_Rate->currentIndex()).toDouble()));
    int target = int(ui->hSlider_Seek->sliderPosition() + qint64(step) * r);
    if (target % r != 0)
        target += step;
    if (target >= maxSeconds) {
        qCDebug(lcDashboard) << "***Playnext 2!";
        showPosition(qint64(maxSeconds) * 1000);
        qCDebug(lcDashboard) << "***Playnext 2 end!";
        emit next();
    } else if (m_state != TrackoraActiveXLib::StoppedState && target >= 0 && target <= ui->hSlider_Seek->maximum()) {
        emit sliderMoved(target);
    }
}

int ControlPanel::linearToSlider(int linear)
{
    return qRound(QAudio::convertVolume(linear / qreal(100), QAudio::LinearVolumeScale,
                                        QAudio::LogarithmicVolumeScale) * 100);
}

void ControlPanel::onVolumeSliderValueChanged()
{
    const int linear = linearFromSlider(ui->hSlider_Volume->value());
    if (linear != 0) {
        lastVolume = linear;
        setMuted(false);
    } else if (!muted) {
        lastVolume = 0;
        setMuted(true);
    }
    qCDebug(lcDashboard) << "cur-volome" << lastVolume;
    emit changeVolume(linear);
}

void ControlPanel::setVolume(int volume)
{
    ui->hSlider_Volume->setValue(linearToSlider(volume));
}

void ControlPanel::setMuted(bool m)
{
    qCDebug(lcDashboard) << "setMuted: " << m << lastVolume << muted;
    if (m != muted) {
        muted = m;
        setMuteToolTip();
        emit changeMuting(m);
    }
    ui->hSlider_Volume->setValue(linearToSlider(muted ? 0 : lastVolume));
    ui->tBtn_Mute->setChecked(muted);
}

void ControlPanel::muteClicked()
{
    muted = !muted;
    qCDebug(lcDashboard) << "** muteClicked: " << muted;
    setMuteToolTip();
    ui->tBtn_Mute->setChecked(muted);
    emit changeMuting(muted);
}

void ControlPanel::setMuteToolTip()
{
    ui->tBtn_Mute->setToolTip(muted ? tr("Cancel Mute") : tr("Set Mute"));
}

void ControlPanel::setLastVolume(int volume)
{
    lastVolume = volume;
}

void ControlPanel::updateRate()
{
    emit changeRate(ui->fcbox_Rate->itemData(ui->fcbox_Rate->currentIndex()).toDouble());
}

void ControlPanel::setPlaybackRate(float rate)
{
    for (int i = 0; i < ui->fcbox_Rate->count(); ++i) {
        if (qFuzzyCompare(ui->fcbox_Rate->itemData(i).toFloat(), rate)) {
            ui->fcbox_Rate->setCurrentIndex(i);
            return;
        }
    }
}

void ControlPanel::setDateTime(const QDateTime &dateTime)
{
    ui->lbl_GpsDateTime->setText(dateTime.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")));
}

void ControlPanel::setSpeed(int kmh)
{
    speed = kmh;
    speedInKmh = Configuration::instance()->speedUnit() == 0;
    if (speedInKmh)
        ui->pBtn_SP->setText(QStringLiteral("%1 km/h").arg(kmh, 3, 10, QLatin1Char('0')));
    else
        ui->pBtn_SP->setText(QStringLiteral("%1 mph").arg(int(kmh / 1.609344), 3, 10, QLatin1Char('0')));
    update();
}

void ControlPanel::setCoordinate(const QString &latitude, const QString &longitude)
{
    ui->lbl_LongitudeAndLatitude->setText(QStringLiteral("%1,%2").arg(latitude, longitude));
}

void ControlPanel::resetInfo()
{
    setCoordinate(QStringLiteral("00.000000"), QStringLiteral("000.000000"));
    // No sample, no time: the computer's clock says nothing about the trip.
    ui->lbl_GpsDateTime->clear();
    setSpeed(0);
    samePosCount = 0;
    currentPosition = 0;
    lastPosition = 0;
    showPosition(0);
}

void ControlPanel::stopAndReset()
{
    emit stop();
    samePosCount = 0;
    currentPosition = 0;
    lastPosition = 0;
    showPosition(0);
}

void ControlPanel::onShowModeChanged(PlayAreaManager::ShowMode mode)
{
    switch (mode) {
    case PlayAreaManager::ShowFront:
        ui->btn_Front->setChecked(true);
        break;
    case PlayAreaManager::ShowRear:
        ui->btn_Rear->setChecked(true);
        break;
    default:
        ui->btn_FrontRear->setChecked(true);
        break;
    }
}

void ControlPanel::disableBtn(bool front, bool rear, bool frontRear)
{
    qCDebug(lcDashboard) << "disableBtn" << front << rear << frontRear;
    ui->btn_Front->setDisabled(front);
    ui->btn_Rear->setDisabled(rear);
    ui->btn_FrontRear->setDisabled(frontRear);
    ui->btn_PlayOrPause->setEnabled(true);
}

void ControlPanel::updateToolTips()
{
    setMuteToolTip();
    ui->btn_PlayOrPause->setToolTip(m_state == TrackoraActiveXLib::PlayingState ? tr("Pause") : tr("Play"));
}

void ControlPanel::onUpdateLanguage()
{
    ui->retranslateUi(this);
    // The form's texts are the stopped, unmuted ones.
    updateToolTips();
}

void ControlPanel::setPlayEnabled(bool enabled)
{
    ui->btn_PlayOrPause->setEnabled(enabled);
}

void ControlPanel::setTimeFont(const QFont &font)
{
    ui->lbl_PlayTime->setFont(font);
}

void ControlPanel::blockNextButton(bool block)
{
    ui->btn_Next->blockSignals(block);
}

void ControlPanel::blockPreviousButton(bool block)
{
    ui->btn_Previous->blockSignals(block);
}

void ControlPanel::markIn()
{
    if (durationMs <= 0)
        return;
    inMark = RangeMark{playingPart, currentPosition};
    if (outMark.isSet() && !(inMark < outMark))
        outMark = RangeMark();
    showMarks();
}

void ControlPanel::markOut()
{
    if (durationMs <= 0)
        return;
    outMark = RangeMark{playingPart, currentPosition};
    if (inMark.isSet() && !(inMark < outMark))
        inMark = RangeMark();
    showMarks();
}

void ControlPanel::clearMarks()
{
    inMark = RangeMark();
    outMark = RangeMark();
    showMarks();
}

void ControlPanel::proposeRange(qint64 inMs, qint64 outMs, bool forNextRecording)
{
    if (forNextRecording || durationMs <= 0) {
        proposedInMs = qMax<qint64>(0, inMs);
        proposedOutMs = outMs;
        return;
    }
    setRange(RangeMark{playingPart, qBound<qint64>(0, inMs, durationMs)},
             RangeMark{playingPart, qBound<qint64>(0, outMs, durationMs)});
}

void ControlPanel::setRangeScope(int scope, int part)
{
    const bool changed = scope != rangeScope;
    rangeScope = scope;
    playingPart = qMax(0, part);
    if (changed)
        clearMarks();
    else
        showMarks();
}

void ControlPanel::setRange(const RangeMark &in, const RangeMark &out)
{
    inMark = in;
    outMark = out;
    if (!in.isSet() || !out.isSet() || !(in < out))
        inMark = outMark = RangeMark();
    showMarks();
}

void ControlPanel::showMarks()
{
    // The slider shows the playing recording's share of the range only.
    qint64 in = -1;
    qint64 out = -1;
    if (inMark.isSet() && outMark.isSet()) {
        if (inMark.part <= playingPart && outMark.part >= playingPart) {
            in = inMark.part == playingPart ? inMark.ms : 0;
            out = outMark.part == playingPart ? outMark.ms : durationMs;
        }
    } else {
        if (inMark.isSet() && inMark.part == playingPart)
            in = inMark.ms;
        if (outMark.isSet() && outMark.part == playingPart)
            out = outMark.ms;
    }
    rangeOverlay->setRange(in, out, durationMs);
    emit marksChanged();
}

void ControlPanel::requestExport()
{
    if (durationMs <= 0)
        return;
    // An open end runs to the start or the end of the other mark's recording,
    // or of the playing one when nothing is marked.
    RangeMark in = inMark;
    RangeMark out = outMark;
    if (!in.isSet())
        in = RangeMark{out.isSet() ? out.part : playingPart, 0};
    if (!out.isSet())
        out = RangeMark{in.part, in.part == playingPart ? durationMs : -1};
    if (out.ms < 0 || in < out)
        emit exportRequested(in, out);
}

// Renders the dashboard as a person sees it while a recording plays: the
// control panel under the gauges and the G-sensor chart, with sample
// readouts. Writes one PNG (docs/dashboard.png is made with it):
//
//   xvfb-run -a trackora_dashshot OUT.png
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QStandardPaths>
#include <QtMath>

#include <cstdio>

#include "controlpanel.h"
#include "directiontray.h"
#include "gyrochartview.h"
#include "speedtray.h"

namespace {

QWidget *panelStrip(ControlPanel *panel)
{
    // As the main window holds it: a dark strip with one-pixel margins.
    auto *strip = new QWidget;
    strip->setObjectName(QStringLiteral("wgt_Background"));
    strip->setStyleSheet(QStringLiteral("QWidget#wgt_Background{background-color: rgb(20, 20, 20);}"));
    strip->setFixedHeight(110);
    auto *layout = new QVBoxLayout(strip);
    layout->setContentsMargins(0, 1, 0, 1);
    layout->addWidget(panel);
    return strip;
}

void fillChart(GyroChartView *chart, int seconds)
{
    chart->setPointCount(seconds);
    for (int i = 0; i < seconds; ++i) {
        // A drive: gentle swaying, braking around 40 s and a bump at 95 s.
        const float t = float(i);
        const float xyz[3] = {0.08f * std::sin(t / 9.0f) - (i > 38 && i < 46 ? 0.35f : 0.0f),
                              0.06f * std::cos(t / 13.0f) + 0.02f * std::sin(t / 2.7f),
                              (i == 95 ? 0.42f : 0.0f) + 0.03f * std::sin(t / 3.3f) - 0.1f};
        chart->addPoint(xyz);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    // Never touch the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TrackoraShot"));
    QCoreApplication::setApplicationName(QStringLiteral("DashboardShot"));

    QWidget window;
    window.setObjectName(QStringLiteral("shot"));
    window.setStyleSheet(QStringLiteral("QWidget#shot{background-color: rgb(44, 44, 52);}"));
    auto *grid = new QGridLayout(&window);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(6);

    auto *speed = new SpeedTray;
    auto *direction = new DirectionTray;
    auto *chart = new GyroChartView(nullptr);
    speed->setMinimumSize(170, 170);
    direction->setMinimumSize(170, 170);
    chart->setMinimumSize(360, 170);
    chart->setMaximumHeight(180);
    auto *panel = new ControlPanel;
    panel->setMinimumWidth(720);

    grid->addWidget(speed, 0, 0);
    grid->addWidget(direction, 0, 1);
    grid->addWidget(chart, 0, 2);
    grid->addWidget(panelStrip(panel), 1, 0, 1, 3);
    grid->setColumnStretch(2, 1);

    speed->setSpeed(62);
    direction->setHeading(48);
    fillChart(chart, 180);
    chart->setCurrentSecond(73);

    panel->disableBtn(false, false, false);
    panel->onShowModeChanged(PlayAreaManager::ShowFrontRear);
    panel->setMaxDuration(180000);
    panel->setState(TrackoraActiveXLib::PlayingState);
    panel->setCurrentPosition(73000);
    panel->setLastVolume(40);
    panel->setVolume(40);
    panel->setDateTime(QDateTime(QDate(2024, 5, 18), QTime(14, 32, 7)));
    panel->setSpeed(62);
    panel->setCoordinate(QStringLiteral("N35.658581"), QStringLiteral("E139.745433"));
    for (const char *name : {"lbl_GpsDateTime", "pBtn_SP", "lbl_LongitudeAndLatitude"})
        panel->findChild<QLabel *>(QLatin1String(name))->show();

    window.resize(1000, 300);
    window.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

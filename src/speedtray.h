#pragma once

#include <QPixmap>
#include <QWidget>

// A speedometer: a 270-degree dial from 0 to 220 with a needle and the speed
// as text, in the configured unit. GUI thread only.
class SpeedTray : public QWidget
{
    Q_OBJECT
public:
    explicit SpeedTray(QWidget *parent = nullptr);

    // km/h; values outside 0..220 are ignored and the last one stays shown.
    void setSpeed(int kmh);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap dial;
    int needleAngle = -135;
    int shownSpeed = 0;
};

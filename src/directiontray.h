#pragma once

#include <QPixmap>
#include <QWidget>

// A compass whose needle points in the direction of travel. GUI thread only.
class DirectionTray : public QWidget
{
    Q_OBJECT
public:
    explicit DirectionTray(QWidget *parent = nullptr);

    // Degrees clockwise from north.
    void setHeading(int degrees);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap dial;
    int needleAngle = 0;
};

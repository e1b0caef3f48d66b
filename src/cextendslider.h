#pragma once

#include <QSlider>

// A slider that jumps to the clicked point; a press on the handle still
// drags as usual.
class CExtendSlider : public QSlider
{
    Q_OBJECT
public:
    explicit CExtendSlider(QWidget *parent = nullptr);
    explicit CExtendSlider(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

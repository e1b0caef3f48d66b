#pragma once

#include <QObject>

class QWidget;

// Makes a frameless window draggable by the presses that reach the watched
// object itself (its background, labels and title bar), and reports
// double-clicks on it. GUI thread only.
class MoveFilter : public QObject
{
    Q_OBJECT
public:
    MoveFilter(QWidget *window, QObject *watched);

    // Set while the owner fills the work area: the window stays put.
    void setDisabled(bool value) { disabled = value; }
    bool isDisabled() const { return disabled; }

    bool eventFilter(QObject *object, QEvent *event) override;

signals:
    void doubleClicked();

private:
    QWidget *window;
    QObject *watched;
    bool dragging = false;
    int pressX = 0;
    int pressY = 0;
    bool disabled = false;
};

#pragma once

#include <QMainWindow>

// The viewer's top-level window. The body is filled in by the play area,
// control panel, playlist and map as they arrive.
class MainWindows : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindows(QWidget *parent = nullptr);
    ~MainWindows() override;
};

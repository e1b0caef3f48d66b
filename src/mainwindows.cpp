#include "mainwindows.h"

MainWindows::MainWindows(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral(TRACKORA_APP_NAME));
    resize(621, 628);
}

MainWindows::~MainWindows() = default;

#pragma once

#include <QMainWindow>
#include <memory>

class PlayAreaManager;
struct RowData;

// The viewer's top-level window. The body is filled in by the play area,
// control panel, playlist and map as they arrive.
class MainWindows : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindows(QWidget *parent = nullptr);
    ~MainWindows() override;

    // Plays a front recording and, when given, its rear partner.
    void openRecording(const QString &front, const QString &rear = QString());
    PlayAreaManager *playArea() const { return playAreaManager; }

private:
    void chooseRecording();

    PlayAreaManager *playAreaManager = nullptr;
    std::unique_ptr<RowData> openedRow;
};

#include "mainwindows.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QTimer>
#include <QUrl>

#include "playareamanager.h"
#include "rowdata.h"

MainWindows::MainWindows(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral(TRACKORA_APP_NAME));
    resize(621, 628);

    // Until the full body arrives: the play area and an Open command.
    playAreaManager = new PlayAreaManager(this);
    setCentralWidget(playAreaManager);
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), this, &MainWindows::chooseRecording, QKeySequence::Open);
    connect(playAreaManager, &PlayAreaManager::dropFile, this,
            [this](const QString &url) { openRecording(QUrl(url).toLocalFile()); });
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1 && QFileInfo::exists(args.at(1)))
        QTimer::singleShot(0, this, [this, args] { openRecording(args.at(1), args.value(2)); });
}

MainWindows::~MainWindows()
{
    if (playAreaManager)
        playAreaManager->stop();
}

void MainWindows::chooseRecording()
{
    QStringList files = QFileDialog::getOpenFileNames(
        this, tr("Open recordings"), QString(), tr("Recordings (*.mp4 *.MP4 *.mov *.MOV *.avi *.AVI)"));
    // "_F" sorts before "_R": the front file comes first.
    files.sort();
    if (!files.isEmpty())
        openRecording(files.value(0), files.value(1));
}

void MainWindows::openRecording(const QString &front, const QString &rear)
{
    playAreaManager->stop();
    openedRow = std::make_unique<RowData>();
    openedRow->fileName = QFileInfo(front).fileName();
    openedRow->url = QUrl::fromLocalFile(QFileInfo(front).absoluteFilePath());
    const QUrl rearUrl = rear.isEmpty() ? QUrl() : QUrl::fromLocalFile(QFileInfo(rear).absoluteFilePath());
    playAreaManager->setPlayFrontOrRear(!front.isEmpty(), !rear.isEmpty());
    playAreaManager->setResourceData(openedRow.get(), rearUrl);
    playAreaManager->play();
}

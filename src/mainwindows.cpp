#include "mainwindows.h"
#include "ui_mainwindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QUrl>
#include <QWindow>

#include "PlayerWidget.h"
#include "computeInfo.h"
#include "configuration.h"
#include "controlpanel.h"
#include "copyright.h"
#include "directiontray.h"
#include "eventlistmodel.h"
#include "foldertrackdialog.h"
#include "exportdialog.h"
#include "gyrochartview.h"
#include "mapwebview.h"
#include "movefilter.h"
#include "playareamanager.h"
#include "playlistmodel.h"
#include "rowdata.h"
#include "screenscale.h"
#include "setting.h"
#include "speedtray.h"
#include "tripplaylistmodel.h"
#include "triprange.h"
#include "triptimeline.h"
#include "trackoraversion.h"
#include "tripevents.h"
#include "videoparser.h"

#ifdef Q_OS_WIN
#include <windows.h>
#include <windowsx.h>
#endif

Q_LOGGING_CATEGORY(lcMainWindow, "trackora.viewer.mainwindow")

namespace {
// Repeated clicks on previous or next within this time start one row only.
const int kStepBlockMs = 600;
// Longest stretch of a folder scan without answering the user.
const int kScanEventStepMs = 15;
// A resolution change settles before the fonts follow it.
const int kFontRefreshDelayMs = 1000;
// Pixels from which a frame edge or corner counts.
const int kCornerZone = 7;
const int kEdgeZone = 5;
// Room around a playlist cell's text: the cell's and the header's padding.
const int kColumnPadding = 24;
// How soon the timeline, map and chart follow a change of the trips.
const int kTripFollowMs = 200;
// An end reported this close to a chained recording's end is the seam's.
const qint64 kChainEndMarginMs = 1500;
// How long the window waits for the players to go on by themselves (the
// margin above played at half speed, and room for a busy machine).
const int kChainGraceMs = 4000;
// Above this many pixels per picture a computer must be rated for the codec.
const qint64 kLargePicture = 4000000;
// A double-clicked event plays from this long before it, to see it coming.
const int kEventLeadSeconds = 5;
// What an export proposes around a chosen event, on each side.
const int kEventRangeSeconds = 30;

struct FrameFontStep
{
    double below;   // the scale this step applies under
    double step;
    int pointSize;
    int noticeSize; // the rights-notice label
};

const FrameFontStep kFrameFontSteps[] = {
    {1.1, 1.0, 11, 12}, {1.4, 1.25, 10, 10}, {1.6, 1.5, 9, 9}, {1.8, 1.75, 8, 8},
    {2.5, 2.0, 6, 6},   {3.1, 3.0, 5, 5},    {1e9, 3.5, 4, 4},
};

// Each recording's length in a trip, as the timeline and the marks count it.
QVector<qint64> lengthsOf(const Trip &trip)
{
    QVector<qint64> lengths;
    for (const TripRecording &r : trip.recordings)
        lengths.append(qint64(r.durationSeconds) * 1000);
    return lengths;
}

const FrameFontStep &fontStepFor(qreal scale)
{
    for (const FrameFontStep &s : kFrameFontSteps) {
        if (scale < s.below)
            return s;
    }
    return kFrameFontSteps[0];
}

Qt::CursorShape cursorFor(MainWindows::ResizeEdge edge)
{
    switch (edge) {
    case MainWindows::EdgeTopLeft:
    case MainWindows::EdgeBottomRight:
        return Qt::SizeFDiagCursor;
    case MainWindows::EdgeBottomLeft:
    case MainWindows::EdgeTopRight:
        return Qt::SizeBDiagCursor;
    case MainWindows::EdgeLeft:
    case MainWindows::EdgeRight:
        return Qt::SizeHorCursor;
    case MainWindows::EdgeTop:
    case MainWindows::EdgeBottom:
        return Qt::SizeVerCursor;
    default:
        return Qt::ArrowCursor;
    }
}

Qt::Edges qtEdgesFor(MainWindows::ResizeEdge edge)
{
    switch (edge) {
    case MainWindows::EdgeTop:
        return Qt::TopEdge;
    case MainWindows::EdgeBottom:
        return Qt::BottomEdge;
    case MainWindows::EdgeLeft:
        return Qt::LeftEdge;
    case MainWindows::EdgeRight:
        return Qt::RightEdge;
    case MainWindows::EdgeTopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case MainWindows::EdgeBottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case MainWindows::EdgeBottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    case MainWindows::EdgeTopRight:
        return Qt::TopEdge | Qt::RightEdge;
    default:
        return Qt::Edges();
    }
}

QString playingFileText(const RowData *row)
{
    return row ? QFileInfo(row->url.toLocalFile()).fileName() : QString();
}
} // namespace

MainWindows::MainWindows(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::MainWindows)
    , currentRow(new RowData)
    , playingRow(new RowData)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral(TRACKORA_APP_NAME));

    moveFilter = new MoveFilter(this, this);
    connect(moveFilter, SIGNAL(doubleClicked()), this, SLOT(on_pBtn_Maximize_clicked()));
    const auto screens = QGuiApplication::screens();
    for (QScreen *screen : screens)
        watchScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, &MainWindows::watchScreen);

    ui->wgt_Grip->setEnabled(false);
    setSizeGripEnabled(true);
    ui->wgt_PlayCtrl->setFocusPolicy(Qt::StrongFocus);

    playlistModel = new PlaylistModel(this);
    tripModel = new TripPlaylistModel(playlistModel, this);
    ui->tbl_PlayListView->setModel(tripModel);
    setUpTable();
    eventModel = new EventListModel(this);
    tripEvents = new TripEvents(playlistModel, this);
    setUpEventList();
    placeTimeline();
    ui->label_copyright->setStyleSheet(QStringLiteral("QLabel{height:12px;background:transparent;color:gray;}"));

    ControlPanel *panel = ui->wgt_PlayCtrl;
    PlayAreaManager *area = ui->wgt_PlayArea;
    panel->setState(area->decState());
    panel->setVolume(area->volume());
    panel->setMuted(panel->isMuted());

    ui->lbl_Title->setText(QStringLiteral(TRACKORA_APP_NAME));

    connect(panel, &ControlPanel::openFile, this, &MainWindows::openFile);
    connect(panel, &ControlPanel::play, this, &MainWindows::playClicked);
    connect(panel, &ControlPanel::stop, this, &MainWindows::onStop);
    connect(panel, &ControlPanel::previous, this, &MainWindows::previousClicked, Qt::QueuedConnection);
    connect(panel, &ControlPanel::next, this, &MainWindows::nextClicked, Qt::QueuedConnection);
    connect(panel, &ControlPanel::frontView, this, &MainWindows::onFrontView);
    connect(panel, &ControlPanel::rearView, this, &MainWindows::onRearView);
    connect(panel, &ControlPanel::frontRearView, this, &MainWindows::onFrontRearView);
    connect(panel, &ControlPanel::changeRate, this, &MainWindows::onChangeRate);
    connect(area, &PlayAreaManager::positionChanged, this, &MainWindows::positionChanged, Qt::DirectConnection);
    connect(area, &PlayAreaManager::keyPressSignals, this, &MainWindows::onKeyPressEvent);
    connect(area, &PlayAreaManager::dropFile, this, &MainWindows::onDropFile);
    connect(area, &PlayAreaManager::clearPlayList, this, &MainWindows::clearPlayList);
    connect(ui->tbl_PlayListView, &QTableView::doubleClicked, this, &MainWindows::onTableDoubleClicked);
    ui->tbl_PlayListView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->tbl_PlayListView, &QWidget::customContextMenuRequested, this, &MainWindows::onPlaylistContextMenu);
    connect(ui->tbl_PlayListView, &QTableView::clicked, this, &MainWindows::onTableClicked);
    connect(tripModel, &TripPlaylistModel::regrouped, this, &MainWindows::onTripsRegrouped);
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(tripModel, changed, this, &MainWindows::refreshTripSpans);
    connect(tripModel, &QAbstractItemModel::modelReset, this, &MainWindows::refreshTripSpans);
    connect(tripModel, &QAbstractItemModel::layoutChanged, this, &MainWindows::refreshTripSpans);
    connect(timeline, &TripTimeline::seekRequested, this, &MainWindows::onTimelineSeek);
    connect(panel, &ControlPanel::marksChanged, this, &MainWindows::placeTimelineMarks);
    connect(ui->wgt_MapView, &MapWebView::routeClicked, this, &MainWindows::playTripSecond);
    connect(ui->gView_GyroChart, &GyroChartView::secondClicked, this, &MainWindows::playTripSecond);
    connect(area->frontPlayer(), &CPlayerWidget::mediaChanged, this, &MainWindows::onMediaChanged);
    connect(playlistModel, &PlaylistModel::gpsDataChanged, this, &MainWindows::onGpsDataChanged);
    connect(playlistModel, &PlaylistModel::allGpsDataParserFinished, this, &MainWindows::onAllGpsDataParserFinished);
    Configuration *config = Configuration::instance();
    connect(config, SIGNAL(updateLanguage()), this, SLOT(onUpdateLanguage()), Qt::DirectConnection);

    connect(panel, &ControlPanel::pause, area, &PlayAreaManager::pause);
    connect(panel, &ControlPanel::changeVolume, area, &PlayAreaManager::setVolume);
    connect(panel, &ControlPanel::changeMuting, area, &PlayAreaManager::setMuted);
    connect(panel, &ControlPanel::screenshot, area, &PlayAreaManager::screenshot);
    connect(panel, &ControlPanel::exportRequested, this, &MainWindows::openExportDialog);
    connect(panel, &ControlPanel::sliderMoved, area, &PlayAreaManager::seek);
    connect(panel, &ControlPanel::sliderStatusChanged, area, &PlayAreaManager::onSliderStatusChanged);
    connect(area, &PlayAreaManager::stateChanged, panel, &ControlPanel::setState);
    connect(area, &PlayAreaManager::stateChanged, this, &MainWindows::onPlayAreaStateChanged);
    connect(area, &PlayAreaManager::mutedChanged, panel, &ControlPanel::setMuted);
    connect(area, &PlayAreaManager::durationChanged, panel, &ControlPanel::setMaxDuration);
    connect(area, &PlayAreaManager::durationChanged, this, [this](qint64 ms) { playingDurationMs = ms; });
    connect(area, &PlayAreaManager::showModeChanged, panel, &ControlPanel::onShowModeChanged);
    connect(config, SIGNAL(mapsChanged(MapTypes)), ui->wgt_MapView, SLOT(setMapType(MapTypes)));
    connect(config, &Configuration::speedUnitChanged, panel, [panel] { panel->setSpeed(0); });
    connect(config, &Configuration::speedUnitChanged, this, [this] {
        // The trip's speed line in the new unit.
        shownTrip.clear();
        if (ui->wgt_PlayArea->playingRowId() >= 0 && !samplesPending)
            showWholeTrip();
    });
    connect(config, &Configuration::updateState, this, [this] {
        ui->pBtn_Maximize->setToolTip(isMaximized() ? tr("Restore Down") : tr("Maximize"));
    });
    // Saved settings may hold new thresholds.
    connect(config, &Configuration::updateState, this, &MainWindows::refreshEvents);
    connect(panel, &ControlPanel::eventsShown, ui->tbl_EventList, &QWidget::setVisible);
    connect(ui->tbl_EventList, &QTableView::doubleClicked, this, &MainWindows::onEventDoubleClicked);
    connect(tripEvents, &TripEvents::changed, this, &MainWindows::showTripEvents);

    const int volume = config->volume();
    const bool mute = config->isMute();
    panel->setVolume(volume);
    panel->setMuted(mute);
    panel->setLastVolume(volume);
    qCDebug(lcMainWindow) << "** vol:" << volume << ", mute:" << mute;

    setSystemFontSize();
    restoreGeometry();

    ui->wgt_Speed->hide();
    ui->wgt_Direction->hide();
}

MainWindows::~MainWindows()
{
    ui->wgt_PlayArea->stop();
    ui->tbl_PlayListView->setModel(nullptr);
    delete tripModel;
    tripModel = nullptr;
    delete playlistModel;
    playlistModel = nullptr;
    delete ui;
    delete currentRow;
    delete playingRow;
}

// The track is for the folder of the row under the pointer, or of the
// first row, or the last folder opened.
void MainWindows::onPlaylistContextMenu(const QPoint &pos)
{
    const QModelIndex index = ui->tbl_PlayListView->indexAt(pos);
    const RowData *row = playlistModel->getDataByRow(index.isValid() ? index.row() : 0);
    const QString folder = row ? QFileInfo(row->url.toLocalFile()).absolutePath()
                               : Configuration::instance()->videoFilePath();
    QMenu menu(this);
    QAction *load = menu.addAction(tr("Load track…"));
    load->setEnabled(!folder.isEmpty());
    if (menu.exec(ui->tbl_PlayListView->viewport()->mapToGlobal(pos)) == load)
        loadFolderTrack(folder);
}

void MainWindows::loadFolderTrack(const QString &folder)
{
    FolderTrackDialog dialog(folder, playlistModel->filesInFolder(folder), this);
    connect(&dialog, &FolderTrackDialog::trackLoaded, this, &MainWindows::onFolderTrackLoaded);
    dialog.exec();
}

void MainWindows::onFolderTrackLoaded(const QString &folder)
{
    const QList<int> ids = playlistModel->reparseFolder(folder);
    // The playing recording shows its new trip once it is parsed again.
    const int playing = ui->wgt_PlayArea->playingRowId();
    if (ids.contains(playing))
        playlistModel->requestAllGpsData(playing);
}

void MainWindows::setUpTable()
{
    QTableView *table = ui->tbl_PlayListView;
    table->setAlternatingRowColors(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setShowGrid(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(38);
    table->horizontalHeader()->setHighlightSections(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fitColumns();
    table->setStyleSheet(QStringLiteral(
        "QTableView{background-color: rgb(44, 44, 52); alternate-background-color: rgb(54, 54, 62);"
        " color: rgb(210, 210, 210); border: none; selection-background-color: rgb(73, 85, 114);}"
        "QHeaderView::section{background-color: rgb(34, 34, 42); color: rgb(200, 200, 200);"
        " border: none; padding: 4px;}"));
    const QString bars = QStringLiteral(
        "QScrollBar:vertical{width: 8px; background: transparent; margin: 0;}"
        "QScrollBar:horizontal{height: 8px; background: transparent; margin: 0;}"
        "QScrollBar::handle{background: rgb(90, 90, 100); border-radius: 4px; min-height: 20px; min-width: 20px;}"
        "QScrollBar::add-line, QScrollBar::sub-line{width: 0; height: 0;}"
        "QScrollBar::add-page, QScrollBar::sub-page{background: none;}");
    table->verticalScrollBar()->setStyleSheet(bars);
    table->horizontalScrollBar()->setStyleSheet(bars);
}

void MainWindows::setUpEventList()
{
    QTableView *table = ui->tbl_EventList;
    table->setModel(eventModel);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->setAlternatingRowColors(true);
    table->setShowGrid(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(26);
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(EventListModel::ColumnTime, 90);
    table->setColumnWidth(EventListModel::ColumnKind, 170);
    table->setColumnWidth(EventListModel::ColumnValue, 110);
    table->setStyleSheet(ui->tbl_PlayListView->styleSheet());
    table->verticalScrollBar()->setStyleSheet(ui->tbl_PlayListView->verticalScrollBar()->styleSheet());
    table->horizontalScrollBar()->setStyleSheet(ui->tbl_PlayListView->horizontalScrollBar()->styleSheet());
    table->hide();
}

// The name column takes the width the others leave; each of those is as wide
// as its longest text in the current font and language, so the date is never
// cut off and the table needs no horizontal scroll bar while names fit.
void MainWindows::fitColumns()
{
    QTableView *table = ui->tbl_PlayListView;
    QHeaderView *header = table->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(PlaylistModel::ColumnFileName, QHeaderView::Stretch);
    const QFontMetrics cells(table->font());
    const QFontMetrics titles(header->font());
    const QStringList widest[] = {
        {},
        {QStringLiteral("00:00:00")},
        {QStringLiteral("0000/00/00 00:00:00")},
        {PlaylistModel::readableSize(1023, 0), PlaylistModel::readableSize(1023LL << 20, 0)},
        {QStringLiteral("0000 x 0000")},
    };
    for (int c = PlaylistModel::ColumnDuration; c < PlaylistModel::ColumnCount; ++c) {
        int width = titles.horizontalAdvance(playlistModel->headerData(c, Qt::Horizontal).toString());
        for (const QString &text : widest[c])
            width = qMax(width, cells.horizontalAdvance(text));
        header->resizeSection(c, width + kColumnPadding);
    }
}

// ---- frame -----------------------------------------------------------------

void MainWindows::watchScreen(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this,
            [this, screen] { onDesktopResized(QGuiApplication::screens().indexOf(screen)); });
    connect(screen, &QScreen::availableGeometryChanged, this,
            [this, screen] { onWorkAreaResized(QGuiApplication::screens().indexOf(screen)); });
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this](qreal dpi) {
        qCDebug(lcMainWindow) << "MainWindows::nativeEvent WM_DPICHANGED:" << dpi;
        QTimer::singleShot(kFontRefreshDelayMs, this, &MainWindows::setSystemFontSize);
    });
}

void MainWindows::on_pBtn_Minimize_clicked()
{
    showMinimized();
}

void MainWindows::on_pBtn_Maximize_clicked()
{
    toggleMaximized();
}

void MainWindows::on_pBtn_Close_clicked()
{
    close();
}

void MainWindows::on_pBtn_Step_clicked()
{
    ui->pBtn_Step->setChecked(false);
    {
        Setting dialog(this);
        dialog.exec();
    }
    // A language chosen in the dialog changed texts that the forms do not own.
    ui->wgt_PlayCtrl->updateToolTips();
    ui->pBtn_Maximize->setToolTip(normalFlag ? tr("Maximize") : tr("Restore Down"));
}

void MainWindows::on_pBtn_Copyright_clicked()
{
    ui->pBtn_Copyright->setChecked(false);
    Copyright dialog(this);
    dialog.exec();
}

void MainWindows::showFileName(const QString &name)
{
    QFont font(QStringLiteral("Calibri"));
    font.setPixelSize(16);
    ui->lbl_FileName->setFont(font);
    const QFontMetrics metrics(font);
    const int width = ui->lbl_FileName->width();
    QString shown = name;
    if (metrics.horizontalAdvance(name) > width)
        shown = metrics.elidedText(name, Qt::ElideMiddle, width);
    ui->lbl_FileName->setText(shown);
    fileNameText = name;
}

void MainWindows::toggleMaximized()
{
    QScreen *screen = screenShowingMostOf(this);
    const QRect workArea = screen ? screen->availableGeometry() : QRect();
    if (normalFlag) {
        restoreRect = normalGeometry();
        Configuration::instance()->setMainWindowRect(restoreRect);
        const QRect filled(workArea.topLeft(), QSize(workArea.width(), workArea.height() - 1));
        setGeometry(filled);
        setFixedSize(filled.size());
        moveFilter->setDisabled(true);
        normalFlag = false;
    } else {
        const QRect rect = fittedToWorkArea(Configuration::instance()->mainWindowRect());
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showNormal();
        setGeometry(rect);
        moveFilter->setDisabled(false);
        normalFlag = true;
    }
    ui->pBtn_Maximize->setChecked(!normalFlag);
    ui->pBtn_Maximize->setToolTip(normalFlag ? tr("Maximize") : tr("Restore Down"));
}

void MainWindows::restoreGeometry()
{
    Configuration *config = Configuration::instance();
    QRect rect = config->hasMainWindowRect() ? config->mainWindowRect() : firstWindowRect();
    if (!QGuiApplication::screenAt(rect.center()))
        rect = QRect(483, 166, 921, 628);
    if (config->isMainWindowMaximized())
        toggleMaximized();
    else
        setGeometry(fittedToWorkArea(rect));
}

// A first start opens at three quarters of the work area, centred, so the
// playlist and the map have room from the outset.
QRect MainWindows::firstWindowRect()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(483, 166, 921, 628);
    const QRect work = screen->availableGeometry();
    QRect rect(QPoint(0, 0), QSize(work.width() * 3 / 4, work.height() * 3 / 4));
    rect.moveCenter(work.center());
    return rect;
}

// A stored rectangle from a larger screen, or one hanging off the edge, would
// leave the title bar or the edges out of reach: keep it inside the work area
// of the screen it lands on.
QRect MainWindows::fittedToWorkArea(const QRect &rect)
{
    QScreen *screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return rect;
    const QRect work = screen->availableGeometry();
    QRect fitted(rect.topLeft(), rect.size().boundedTo(work.size()));
    fitted.moveLeft(qBound(work.left(), fitted.left(), work.right() - fitted.width() + 1));
    fitted.moveTop(qBound(work.top(), fitted.top(), work.bottom() - fitted.height() + 1));
    return fitted;
}

void MainWindows::closeEvent(QCloseEvent *event)
{
    Configuration *config = Configuration::instance();
    config->setMainWindowRect(normalFlag ? geometry() : restoreRect);
    config->setMainWindowMaximized(!normalFlag);
    QDialog::closeEvent(event);
}

void MainWindows::onWorkAreaResized(int)
{
    if (normalFlag)
        return;
    QScreen *screen = screenShowingMostOf(this);
    if (!screen)
        return;
    const QRect workArea = screen->availableGeometry();
    const QRect filled(workArea.topLeft(), QSize(workArea.width(), workArea.height() - 1));
    if (filled.size() != size()) {
        showNormal();
        setGeometry(filled);
        setFixedSize(filled.size());
    }
}

void MainWindows::onDesktopResized(int screen)
{
    qCDebug(lcMainWindow) << "onDesktopResized:" << screen;
    setSystemFontSize();
}

void MainWindows::setSystemFontSize()
{
    const qreal scale = screenScaleFor(this);
    qCDebug(lcMainWindow) << "setSystemFontSize dpi:" << scale * 96.0 << scale;

    const FrameFontStep &step = fontStepFor(scale);
    QFont font = QApplication::font();
    font.setPointSize(step.pointSize);
    QFont notice = font;
    notice.setPointSize(step.noticeSize);
    ui->label_copyright->setFont(notice);

    ui->wgt_PlayCtrl->setTimeFont(font);
    QApplication::setFont(font);
    for (const char *className : {"QLabel", "QDialog", "QPushButton", "QTableView", "QHeaderView", "QComboBox", "QTextEdit"})
        QApplication::setFont(font, className);

    QFont title = font;
    title.setPointSize(step.pointSize + 1);
    ui->lbl_Title->setFont(title);
    if (step.step <= 1.5) {
        QFont name = font;
        name.setPixelSize(16);
        ui->lbl_FileName->setFont(name);
    }
    QCoreApplication::processEvents();
    fitColumns();
}

MainWindows::ResizeEdge MainWindows::hitTestEdge(const QPoint &globalPos)
{
    ResizeEdge edge = EdgeNone;
    if (normalFlag) {
        const QRect r = frameGeometry();
        const int x = globalPos.x();
        const int y = globalPos.y();
        const int L = r.left(), T = r.top(), R = r.right(), B = r.bottom();
        const bool nearLeft = L <= x && x <= L + kCornerZone;
        const bool nearRight = R - kCornerZone <= x && x <= R;
        const bool nearTop = T <= y && y <= T + kCornerZone;
        const bool nearBottom = B - kCornerZone <= y && y <= B;
        if (nearLeft && nearTop)
            edge = EdgeTopLeft;
        else if (nearRight && nearBottom)
            edge = EdgeBottomRight;
        else if (nearLeft && nearBottom)
            edge = EdgeBottomLeft;
        else if (nearRight && nearTop)
            edge = EdgeTopRight;
        else if (L <= x && x <= L + kEdgeZone)
            edge = EdgeLeft;
        else if (R - kEdgeZone <= x && x <= R)
            edge = EdgeRight;
        else if (T <= y && y <= T + kEdgeZone)
            edge = EdgeTop;
        else if (B - kEdgeZone <= y && y <= B)
            edge = EdgeBottom;
    }
    const Qt::CursorShape shape = cursorFor(edge);
    if (cursor().shape() != shape)
        setCursor(shape);
    lastEdge = edge;
    return edge;
}

bool MainWindows::keepsOwnCursor(QWidget *widget) const
{
    if (!widget)
        return false;
    const QWidget *own[] = {ui->wgt_MapView, ui->tbl_PlayListView->horizontalHeader()->viewport()};
    for (const QWidget *w : own) {
        if (widget == w || widget->parentWidget() == w)
            return true;
    }
    return false;
}

void MainWindows::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Mouse moves without a button reach the window, not the widgets; watch
    // them there for the edge test.
    QWindow *window = windowHandle();
    if (window && window != watchedWindow) {
        if (watchedWindow)
            watchedWindow->removeEventFilter(this);
        watchedWindow = window;
        window->installEventFilter(this);
        connect(window, &QWindow::screenChanged, this,
                [this] { QTimer::singleShot(kFontRefreshDelayMs, this, &MainWindows::setSystemFontSize); });
    }
}

bool MainWindows::eventFilter(QObject *watched, QEvent *event)
{
    if (!shownLogged && watched == watchedWindow && event->type() == QEvent::Expose && watchedWindow->isExposed()) {
        shownLogged = true;
        qCInfo(lcMainWindow) << "window shown";
    }
    if (watched == watchedWindow && watchedWindow)
        return handleWindowMouse(event);
    return QDialog::eventFilter(watched, event);
}

bool MainWindows::handleWindowMouse(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint global = mouse->globalPos();

    if (dragEdge != EdgeNone) {
        if (type == QEvent::MouseButtonRelease) {
            dragEdge = EdgeNone;
            return true;
        }
        if (type == QEvent::MouseMove) {
            const QPoint d = global - dragStartPos;
            QRect g = dragStartGeometry;
            const Qt::Edges edges = qtEdgesFor(dragEdge);
            if (edges & Qt::LeftEdge)
                g.setLeft(qMin(g.left() + d.x(), g.right() - minimumWidth()));
            if (edges & Qt::RightEdge)
                g.setRight(qMax(g.right() + d.x(), g.left() + minimumWidth()));
            if (edges & Qt::TopEdge)
                g.setTop(qMin(g.top() + d.y(), g.bottom() - minimumHeight()));
            if (edges & Qt::BottomEdge)
                g.setBottom(qMax(g.bottom() + d.y(), g.top() + minimumHeight()));
            setGeometry(g);
            return true;
        }
    }

    if (type == QEvent::MouseMove) {
        if (mouse->buttons() != Qt::NoButton)
            return false;
        if (keepsOwnCursor(QApplication::widgetAt(global)))
            return false;
        return hitTestEdge(global) != EdgeNone;
    }
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        const ResizeEdge edge = hitTestEdge(global);
        if (edge == EdgeNone)
            return false;
        if (watchedWindow->startSystemResize(qtEdgesFor(edge)))
            return true;
        // No window manager to do it: follow the mouse ourselves.
        dragEdge = edge;
        dragStartPos = global;
        dragStartGeometry = geometry();
        return true;
    }
    return false;
}

bool MainWindows::nativeEventFilter(const QByteArray &eventType, void *message, long *result)
{
#ifdef Q_OS_WIN
    auto *msg = static_cast<MSG *>(message);
    if (msg->message == WM_DPICHANGED) {
        qCDebug(lcMainWindow) << "MainWindows::nativeEvent WM_DPICHANGED:" << LOWORD(msg->wParam);
        QTimer::singleShot(kFontRefreshDelayMs, this, &MainWindows::setSystemFontSize);
    }
    if (eventType != "windows_generic_MSG" && eventType != "windows_dispatcher_MSG")
        return false;
    if (msg->message == WM_MOUSEMOVE) {
        if (keepsOwnCursor(QApplication::widgetAt(QCursor::pos())))
            return false;
        const ResizeEdge edge = hitTestEdge(QCursor::pos());
        static const LPCTSTR cursors[] = {IDC_SIZENS, IDC_SIZENS, IDC_SIZEWE, IDC_SIZEWE,
                                          IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW};
        if (edge == EdgeNone) {
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            return false;
        }
        SetCursor(LoadCursor(nullptr, cursors[edge]));
        *result = 0;
        return true;
    }
    if (msg->message == WM_LBUTTONDOWN) {
        static const WPARAM sizes[] = {3, 6, 1, 2, 4, 7, 8, 5};
        const ResizeEdge edge = hitTestEdge(QCursor::pos());
        if (edge != EdgeNone && ReleaseCapture()) {
            SendMessage(HWND(winId()), WM_SYSCOMMAND, SC_SIZE + sizes[edge], 0);
            *result = 0;
            return true;
        }
    }
    return false;
#else
    // Elsewhere the edge test watches the window's own mouse events.
    Q_UNUSED(eventType)
    Q_UNUSED(message)
    Q_UNUSED(result)
    return false;
#endif
}

// ---- body ------------------------------------------------------------------

QString MainWindows::chooseFolder(const QString &start, const QString &title)
{
    const QString normalized = QDir::fromNativeSeparators(start);
    const int cut = normalized.lastIndexOf(QLatin1Char('/'));
    const QString parentFolder = cut > 0 ? normalized.left(cut) : (cut == 0 ? QStringLiteral("/") : normalized);
    const QString lastName = cut >= 0 ? normalized.mid(cut + 1) : QString();

    QFileDialog dialog(this, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setDirectory(QDir::toNativeSeparators(parentFolder));
    if (!lastName.isEmpty())
        dialog.selectFile(lastName);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen.first());
}

void MainWindows::clearTripViews()
{
    shownTrip.clear();
    shownTripIds.clear();
    shownTripOffsets.clear();
    ui->wgt_Speed->setSpeed(0);
    ui->gView_GyroChart->clearChart();
    ui->wgt_MapView->clearAll();
    eventModel->clear();
    tripEvents->clear();
    chartSecondsPerPoint = 1.0;
    currentSecond = 0;
}

void MainWindows::openFile()
{
    const QString path = chooseFolder(Configuration::instance()->videoFilePath(), tr("Open Folder"));
    qCDebug(lcMainWindow) << "selected dir: " << path;
    if (path.isEmpty())
        return;

    const QStringList filters = {QStringLiteral("*.avi"), QStringLiteral("*.mp4"), QStringLiteral("*.mov")};
    QDir dir(path, QString(), QDir::Name, QDir::Files);
    const QFileInfoList entries = dir.entryInfoList(filters, QDir::Files, QDir::Name);

    clearPlayList();
    clearTripViews();
    showFileName(QString());
    // After the clear, which ends any scan that is still running.
    abortScan = false;
    QElapsedTimer sinceEvents;
    sinceEvents.start();

    int firstRow = -1;
    bool aborted = false;
    const int n = entries.size();
    for (int i = 0; i < n; ++i) {
        if (abortScan) {
            abortScan = false;
            aborted = true;
            break;
        }
        bool added = false;
        const int row = playlistModel->addDataByFileInfo(entries.at(i), 0, added);
        if (row >= 0 && firstRow < 0)
            firstRow = row;
        // A later file may take over the row that plays (a front file for
        // its rear); the row then plays as it now stands.
        const int playing = ui->wgt_PlayArea->playingRowId();
        if (row >= 0 && row == playing) {
            const RowData *now = playlistModel->getDataByRow(row);
            if (now && now->url != playingRow->url && now->url.isValid())
                playByData(now);
        }
        progressStep(i, n);
        // A large folder would otherwise hold the window (and the first
        // picture) until the last file is listed.
        if (sinceEvents.elapsed() >= kScanEventStepMs) {
            QCoreApplication::processEvents();
            sinceEvents.restart();
        }
    }

    // An aborted scan leaves the window to whoever aborted it.
    if (firstRow < 0 && !aborted) {
        openPending = false;
        ui->wgt_PlayArea->stop();
        ui->wgt_PlayCtrl->setPlayEnabled(false);
        // Nothing is loaded now: no duration, no readouts of the last trip.
        ui->wgt_PlayCtrl->setMaxDuration(0);
        ui->wgt_PlayCtrl->resetInfo();
        ui->wgt_PlayCtrl->setCurrentPosition(0);
        clearTripViews();
    }
    abortScan = true;
}

void MainWindows::progressStep(int i, int n)
{
    if (!((i == 0 && n == 1) || (i == 1 && n > 1)))
        return;
    const RowData *first = playlistModel->getDataByRow(0);
    if (!first)
        return;
    Configuration::instance()->setVideoFilePath(QFileInfo(first->url.toLocalFile()).absolutePath());
    if (playlistModel->getDataByRow(0, currentRow) && currentRow->url.isValid())
        playByData(currentRow);
}

bool MainWindows::isSuportH264orH265(int id)
{
    ComputeInfo *info = ComputeInfo::instance();
    const int codec = playlistModel->getCodecByRow(id);
    const QSize size = playlistModel->getResolutionByRow(id);
    if (qint64(size.width()) * size.height() <= kLargePicture)
        return true;
    // The lists and, beyond them, the system's decode interface decide.
    if (info->canPlay(codec, size.width(), size.height()))
        return true;
    QString text;
    if (codec == VideoCodecH265)
        text = tr("This computer cannot play this video because it does not have the video playback support function required to play H.265 (HEVC).");
    else if (codec == VideoCodecH264)
        text = tr("This computer cannot play this video because it does not have the video playback support function required to play H.264 (AVC).");
    if (text.isEmpty())
        return true;
    qCWarning(lcMainWindow) << "refused" << size << "codec" << codec << "on" << info->cpuAndCardInfo();
    QMessageBox::warning(nullptr, tr("Error") + QLatin1Char(' ') + info->cpuAndCardInfo(), text, QMessageBox::Ok,
                         QMessageBox::NoButton);
    return false;
}

void MainWindows::playByData(const RowData *row)
{
    if (!row || !isSuportH264orH265(row->id))
        return;
    codecCheckPending = playlistModel->getResolutionByRow(row->id).isEmpty();
    // Copy first: the row may be the model's, and the events processed below
    // may replace or delete it.
    RowData copy = *row;
    copy.parser = nullptr;
    copy.runnable = nullptr;

    PlayAreaManager *area = ui->wgt_PlayArea;
    ControlPanel *panel = ui->wgt_PlayCtrl;
    openPending = false;
    followingChain = false;
    disarmNextMedia();
    if (pendingSeekId != copy.id)
        pendingSeekId = -1;
    area->stop();
    playingPositionMs = 0;
    panel->setCurrentPosition(0);
    ui->tbl_PlayListView->selectRow(tripModel->rowOfId(copy.id));
    QCoreApplication::processEvents();

    const QUrl relateUrl = playlistModel->getRelateUrlByMainData(&copy, true);
    qCDebug(lcMainWindow) << "RelateUrl: " << relateUrl;
    const PlaylistModel::Marker marker = PlaylistModel::markerOf(copy.fileName);
    const bool hasFront = marker == PlaylistModel::FrontMarker;
    const bool hasRear = !relateUrl.isEmpty() || marker == PlaylistModel::RearMarker;
    panel->disableBtn(!hasFront, !hasRear, !(hasFront && hasRear));

    *playingRow = copy;
    area->setPlayFrontOrRear(hasFront, hasRear);
    area->setResourceData(playingRow, relateUrl);
    showFileName(playingFileText(playingRow));
    clearTripViews();
    updateTimeline();
    samplesPending = true;
    playlistModel->requestAllGpsData(playingRow->id);
}

void MainWindows::onTableDoubleClicked(QModelIndex index)
{
    // A trip's header row names no recording.
    const QVariant id = index.data(TripPlaylistModel::RecordingIdRole);
    if (!index.isValid() || !id.isValid())
        return;
    const RowData *row = playlistModel->getDataByRow(id.toInt());
    if (row && row->url.isValid())
        playByData(row);
}

void MainWindows::playClicked()
{
    if (ui->wgt_PlayCtrl->state() == PlayAreaManager::FFStates::PausedState) {
        ui->wgt_PlayArea->play();
        return;
    }
    const QModelIndexList selected = ui->tbl_PlayListView->selectionModel()
        ? ui->tbl_PlayListView->selectionModel()->selectedRows()
        : QModelIndexList();
    if (!selected.isEmpty())
        onTableDoubleClicked(selected.first());
}

void MainWindows::onStop()
{
    openPending = false;
    pendingSeekRow = -1;
    disarmNextMedia();
    ui->wgt_PlayArea->stop();
    ui->wgt_PlayCtrl->resetInfo();
    ui->lbl_FileName->clear();
    clearTripViews();
}

void MainWindows::previousClicked()
{
    ControlPanel *panel = ui->wgt_PlayCtrl;
    panel->blockPreviousButton(true);
    QTimer::singleShot(kStepBlockMs, panel, [panel] { panel->blockPreviousButton(false); });
    const QUrl current(ui->wgt_PlayArea->canonicalUrl());
    const RowData *row = playlistModel->getPreviousData(current);
    if (row && row->url.isValid())
        playByData(row);
}

void MainWindows::nextClicked()
{
    // At the end of a chained recording the players go on by themselves; the
    // end the panel sees is no reason to open the next one again. Should the
    // chain not carry on (the next file cannot be read), the old way follows.
    const int playing = ui->wgt_PlayArea->playingRowId();
    if (chainedId >= 0 && playing >= 0 && playingDurationMs > 0 && playingPositionMs + kChainEndMarginMs >= playingDurationMs) {
        qCDebug(lcMainWindow) << "end of" << playing << "- the players go on with" << chainedId;
        QTimer::singleShot(kChainGraceMs, this, [this, playing] {
            if (ui->wgt_PlayArea->playingRowId() != playing || chainedId < 0)
                return;
            qCWarning(lcMainWindow) << "the players did not go on with the next recording; opening it";
            disarmNextMedia();
            nextClicked();
        });
        return;
    }
    ControlPanel *panel = ui->wgt_PlayCtrl;
    panel->blockNextButton(true);
    QTimer::singleShot(kStepBlockMs, panel, [panel] { panel->blockNextButton(false); });
    const QUrl current(ui->wgt_PlayArea->canonicalUrl());
    const RowData *row = playlistModel->getNextData(current);
    if (!row) {
        panel->stopAndReset();
        ui->wgt_PlayArea->hidePlayers();
        return;
    }
    if (row->url.isValid())
        playByData(row);
}

void MainWindows::onFrontView(bool checked)
{
    if (checked)
        ui->wgt_PlayArea->setShowMode(PlayAreaManager::ShowFront);
}

void MainWindows::onRearView(bool checked)
{
    if (checked)
        ui->wgt_PlayArea->setShowMode(PlayAreaManager::ShowRear);
}

void MainWindows::onFrontRearView(bool checked)
{
    if (checked)
        ui->wgt_PlayArea->setShowMode(PlayAreaManager::ShowFrontRear);
}

void MainWindows::onChangeRate(double rate)
{
    ui->wgt_PlayArea->setPlaybackRate(rate);
}

void MainWindows::onDropFile(QString filePath)
{
    // A local-file URL's text; the path keeps its leading slash.
    const QUrl url(filePath);
    QString path = url.isLocalFile() ? url.toLocalFile() : filePath;
    if (PlaylistModel::markerOf(QFileInfo(path).fileName()) == PlaylistModel::RearMarker) {
        qCDebug(lcMainWindow) << "rear:" << path;
        const QString front = PlaylistModel::partnerPath(path, PlaylistModel::FrontMarker);
        if (!front.isEmpty()) {
            qCDebug(lcMainWindow) << "front exist:" << front;
            path = front;
        }
    }
    bool added = false;
    const int row = playlistModel->addDataByFileInfo(QFileInfo(path), 0, added);
    if (row < 0) {
        qCWarning(lcMainWindow) << "not a recording:" << path;
        return;
    }
    ui->tbl_PlayListView->selectRow(tripModel->rowOfId(row));
    onTableDoubleClicked(ui->tbl_PlayListView->currentIndex());
}

void MainWindows::clearPlayList()
{
    // A drop while a folder is being listed ends that listing.
    abortScan = true;
    pendingSeekRow = -1;
    selectedEventRow = -1;
    // The rows are about to go; the play area must not keep playing one of them
    // under an id the next folder reuses.
    openPending = false;
    if (ui->wgt_PlayArea->playingRowId() >= 0)
        ui->wgt_PlayArea->stop();
    ui->tbl_PlayListView->setModel(nullptr);
    playlistModel->clearAll();
    ui->tbl_PlayListView->setModel(tripModel);
    chainedId = -1;
    chainedMedia.clear();
    timelineIndex = -1;
    timeline->clear();
    // Ids start again with the next folder: no mark may carry over to it.
    ui->wgt_PlayCtrl->setRangeScope(-1, 0);
    ui->wgt_PlayCtrl->clearMarks();
    fitColumns();
}

void MainWindows::positionChanged(int rowId, qint64 position)
{
    if (pendingSeekId >= 0 && rowId == pendingSeekId) {
        // The clicked moment inside a row that had to be opened first.
        const int seconds = int(pendingSeekMs / 1000);
        pendingSeekId = -1;
        if (seconds > 0) {
            ui->wgt_PlayArea->seek(seconds);
            return;
        }
    }
    playingPositionMs = position;
    if (timelineIndex >= 0)
        timeline->setPosition(timelineIndex, position);
    syncToPosition(position, rowId);
    ui->wgt_PlayCtrl->setCurrentPosition(position);
}

void MainWindows::syncToPosition(qint64 position, int rowId)
{
    // Paused, each picture (a seek's, a frame step's) stands alone: its
    // second is the one to show, whole or not.
    const bool paused = ui->wgt_PlayCtrl->state() == PlayAreaManager::FFStates::PausedState;
    if (position % 1000 != 0 && !paused)
        return;
    const int second = int(position / 1000);
    currentSecond = second;
    const int offset = tripOffset();
    ui->gView_GyroChart->setCurrentSecond(offset < 0 ? second : offset + second);
    if (offset >= 0)
        ui->wgt_MapView->setPlayed(offset + second);
    playlistModel->requestGpsData(rowId, second);
}

void MainWindows::onGpsDataChanged(int rowId, GpsData data)
{
    ControlPanel *panel = ui->wgt_PlayCtrl;
    if (panel->state() == PlayAreaManager::FFStates::StoppedState || rowId != ui->wgt_PlayArea->playingRowId())
        return;
    const QString latitude = QString(QChar::fromLatin1(data.latitudeRef)) + QString::number(qAbs(data.latitude), 'f', 6);
    const QString longitude = QString(QChar::fromLatin1(data.longitudeRef)) + QString::number(qAbs(data.longitude), 'f', 6);
    panel->setCoordinate(latitude, longitude);
    // The panel starts with its readouts hidden; a sample is what they are for.
    for (const char *name : {"lbl_GpsDateTime", "pBtn_SP", "lbl_LongitudeAndLatitude"}) {
        if (QWidget *readout = panel->findChild<QWidget *>(QLatin1String(name)))
            readout->show();
    }
    panel->setDateTime(QDateTime::fromString(QString::fromLatin1(data.dateTime, int(qstrnlen(data.dateTime, sizeof data.dateTime))),
                                             QStringLiteral("yyyyMMddhhmmss")));
    panel->setSpeed(data.speed);
    ui->wgt_Speed->setSpeed(data.speed);
    ui->wgt_Direction->setHeading(int(data.heading));
    // A whole trip on the map moves its own marker (syncToPosition).
    if ((data.latitude != 0.0 || data.longitude != 0.0) && tripOffset() < 0) {
        MapPoint point;
        point.index = data.index;
        point.longitude = data.longitude;
        point.latitude = data.latitude;
        ui->wgt_MapView->addPoint(point);
    }
}

void MainWindows::onAllGpsDataParserFinished(int id, QList<GpsData> dataList)
{
    PlayAreaManager *area = ui->wgt_PlayArea;
    if (id != area->playingRowId())
        return;
    // Samples of a file the row no longer holds (its file was replaced) are not ours.
    const RowData *row = playlistModel->getDataByRow(id);
    if (!row || row->url != playingRow->url)
        return;
    // Row 0's list can arrive twice (its own parse and the request); a second
    // start would resume a paused player and move the marker back to 0.
    if (!samplesPending)
        return;
    samplesPending = false;
    if (codecCheckPending) {
        codecCheckPending = false;
        if (!isSuportH264orH265(id)) {
            openPending = false;
            area->stop();
            return;
        }
    }

    GyroChartView *chart = ui->gView_GyroChart;
    showWholeTrip();
    const int count = tripOffset() >= 0 ? 0 : playlistModel->getDurationByRow(id);
    const float step = playlistModel->getFrameRateByRow(id);
    if (tripOffset() >= 0) {
        // The trip's chart is drawn already.
    } else if (step > 0 && dataList.size() >= (count - 1) * step) {
        chartSecondsPerPoint = step;
        chart->setPointCount(count);
        for (int i = 0; i < count; ++i) {
            const int at = int(i * step);
            if (at >= dataList.size())
                break;
            const GpsData &d = dataList.at(at);
            const float xyz[3] = {d.gsensorX, d.gsensorY, d.gsensorZ};
            chart->addPoint(xyz);
        }
    } else {
        chart->setPointCount(dataList.size());
        for (const GpsData &d : qAsConst(dataList)) {
            const float xyz[3] = {d.gsensorX, d.gsensorY, d.gsensorZ};
            chart->addPoint(xyz);
        }
    }

    if (followingChain) {
        // Already playing: the players went on with this file themselves.
        followingChain = false;
    } else {
        area->play();
        // The player opens the file in the background: its first state tells
        // whether it plays (onPlayAreaStateChanged).
        CPlayerWidget *speaker = area->playFrontOrRear() == PlayAreaManager::ShowRear ? area->rearPlayer() : area->frontPlayer();
        openPending = speaker->decState() == PlayAreaManager::FFStates::StoppedState;
    }
    armNextMedia();

    QVector<QVector<double>> route;
    route.reserve(dataList.size());
    int firstFix = -1;
    for (int i = 0; i < dataList.size(); ++i) {
        const GpsData &d = dataList.at(i);
        route.append({d.longitude, d.latitude});
        if (firstFix < 0 && (d.latitude != 0.0 || d.longitude != 0.0))
            firstFix = i;
    }
    if (firstFix == 0) {
        chart->setCurrentSecond(qMax(0, tripOffset()));
        playlistModel->requestGpsData(id, 0);
    }
    if (tripOffset() < 0)
        ui->wgt_MapView->loadAllGpsData(route);
    else
        ui->wgt_MapView->setPlayed(tripOffset());

    // An event of another recording was chosen: it plays from there.
    if (pendingSeekRow == id)
        area->seek(pendingSeekSecond);
    pendingSeekRow = -1;
    tripEvents->start(id, playingRow->fileName, dataList, Configuration::instance()->eventThresholds());
}

void MainWindows::refreshEvents()
{
    tripEvents->setThresholds(Configuration::instance()->eventThresholds());
}

void MainWindows::showTripEvents()
{
    eventModel->setEvents(tripEvents->events());
    if (tripOffset() >= 0) {
        // The chart shows the whole trip, a point a second.
        QVector<DrivingEvent> marks;
        for (const TripEvent &e : tripEvents->events()) {
            const int k = shownTripIds.indexOf(e.rowId);
            if (k < 0)
                continue;
            DrivingEvent mark = e.event;
            mark.second += shownTripOffsets.at(k);
            marks.append(mark);
        }
        ui->gView_GyroChart->setEventMarkers(marks, 1.0);
    } else {
        ui->gView_GyroChart->setEventMarkers(tripEvents->playingEvents(), chartSecondsPerPoint);
    }
    const int row = eventModel->rowOf(selectedEventRow, selectedEventSecond);
    if (row >= 0)
        ui->tbl_EventList->selectRow(row);
    placeTimelineMarks();
}

void MainWindows::placeTimelineMarks()
{
    timeline->clearMarkers();
    const Trip *trip = playingRow && timelineIndex >= 0 ? tripModel->tripOfId(playingRow->id) : nullptr;
    if (!trip)
        return;
    for (const TripEvent &e : tripEvents->events()) {
        const int at = trip->indexOfId(e.rowId);
        if (at < 0)
            continue;
        const qint64 t = timeline->tripTimeOf(at, qint64(e.event.second) * 1000);
        timeline->setMarker(QStringLiteral("event:%1:%2").arg(e.rowId).arg(e.event.second), t, t,
                            EventListModel::kindColor(e.event.kind));
    }
    const ControlPanel *panel = ui->wgt_PlayCtrl;
    const RangeMark in = panel->markedInAt().isSet() ? panel->markedInAt() : panel->markedOutAt();
    const RangeMark out = panel->markedOutAt().isSet() ? panel->markedOutAt() : panel->markedInAt();
    if (in.isSet()) {
        const QVector<qint64> lengths = lengthsOf(*trip);
        timeline->setMarker(QStringLiteral("export"), TripRange::tripTimeOf(lengths, in), TripRange::tripTimeOf(lengths, out),
                            QColor(255, 196, 0, 160));
    }
}

void MainWindows::onEventDoubleClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    goToEvent(index.row(), kEventLeadSeconds);
    if (ui->wgt_PlayCtrl->state() == PlayAreaManager::FFStates::PausedState)
        ui->wgt_PlayArea->play();
}

void MainWindows::goToEvent(int row, int leadSeconds)
{
    if (row < 0 || row >= eventModel->rowCount())
        return;
    // A copy: playing another row rebuilds the list.
    const TripEvent event = eventModel->events().at(row);
    ui->tbl_EventList->selectRow(row);
    ui->tbl_EventList->scrollTo(eventModel->index(row, 0));
    selectedEventRow = event.rowId;
    selectedEventSecond = event.event.second;
    const int target = qMax(0, event.event.second - leadSeconds);
    const qint64 rangeIn = qint64(event.event.second - kEventRangeSeconds) * 1000;
    const qint64 rangeOut = qint64(event.event.second + kEventRangeSeconds) * 1000;
    // Within a trip the range goes on across its seams.
    const Trip *trip = playingRow ? tripModel->tripOfId(playingRow->id) : nullptr;
    const int part = trip ? trip->indexOfId(event.rowId) : -1;
    if (part >= 0 && trip->indexOfId(playingRow->id) >= 0) {
        const QVector<qint64> lengths = lengthsOf(*trip);
        const qint64 at = TripRange::tripTimeOf(lengths, RangeMark{part, qint64(event.event.second) * 1000});
        const qint64 total = TripRange::tripTimeOf(lengths, RangeMark{lengths.size() - 1, lengths.last()});
        ui->wgt_PlayCtrl->setRange(TripRange::markAt(lengths, qMax<qint64>(0, at - kEventRangeSeconds * 1000)),
                                   TripRange::markAt(lengths, qMin(total, at + kEventRangeSeconds * 1000)));
        if (event.rowId == ui->wgt_PlayArea->playingRowId()) {
            ui->wgt_PlayArea->seek(target);
            return;
        }
        const RowData *other = playlistModel->getDataByRow(event.rowId);
        if (!other || !other->url.isValid())
            return;
        pendingSeekRow = event.rowId;
        pendingSeekSecond = target;
        playByData(other);
        return;
    }
    if (event.rowId == ui->wgt_PlayArea->playingRowId()) {
        ui->wgt_PlayCtrl->proposeRange(rangeIn, rangeOut, false);
        ui->wgt_PlayArea->seek(target);
        return;
    }
    const RowData *other = playlistModel->getDataByRow(event.rowId);
    if (!other || !other->url.isValid())
        return;
    ui->wgt_PlayCtrl->proposeRange(rangeIn, rangeOut, true);
    pendingSeekRow = event.rowId;
    pendingSeekSecond = target;
    playByData(other);
}

// A file the player cannot open leaves it stopped and silent; move on rather
// than wait for positions that never come.
void MainWindows::onPlayAreaStateChanged(TrackoraActiveXLib::FFStates state)
{
    if (!openPending)
        return;
    openPending = false;
    if (state != PlayAreaManager::FFStates::StoppedState)
        return;
    qCWarning(lcMainWindow) << "cannot play" << playingRow->url.toLocalFile() << "- moving to the next row";
    QMetaObject::invokeMethod(this, "nextClicked", Qt::QueuedConnection);
}

void MainWindows::keyPressEvent(QKeyEvent *event)
{
    qCDebug(lcMainWindow) << "MainWindows::keyPressEvent" << event;
    switch (event->key()) {
    case Qt::Key_Period:
    case Qt::Key_Comma:
    case Qt::Key_Space:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_N:
    case Qt::Key_I:
    case Qt::Key_O:
        onKeyPressEvent(event);
        break;
    case Qt::Key_Escape:
        event->accept();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void MainWindows::onKeyPressEvent(QKeyEvent *event)
{
    if ((event->modifiers() & Qt::ControlModifier) && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        jumpInTrip(event->key() == Qt::Key_Right ? 1 : -1);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Period:
    case Qt::Key_Comma:
        // The players step only while paused; playing, the keys do nothing.
        ui->wgt_PlayArea->stepFrame(event->key() == Qt::Key_Period ? 1 : -1);
        break;
    case Qt::Key_Space:
        ui->wgt_PlayCtrl->playClicked();
        break;
    case Qt::Key_Left:
        ui->wgt_PlayCtrl->setSliderMove(-1);
        break;
    case Qt::Key_Right:
        ui->wgt_PlayCtrl->setSliderMove(1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        break;
    // The panel's own shortcuts take these while the window is active; a key
    // that reaches the window otherwise still marks.
    case Qt::Key_I:
        ui->wgt_PlayCtrl->markIn();
        break;
    case Qt::Key_O:
        ui->wgt_PlayCtrl->markOut();
        break;
    case Qt::Key_N:
        // The list may be hidden; the trip's events are there all the same.
        if (event->modifiers() & Qt::ShiftModifier)
            goToEvent(eventModel->previousBefore(tripEvents->playingPart(), currentSecond), 0);
        else
            goToEvent(eventModel->nextAfter(tripEvents->playingPart(), currentSecond), 0);
        break;
    default:
        return;
    }
    event->accept();
}

void MainWindows::onUpdateLanguage()
{
    ui->retranslateUi(this);
    eventModel->retranslate();
    ui->tbl_PlayListView->setModel(tripModel);
    refreshTripSpans();
    fitColumns();
    ui->tbl_PlayListView->repaint();
    QCoreApplication::setApplicationName(QStringLiteral(TRACKORA_APP_NAME));
    QCoreApplication::setOrganizationName(QObject::tr("Ostravane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRACKORA_VERSION));
    ui->lbl_Title->setText(QCoreApplication::applicationName());
    setWindowTitle(QCoreApplication::applicationName());
    showFileName(fileNameText);
    ui->wgt_MapView->setMapType(MapTypes(Configuration::instance()->maps()));
}

void MainWindows::openExportDialog(const RangeMark &in, const RangeMark &out)
{
    if (!playingRow || !playingRow->url.isLocalFile())
        return;
    // The marks count the recordings of the playing trip; one played alone is its only part.
    QVector<int> ids{playingRow->id};
    QVector<qint64> lengths{qMax<qint64>(playingDurationMs, 0)};
    if (const Trip *trip = tripModel->tripOfId(playingRow->id)) {
        ids.clear();
        for (const TripRecording &r : trip->recordings)
            ids.append(r.id);
        lengths = lengthsOf(*trip);
    }
    QList<ExportPiece> pieces;
    for (const RangePiece &piece : TripRange::pieces(lengths, in, out)) {
        const RowData *row = piece.part == timelineIndex || ids.size() == 1 ? playingRow
                                                                            : playlistModel->getDataByRow(ids.at(piece.part));
        if (!row || !row->url.isLocalFile()) {
            qCWarning(lcMainWindow) << "a recording of the range is not a local file: no export";
            return;
        }
        const QUrl rear = playlistModel->getRelateUrlByMainData(row, true);
        pieces.append(ExportPiece{row->url.toLocalFile(), rear.isLocalFile() ? rear.toLocalFile() : QString(),
                                  piece.fromMs / 1000.0, piece.toMs < 0 ? -1.0 : piece.toMs / 1000.0});
    }
    if (pieces.isEmpty()) {
        qCWarning(lcMainWindow) << "the marks do not make a range of the playing trip: no export";
        return;
    }
    // Not modal: the recording can go on playing while the export runs.
    auto *dialog = new ExportDialog(pieces, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

// The strip sits right above the seek slider, inside the control panel's rows.
void MainWindows::placeTimeline()
{
    timeline = new TripTimeline(this);
    timeline->setObjectName(QStringLiteral("wgt_TripTimeline"));
    ControlPanel *panel = ui->wgt_PlayCtrl;
    auto *rows = panel->findChild<QVBoxLayout *>(QStringLiteral("verticalLayout_Rows"));
    auto *seek = panel->findChild<QLayout *>(QStringLiteral("horizontalLayout_Seek"));
    const int at = rows && seek ? rows->indexOf(seek) : -1;
    if (at < 0) {
        qCWarning(lcMainWindow) << "no seek row in the control panel: the trip timeline goes above it";
        ui->verticalLayout_Background->insertWidget(0, timeline);
    } else {
        rows->insertWidget(at, timeline);
    }
    // The panel's strip grows by the timeline's height.
    const int grow = timeline->sizeHint().height() + (rows ? rows->spacing() : 0);
    ui->wgt_Background->setFixedHeight(ui->wgt_Background->maximumHeight() + grow);
}

void MainWindows::refreshTripSpans()
{
    // Rows arrive one by one while a folder is listed: the spans follow once.
    if (spansPending)
        return;
    spansPending = true;
    QTimer::singleShot(0, this, [this] {
        spansPending = false;
        QTableView *table = ui->tbl_PlayListView;
        table->clearSpans();
        for (int row = 0; row < tripModel->rowCount(); ++row) {
            if (tripModel->isHeader(row))
                table->setSpan(row, 0, 1, PlaylistModel::ColumnCount);
        }
    });
}

void MainWindows::onTableClicked(const QModelIndex &index)
{
    if (index.isValid() && tripModel->isHeader(index.row()))
        tripModel->toggleFolded(index.row());
}

void MainWindows::onTripsRegrouped()
{
    refreshTripSpans();
    // Rows arrive one by one while a folder is listed; the views follow at a calmer pace.
    if (tripViewsPending)
        return;
    tripViewsPending = true;
    QTimer::singleShot(kTripFollowMs, this, [this] {
        tripViewsPending = false;
        if (ui->wgt_PlayArea->playingRowId() < 0)
            return;
        updateTimeline();
        if (!samplesPending)
            showWholeTrip();
        // A trip may have grown past the recording that plays.
        armNextMedia();
    });
}

void MainWindows::updateTimeline()
{
    const int id = playingRow ? playingRow->id : -1;
    const Trip *trip = id >= 0 ? tripModel->tripOfId(id) : nullptr;
    if (!trip) {
        timelineIndex = -1;
        timeline->clear();
        ui->wgt_PlayCtrl->setRangeScope(id, 0);
        return;
    }
    timeline->setRecordings(lengthsOf(*trip));
    timelineIndex = trip->indexOfId(id);
    // Marks stay with the trip while it plays on, whichever recording plays.
    ui->wgt_PlayCtrl->setRangeScope(trip->firstId(), timelineIndex);
    timeline->setPosition(timelineIndex, 0);
    placeTimelineMarks();
}

void MainWindows::onTimelineSeek(int recording, qint64 ms)
{
    const Trip *trip = playingRow ? tripModel->tripOfId(playingRow->id) : nullptr;
    if (!trip || recording < 0 || recording >= trip->recordings.size())
        return;
    playIdAt(trip->recordings.at(recording).id, ms);
}

void MainWindows::playIdAt(int id, qint64 ms)
{
    if (id == ui->wgt_PlayArea->playingRowId() && !samplesPending) {
        ui->wgt_PlayArea->seek(int(ms / 1000));
        return;
    }
    const RowData *row = playlistModel->getDataByRow(id);
    if (!row || !row->url.isValid())
        return;
    pendingSeekId = id;
    pendingSeekMs = ms;
    playByData(row);
}

void MainWindows::jumpInTrip(int step)
{
    const int id = ui->wgt_PlayArea->playingRowId();
    const int to = tripModel->neighbourInTrip(id, step);
    if (to >= 0)
        playIdAt(to, 0);
}

// The players open the trip's next recording ahead and go on with it without
// a seam. Rows whose cameras differ from the playing one's are not chained:
// the end of the recording then moves on as it always did.
void MainWindows::armNextMedia()
{
    PlayAreaManager *area = ui->wgt_PlayArea;
    const int id = area->playingRowId();
    const int next = tripModel->neighbourInTrip(id, 1);
    const RowData *row = next >= 0 ? playlistModel->getDataByRow(next) : nullptr;
    QString front;
    QString rear;
    if (row && row->url.isValid()) {
        const QUrl nextRear = playlistModel->getRelateUrlByMainData(row, true);
        const bool playingRear = area->playFrontOrRear() != PlayAreaManager::ShowFront;
        if (area->playFrontOrRear() != PlayAreaManager::ShowRear && playingRear == !nextRear.isEmpty()) {
            front = row->url.url();
            rear = nextRear.url();
        }
    }
    if (front == chainedMedia)
        return;
    if (!area->frontPlayer()->canChainMedia()) {
        if (!front.isEmpty())
            qCDebug(lcMainWindow) << "the player cannot chain files; the next recording opens after this one";
        return;
    }
    chainedId = front.isEmpty() ? -1 : next;
    chainedMedia = front;
    area->frontPlayer()->setNextMedia(front);
    area->rearPlayer()->setNextMedia(rear);
}

void MainWindows::disarmNextMedia()
{
    if (chainedMedia.isEmpty())
        return;
    chainedId = -1;
    chainedMedia.clear();
    ui->wgt_PlayArea->frontPlayer()->setNextMedia(QString());
    ui->wgt_PlayArea->rearPlayer()->setNextMedia(QString());
}

void MainWindows::onMediaChanged(const QString &media)
{
    const RowData *row = chainedId >= 0 ? playlistModel->getDataByRow(chainedId) : nullptr;
    if (!row || media.isEmpty() || (QUrl(media) != row->url && QUrl::fromLocalFile(media) != row->url)) {
        // Not the file the window chained (a media set by playByData itself).
        return;
    }
    qCInfo(lcMainWindow) << "went on with" << row->url.toLocalFile();
    RowData copy = *row;
    copy.parser = nullptr;
    copy.runnable = nullptr;
    *playingRow = copy;
    chainedId = -1;
    chainedMedia.clear();
    PlayAreaManager *area = ui->wgt_PlayArea;
    area->followRow(playingRow, playlistModel->getRelateUrlByMainData(playingRow, true));
    ui->tbl_PlayListView->selectRow(tripModel->rowOfId(playingRow->id));
    playingPositionMs = 0;
    ui->wgt_PlayCtrl->setCurrentPosition(0);
    showFileName(playingFileText(playingRow));
    // Within the trip on show the map and chart stay; their cursor moves on.
    if (!shownTripIds.contains(playingRow->id))
        clearTripViews();
    updateTimeline();
    // The samples fill the chart, the map and the readouts; the players play on.
    followingChain = true;
    samplesPending = true;
    codecCheckPending = false;
    playlistModel->requestAllGpsData(playingRow->id);
}

int MainWindows::tripOffset() const
{
    const int at = shownTripIds.indexOf(ui->wgt_PlayArea->playingRowId());
    return at < 0 ? -1 : shownTripOffsets.at(at);
}

namespace {
// One sample a second: some sources give one a frame.
QList<GpsData> perSecond(const QList<GpsData> &samples, int seconds, float frameRate)
{
    if (frameRate <= 1.0f || samples.size() <= seconds + 1 || samples.size() < (seconds - 1) * frameRate)
        return samples;
    QList<GpsData> out;
    for (int i = 0; i < seconds && int(i * frameRate) < samples.size(); ++i)
        out.append(samples.at(int(i * frameRate)));
    return out;
}
} // namespace

// A drive of several recordings shows whole on the map and the chart; a
// trip of one recording shows as a recording always did.
void MainWindows::showWholeTrip()
{
    const int id = ui->wgt_PlayArea->playingRowId();
    const Trip *trip = tripModel->tripOfId(id);
    if (!trip || trip->recordings.size() < 2)
        return;
    QString key = QString::number(trip->firstId());
    for (const TripRecording &r : trip->recordings)
        key += QStringLiteral(",%1:%2").arg(r.id).arg(r.durationSeconds);
    if (key == shownTrip)
        return;
    shownTrip = key;
    shownTripIds.clear();
    shownTripOffsets.clear();

    GyroChartView *chart = ui->gView_GyroChart;
    chart->clearChart();
    ui->wgt_MapView->clearAll();
    const int total = trip->durationSeconds();
    chart->setPointCount(total);
    QVector<double> speeds;
    speeds.reserve(total);
    QVector<QVector<double>> route;
    route.reserve(total);
    for (int k = 0; k < trip->recordings.size(); ++k) {
        const TripRecording &r = trip->recordings.at(k);
        const int offset = trip->offsetOf(k);
        shownTripIds.append(r.id);
        shownTripOffsets.append(offset);
        const RowData *row = playlistModel->getDataByRow(r.id);
        QList<GpsData> samples;
        if (row && row->parser && row->parser->bytesRead() > 0)
            samples = perSecond(row->parser->gpsDataList(), r.durationSeconds, row->frameRate);
        for (int s = 0; s < r.durationSeconds; ++s) {
            // A second without a sample keeps its place on the chart.
            if (s >= samples.size()) {
                const float none[3] = {0.0f, 0.0f, 0.0f};
                chart->addPoint(none);
                speeds.append(0.0);
                continue;
            }
            const GpsData &d = samples.at(s);
            const float xyz[3] = {d.gsensorX, d.gsensorY, d.gsensorZ};
            chart->addPoint(xyz);
            speeds.append(d.speed);
            if (TripRecording::hasPosition(d))
                route.append({d.longitude, d.latitude, double(d.speed), double(offset + s)});
        }
    }
    chart->setSpeeds(speeds, Configuration::instance()->speedUnit() != 0);
    ui->wgt_MapView->showTrip(route);
    showTripEvents();
    qCDebug(lcMainWindow) << "trip shown:" << trip->recordings.size() << "recordings," << total << "s," << route.size()
                          << "positions";
}

// A second of the shown trip, from a click on the route or the chart.
void MainWindows::playTripSecond(int second)
{
    if (shownTripIds.isEmpty()) {
        // One recording on show: the click seeks inside it.
        if (ui->wgt_PlayArea->playingRowId() >= 0 && second >= 0)
            playIdAt(ui->wgt_PlayArea->playingRowId(), qint64(second) * 1000);
        return;
    }
    int k = shownTripOffsets.size() - 1;
    while (k > 0 && shownTripOffsets.at(k) > second)
        --k;
    playIdAt(shownTripIds.at(k), qint64(second - shownTripOffsets.at(k)) * 1000);
}

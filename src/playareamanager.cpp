#include "playareamanager.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QMimeData>
#include <exception>

#include "PlayerWidget.h"
#include "configuration.h"
#include "rowdata.h"

Q_LOGGING_CATEGORY(lcPlayArea, "trackora.viewer.playarea")

int PlayAreaManager::pauseOrder = 0;

PlayAreaManager::PlayAreaManager(QWidget *parent)
    : QWidget(parent)
{
    setAcceptDrops(true);
    // The view crosses to the control panel by name in signals.
    qRegisterMetaType<ShowMode>("ShowMode");

    front = new CPlayerWidget(this);
    rear = new CPlayerWidget(this);

    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    layout = new QHBoxLayout(this);
    layout->setSpacing(1);
    layout->setContentsMargins(0, 0, 0, 0);
    front->hide();
    rear->hide();
    layout->addWidget(front);
    layout->addWidget(rear);

    connectPlayer(front);

    for (CPlayerWidget *host : {front, rear}) {
        connect(host, SIGNAL(dragEnterEvented(qint64)), this, SLOT(onDragEnterEvented(qint64)));
        connect(host, SIGNAL(dropEvented(qint64)), this, SLOT(onDropEvented(qint64)));
    }
    connect(front, &CPlayerWidget::keyPressSignals, this, &PlayAreaManager::keyPressSignals);
    connect(rear, &CPlayerWidget::keyPressSignals, this, &PlayAreaManager::keyPressSignals);

    linkPlayers();
}

PlayAreaManager::~PlayAreaManager() = default;

// The rear player, not main and with the front one as peer, paces its
// pictures by the front player's.
void PlayAreaManager::linkPlayers()
{
    using Record = TrackoraActiveXLib::CFFPlayerAxUserData;
    const qint64 frontAddress = front->axUserData();
    const qint64 rearAddress = rear->axUserData();
    auto *frontRecord = reinterpret_cast<Record *>(static_cast<quintptr>(frontAddress));
    auto *rearRecord = reinterpret_cast<Record *>(static_cast<quintptr>(rearAddress));
    if (!frontRecord || !rearRecord) {
        qCWarning(lcPlayArea) << "player records missing; front and rear stay unlinked";
        return;
    }
    frontRecord->isMain = true;
    frontRecord->peer = rearRecord->player;
    front->setAxUserData(frontAddress);
    rearRecord->isMain = false;
    rearRecord->peer = frontRecord->player;
    rear->setAxUserData(rearAddress);
}

void PlayAreaManager::connectPlayer(CPlayerWidget *host)
{
    connect(host, &CPlayerWidget::stateChanged, this, &PlayAreaManager::stateChanged);
    connect(host, &CPlayerWidget::mutedChanged, this, &PlayAreaManager::mutedChanged);
    connect(host, &CPlayerWidget::durationChanged, this, &PlayAreaManager::durationChanged);
    connect(host, &CPlayerWidget::positionChanged, this, &PlayAreaManager::onPositionChanged);
}

void PlayAreaManager::disconnectPlayer(CPlayerWidget *host)
{
    disconnect(host, &CPlayerWidget::stateChanged, this, &PlayAreaManager::stateChanged);
    disconnect(host, &CPlayerWidget::mutedChanged, this, &PlayAreaManager::mutedChanged);
    disconnect(host, &CPlayerWidget::durationChanged, this, &PlayAreaManager::durationChanged);
    disconnect(host, &CPlayerWidget::positionChanged, this, &PlayAreaManager::onPositionChanged);
}

void PlayAreaManager::setPlayFrontOrRear(bool hasFront, bool hasRear)
{
    if (hasFront && hasRear)
        gPlayFrontOrRear = ShowFrontRear;
    else if (hasRear)
        gPlayFrontOrRear = ShowRear;
    else
        gPlayFrontOrRear = ShowFront;
}

void PlayAreaManager::setShowMode(ShowMode wanted)
{
    qCDebug(lcPlayArea) << "mode...=" << wanted << " " << "gPlayFrontOrRear=" << gPlayFrontOrRear;
    // A recording of one camera can only be seen in that camera's view; the
    // user's choice waits for the next recording with both.
    const bool oneCamera = gPlayFrontOrRear == ShowFront || gPlayFrontOrRear == ShowRear;
    if (!oneCamera && (wanted == ShowFront || wanted == ShowRear || wanted == ShowFrontRear))
        chosen = wanted;
    mode = oneCamera ? gPlayFrontOrRear : wanted;

    disconnectPlayer(rear);
    disconnectPlayer(front);
    switch (mode) {
    case ShowFront:
        connectPlayer(front);
        rear->leaveFullScreen();
        rear->hide();
        rear->setShown(false);
        front->show();
        front->setShown(true);
        break;
    case ShowRear:
        // With both cameras the hidden front player still speaks for the pair.
        connectPlayer(gPlayFrontOrRear == ShowFrontRear ? front : rear);
        front->leaveFullScreen();
        front->hide();
        front->setShown(false);
        rear->show();
        rear->setShown(true);
        break;
    case ShowFrontRear:
        connectPlayer(front);
        front->show();
        front->setShown(true);
        rear->show();
        rear->setShown(true);
        break;
    default:
        break;
    }
    emit showModeChanged(mode);
}

void PlayAreaManager::setResourceData(const RowData *row, const QUrl &relate)
{
    if (!row) {
        qCWarning(lcPlayArea) << "setResourceData without a row";
        return;
    }
    qCDebug(lcPlayArea) << "[main] rowid: " << row->id << " url: " << row->url << "relateUrl:" << relate;
    currentRow = row;
    relateUrl = relate;
    try {
        front->setMedia(row->url.url());
        rear->setMedia(relateUrl.url());
    } catch (const std::exception &) {
        qCDebug(lcPlayArea) << "setMedia error:" << row->url.url() << " should play next midea.";
        return;
    }
}

void PlayAreaManager::followRow(const RowData *row, const QUrl &relate)
{
    if (!row)
        return;
    qCDebug(lcPlayArea) << "[main] went on with rowid:" << row->id << row->url << "relateUrl:" << relate;
    currentRow = row;
    relateUrl = relate;
}

void PlayAreaManager::play()
{
    setShowMode(chosen);
    if (gPlayFrontOrRear == ShowFrontRear || gPlayFrontOrRear == ShowFront)
        front->play();
    if (gPlayFrontOrRear == ShowFrontRear || gPlayFrontOrRear == ShowRear) {
        // The rear player is silent whenever the front one plays.
        rear->setMuted(gPlayFrontOrRear == ShowRear ? Configuration::instance()->isMute() : true);
        rear->play();
    }
}

void PlayAreaManager::pause()
{
    if (pauseOrder == 0) {
        rear->pause();
        front->pause();
        pauseOrder = 1;
    } else {
        front->pause();
        rear->pause();
        pauseOrder = 0;
    }
}

void PlayAreaManager::stop()
{
    currentRow = nullptr;
    front->stop();
    rear->stop();
    front->unRender();
    rear->unRender();
}

void PlayAreaManager::seek(int seconds)
{
    front->setSeekSecond(seconds);
    rear->setSeekSecond(seconds);
    if (currentRow)
        emit positionChanged(currentRow->id, qint64(seconds) * 1000);
}

void PlayAreaManager::onSliderStatusChanged(bool isSliderDown, int seconds)
{
    if (isSliderDown) {
        front->pause();
        rear->pause();
    } else {
        seek(seconds);
    }
}

void PlayAreaManager::setVolume(int volume)
{
    front->setVolume(volume);
    rear->setVolume(volume);
    if (volume != 0)
        Configuration::instance()->setVolume(volume);
}

void PlayAreaManager::setMuted(bool muted)
{
    front->setMuted(muted);
    rear->setMuted(gPlayFrontOrRear == ShowRear ? muted : true);
    Configuration::instance()->setMute(muted);
}

void PlayAreaManager::setPlaybackRate(double rate)
{
    front->setPlaybackRate(rate);
    rear->setPlaybackRate(rate);
}

void PlayAreaManager::stepFrame(int direction)
{
    if (!currentRow)
        return;
    if (gPlayFrontOrRear == ShowRear)
        rear->stepFrame(direction);
    else
        front->stepFrame(direction);
}

void PlayAreaManager::screenshot()
{
    if (!currentRow)
        return;
    if (mode == ShowFrontRear) {
        front->setSsFront(true);
        front->screenshot();
        if (rear->isShown()) {
            rear->setSsFront(false);
            rear->screenshot();
        } else if (front->isShown()) {
            front->setSsFront(true);
            front->screenshot();
        }
    } else if (mode == ShowFront) {
        front->setSsFront(true);
        front->screenshot();
    } else if (rear->isShown()) {
        rear->setSsFront(true);
        rear->screenshot();
    } else if (front->isShown()) {
        front->setSsFront(true);
        front->screenshot();
    }
}

void PlayAreaManager::update()
{
    front->update();
    rear->update();
}

void PlayAreaManager::hidePlayers()
{
    rear->leaveFullScreen();
    front->leaveFullScreen();
    rear->hide();
    front->hide();
}

int PlayAreaManager::playingRowId() const
{
    return currentRow ? currentRow->id : -1;
}

QString PlayAreaManager::canonicalUrl() const
{
    return front->canonicalUrl();
}

PlayAreaManager::FFStates PlayAreaManager::decState() const
{
    return front->decState();
}

int PlayAreaManager::volume() const
{
    return front->volume();
}

void PlayAreaManager::onPositionChanged(qint64 position)
{
    if (currentRow)
        emit positionChanged(currentRow->id, position);
}

void PlayAreaManager::onDragEnterEvented(qint64 address)
{
    dragEnterEvent(reinterpret_cast<QDragEnterEvent *>(static_cast<quintptr>(address)));
}

void PlayAreaManager::onDropEvented(qint64 address)
{
    dropEvent(reinterpret_cast<QDropEvent *>(static_cast<quintptr>(address)));
}

bool PlayAreaManager::isPlayableUrlText(const QString &text)
{
    // The text of a local URL is no path; ask about the file it names too,
    // so a folder called "trip.mp4" is refused.
    const QUrl url(text);
    if (QFileInfo(text).isDir() || (url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir()))
        return false;
    return text.endsWith(QLatin1String("mp4"), Qt::CaseInsensitive)
        || text.endsWith(QLatin1String("mov"), Qt::CaseInsensitive)
        || text.endsWith(QLatin1String("avi"), Qt::CaseInsensitive);
}

void PlayAreaManager::dragEnterEvent(QDragEnterEvent *event)
{
    if (!event || !event->mimeData()->hasUrls())
        return;
    const auto urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        if (isPlayableUrlText(url.toString()))
            event->acceptProposedAction();
    }
}

void PlayAreaManager::dropEvent(QDropEvent *event)
{
    if (!event || !event->mimeData()->hasUrls())
        return;
    const auto urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    emit clearPlayList();
    for (const QUrl &url : urls) {
        const QString text = url.toString();
        if (isPlayableUrlText(text))
            emit dropFile(text);
    }
}

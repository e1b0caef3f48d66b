#pragma once

// Drives the real main window by its object names: folders of generated
// recordings, the folder picker answered like a person would, and the
// widgets of the body.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "PlayerWidget.h"
#include "controlpanel.h"
#include "gyrochartview.h"
#include "mainwindows.h"
#include "mapwebview.h"
#include "playareamanager.h"
#include "playlistmodel.h"

namespace viewertest {

// Long enough for a slow, shared machine to parse and start a recording.
constexpr int WaitMs = 20000;

inline QString media(const QString &relative)
{
    return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QLatin1Char('/') + relative;
}

// Links (or copies) generated recordings into dir under the given names.
inline bool stage(const QString &dir, const QList<QPair<QString, QString>> &sourceAndName)
{
    for (const auto &pair : sourceAndName) {
        const QString target = QDir(dir).filePath(pair.second);
        if (!QFile::link(media(pair.first), target) && !QFile::copy(media(pair.first), target)) {
            qWarning() << "cannot stage" << pair.first << "as" << target;
            return false;
        }
    }
    return true;
}

template <typename T>
T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning() << "no child" << name;
    return found;
}

inline PlayAreaManager *playArea(QWidget *w) { return child<PlayAreaManager>(w, "wgt_PlayArea"); }
inline ControlPanel *panel(QWidget *w) { return child<ControlPanel>(w, "wgt_PlayCtrl"); }
inline QTableView *table(QWidget *w) { return child<QTableView>(w, "tbl_PlayListView"); }
inline GyroChartView *chart(QWidget *w) { return child<GyroChartView>(w, "gView_GyroChart"); }
inline MapWebView *map(QWidget *w) { return child<MapWebView>(w, "wgt_MapView"); }
inline QAbstractButton *button(QWidget *w, const char *name) { return child<QAbstractButton>(w, name); }
inline QString labelText(QWidget *w, const char *name)
{
    QLabel *label = child<QLabel>(w, name);
    return label ? label->text() : QString();
}

// Answers the next folder picker with folder (or cancels it when empty),
// as soon as it is up.
inline void answerFolderPicker(const QString &folder)
{
    auto *poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, folder] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        if (folder.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed as a whole path: selectFile leaves the name field alone once
        // it has the focus, and a stale name there would bring up the
        // dialog's "not found" box, which nothing here answers.
        dialog->setDirectory(folder);
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(QDir(folder).absolutePath());
        const QStringList chosen = dialog->selectedFiles();
        if (chosen.size() != 1 || QDir::cleanPath(chosen.first()) != QDir(folder).absolutePath()) {
            qWarning() << "the folder picker would answer" << chosen << "instead of" << folder;
            dialog->reject();
            return;
        }
        static_cast<QDialog *>(dialog)->accept();
    });
    poll->start();
}

// Opens folder through the control panel's open button and the picker.
inline void openFolder(QWidget *window, const QString &folder)
{
    answerFolderPicker(folder);
    QTest::mouseClick(button(window, "btn_OpenFile"), Qt::LeftButton);
}

inline bool isPlaying(QWidget *window)
{
    return panel(window)->state() == TrackoraActiveXLib::PlayingState;
}

inline QString playingFile(QWidget *window)
{
    PlayAreaManager *area = playArea(window);
    CPlayerWidget *speaker = area->playFrontOrRear() == PlayAreaManager::ShowRear ? area->rearPlayer() : area->frontPlayer();
    return QUrl(speaker->canonicalUrl()).fileName();
}

} // namespace viewertest

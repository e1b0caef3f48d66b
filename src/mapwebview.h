#pragma once

#include <QMetaType>
#include <QPointer>
#include <QWindow>
#include <QStringList>
#include <QUrl>
#include <QVector>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "aes128gcm.h"
#include "maptypes.h"

class QLabel;

// One point of the route, as the main window hands it over.
struct MapPoint
{
    int index = 0;          // sample index in its recording
    double longitude = 0.0; // degrees, east positive
    double latitude = 0.0;  // degrees, north positive
};
Q_DECLARE_METATYPE(MapPoint)

class MapPageBridge;

// The web map: loads the page of the configured provider from the maps folder
// beside the program and drives it only by short script calls. The view never
// leaves its page; links the page opens go to the system browser without
// being loaded here. Without OpenGL the page cannot be drawn: the view then
// shows a notice instead and never starts the web engine. GUI thread only.
class MapWebView : public QWebEngineView
{
    Q_OBJECT
public:
    explicit MapWebView(QWidget *parent = nullptr);
    ~MapWebView() override;

    // The text pieces the map service key is assembled from: two Base64 key
    // halves, two hex nonce halves, two hex tag halves, Base64 ciphertext.
    struct KeyPieces
    {
        const char *keyFirst;
        const char *keySecond;
        const char *nonceFirst;
        const char *nonceSecond;
        const char *tagFirst;
        const char *tagSecond;
        const char *cipherText;
    };
    // The plaintext key, or an empty string when the pieces are empty,
    // malformed or do not authenticate.
    static QString decryptServiceKey(const CAes128 &cipher, const KeyPieces &pieces);
    // Pieces to use instead of the ones this build was given (tests run
    // with a dummy key); GUI thread, before the map loads its page.
    static void setKeyPieces(const KeyPieces &pieces);

    // The provider's consumer map site; links into it stay out of the browser.
    static const char *const ProviderMapSite;

    // False when the notice stands in for the map.
    bool showsMap() const { return !notice; }

public slots:
    void setMapType(MapTypes type);
    void addPoint(MapPoint point);
    void clearAll();
    void mapLoadingFinish(bool);
    void loadAllGpsData(QVector<QVector<double> > allGpsData);
    // A whole trip: each point [longitude, latitude, speed km/h, trip index],
    // drawn at once and coloured by speed; then the index played up to.
    void showTrip(const QVector<QVector<double>> &points);
    void setPlayed(int index);

signals:
    // The route was clicked near the sample of that trip index.
    void routeClicked(int index);

protected:
    QWebEngineView *createWindow(QWebEnginePage::WebWindowType type) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void onUrlChanged(QUrl url);

private:
    // Creates the page, hooks the profile up and loads the configured map.
    void startEngine();
    void retranslateNotice();
    QString mapServiceKey() const;
    QWebEnginePage *newPopupPage();
    void runScript(const QString &script);

    QWebEngineView *popupView;
    MapPageBridge *bridge = nullptr;
    CAes128Gcm m_cipher;
    // Script to run once the page at m_scriptAfterLoadUrl has loaded.
    QString m_scriptAfterLoad;
    // Scripts sent while the page loads would meet undefined functions (the
    // first route right after start-up); they run once it has loaded.
    bool pageReady = false;
    QStringList scriptsBeforeLoad;
    QUrl m_scriptAfterLoadUrl;
    bool engineStarted = false;
    QPointer<QWindow> watchedWindow;
    QLabel *notice = nullptr;
};

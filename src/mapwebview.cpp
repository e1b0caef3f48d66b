#include "mapwebview.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLoggingCategory>
#include <QShowEvent>
#include <QTimer>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <QWindow>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <cctype>
#include <cmath>
#include <utility>

#include "configuration.h"
#include "customWebEngine.h"
#include "mapkeypieces.h"
#include "mappagebridge.h"
#include "mapwebenginepage.h"
#include "openglcheck.h"

Q_LOGGING_CATEGORY(lcMap, "trackora.map")

const char *const MapWebView::ProviderMapSite = "https://maps.google.com";

namespace {

const MapWebView::KeyPieces kBuildKeyPieces = {mapkey::keyFirst, mapkey::keySecond, mapkey::nonceFirst,
                                               mapkey::nonceSecond, mapkey::tagFirst, mapkey::tagSecond,
                                               mapkey::cipherText};
MapWebView::KeyPieces g_keyPieces = kBuildKeyPieces;

const QString kGooglePage = QStringLiteral("WG_") + QStringLiteral("GoogleMapIndex.html");

// text as a quoted script string.
QString scriptString(const QString &text)
{
    const QString array = QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
    return array.mid(1, array.size() - 2);
}

// The default place of each interface language: the Google page gets the
// texts, the OpenStreetMap page the numbers.
struct LanguagePlace
{
    const char *code;
    const char *lng;
    const char *lat;
    double osmLng;
    double osmLat;
};

const LanguagePlace kPlaces[] = {
    {"ja", "139.766909", "35.681151", 139.766909, 35.681151},              // 0 Japanese
    {"en", "-74.013476", "40.705562", -74.013476, 40.705562},              // 1 English (US)
    {"en_uk", "-0.1267719269", "51.5087958794", -0.1267719269, 51.5087958794},
    {"zh_CN", "116.391557", "39.902354", 116.3753, 39.9},
    {"zh_TW", "121.518138", "25.042073", 116.3753, 39.9},
    {"fr", "2.349872", "48.852969", 2.349872, 48.852969},
    {"it", "12.49875", "41.896463", 12.49875, 41.896463},
    {"pl", "21.005988", "52.231847", 21.005988, 52.231847},
    {"ru", "37.617487", "55.752030", 37.617487, 55.75203},
    {"de", "13.393621", "52.517892", 13.393621, 52.517892},
    {"es", "-3.712177", "40.423428", -3.712177, 40.423428},
    {"pt", "-9.139509", "38.712170", -9.139509, 38.71217},
    {"ko", "126.9911799270", "37.5527383075", 126.991179927, 37.5527383075}, // 12 Korean
};

const LanguagePlace &placeFor(int language)
{
    const int count = int(sizeof kPlaces / sizeof kPlaces[0]);
    return kPlaces[(language >= 0 && language < count) ? language : 1];
}

QString fixed(double value)
{
    return QString::number(value, 'f', 6);
}

// The pages take 0,0 for "no fix" and never draw it; "nan" would not even
// parse as a script number.
void replaceUnusable(double &lng, double &lat, int index)
{
    if (std::isfinite(lng) && std::isfinite(lat))
        return;
    qCWarning(lcMap) << "sample" << index << "has no usable position, sent as 0,0";
    lng = lat = 0.0;
}

QByteArray joined(const char *first, const char *second, bool hex)
{
    const QByteArray a(first), b(second);
    if (hex)
        return QByteArray::fromHex(a) + QByteArray::fromHex(b);
    const auto options = QByteArray::AbortOnBase64DecodingErrors;
    const QByteArray::FromBase64Result x = QByteArray::fromBase64Encoding(a, options);
    const QByteArray::FromBase64Result y = QByteArray::fromBase64Encoding(b, options);
    return (x && y) ? x.decoded + y.decoded : QByteArray();
}

// The map page loads scripts and tiles from the network, which needs no
// special access; reading other files, or other origins' content (a window
// it opened included), stays off. No scheme the engine does not know goes to
// the system's handlers.
void lockDown(QWebEnginePage *page)
{
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    page->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
}

// The key is a secret of the build; the log shows that it is there, not what.
QUrl maskedKey(QUrl url)
{
    QUrlQuery query(url);
    QList<QPair<QString, QString>> items = query.queryItems(QUrl::FullyEncoded);
    for (QPair<QString, QString> &item : items) {
        if (item.first == QLatin1String("key") && !item.second.isEmpty())
            item.second = QStringLiteral("***");
    }
    query.setQueryItems(items);
    url.setQuery(query);
    return url;
}

bool isHex(const char *text)
{
    for (; *text; ++text)
        if (!std::isxdigit(static_cast<unsigned char>(*text)))
            return false;
    return true;
}

} // namespace

MapWebView::MapWebView(QWidget *parent)
    : QWebEngineView(parent)
    , popupView(nullptr)
{
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAttribute(Qt::WA_DeleteOnClose);
    if (!OpenGLCheck::contextAvailable()) {
        notice = new QLabel(this);
        notice->setObjectName(QStringLiteral("lbl_MapNotice"));
        notice->setAlignment(Qt::AlignCenter);
        notice->setWordWrap(true);
        if (!layout())
            setLayout(new QVBoxLayout);
        layout()->addWidget(notice);
        retranslateNotice();
        return;
    }
    // A window of its own: each new page picture is then composed over the
    // map's area only, not over the whole top-level window.
    setAttribute(Qt::WA_DontCreateNativeAncestors, true);
    setAttribute(Qt::WA_NativeWindow, true);
    // Starting the web engine takes the better part of a second; inside a
    // window it waits until that window is on screen.
    if (!parent)
        startEngine();
}

void MapWebView::startEngine()
{
    if (engineStarted || notice)
        return;
    engineStarted = true;
    if (watchedWindow) {
        watchedWindow->removeEventFilter(this);
        watchedWindow = nullptr;
    }
    auto *mapPage = new CMapWebEnginePage(this);
    connect(mapPage, &CMapWebEnginePage::linkRequested, this, &MapWebView::onUrlChanged);
    setPage(mapPage);
    // One interceptor serves every view on the profile; the profile owns it.
    QWebEngineProfile *profile = page()->profile();
    CMapRequestInterceptor *interceptor = profile->findChild<CMapRequestInterceptor *>(
        QString(), Qt::FindDirectChildrenOnly);
    if (!interceptor)
        interceptor = new CMapRequestInterceptor(profile);
    profile->setUrlRequestInterceptor(interceptor);

    lockDown(page());
    bridge = new MapPageBridge(this);
    connect(bridge, &MapPageBridge::routeClicked, this, &MapWebView::routeClicked);
    bridge->attach(page());
    setMapType(static_cast<MapTypes>(Configuration::instance()->maps()));
    // A refused navigation still reports a start and a failed finish; the
    // page and its route are still there.
    connect(this, &QWebEngineView::loadStarted, this, [this, mapPage] {
        if (!mapPage->lastNavigationRefused())
            pageReady = false;
    });
    connect(this, &QWebEngineView::loadFinished, this, [this, mapPage](bool ok) {
        if (!ok && mapPage->takeRefusal())
            return;
        mapLoadingFinish(ok);
    });

    popupView = new QWebEngineView(this);
    popupView->setPage(newPopupPage());
    popupView->hide();
    if (isVisible()) {
        // The page missed the show that came before it.
        QShowEvent shown;
        QWebEngineView::showEvent(&shown);
    }
}

void MapWebView::showEvent(QShowEvent *event)
{
    if (notice) {
        QWidget::showEvent(event);
        return;
    }
    if (engineStarted) {
        QWebEngineView::showEvent(event);
        return;
    }
    // The web engine's own handling would create the page, and start the
    // engine, before the window is even mapped.
    QWidget::showEvent(event);
    QWindow *shownIn = window()->windowHandle();
    if (shownIn && shownIn != watchedWindow) {
        if (watchedWindow)
            watchedWindow->removeEventFilter(this);
        watchedWindow = shownIn;
        shownIn->installEventFilter(this);
    }
}

bool MapWebView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == watchedWindow && event->type() == QEvent::Expose && watchedWindow->isExposed()) {
        // After the window has painted this exposure.
        QTimer::singleShot(0, this, &MapWebView::startEngine);
    }
    return QWebEngineView::eventFilter(watched, event);
}

// The web engine's own handling would create a page that nothing shows.
void MapWebView::hideEvent(QHideEvent *event)
{
    if (engineStarted)
        QWebEngineView::hideEvent(event);
    else
        QWidget::hideEvent(event);
}

void MapWebView::closeEvent(QCloseEvent *event)
{
    if (engineStarted)
        QWebEngineView::closeEvent(event);
    else
        QWidget::closeEvent(event);
}

void MapWebView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateNotice();
    QWebEngineView::changeEvent(event);
}

void MapWebView::retranslateNotice()
{
    if (notice)
        notice->setText(tr("The map needs OpenGL, which this display does not offer."));
}

MapWebView::~MapWebView() = default;

void MapWebView::setMapType(MapTypes type)
{
    if (notice)
        return;
    if (!engineStarted) {
        startEngine(); // loads the configured page, then this one
        if (type == static_cast<MapTypes>(Configuration::instance()->maps()))
            return;
    }
    const QString folder = QCoreApplication::applicationDirPath();
    const int language = Configuration::instance()->language();
    const LanguagePlace &place = placeFor(language);
    // From here on a script would reach the page being replaced.
    if (type == BaiduMap || type == OpenStreetMap || type == GoogleMap)
        pageReady = false;
    switch (type) {
    case BaiduMap:
        m_scriptAfterLoad.clear();
        load(QUrl::fromLocalFile(folder + QStringLiteral("/maps/BaiduMapIndex.html")));
        break;
    case OpenStreetMap: {
        // A script run before the new page has committed goes to the page it
        // replaces and is lost, however long this thread waits (the web
        // engine commits on this very thread), so it waits for the load.
        const QUrl url = QUrl::fromLocalFile(folder + QStringLiteral("/maps/OpenStreetMap.html"));
        m_scriptAfterLoadUrl = url;
        m_scriptAfterLoad = QStringLiteral("showMapCenter(%1, %2);").arg(place.osmLng).arg(place.osmLat);
        load(url);
        break;
    }
    case GoogleMap: {
        // The key is not in the address: every script of the page could read
        // it there. The provider's loader gets it once the page has loaded.
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("language"), QString::fromLatin1(place.code));
        query.addQueryItem(QStringLiteral("lng"), QString::fromLatin1(place.lng));
        query.addQueryItem(QStringLiteral("lat"), QString::fromLatin1(place.lat));
        QUrl url = QUrl::fromLocalFile(folder + QStringLiteral("/maps/") + kGooglePage);
        url.setQuery(query);
        m_scriptAfterLoad.clear();
        load(url);
        break;
    }
    default:
        qCDebug(lcMap) << "no map page for type" << int(type);
        break;
    }
}

void MapWebView::addPoint(MapPoint point)
{
    replaceUnusable(point.longitude, point.latitude, point.index);
    runScript(QStringLiteral("mapAddPoint(%1, %2, %3);")
                  .arg(fixed(point.longitude), fixed(point.latitude), QString::number(point.index)));
}

void MapWebView::clearAll()
{
    runScript(QStringLiteral("mapClearAll();"));
}

void MapWebView::mapLoadingFinish(bool)
{
    qCDebug(lcMap) << "mapLoadingFinish";
    pageReady = true;
    runScript(QStringLiteral("mapClearAll();"));
    runScript(QStringLiteral("setCenter(%1, %2);").arg(fixed(0), fixed(0)));
    if (CMapWebEnginePage::isMapPage(url()) && url().fileName() == kGooglePage) {
        // Not through runScript, whose log line would show the key.
        const QString key = mapServiceKey();
        qCDebug(lcMap) << "the provider's loader gets" << (key.isEmpty() ? "no key" : "the key");
        page()->runJavaScript(QStringLiteral("trackoraLoadProvider(") + scriptString(key) + QStringLiteral(");"));
    }
    if (!m_scriptAfterLoad.isEmpty() && url() == m_scriptAfterLoadUrl) {
        runScript(m_scriptAfterLoad);
        m_scriptAfterLoad.clear();
    }
    const QStringList waiting = std::exchange(scriptsBeforeLoad, {});
    for (const QString &script : waiting)
        runScript(script);
}

void MapWebView::loadAllGpsData(QVector<QVector<double> > allGpsData)
{
    if (Configuration::instance()->maps() != OpenStreetMap)
        return;
    const int count = allGpsData.size();
    for (int i = 0; i < count; ++i) {
        const QVector<double> &sample = allGpsData.at(i);
        // A sample without both coordinates still takes its slot, as 0,0,
        // which the page never draws, so the batch stays complete.
        double lng = sample.size() >= 2 ? sample.at(0) : 0.0;
        double lat = sample.size() >= 2 ? sample.at(1) : 0.0;
        if (sample.size() < 2)
            qCWarning(lcMap) << "sample" << i << "has" << sample.size() << "values, sent as 0,0";
        replaceUnusable(lng, lat, i);
        runScript(QStringLiteral("loadAllGpsDataOfVideo(%1, %2, %3, %4)")
                      .arg(fixed(lng), fixed(lat), QString::number(i), QString::number(count)));
    }
    qCDebug(lcMap) << "loadAllGpsData" << count;
}

void MapWebView::showTrip(const QVector<QVector<double>> &points)
{
    QString list;
    list.reserve(points.size() * 40);
    list += QLatin1Char('[');
    for (const QVector<double> &p : points) {
        if (p.size() < 4 || !std::isfinite(p.at(0)) || !std::isfinite(p.at(1)) || !std::isfinite(p.at(2)))
            continue;
        if (list.size() > 1)
            list += QLatin1Char(',');
        list += QStringLiteral("[%1,%2,%3,%4]").arg(fixed(p.at(0)), fixed(p.at(1)), QString::number(p.at(2), 'f', 0),
                                                    QString::number(qint64(p.at(3))));
    }
    list += QLatin1Char(']');
    runScript(QStringLiteral("mapShowTrip(%1)").arg(list));
}

void MapWebView::setPlayed(int index)
{
    runScript(QStringLiteral("mapSetPlayed(%1)").arg(index));
}

QWebEngineView *MapWebView::createWindow(QWebEnginePage::WebWindowType type)
{
    qCDebug(lcMap) << "type: " << type;
    qCDebug(lcMap) << "url: " << maskedKey(url());
    // A fresh page for each new window: the page a script opened before
    // keeps nothing it could still be driven through.
    QWebEnginePage *previous = popupView->page();
    popupView->setPage(newPopupPage());
    if (previous)
        previous->deleteLater();
    return popupView;
}

void MapWebView::onUrlChanged(QUrl url)
{
    qCDebug(lcMap) << "goto : " << url.toString();
    // Only web pages leave for the browser: a file, share or custom handler
    // must not be reachable from a page.
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        qCWarning(lcMap) << "not opening" << url.scheme() << "link";
        return;
    }
    const QString s = url.toString();
    if (s.contains(QLatin1String(ProviderMapSite)) || s.contains(QLatin1String("xxxxcc"))
        || s.contains(QLatin1String("mapclient=apiv3")))
        return;
    if (s.contains(QLatin1String("?source=apiv3&rapsrc=apiv3"))
        && !s.contains(QLatin1String("hl=ja")) && !s.contains(QLatin1String("hl=en"))) {
        const bool english = Configuration::instance()->language() == Configuration::EnglishUS;
        url = QUrl(s + (english ? QStringLiteral("&hl=en") : QStringLiteral("&hl=ja")));
    }
    if (!s.contains(QLatin1String("?rapsrc=apiv3")))
        QDesktopServices::openUrl(url);
}

QString MapWebView::decryptServiceKey(const CAes128 &cipher, const KeyPieces &pieces)
{
    const QByteArray cipherText = QByteArray(pieces.cipherText);
    if (cipherText.isEmpty())
        return QString();
    if (!isHex(pieces.nonceFirst) || !isHex(pieces.nonceSecond)
        || !isHex(pieces.tagFirst) || !isHex(pieces.tagSecond)) {
        qCWarning(lcMap) << "map service key: nonce or tag is not hexadecimal";
        return QString();
    }
    const QByteArray nonce = joined(pieces.nonceFirst, pieces.nonceSecond, true);
    const QByteArray key = joined(pieces.keyFirst, pieces.keySecond, false);
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(cipherText, QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray data = decoded ? decoded.decoded : QByteArray();
    const QByteArray tag = joined(pieces.tagFirst, pieces.tagSecond, true);
    if (nonce.size() != CAes128Gcm::NonceSize || key.size() != CAes128Gcm::KeySize
        || tag.size() != CAes128Gcm::TagSize || data.isEmpty()) {
        qCWarning(lcMap) << "map service key: malformed pieces";
        return QString();
    }
    QByteArray plain(data.size(), '\0');
    const auto bytes = [](const QByteArray &a) { return reinterpret_cast<const unsigned char *>(a.constData()); };
    const int status = cipher.decrypt(bytes(data), data.size(), bytes(key), bytes(nonce), nullptr, 0,
                                      bytes(tag), reinterpret_cast<unsigned char *>(plain.data()));
    if (status < 0)
        return QString();
    return QString::fromUtf8(plain.constData(), plain.size());
}

QWebEnginePage *MapWebView::newPopupPage()
{
    auto *popupPage = new CCustomWebEnginePage(this);
    lockDown(popupPage);
    connect(popupPage, &CCustomWebEnginePage::linkRequested, this, &MapWebView::onUrlChanged);
    return popupPage;
}

void MapWebView::setKeyPieces(const KeyPieces &pieces)
{
    g_keyPieces = pieces;
}

QString MapWebView::mapServiceKey() const
{
    return decryptServiceKey(m_cipher, g_keyPieces);
}

void MapWebView::runScript(const QString &script)
{
    if (notice)
        return;
    startEngine();
    if (!pageReady) {
        scriptsBeforeLoad << script;
        return;
    }
    qCDebug(lcMap).noquote() << "script" << script;
    page()->runJavaScript(script);
}

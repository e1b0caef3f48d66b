#pragma once

// A local HTTPS server for the map tests: a self-signed certificate made at
// start by the openssl tool, one request per connection, every request kept.

#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>

class MapTlsTestServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // names in lower case
    };

    // Creates the certificate and listens on 127.0.0.1, or on an already
    // listening socket; errorString() says why not.
    bool start(qintptr listeningDescriptor = -1)
    {
        if (!m_dir.isValid()) {
            m_error = QStringLiteral("no temporary folder");
            return false;
        }
        const QString key = m_dir.filePath(QStringLiteral("key.pem"));
        const QString cert = m_dir.filePath(QStringLiteral("cert.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                       QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                       QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                       QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                       QStringLiteral("/CN=maptest.invalid"), QStringLiteral("-keyout"), key,
                       QStringLiteral("-out"), cert});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
            m_error = QStringLiteral("openssl req failed: ") + QString::fromLocal8Bit(openssl.readAllStandardError());
            return false;
        }
        const QList<QSslCertificate> certs = QSslCertificate::fromPath(cert);
        QFile keyFile(key);
        if (certs.isEmpty() || !keyFile.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("certificate files not readable");
            return false;
        }
        m_certificate = certs.first();
        m_key = QSslKey(keyFile.readAll(), QSsl::Ec);
        if (m_key.isNull()) {
            m_error = QStringLiteral("private key not readable");
            return false;
        }
        const bool listening = listeningDescriptor >= 0 ? setSocketDescriptor(listeningDescriptor)
                                                        : listen(QHostAddress::LocalHost);
        if (!listening) {
            m_error = QTcpServer::errorString();
            return false;
        }
        return true;
    }

    QString errorString() const { return m_error; }
    QList<Request> requests() const { return m_requests; }
    int handshakeFailures() const { return m_handshakeFailures; }
    int connections() const { return m_connections; }
    void clear()
    {
        m_requests.clear();
        m_handshakeFailures = 0;
        m_connections = 0;
    }

    // Body served for "/"; everything else gets 404.
    void setIndex(const QByteArray &html) { m_index = html; }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        ++m_connections;
        socket->setLocalCertificate(m_certificate);
        socket->setPrivateKey(m_key);
        socket->setPeerVerifyMode(QSslSocket::VerifyNone);
        connect(socket, QOverload<const QList<QSslError> &>::of(&QSslSocket::sslErrors), socket,
                [socket](const QList<QSslError> &) { socket->ignoreSslErrors(); });
        connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError) {
            if (!socket->isEncrypted() && !socket->property("failed").toBool()) {
                socket->setProperty("failed", true);
                ++m_handshakeFailures;
            }
        });
        connect(socket, &QIODevice::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        socket->startServerEncryption();
    }

private:
    void readRequest(QSslSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        m_buffers.remove(socket);
        Request request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines.at(i).indexOf(':');
            if (colon > 0)
                request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                       lines.at(i).mid(colon + 1).trimmed());
        }
        m_requests.append(request);
        const bool index = request.path == "/" && !m_index.isEmpty();
        const QByteArray body = index ? m_index : QByteArray("not here");
        socket->write((index ? "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n"
                             : "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n")
                      + QByteArray("Content-Length: ") + QByteArray::number(body.size())
                      + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTemporaryDir m_dir;
    QString m_error;
    QSslCertificate m_certificate;
    QSslKey m_key;
    QByteArray m_index;
    QMap<QSslSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
    int m_handshakeFailures = 0;
    int m_connections = 0;
};

// A small HTTP (or HTTPS) server on 127.0.0.1 for the update tests: each path gets a canned
// answer that can be sent at once, trickled, sent without a length, or stalled after the
// headers. It runs on the test's thread, so the test must keep the event loop turning.
// Update files are fetched over HTTPS alone, so a server that serves them uses a certificate
// for 127.0.0.1 that the toolkit trusts in the test's process (useTrustedTls).
#pragma once

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

// A self-signed certificate for 127.0.0.1 and its key, made in `dir` with openssl.
inline bool makeLoopbackCertificate(const QString &dir, const QString &name,
                                    QSslCertificate *certificate, QSslKey *key) {
    const QString keyFile = dir + QLatin1Char('/') + name + QStringLiteral(".key");
    const QString certFile = dir + QLatin1Char('/') + name + QStringLiteral(".pem");
    QProcess openssl;
    openssl.setStandardInputFile(QProcess::nullDevice());
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                   keyFile, QStringLiteral("-out"), certFile, QStringLiteral("-days"),
                   QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit ||
        openssl.exitCode() != 0)
        return false;
    QFile c(certFile), k(keyFile);
    if (!c.open(QIODevice::ReadOnly) || !k.open(QIODevice::ReadOnly))
        return false;
    *certificate = QSslCertificate(c.readAll(), QSsl::Pem);
    *key = QSslKey(k.readAll(), QSsl::Rsa, QSsl::Pem);
    return !certificate->isNull() && !key->isNull();
}

class LoopbackServer : public QTcpServer {
public:
    struct Answer {
        QByteArray status = "200 OK";
        QByteArray body;
        QByteArray extraHeaders; // whole header lines, each ending in \r\n
        bool announceLength = true;
        int chunk = 0; // bytes per step when trickled; 0 sends the body at once
        int chunkPauseMs = 0;
        bool stall = false; // the headers, then silence with the connection held open
    };

    LoopbackServer() { listen(QHostAddress::LocalHost, 0); }

    // The headers of a 1000-byte body, then silence: a download that never ends by itself.
    static Answer stalled() {
        Answer a;
        a.body = QByteArray(1000, 's');
        a.stall = true;
        return a;
    }

    void useTls(const QSslCertificate &certificate, const QSslKey &key) {
        certificate_ = certificate;
        key_ = key;
        tls_ = true;
    }
    // Serves over TLS with the process's trusted certificate, made and trusted on first use
    // (added to the toolkit's default authorities; verification itself stays as it is).
    // False when the toolkit has no TLS back end or openssl failed.
    bool useTrustedTls() {
        struct Trusted {
            QSslCertificate certificate;
            QSslKey key;
            bool made = false;
        };
        static const Trusted trusted = [] {
            Trusted t;
            QTemporaryDir dir;
            t.made = QSslSocket::supportsSsl() && dir.isValid() &&
                     makeLoopbackCertificate(dir.path(), QStringLiteral("trusted"), &t.certificate,
                                             &t.key);
            if (t.made) {
                QSslConfiguration config = QSslConfiguration::defaultConfiguration();
                config.addCaCertificate(t.certificate);
                QSslConfiguration::setDefaultConfiguration(config);
            }
            return t;
        }();
        if (trusted.made)
            useTls(trusted.certificate, trusted.key);
        return trusted.made;
    }
    void answer(const QByteArray &path, const Answer &a) { answers_[path] = a; }
    void answer(const QByteArray &path, const QByteArray &body) {
        Answer a;
        a.body = body;
        answers_[path] = a;
    }
    QString url(const QString &path) const {
        return QStringLiteral("%1://127.0.0.1:%2%3")
            .arg(tls_ ? QStringLiteral("https") : QStringLiteral("http"))
            .arg(serverPort())
            .arg(path);
    }
    QList<QByteArray> requested() const { return requested_; }
    int connections() const { return connections_; }

protected:
    void incomingConnection(qintptr descriptor) override {
        ++connections_;
        QTcpSocket *socket = nullptr;
        if (tls_) {
            auto *ssl = new QSslSocket(this);
            ssl->setSocketDescriptor(descriptor);
            ssl->setLocalCertificate(certificate_);
            ssl->setPrivateKey(key_);
            ssl->startServerEncryption();
            socket = ssl;
        } else {
            socket = new QTcpSocket(this);
            socket->setSocketDescriptor(descriptor);
        }
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            *request += socket->readAll();
            if (!request->contains("\r\n\r\n"))
                return;
            disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
            const QList<QByteArray> words = request->left(request->indexOf("\r\n")).split(' ');
            const QByteArray path = words.value(1);
            requested_ << path;
            respond(socket, answers_.value(path, missing()));
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    static Answer missing() {
        Answer a;
        a.status = "404 Not Found";
        a.body = "no such file";
        return a;
    }

    void respond(QTcpSocket *socket, const Answer &a) {
        QByteArray head = "HTTP/1.1 " + a.status + "\r\n";
        if (a.announceLength)
            head += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\n";
        head += a.extraHeaders + "Connection: close\r\n\r\n";
        socket->write(head);
        if (a.stall)
            return;
        if (a.chunk <= 0) {
            socket->write(a.body);
            socket->disconnectFromHost();
            return;
        }
        auto *pace = new QTimer(socket);
        auto sent = std::make_shared<int>(0);
        connect(pace, &QTimer::timeout, socket, [socket, pace, sent, a] {
            socket->write(a.body.mid(*sent, a.chunk));
            *sent += a.chunk;
            if (*sent >= a.body.size()) {
                pace->stop();
                socket->disconnectFromHost();
            }
        });
        pace->start(a.chunkPauseMs);
    }

    QHash<QByteArray, Answer> answers_;
    QList<QByteArray> requested_;
    int connections_ = 0;
    bool tls_ = false;
    QSslCertificate certificate_;
    QSslKey key_;
};

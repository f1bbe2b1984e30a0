// A small HTTP (or HTTPS) server on 127.0.0.1 for the update tests: each path gets a canned
// answer that can be sent at once, trickled, sent without a length, or stalled after the
// headers. It runs on the test's thread, so the test must keep the event loop turning.
#pragma once

#include <QHash>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

#include <memory>

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

    void useTls(const QSslCertificate &certificate, const QSslKey &key) {
        certificate_ = certificate;
        key_ = key;
        tls_ = true;
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

#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// An update server on 127.0.0.1 for one test: it serves the files published on
// it under "descargasprivadas/" and answers 404 for any other. A file can be
// held back a while, cut off after some bytes (the connection then closes) or
// stalled after them (the connection stays open, nothing more comes).
class UpdateServer {
public:
    struct File {
        QByteArray body;
        int delayMs = 0;
        qint64 sendOnly = -1; // bytes of the body actually sent; -1 all of it
        bool stall = false;   // after sendOnly bytes keep the connection open
    };

    UpdateServer() {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    QString root() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    void publish(const QString& name, const File& file) { m_files.insert(name, file); }
    void withdraw(const QString& name) { m_files.remove(name); }
    // The file names asked for, in order.
    const QStringList& requested() const { return m_requested; }

private:
    void serve(QTcpSocket* socket) {
        auto* request = new QByteArray;
        QObject::connect(socket, &QTcpSocket::destroyed, [request] { delete request; });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            request->append(socket->readAll());
            if (!request->contains("\r\n\r\n"))
                return;
            const QByteArray path = request->split(' ').value(1);
            request->clear();
            const QString name = QString::fromLatin1(path.mid(path.lastIndexOf('/') + 1));
            m_requested << name;
            if (!path.startsWith("/descargasprivadas/") || !m_files.contains(name)) {
                socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                socket->disconnectFromHost();
                return;
            }
            const File file = m_files.value(name);
            QTimer::singleShot(file.delayMs, socket, [socket, file] {
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                              QByteArray::number(file.body.size()) + "\r\nConnection: close\r\n\r\n");
                socket->write(file.sendOnly < 0 ? file.body : file.body.left(file.sendOnly));
                socket->flush();
                if (!file.stall)
                    socket->disconnectFromHost();
            });
        });
    }

    QTcpServer m_server;
    QHash<QString, File> m_files;
    QStringList m_requested;
};

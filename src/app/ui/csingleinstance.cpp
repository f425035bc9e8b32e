// SPDX-License-Identifier: GPL-3.0-or-later
#include "csingleinstance.h"

#include <QDataStream>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kConnectTimeoutMs = 2000;
constexpr char kAcknowledgement = 'A';

} // namespace

CSingleInstance::CSingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_name(name) {}

CSingleInstance::~CSingleInstance() = default;

bool CSingleInstance::Listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (!m_server->listen(m_name)) {
        delete m_server;
        m_server = nullptr;
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::AcceptConnection);
    return true;
}

bool CSingleInstance::HandOver(const QByteArray& cleanedCommandLine, int timeoutMs) {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << cleanedCommandLine;
    socket.write(message);
    if (!socket.waitForBytesWritten(kConnectTimeoutMs))
        return false;
    // The running window may ask the user first: wait as long as that takes.
    while (socket.bytesAvailable() == 0) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kAcknowledgement;
}

void CSingleInstance::AcceptConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream stream(socket);
            stream.startTransaction();
            QByteArray commandLine;
            stream >> commandLine;
            if (!stream.commitTransaction())
                return; // the rest is still on its way
            emit HandedOver(commandLine);
            socket->putChar(kAcknowledgement);
            socket->flush();
        });
    }
}

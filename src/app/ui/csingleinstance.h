// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QLocalServer;

// One window per user and display. The first start listens on a local socket in the
// abstract namespace (nothing is left on disk when it ends); a later start finds the name
// taken, hands its cleaned command line over as native bytes, waits until the running
// window has handled it (questions included) and ends.
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(const QString& name, QObject* parent = nullptr);
    ~CSingleInstance() override;

    // True: this is the first instance and now listens. False: another one answers (or the
    // name is taken by an instance that is starting or closing).
    [[nodiscard]] bool Listen();
    // Sends the command line to the running instance and waits for its answer.
    [[nodiscard]] bool HandOver(const QByteArray& cleanedCommandLine, int timeoutMs = -1);

signals:
    // On the running instance; the sender waits until the slots connected here return.
    void HandedOver(const QByteArray& cleanedCommandLine);

private:
    void AcceptConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

#pragma once
// The receiving end of port notices: a local socket in the user's runtime
// folder, readable and writable by the same user only. Each well-formed line
// is handed to the handler on the thread that owns the server (the user
// interface thread); malformed lines are passed over.

#include "link/portnoticeline.h"

#include <QLocalServer>
#include <QObject>

#include <functional>

class QLocalSocket;

class PortNoticeServer : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const PortNotice&)>;

    explicit PortNoticeServer(Handler handler, QObject* parent = nullptr);
    ~PortNoticeServer() override;

    // Starts listening on `path`, replacing a socket file that no program
    // serves any more. False when another running program listens there or
    // the socket cannot be made; notices then do not reach this program.
    bool Listen(const QString& path = PortNoticeSocketPath());

private:
    void Accept();
    void ReadLines(QLocalSocket* socket);
    void Deliver(const QByteArray& line);

    QLocalServer server_;
    Handler handler_;
};

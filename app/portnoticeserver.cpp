#include "app/portnoticeserver.h"

#include <QFile>
#include <QLocalSocket>

namespace {
// A connection attempt to a socket file either succeeds or fails at once;
// the bound only guards against a peer that hangs.
constexpr int PROBE_TIMEOUT_MS = 200;
} // namespace

PortNoticeServer::PortNoticeServer(Handler handler, QObject* parent)
    : QObject(parent)
    , handler_(std::move(handler))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &PortNoticeServer::Accept);
}

PortNoticeServer::~PortNoticeServer()
{
    server_.close();
}

bool PortNoticeServer::Listen(const QString& path)
{
    {
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(PROBE_TIMEOUT_MS))
            return false;
    }
    QLocalServer::removeServer(path);
    if (!server_.listen(path))
        return false;
    QFile::setPermissions(server_.fullServerName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

void PortNoticeServer::Accept()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadLines(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            ReadLines(socket);
            // A last line without its line feed still counts.
            if (socket->bytesAvailable() > 0)
                Deliver(socket->readAll());
            socket->deleteLater();
        });
        ReadLines(socket);
    }
}

void PortNoticeServer::ReadLines(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        QByteArray line = socket->readLine(PORT_NOTICE_LINE_MAX + 2);
        if (!line.endsWith('\n')) {
            // Longer than any notice: drop the connection instead of buffering.
            socket->abort();
            return;
        }
        line.chop(1);
        Deliver(line);
    }
    if (socket->bytesAvailable() > qint64(PORT_NOTICE_LINE_MAX) + 1)
        socket->abort();
}

void PortNoticeServer::Deliver(const QByteArray& line)
{
    if (auto notice = ParsePortNotice(std::string_view(line.constData(), size_t(line.size()))))
        handler_(*notice);
}

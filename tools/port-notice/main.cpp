// port-notice: sends one port notice to the running program, as another
// program that needs a serial port does.
//
//   port-notice [--socket PATH] <COM number> <code>
//
// Codes: 0x7FFFFFA1 release the port, 0x7FFFFFA2 reset the unit and release
// it, 0x7FFFFFA4 take the released port back. Numbers are decimal or "0x" hex.
// Exit status: 0 sent, 1 no program listens or the notice did not go out,
// 2 bad arguments.
#include "link/portnoticeline.h"

#include <QLocalSocket>
#include <QString>

#include <cstdio>
#include <string>

namespace {

constexpr int TIMEOUT_MS = 2000;

int Usage()
{
    std::fprintf(stderr,
        "usage: port-notice [--socket PATH] <COM number> <code>\n"
        "codes: 0x7FFFFFA1 release, 0x7FFFFFA2 reset and release, 0x7FFFFFA4 take back\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QString path;
    int first = 1;
    if (argc > 2 && std::string(argv[1]) == "--socket") {
        path = QString::fromLocal8Bit(argv[2]);
        first = 3;
    }
    if (argc - first != 2)
        return Usage();
    const std::string request = std::string("777 ") + argv[first] + " " + argv[first + 1];
    auto notice = ParsePortNotice(request);
    if (!notice)
        return Usage();

    if (path.isEmpty())
        path = PortNoticeSocketPath();
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(TIMEOUT_MS)) {
        std::fprintf(stderr, "port-notice: no program listens on %s\n", qPrintable(path));
        return 1;
    }
    const std::string line = FormatPortNotice(*notice);
    socket.write(line.data(), qint64(line.size()));
    if (!socket.waitForBytesWritten(TIMEOUT_MS) && socket.bytesToWrite() > 0) {
        std::fprintf(stderr, "port-notice: the notice did not go out\n");
        return 1;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(TIMEOUT_MS);
    return 0;
}

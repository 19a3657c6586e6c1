#include "app/application.h"
#include "app/portnoticeserver.h"

#include "support/tempdir.h"
#include "support/workdir.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QEvent>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>

#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Runs the event loop until `done` holds; false when it never does.
bool WaitFor(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

std::vector<std::string> LogLines()
{
    std::ifstream in("IGN.err", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string MessageOf(const std::string& line)
{
    const std::string marker = " ZEP2008_v308: ";
    size_t at = line.find(marker);
    if (at == std::string::npos || line.back() != '>')
        return "<malformed: " + line + ">";
    return line.substr(at + marker.size(), line.size() - at - marker.size() - 1);
}

class Thrower : public QObject {
public:
    std::function<void()> onEvent;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            onEvent();
        return QObject::event(e);
    }
};

} // namespace

TEST(ApplicationEvents, AnExceptionFromAHandlerIsLoggedAndTheProgramGoesOn)
{
    TempDir dir;
    WorkingDirectory cwd(dir.path());
    Thrower target;

    target.onEvent = [] { throw std::runtime_error(std::string(10000, 'm')); };
    QEvent direct(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&target, &direct));

    // The same through the event queue, with a throw of no exception class.
    target.onEvent = [] { throw 7; };
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&target, QEvent::User);

    // Timer and queued slot calls are events too.
    bool ran = false;
    QMetaObject::invokeMethod(
        &target,
        [&] {
            ran = true;
            throw std::logic_error("from a slot");
        },
        Qt::QueuedConnection);
    EXPECT_TRUE(WaitFor([&] { return ran; }));

    auto lines = LogLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(MessageOf(lines[0]), std::string(8190, 'm'));
    EXPECT_EQ(MessageOf(lines[1]), "Unknown exception");
    EXPECT_EQ(MessageOf(lines[2]), "from a slot");
}

struct PortNoticeFixture : ::testing::Test {
    PortNoticeFixture()
        : path(QString::fromStdString(dir.file("notice.sock")))
        , server([this](const PortNotice& n) { received.push_back(n); })
    {
    }

    // Writes the chunks, each a separate write, then closes the connection.
    void Send(const std::vector<std::string>& chunks)
    {
        QLocalSocket client;
        client.connectToServer(path);
        ASSERT_TRUE(client.waitForConnected(5000));
        for (const std::string& chunk : chunks) {
            client.write(chunk.data(), qint64(chunk.size()));
            ASSERT_TRUE(client.waitForBytesWritten(5000));
        }
        client.disconnectFromServer();
    }

    TempDir dir;
    QString path;
    std::vector<PortNotice> received;
    PortNoticeServer server;
};

TEST_F(PortNoticeFixture, WellFormedLinesArriveInOrderAndGarbageIsPassedOver)
{
    ASSERT_TRUE(server.Listen(path));
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(path.toStdString()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    Send({ "777 3 2147483553\nhello\n778 3 1\n777 4 0x7FFF", "FFA2\r\n\n777 3", " 2147483556" });
    ASSERT_TRUE(WaitFor([&] { return received.size() == 3; }));
    EXPECT_EQ(received[0], (PortNotice { 3, PORT_NOTICE_RELEASE }));
    EXPECT_EQ(received[1], (PortNotice { 4, PORT_NOTICE_RESET_RELEASE }));
    EXPECT_EQ(received[2], (PortNotice { 3, PORT_NOTICE_TAKE_BACK })); // last line without its line feed
}

TEST_F(PortNoticeFixture, ASenderThatNeverEndsItsLineIsCutOff)
{
    ASSERT_TRUE(server.Listen(path));
    Send({ "777 3 " + std::string(5000, '1') });
    Send({ "777 5 2147483553\n" });
    ASSERT_TRUE(WaitFor([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0], (PortNotice { 5, PORT_NOTICE_RELEASE }));
}

TEST_F(PortNoticeFixture, AStaleSocketIsReplacedButARunningProgramIsLeftAlone)
{
    // A socket file left behind by a program that ended without removing it.
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    const std::string file = path.toStdString();
    ASSERT_LT(file.size(), sizeof addr.sun_path);
    std::copy(file.begin(), file.end(), addr.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(path));

    EXPECT_TRUE(server.Listen(path));
    PortNoticeServer second([](const PortNotice&) {});
    EXPECT_FALSE(second.Listen(path));

    Send({ "777 3 2147483553\n" });
    ASSERT_TRUE(WaitFor([&] { return received.size() == 1; }));
}

TEST_F(PortNoticeFixture, TheSenderToolDeliversOneNotice)
{
    auto run = [&](const QStringList& args) {
        QProcess tool;
        tool.start(QStringLiteral(PORT_NOTICE_TOOL), args);
        EXPECT_TRUE(tool.waitForStarted(10000));
        EXPECT_TRUE(WaitFor([&] { return tool.state() == QProcess::NotRunning; }));
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    };
    const QStringList release = { "--socket", path, "3", "0x7FFFFFA1" };
    EXPECT_EQ(run(release), 1); // nobody listens yet

    ASSERT_TRUE(server.Listen(path));
    EXPECT_EQ(run(release), 0);
    EXPECT_EQ(run({ "--socket", path, "3" }), 2);
    EXPECT_EQ(run({ "--socket", path, "COM3", "release" }), 2);
    ASSERT_TRUE(WaitFor([&] { return received.size() == 1; }));
    EXPECT_EQ(received[0], (PortNotice { 3, PORT_NOTICE_RELEASE }));
}

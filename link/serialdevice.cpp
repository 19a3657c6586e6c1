#include "link/serialdevice.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct BaudRow {
    int baud;
    speed_t speed;
};
constexpr BaudRow BAUDS[] = {
    { 1200, B1200 },
    { 2400, B2400 },
    { 4800, B4800 },
    { 9600, B9600 },
    { 19200, B19200 },
    { 38400, B38400 },
    { 57600, B57600 },
    { 115200, B115200 },
    { 230400, B230400 },
};

bool HungUp(int err)
{
    return err == EIO || err == ENXIO || err == ENODEV || err == EBADF;
}

} // namespace

SerialDevice::~SerialDevice()
{
    Close();
}

int SerialDevice::Open(const std::string& path, int baud)
{
    Close();
    speed_t speed = BaudToSpeed(baud);
    if (path.empty() || speed == 0)
        return EINVAL;
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    // TIOCEXCL keeps other users out, but not a privileged process; the lock
    // keeps out every other program that opens ports this way.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        int err = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return err;
    }
    termios tio {};
    if (::tcgetattr(fd, &tio) != 0) {
        int err = errno;
        ::close(fd);
        return err;
    }
    saved_ = tio;
    cfmakeraw(&tio);
    tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        int err = errno;
        ::close(fd);
        return err;
    }
    fd_ = fd;
    haveSaved_ = true;
    return 0;
}

void SerialDevice::Close()
{
    if (fd_ < 0)
        return;
    ::tcflush(fd_, TCIOFLUSH);
    if (haveSaved_)
        ::tcsetattr(fd_, TCSANOW, &saved_);
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    haveSaved_ = false;
}

SerialDevice::Result SerialDevice::Waiting()
{
    Result r;
    if (fd_ < 0) {
        r.failed = r.vanished = true;
        return r;
    }
    pollfd p { fd_, POLLIN, 0 };
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        r.failed = r.vanished = true;
        return r;
    }
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0) {
        r.failed = true;
        r.vanished = HungUp(errno);
        return r;
    }
    r.bytes = n;
    return r;
}

SerialDevice::Result SerialDevice::Read(uint8_t* data, int n)
{
    Result r;
    ssize_t got = fd_ < 0 ? -1 : ::read(fd_, data, size_t(n));
    if (got < 0) {
        r.failed = true;
        r.vanished = fd_ < 0 || HungUp(errno);
        return r;
    }
    r.bytes = int(got);
    r.failed = got == 0;
    return r;
}

SerialDevice::Result SerialDevice::Write(const uint8_t* data, int n, int timeoutMs)
{
    Result r;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (r.bytes < n) {
        ssize_t put = fd_ < 0 ? -1 : ::write(fd_, data + r.bytes, size_t(n - r.bytes));
        if (put > 0) {
            r.bytes += int(put);
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR) {
            r.vanished = fd_ < 0 || HungUp(errno);
            break;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p { fd_, POLLOUT, 0 };
        int ready = ::poll(&p, 1, int(left.count()));
        if (ready > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            r.vanished = true;
            break;
        }
    }
    r.failed = r.bytes < n;
    return r;
}

bool ParseModeText(const char* mode, int* baud)
{
    int b = 0;
    char parity = 0;
    int bits = 0, stop = 0;
    if (std::sscanf(mode, "%d,%c,%d,%d", &b, &parity, &bits, &stop) != 4 || parity != 'N' || bits != 8 || stop != 1)
        return false;
    *baud = b;
    return true;
}

speed_t BaudToSpeed(int baud)
{
    for (const BaudRow& row : BAUDS)
        if (row.baud == baud)
            return row.speed;
    return 0;
}

int SpeedToBaud(speed_t speed)
{
    for (const BaudRow& row : BAUDS)
        if (row.speed == speed)
            return row.baud;
    return 0;
}

namespace {

struct ComMap {
    std::mutex lock;
    std::string envText; // ZP_COM_MAP as last parsed
    std::map<int, std::string> fromEnv;
    std::map<int, std::string> overrides; // set by SetComDeviceOverride

    // Reads the environment again whenever it changed.
    void Load()
    {
        const char* env = std::getenv("ZP_COM_MAP");
        std::string text = env ? env : "";
        if (text == envText)
            return;
        envText = text;
        fromEnv.clear();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(';', start);
            if (end == std::string::npos)
                end = text.size();
            std::string item = text.substr(start, end - start);
            size_t eq = item.find('=');
            if (eq != std::string::npos) {
                std::string key = item.substr(0, eq);
                if (key.size() > 3 && strncasecmp(key.c_str(), "COM", 3) == 0)
                    key = key.substr(3);
                char* stop = nullptr;
                long port = std::strtol(key.c_str(), &stop, 10);
                if (!key.empty() && *stop == 0 && port >= 1 && port <= 255 && eq + 1 < item.size())
                    fromEnv[int(port)] = item.substr(eq + 1);
            }
            start = end + 1;
        }
    }

    std::map<int, std::string> Entries()
    {
        Load();
        std::map<int, std::string> all = overrides;
        all.insert(fromEnv.begin(), fromEnv.end());
        return all;
    }
};

ComMap& TheComMap()
{
    static ComMap map;
    return map;
}

struct DeviceRule {
    const char* prefix;
    int firstPort;
};
constexpr DeviceRule RULES[] = { { "ttyS", 1 }, { "ttyUSB", 33 }, { "ttyACM", 65 } };
constexpr int RULE_SPAN = 32;

bool Exists(const std::string& path)
{
    struct stat st { };
    return ::stat(path.c_str(), &st) == 0;
}

// A ttyS node exists for every UART slot the kernel reserves; only those with
// a UART behind them count.
bool UartPresent(int k)
{
    char path[64];
    std::snprintf(path, sizeof path, "/sys/class/tty/ttyS%d/type", k);
    FILE* f = std::fopen(path, "r");
    if (!f)
        return false;
    int type = 0;
    bool ok = std::fscanf(f, "%d", &type) == 1 && type != 0;
    std::fclose(f);
    return ok;
}

} // namespace

std::string ComDevicePath(int port)
{
    ComMap& map = TheComMap();
    {
        std::lock_guard<std::mutex> guard(map.lock);
        std::map<int, std::string> entries = map.Entries();
        auto it = entries.find(port);
        if (it != entries.end())
            return it->second;
    }
    for (const DeviceRule& rule : RULES)
        if (port >= rule.firstPort && port < rule.firstPort + RULE_SPAN)
            return std::string("/dev/") + rule.prefix + std::to_string(port - rule.firstPort);
    return {};
}

void SetComDeviceOverride(int port, const std::string& path)
{
    ComMap& map = TheComMap();
    std::lock_guard<std::mutex> guard(map.lock);
    if (path.empty())
        map.overrides.erase(port);
    else
        map.overrides[port] = path;
}

bool ListComDeviceNames(std::vector<std::string>* names)
{
    names->clear();
    DIR* dir = ::opendir("/dev");
    if (!dir)
        return false;
    while (dirent* e = ::readdir(dir)) {
        for (const DeviceRule& rule : RULES) {
            size_t len = std::strlen(rule.prefix);
            const char* rest = e->d_name + len;
            if (std::strncmp(e->d_name, rule.prefix, len) != 0 || !std::isdigit(uint8_t(*rest)))
                continue;
            char* stop = nullptr;
            long k = std::strtol(rest, &stop, 10);
            if (*stop != 0 || k >= RULE_SPAN)
                continue;
            if (rule.firstPort == 1 && !UartPresent(int(k)))
                continue;
            names->push_back("COM" + std::to_string(rule.firstPort + k));
        }
    }
    ::closedir(dir);
    ComMap& map = TheComMap();
    std::lock_guard<std::mutex> guard(map.lock);
    for (const auto& [port, path] : map.Entries())
        if (Exists(path))
            names->push_back("COM" + std::to_string(port));
    return true;
}

void MarkComNames(const std::vector<std::string>& names, bool present[256])
{
    for (const std::string& name : names) {
        if (name.size() < 4 || name.size() > 6 || name.compare(0, 3, "COM") != 0)
            continue;
        int port = 0;
        for (size_t i = 3; i < name.size(); ++i) {
            if (!std::isdigit(uint8_t(name[i]))) {
                port = -1;
                break;
            }
            port = port * 10 + (name[i] - '0');
        }
        if (port >= 1 && port <= 255)
            present[port] = true;
    }
}

namespace {

class Termios : public SerialDevices {
public:
    bool ListNames(std::vector<std::string>* names) override { return ListComDeviceNames(names); }
    std::unique_ptr<SerialLine> MakeLine(int) override { return std::make_unique<SerialDevice>(); }
};

} // namespace

SerialDevices& TermiosDevices()
{
    static Termios devices;
    return devices;
}

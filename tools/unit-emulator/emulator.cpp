#include "tools/unit-emulator/emulator.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "link/serialdevice.h"
#include "link/wordorder.h"
#include "platform/clock.h"

namespace unitemu {

namespace {

constexpr int BLOCK_SIZE = 300;
constexpr int MEMORY_SIZE = COMMAXBUF;
// A request broken off for this long is dropped, as the unit's own receiver does.
constexpr auto REQUEST_GAP = std::chrono::milliseconds(50);

// Live block word k (numbered from 1) starts at block byte 2k, i.e. data index
// 2k - 1, high byte first on the wire.
constexpr int LIVE_WORD_UNIT_TYPE = 1;
constexpr int LIVE_WORD_SAVING = 50;
constexpr int LIVE_WORD_CHANGED_BLOCKS = 56;

// Identity block offsets.
constexpr int ID_SUB_VERSION = 10;
constexpr int ID_UNIT_TYPE = 11;

// Commands of the preamble protocols.
constexpr uint16_t CMD_PROBE = 0xFEEE;
constexpr uint16_t CMD_READ = 0x7010;
constexpr uint16_t CMD_IDENTITY = 0x701F;
constexpr uint16_t CMD_WRITE = 0x7020;
constexpr uint16_t CMD_LIVE = 0x7050;
constexpr uint16_t CMD_RESET = 0xF000;
constexpr uint16_t SHORT_ACK = 0xFFFF;

// Command bytes of the fixed protocols (requests; answers add 0x80).
constexpr uint8_t IGN_COMMAND = 0x00;
constexpr uint8_t IGN_LIVE = 0x30;
constexpr uint8_t IGN_IDENTITY = 0x40;
// A command frame whose data bytes 14 and 15 hold these restarts the unit.
constexpr int RESET_MARK_AT = 14;
constexpr uint8_t RESET_MARK[2] = { 0xA5, 0x10 };

std::vector<uint8_t> DefaultIdentity()
{
    std::vector<uint8_t> id(BLOCK_SIZE, 0);
    const uint8_t head[] = { 'Z', 'E', 'P', 12, 1, 12, 19, 10, 16 };
    std::copy(std::begin(head), std::end(head), id.begin());
    const uint8_t hardware[] = { 0xC1, 0x05, 0x02, 0x09 };
    std::copy(std::begin(hardware), std::end(hardware), id.begin() + 30);
    const uint8_t serial[] = { 0x12, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01 };
    std::copy(std::begin(serial), std::end(serial), id.begin() + 38);
    return id;
}

// The unit keeps words 0..1199 and 2323..2332 high byte first: this turns the
// PC's byte order into the unit's and back.
void SwapUnitWords(uint8_t* image, int length)
{
    SwapWordBytes(image, 0, 1199, -1, length);
    SwapWordBytes(image, 2323, 2332, -1, length);
}

} // namespace

UnitEmulator::UnitEmulator(const Options& options)
    : options_(options)
    , image_(MEMORY_SIZE, 0)
    , identity_(DefaultIdentity())
    , live_(BLOCK_SIZE, 0)
    , liveFixed_(BLOCK_SIZE, false)
    , engine_(options.engine, options.seed)
{
    SetUnitVersion(options.unitType, options.subVersion);
    byteTime_ = std::chrono::nanoseconds(10'000'000'000LL / std::max(options.baud, 1));
    wcom_.SetProtocol(options_.protocol, 0);
}

UnitEmulator::~UnitEmulator()
{
    Stop();
}

bool UnitEmulator::Start(std::string* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = std::string(what) + ": " + std::strerror(errno);
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        return fail("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return fail("grantpt");
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0)
        return fail("ptsname");
    slavePath_ = name;
    // The emulator holds the slave open itself, so the line stays up between
    // the program's opens, and sets it raw: a fresh terminal would echo.
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
        return fail("open slave");
    termios tio {};
    ::tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, BaudToSpeed(options_.baud));
    cfsetospeed(&tio, BaudToSpeed(options_.baud));
    ::tcsetattr(slave_, TCSANOW, &tio);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
        return fail("pipe");
    stop_ = false;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void UnitEmulator::Stop()
{
    if (thread_.joinable()) {
        stop_ = true;
        uint8_t b = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &b, 1);
        thread_.join();
    }
    for (int* fd : { &master_, &slave_, &wake_[0], &wake_[1] }) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

int UnitEmulator::LineBaud() const
{
    std::lock_guard<std::mutex> guard(lock_);
    termios tio {};
    if (slave_ < 0 || ::tcgetattr(slave_, &tio) != 0)
        return 0;
    return SpeedToBaud(cfgetospeed(&tio));
}

void UnitEmulator::SetImage(const RsImage& image)
{
    std::lock_guard<std::mutex> guard(lock_);
    std::copy(image.b.begin(), image.b.end(), image_.begin());
    SwapUnitWords(image_.data(), RS_LEN_EXE);
}

RsImage UnitEmulator::Image() const
{
    std::lock_guard<std::mutex> guard(lock_);
    RsImage image;
    std::copy(image_.begin(), image_.begin() + RS_LEN_EXE, image.b.begin());
    SwapUnitWords(image.data(), RS_LEN_EXE);
    return image;
}

std::vector<uint8_t> UnitEmulator::UnitImage() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return { image_.begin(), image_.begin() + RS_LEN_EXE };
}

void UnitEmulator::SetIdentityByte(int offset, uint8_t value)
{
    std::lock_guard<std::mutex> guard(lock_);
    identity_.at(size_t(offset)) = value;
}

std::vector<uint8_t> UnitEmulator::Identity() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return identity_;
}

void UnitEmulator::SetLiveWord(int k, uint16_t value)
{
    std::lock_guard<std::mutex> guard(lock_);
    live_.at(size_t(2 * k - 1)) = uint8_t(value >> 8);
    live_.at(size_t(2 * k)) = uint8_t(value);
    liveFixed_[size_t(2 * k - 1)] = liveFixed_[size_t(2 * k)] = true;
}

uint16_t UnitEmulator::LiveWord(int k) const
{
    std::lock_guard<std::mutex> guard(lock_);
    return uint16_t(live_.at(size_t(2 * k - 1)) << 8 | live_.at(size_t(2 * k)));
}

void UnitEmulator::SetLiveByte(int n, uint8_t value)
{
    std::lock_guard<std::mutex> guard(lock_);
    live_.at(size_t(n - 1)) = value;
    liveFixed_[size_t(n - 1)] = true;
}

void UnitEmulator::SetChangedBlocks(uint16_t mask)
{
    std::lock_guard<std::mutex> guard(lock_);
    changedBlocks_ = mask;
}

void UnitEmulator::SetUnitVersion(int unitType, int subVersion)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        options_.unitType = unitType;
        options_.subVersion = subVersion;
        identity_[ID_SUB_VERSION] = uint8_t(subVersion);
        identity_[ID_UNIT_TYPE] = uint8_t(unitType >> 8);
        identity_[ID_UNIT_TYPE + 1] = uint8_t(unitType);
    }
    SetLiveWord(LIVE_WORD_UNIT_TYPE, uint16_t(unitType));
}

void UnitEmulator::InjectFault(Fault fault, int count, int after)
{
    std::lock_guard<std::mutex> guard(lock_);
    plans_.push_back({ fault, count, after });
}

void UnitEmulator::ClearFaults()
{
    std::lock_guard<std::mutex> guard(lock_);
    plans_.clear();
}

std::vector<std::vector<uint8_t>> UnitEmulator::RequestLog() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return requestLog_;
}

std::vector<uint8_t> UnitEmulator::LastLiveRequest() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return lastLiveRequest_;
}

void UnitEmulator::Run()
{
    uint8_t buf[512];
    while (!stop_) {
        pollfd fds[2] = { { master_, POLLIN, 0 }, { wake_[0], POLLIN, 0 } };
        int nfds = master_ >= 0 ? 2 : 1;
        pollfd* set = master_ >= 0 ? fds : fds + 1;
        if (::poll(set, nfds_t(nfds), 1000) < 0 && errno != EINTR)
            break;
        if (stop_ || master_ < 0)
            continue;
        if (!(fds[0].revents & POLLIN))
            continue;
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0)
            continue;
        Heard(buf, int(n), LineBaud());
    }
}

std::vector<uint8_t> UnitEmulator::Hear(const uint8_t* data, int n, int lineBaud)
{
    std::vector<uint8_t> answers;
    answers_ = &answers;
    Heard(data, n, lineBaud);
    answers_ = nullptr;
    return answers;
}

void UnitEmulator::Heard(const uint8_t* data, int n, int lineBaud)
{
    // A unit listening at another rate hears only noise.
    if (lineBaud != options_.baud)
        noiseBytes_ += n;
    else
        TakeBytes(data, n);
    bytesHeard_ += uint32_t(n);
}

void UnitEmulator::TakeBytes(const uint8_t* data, int n)
{
    auto now = std::chrono::steady_clock::now();
    // On a line in memory the program clock measures the gap.
    const int32_t tick = TmrNow();
    const bool gap = answers_ ? TmrDiff(tick, lastTick_) > REQUEST_GAP.count() : now - lastByte_ > REQUEST_GAP;
    lastTick_ = tick;
    if (gap) {
        ignPosition_ = 0;
        wcom_.RxPosition = 0;
    }
    lastByte_ = now;
    int frameLength = IgnFrameLength(options_.protocol);
    for (int i = 0; i < n && !vanished_; ++i) {
        uint8_t byte = data[i];
        if (options_.pace)
            lineTime_ = std::max(lineTime_, now) + byteTime_;
        if (IsPreambleProtocol(options_.protocol)) {
            if (wcom_.TakeByte(byte))
                HandleRequest(wcom_.RxFrame, WCOM_OVERHEAD + FrameWord(wcom_.RxFrame, WCOM_LENGTH));
            continue;
        }
        if (ignPosition_ == 0 && (byte & 0x80))
            continue; // requests have bit 7 clear
        ign_[ignPosition_++] = byte;
        if (ignPosition_ < frameLength)
            continue;
        ignPosition_ = 0;
        uint8_t check = 0xFF;
        for (int k = 0; k < frameLength; ++k)
            check ^= ign_[k];
        if (check != 0) {
            badRequests_++;
            continue;
        }
        HandleRequest(ign_, frameLength);
    }
}

void UnitEmulator::HandleRequest(const uint8_t* frame, int length)
{
    requests_++;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (requestLog_.size() == REQUEST_LOG_LEN)
            requestLog_.erase(requestLog_.begin());
        requestLog_.emplace_back(frame, frame + length);
    }
    Answer answer = IsPreambleProtocol(options_.protocol) ? AnswerWcom(frame) : AnswerIgn(frame);
    ApplyFaults(frame, length, &answer);
    if (options_.pace)
        WaitUntil(lineTime_);
    if (!answer.none && !answer.bytes.empty())
        Send(answer.bytes.data(), int(answer.bytes.size()));
}

void UnitEmulator::ReadMemory(const std::vector<uint8_t>& memory, int address, int length, uint8_t* out) const
{
    for (int i = 0; i < length; ++i) {
        int at = address + i;
        out[i] = at >= 0 && at < int(memory.size()) ? memory[size_t(at)] : 0;
    }
}

void UnitEmulator::MoveEngine()
{
    // Called with the lock held, once per live answer.
    liveRequests_++;
    engine_.Step();
    engine_.Write(live_, liveFixed_);
}

std::vector<uint8_t> UnitEmulator::LiveAnswerData()
{
    // Called with the lock held.
    uint16_t saving = uint16_t(saving_);
    live_[2 * LIVE_WORD_SAVING - 1] = uint8_t(saving >> 8);
    live_[2 * LIVE_WORD_SAVING] = uint8_t(saving);
    live_[2 * LIVE_WORD_CHANGED_BLOCKS - 1] = uint8_t(changedBlocks_ >> 8);
    live_[2 * LIVE_WORD_CHANGED_BLOCKS] = uint8_t(changedBlocks_);
    saving_ = std::max(0, saving_ - options_.saveStep);
    return live_;
}

UnitEmulator::Answer UnitEmulator::AnswerIgn(const uint8_t* frame)
{
    Answer answer;
    int n = IgnDataLength(options_.protocol);
    uint8_t command = frame[0];
    const uint8_t* data = frame + 1;
    std::vector<uint8_t> out(size_t(n), 0);
    std::lock_guard<std::mutex> guard(lock_);
    if (command == IGN_COMMAND) {
        if (std::equal(std::begin(RESET_MARK), std::end(RESET_MARK), data + RESET_MARK_AT))
            resets_++;
        std::copy(data, data + n, out.begin());
    } else if (command < IGN_LIVE) {
        int address = n * (command - 1);
        for (int i = 0; i < n; ++i)
            if (address + i < RS_LEN_EXE)
                image_[size_t(address + i)] = data[i];
        std::copy(data, data + n, out.begin());
        writes_++;
        saving_ = options_.saveWork;
    } else if (command < IGN_IDENTITY) {
        lastLiveRequest_.assign(data, data + n);
        if (command == IGN_LIVE)
            MoveEngine();
        std::vector<uint8_t> live = LiveAnswerData();
        ReadMemory(live, n * (command - IGN_LIVE), n, out.data());
        // The small fixed-frame units report their type in the last data byte.
        if (options_.protocol != PROTO_IGN300)
            out[size_t(n - 1)] = uint8_t(options_.unitType);
    } else if (command == IGN_IDENTITY) {
        ReadMemory(identity_, 0, n, out.data());
    } else {
        int address = n * (command - IGN_IDENTITY - 1);
        ReadMemory(image_, address, n, out.data());
        for (int b = 0; b < 16; ++b)
            if (address <= b * BLOCK_SIZE + BLOCK_SIZE - 1 && b * BLOCK_SIZE + BLOCK_SIZE - 1 < address + n)
                changedBlocks_ &= uint16_t(~(1u << b));
    }
    answer.bytes.resize(size_t(n + IGN_OVERHEAD));
    BuildIgnFrame(answer.bytes.data(), n, uint8_t(command | 0x80), out.data());
    return answer;
}

UnitEmulator::Answer UnitEmulator::AnswerWcom(const uint8_t* frame)
{
    Answer answer;
    if ((frame[WCOM_TYPE] & 0x0F) != WCOM_KIND_REQUEST) {
        answer.none = true;
        return answer;
    }
    uint16_t command = FrameWord(frame, WCOM_COMMAND);
    uint16_t address = FrameWord(frame, WCOM_ADDRESS);
    uint16_t length = FrameWord(frame, WCOM_LENGTH);
    const uint8_t* data = frame + WCOM_DATA;
    uint16_t requested = length >= 2 ? FrameWord(frame, WCOM_DATA) : 0;
    requested = std::min<uint16_t>(requested, FRAME_BUF - WCOM_OVERHEAD);

    uint16_t answerCommand = command;
    uint16_t answerAddress = address;
    std::vector<uint8_t> out;
    {
        std::lock_guard<std::mutex> guard(lock_);
        switch (command) {
        case CMD_PROBE: {
            out.assign(options_.name.begin(), options_.name.end());
            out.push_back(0);
            for (int word : { options_.frameSize, options_.hardwareId, options_.unitType }) {
                out.push_back(uint8_t(word));
                out.push_back(uint8_t(word >> 8));
            }
            break;
        }
        case CMD_READ:
            out.resize(requested);
            ReadMemory(image_, address, requested, out.data());
            for (int b = 0; b < 16; ++b)
                if (address <= b * BLOCK_SIZE + BLOCK_SIZE - 1 && b * BLOCK_SIZE + BLOCK_SIZE - 1 < address + requested)
                    changedBlocks_ &= uint16_t(~(1u << b));
            break;
        case CMD_IDENTITY:
            out.resize(requested);
            ReadMemory(identity_, address, requested, out.data());
            break;
        case CMD_LIVE: {
            lastLiveRequest_.resize(std::max<size_t>(lastLiveRequest_.size(), size_t(address + length)));
            std::copy(data, data + length, lastLiveRequest_.begin() + address);
            if (address == 0)
                MoveEngine();
            std::vector<uint8_t> live = address == 0 ? LiveAnswerData() : live_;
            out.resize(length);
            ReadMemory(live, address, length, out.data());
            break;
        }
        case CMD_WRITE:
            for (int i = 0; i < length; ++i)
                if (address + i < RS_LEN_EXE)
                    image_[size_t(address + i)] = data[i];
            writes_++;
            saving_ = options_.saveWork;
            // Writes are acknowledged with the short answer that names the address.
            answerCommand = SHORT_ACK;
            answerAddress = CMD_WRITE;
            out = { uint8_t(address), uint8_t(address >> 8) };
            break;
        default:
            if (command == CMD_RESET)
                resets_++;
            answerCommand = SHORT_ACK;
            answerAddress = command;
            break;
        }
    }
    answer.bytes.resize(WCOM_OVERHEAD + out.size());
    uint8_t* f = answer.bytes.data();
    BuildWcomFrame(f, 0, answerAddress, 0, nullptr);
    f[WCOM_TYPE] = uint8_t((frame[WCOM_TYPE] & 0xF0) | WCOM_KIND_ACK);
    SetFrameWord(f, WCOM_COMMAND, answerCommand);
    SetFrameWord(f, WCOM_LENGTH, uint16_t(out.size()));
    std::copy(out.begin(), out.end(), f + WCOM_DATA);
    SealWcomFrame(f);
    return answer;
}

void UnitEmulator::ApplyFaults(const uint8_t* request, int requestLength, Answer* answer)
{
    bool active[FAULT_KINDS] = {};
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (Plan& plan : plans_) {
            if (plan.after > 0) {
                plan.after--;
                continue;
            }
            if (plan.count == 0)
                continue;
            if (plan.count > 0)
                plan.count--;
            active[int(plan.fault)] = true;
        }
    }
    if (active[int(Fault::Vanish)]) {
        Vanish();
        answer->none = true;
        return;
    }
    if (active[int(Fault::Echo)]) {
        if (options_.pace)
            WaitUntil(lineTime_);
        Send(request, requestLength);
    }
    std::vector<uint8_t>& bytes = answer->bytes;
    if (active[int(Fault::Silence)] || answer->none || bytes.empty()) {
        answer->none = true;
        return;
    }
    if (active[int(Fault::WrongBlock)]) {
        if (IsPreambleProtocol(options_.protocol)) {
            SetFrameWord(bytes.data(), WCOM_ADDRESS, uint16_t(FrameWord(bytes.data(), WCOM_ADDRESS) + 1));
            SealWcomFrame(bytes.data());
        } else {
            int n = int(bytes.size()) - IGN_OVERHEAD;
            BuildIgnFrame(bytes.data(), n, uint8_t(bytes[0] + 1), nullptr);
        }
    }
    if (active[int(Fault::WrongData)]) {
        int first = IsPreambleProtocol(options_.protocol) ? WCOM_DATA : 1;
        if (int(bytes.size()) > first + IGN_OVERHEAD) {
            bytes[size_t(first)] ^= 0x01;
            if (IsPreambleProtocol(options_.protocol))
                SealWcomFrame(bytes.data());
            else
                BuildIgnFrame(bytes.data(), int(bytes.size()) - IGN_OVERHEAD, bytes[0], nullptr);
        }
    }
    if (active[int(Fault::BadCheck)])
        bytes.back() ^= 0x5A;
    if (active[int(Fault::CutShort)])
        bytes.resize(bytes.size() / 2);
}

void UnitEmulator::WaitUntil(std::chrono::steady_clock::time_point t)
{
    std::this_thread::sleep_until(t);
}

void UnitEmulator::Send(const uint8_t* data, int n)
{
    if (answers_) {
        answers_->insert(answers_->end(), data, data + n);
        bytesSent_ += uint32_t(n);
        return;
    }
    if (master_ < 0)
        return;
    auto start = std::max(std::chrono::steady_clock::now(), lineTime_);
    int sent = 0;
    while (sent < n && !stop_) {
        int due = n - sent;
        if (options_.pace) {
            // Hand over the bytes whose time on the wire has come.
            auto now = std::chrono::steady_clock::now();
            int onWire = int((now - start) / byteTime_);
            due = std::min(n, onWire) - sent;
            if (due <= 0) {
                WaitUntil(start + byteTime_ * (sent + 1));
                continue;
            }
        }
        ssize_t put = ::write(master_, data + sent, size_t(due));
        if (put > 0) {
            sent += int(put);
            bytesSent_ += uint32_t(put);
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EINTR)
            return;
        pollfd p { master_, POLLOUT, 0 };
        ::poll(&p, 1, 10);
    }
    if (options_.pace)
        lineTime_ = start + byteTime_ * n;
}

void UnitEmulator::Vanish()
{
    std::lock_guard<std::mutex> guard(lock_);
    for (int* fd : { &master_, &slave_ }) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    vanished_ = true;
}

} // namespace unitemu

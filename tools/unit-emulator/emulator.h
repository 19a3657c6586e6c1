#pragma once
// An emulated control unit on a pseudo-terminal. It keeps the unit's 4800-byte
// parameter image as the unit stores it (words 0..1199 and 2323..2332 high
// byte first), a 300-byte identity block and a 300-byte live block, and answers
// identity, read, write, live, command and reset requests in one of the six
// frame protocols. It can pace its bytes at the line's real byte time and
// inject faults. Tests and people use it in place of a unit.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "image/rsimage.h"
#include "link/frame.h"
#include "tools/unit-emulator/engine.h"

namespace unitemu {

constexpr size_t REQUEST_LOG_LEN = 64;

enum class Fault {
    Silence, // no answer
    BadCheck, // the answer's check byte is corrupted
    WrongBlock, // the answer names another block (fixed frames) or address
    CutShort, // only the first half of the answer is sent
    Vanish, // the device disappears, as an unplugged adapter does
    Echo, // the line returns the request before any answer
    WrongData, // one data byte of the answer differs (its check still fits)
};
constexpr int FAULT_KINDS = 7;

struct Options {
    int32_t protocol = PROTO_IGN300;
    int baud = 115200;
    bool pace = false; // send and take bytes at the line's byte time (8N1: ten bits a byte)
    int unitType = RSKEY; // in the identity block, the live block and the probe answers
    int subVersion = 0;
    int frameSize = 48; // announced by a preamble unit in its probe answer
    int hardwareId = 0x0105;
    std::string name = "ZEP12"; // a preamble unit's name in its probe answer
    int saveWork = 0; // live word 50 after a write; 0: saving takes no time
    int saveStep = 1600; // taken off the saving work at every live answer
    Engine engine = Engine::Off; // the engine whose values the live block shows
    uint32_t seed = 1; // the same seed gives the same engine answer by answer
};

// Another process that names `path` in its ZP_COM_MAP or holds it open, as
// "process 1234 (zeperon) holds it open"; empty when there is none.
std::string OtherUserOfPath(const std::string& path);

class UnitEmulator {
public:
    explicit UnitEmulator(const Options& options = {});
    ~UnitEmulator();
    UnitEmulator(const UnitEmulator&) = delete;
    UnitEmulator& operator=(const UnitEmulator&) = delete;

    // Opens the pseudo-terminal (its slave raw, as a unit's line is) and
    // starts answering. False with a reason when that fails.
    bool Start(std::string* error);
    void Stop();
    // The path a port opens to reach the emulated unit.
    const std::string& SlavePath() const { return slavePath_; }

    // Answers without a pseudo-terminal, for a line the caller carries: takes
    // the bytes that came at `lineBaud` and returns the unit's answers at once.
    // A request broken off for 50 ms of the program clock is dropped. Not with Start.
    std::vector<uint8_t> Hear(const uint8_t* data, int n, int lineBaud);

    // The image in the PC's byte order.
    void SetImage(const RsImage& image);
    RsImage Image() const;
    // The image as the unit keeps it.
    std::vector<uint8_t> UnitImage() const;
    void SetIdentityByte(int offset, uint8_t value);
    std::vector<uint8_t> Identity() const;
    // Live block word k (1..149) and byte n (1..300), numbered from 1. A value
    // set here stays as set while the engine runs.
    void SetLiveWord(int k, uint16_t value);
    uint16_t LiveWord(int k) const;
    void SetLiveByte(int n, uint8_t value);
    // One bit per 300-byte block of the image that the unit itself changed;
    // a read of a block clears its bit.
    void SetChangedBlocks(uint16_t mask);
    // The unit type and sub-version reported from now on.
    void SetUnitVersion(int unitType, int subVersion);

    // Applies the fault to `count` requests (-1: all) after `after` more
    // requests were handled normally. Faults add up.
    void InjectFault(Fault fault, int count = 1, int after = 0);
    void ClearFaults();

    int Requests() const { return requests_.load(); }
    int Writes() const { return writes_.load(); }
    int Resets() const { return resets_.load(); }
    // Live requests answered since the start (the first frame of each).
    int LiveRequests() const { return liveRequests_.load(); }
    int BadRequests() const { return badRequests_.load(); }
    // Bytes that arrived while the line ran at another rate than the unit's.
    int NoiseBytes() const { return noiseBytes_.load(); }
    bool Vanished() const { return vanished_.load(); }
    // Bytes taken from the line (each counted once the unit has answered the
    // requests they complete) and bytes put on it.
    uint32_t BytesHeard() const { return bytesHeard_.load(); }
    uint32_t BytesSent() const { return bytesSent_.load(); }
    // Baud the other end set on the line; 0 when it is no known rate.
    int LineBaud() const;
    // The latest requests (at most REQUEST_LOG_LEN), oldest first, as they came.
    std::vector<std::vector<uint8_t>> RequestLog() const;
    // The data of the last live request.
    std::vector<uint8_t> LastLiveRequest() const;

private:
    struct Plan {
        Fault fault;
        int count;
        int after;
    };
    struct Answer {
        std::vector<uint8_t> bytes;
        bool none = false;
    };

    void Run();
    void Heard(const uint8_t* data, int n, int lineBaud);
    void TakeBytes(const uint8_t* data, int n);
    void HandleRequest(const uint8_t* frame, int length);
    Answer AnswerIgn(const uint8_t* frame);
    Answer AnswerWcom(const uint8_t* frame);
    void ReadMemory(const std::vector<uint8_t>& memory, int address, int length, uint8_t* out) const;
    void ApplyFaults(const uint8_t* request, int requestLength, Answer* answer);
    void Send(const uint8_t* data, int n);
    void WaitUntil(std::chrono::steady_clock::time_point t);
    void Vanish();
    std::vector<uint8_t> LiveAnswerData();
    void MoveEngine();

    Options options_;
    std::string slavePath_;
    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = { -1, -1 };
    std::thread thread_;
    std::atomic<bool> stop_ { false };

    mutable std::mutex lock_; // guards everything below that tests may touch
    std::vector<uint8_t> image_; // unit order
    std::vector<uint8_t> identity_;
    std::vector<uint8_t> live_;
    std::vector<bool> liveFixed_; // live bytes set from outside
    EngineModel engine_;
    std::vector<uint8_t> lastLiveRequest_;
    uint16_t changedBlocks_ = 0;
    int saving_ = 0;
    std::vector<Plan> plans_;
    std::vector<std::vector<uint8_t>> requestLog_;

    std::atomic<int> requests_ { 0 };
    std::atomic<int> writes_ { 0 };
    std::atomic<int> resets_ { 0 };
    std::atomic<int> liveRequests_ { 0 };
    std::atomic<int> badRequests_ { 0 };
    std::atomic<int> noiseBytes_ { 0 };
    std::atomic<bool> vanished_ { false };
    std::atomic<uint32_t> bytesHeard_ { 0 };
    std::atomic<uint32_t> bytesSent_ { 0 };

    // Request parsing (emulator thread only).
    CCOMFRAME wcom_;
    uint8_t ign_[FRAME_BUF] = {};
    int ignPosition_ = 0;
    std::chrono::steady_clock::time_point lastByte_ {};
    int32_t lastTick_ = 0; // program clock at the last byte, on a line in memory
    std::chrono::steady_clock::time_point lineTime_ {}; // when the last byte taken ended on the wire
    std::chrono::nanoseconds byteTime_ {};
    std::vector<uint8_t>* answers_ = nullptr; // where Send puts the answers during Hear
};

} // namespace unitemu

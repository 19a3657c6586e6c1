#pragma once
// Frames of the unit's six protocols and the frame assembler of one end of
// the link.
//
// Preamble frames (WCOM with a CRC, WCOMS with a word sum), little-endian:
//   FF FF FF FF A5 5A BB | type | command | address | length L | L data | check
// Fixed frames (IGN50/100/150/300): command byte, N data bytes, XOR check.

#include <atomic>
#include <cstddef>
#include <cstdint>

struct CCOM;

constexpr int32_t PROTO_NONE = 0;
constexpr int32_t PROTO_WCOM = 1;
constexpr int32_t PROTO_WCOMS = 2;
constexpr int32_t PROTO_IGN50 = 3050;
constexpr int32_t PROTO_IGN100 = 3100;
constexpr int32_t PROTO_IGN150 = 3150;
constexpr int32_t PROTO_IGN300 = 3300;

constexpr int FRAME_BUF = 1040; // largest frame either end keeps
constexpr int WCOM_OVERHEAD = 16; // preamble, sync, type, words and check
constexpr int WCOM_MAX_DATA = 512; // most data bytes the encoder sends
constexpr int IGN_OVERHEAD = 2; // command and check byte
constexpr uint32_t WCOM_OPT_SUM = 0x10000; // option bit of BuildWcomFrame: word-sum check

// Frame offsets of a preamble frame.
constexpr int WCOM_TYPE = 7;
constexpr int WCOM_COMMAND = 8;
constexpr int WCOM_ADDRESS = 10;
constexpr int WCOM_LENGTH = 12;
constexpr int WCOM_DATA = 14;

// Type byte: high nibble the check, low nibble the kind of frame.
constexpr uint8_t WCOM_TYPE_CRC = 0xB0;
constexpr uint8_t WCOM_TYPE_SUM = 0xF0;
constexpr uint8_t WCOM_KIND_REQUEST = 0x0B;
constexpr uint8_t WCOM_KIND_ACK = 0x0C;
constexpr uint8_t WCOM_KIND_SHORT = 0x0D;

// The CRC register after the preamble and sync bytes, and the word sum of them.
constexpr uint16_t WCOM_CRC_AFTER_SYNC = 0xB797;
constexpr uint16_t WCOM_SUM_AFTER_SYNC = 0x5B5E;

// Data bytes of a fixed frame of the protocol; 0 for the others.
int IgnDataLength(int32_t protocol);
// Whole frame length of a fixed frame of the protocol; 0 for the others.
int IgnFrameLength(int32_t protocol);
bool IsPreambleProtocol(int32_t protocol);

// One step of the WCOM CRC register: the 8 bits of `byte` enter from the least
// significant. The register of a frame starts at 1.
uint16_t WcomCrcByte(uint16_t reg, uint8_t byte);
// The check word of a WCOM frame over its first n bytes.
uint16_t WcomCrc(const uint8_t* frame, int n);
// The word sum of a WCOMS frame over its first n bytes: bytes at even offsets
// count as low bytes, at odd offsets as high bytes.
uint16_t WcomSum(const uint8_t* frame, int n);
// Writes the check word of the preamble frame whose header is complete,
// chosen by the type's high nibble. Returns the frame length.
int SealWcomFrame(uint8_t* frame);

// Writes a complete request frame; `command` may carry WCOM_OPT_SUM. The length
// is cut to WCOM_MAX_DATA. Returns the frame length.
int BuildWcomFrame(uint8_t* frame, uint32_t command, uint16_t address, int length, const uint8_t* data);
// Fixed request frames: command = base + block; the data are copied from
// `data` or are zeros; a non-zero argument goes into the last two data bytes,
// high byte first. IGN300 frames carry no argument. Return the frame length.
int BuildIgn50Frame(uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument);
int BuildIgn100Frame(uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument);
int BuildIgn150Frame(uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument);
int BuildIgn300Frame(uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument);
// A fixed frame of any command byte (request or answer) with n data bytes and
// its check byte. Returns the frame length.
int BuildIgnFrame(uint8_t* frame, int n, uint8_t command, const uint8_t* data);
// The request of a fixed-frame protocol (IGN50, IGN100, IGN150, otherwise IGN300).
int BuildFixedFrame(
    int32_t protocol, uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument);

// frame[p + 1] * 256 + frame[p + 2].
int ReadWordBE(const uint8_t* frame, int p);

// Little-endian words of a preamble frame.
inline uint16_t FrameWord(const uint8_t* frame, int offset)
{
    return uint16_t(frame[offset] | (frame[offset + 1] << 8));
}
inline void SetFrameWord(uint8_t* frame, int offset, uint16_t value)
{
    frame[offset] = uint8_t(value);
    frame[offset + 1] = uint8_t(value >> 8);
}

// The frame assembler of one end of the link: parses a port's receive ring
// into checked answer frames and hands a prepared frame to the port in parts.
class CCOMFRAME {
public:
    int32_t Protocol = PROTO_NONE;
    uint16_t CheckRegister = 0;
    uint16_t ExpectedCheck = 0;
    int32_t LastByteTime = 0;
    int32_t GapTimeout = 0;
    int32_t FrameLength = 0;
    int32_t RxPosition = 0;
    int32_t CheckKind = 255; // 0 CRC, 1 word sum, 255 still hunting
    uint8_t RxFrame[FRAME_BUF] = {};
    int32_t TxLength = 0;
    uint8_t TxFrame[FRAME_BUF] = {};
    int32_t Remaining = 0;
    const uint8_t* SendPosition = nullptr;

    void Reset();
    void SetProtocol(int32_t protocol, int32_t gapTimeout);
    // Takes bytes from the port's ring until a checked frame is complete
    // (true, the frame is in RxFrame) or the ring is empty (false).
    bool Receive(CCOM& port);
    // Hands the next part of TxFrame to the port when its buffer is free.
    void SendPart(CCOM& port);
    // True when the whole prepared frame has been handed to the port.
    bool SendDone() const { return SendPosition != nullptr && Remaining == 0; }

    // Takes one byte; true when it completes a checked frame.
    bool TakeByte(uint8_t byte);

private:
    bool TakeIgnByte(uint8_t byte);
    bool TakeWcomByte(uint8_t byte);
    void RewriteShortAnswer();
};

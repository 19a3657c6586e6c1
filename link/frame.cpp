#include "link/frame.h"

#include <algorithm>
#include <cstring>

#include "link/comport.h"
#include "platform/clock.h"

namespace {

constexpr uint8_t PREAMBLE[7] = { 0xFF, 0xFF, 0xFF, 0xFF, 0xA5, 0x5A, 0xBB };
constexpr uint16_t CRC_POLYNOMIAL = 0x1083;
constexpr uint16_t SHORT_ACK = 0xFFFF;
constexpr uint16_t SHORT_OTHER = 0xFFFE;

uint16_t SumByte(uint16_t sum, uint8_t byte, int offset)
{
    return uint16_t(sum + ((offset & 1) ? byte << 8 : byte));
}

int BuildFixed(uint8_t* frame, int n, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument)
{
    uint8_t* body = frame + 1;
    if (data)
        std::memcpy(body, data, size_t(n));
    else
        std::memset(body, 0, size_t(n));
    if (argument != 0) {
        frame[n] = uint8_t(argument);
        if (argument > 255)
            frame[n - 1] = uint8_t(argument >> 8);
    }
    frame[0] = uint8_t(base + block);
    return BuildIgnFrame(frame, n, frame[0], nullptr);
}

} // namespace

int IgnDataLength(int32_t protocol)
{
    switch (protocol) {
    case PROTO_IGN50:
        return 50;
    case PROTO_IGN100:
        return 100;
    case PROTO_IGN150:
        return 150;
    case PROTO_IGN300:
        return 300;
    default:
        return 0;
    }
}

int IgnFrameLength(int32_t protocol)
{
    int n = IgnDataLength(protocol);
    return n ? n + IGN_OVERHEAD : 0;
}

bool IsPreambleProtocol(int32_t protocol)
{
    return protocol == PROTO_WCOM || protocol == PROTO_WCOMS;
}

uint16_t WcomCrcByte(uint16_t reg, uint8_t byte)
{
    for (int bit = 0; bit < 8; ++bit) {
        bool top = reg & 0x8000;
        reg = uint16_t((reg << 1) | ((byte >> bit) & 1));
        if (top)
            reg ^= CRC_POLYNOMIAL;
    }
    return reg;
}

uint16_t WcomCrc(const uint8_t* frame, int n)
{
    uint16_t reg = 1;
    for (int i = 0; i < n; ++i)
        reg = WcomCrcByte(reg, frame[i]);
    return reg;
}

uint16_t WcomSum(const uint8_t* frame, int n)
{
    uint16_t sum = 0;
    for (int i = 0; i < n; ++i)
        sum = SumByte(sum, frame[i], i);
    return sum;
}

int SealWcomFrame(uint8_t* frame)
{
    int length = FrameWord(frame, WCOM_LENGTH);
    int at = WCOM_DATA + length;
    if ((frame[WCOM_TYPE] & 0xF0) == WCOM_TYPE_SUM) {
        // The check completes the byte total to 0xFFFF, so its first byte is a
        // high byte when it lands on an odd offset.
        uint16_t check = uint16_t(~WcomSum(frame, at));
        bool odd = at & 1;
        frame[at] = odd ? uint8_t(check >> 8) : uint8_t(check);
        frame[at + 1] = odd ? uint8_t(check) : uint8_t(check >> 8);
    } else {
        SetFrameWord(frame, at, WcomCrc(frame, at));
    }
    return at + 2;
}

int BuildWcomFrame(uint8_t* frame, uint32_t command, uint16_t address, int length, const uint8_t* data)
{
    length = std::clamp(length, 0, WCOM_MAX_DATA);
    std::memcpy(frame, PREAMBLE, sizeof PREAMBLE);
    frame[WCOM_TYPE] = uint8_t(((command & WCOM_OPT_SUM) ? WCOM_TYPE_SUM : WCOM_TYPE_CRC) | WCOM_KIND_REQUEST);
    SetFrameWord(frame, WCOM_COMMAND, uint16_t(command));
    SetFrameWord(frame, WCOM_ADDRESS, address);
    SetFrameWord(frame, WCOM_LENGTH, uint16_t(length));
    if (data && length > 0)
        std::memcpy(frame + WCOM_DATA, data, size_t(length));
    return SealWcomFrame(frame);
}

int BuildIgnFrame(uint8_t* frame, int n, uint8_t command, const uint8_t* data)
{
    frame[0] = command;
    if (data)
        std::memcpy(frame + 1, data, size_t(n));
    uint8_t check = uint8_t(~command);
    for (int i = 1; i <= n; ++i)
        check ^= frame[i];
    frame[n + 1] = check;
    return n + IGN_OVERHEAD;
}

int BuildIgn50Frame(uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument)
{
    return BuildFixed(frame, 50, base, block, data, argument);
}

int BuildIgn100Frame(uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument)
{
    return BuildFixed(frame, 100, base, block, data, argument);
}

int BuildIgn150Frame(uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument)
{
    return BuildFixed(frame, 150, base, block, data, argument);
}

int BuildIgn300Frame(uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t)
{
    return BuildFixed(frame, 300, base, block, data, 0);
}

int ReadWordBE(const uint8_t* frame, int p)
{
    return frame[p + 1] * 256 + frame[p + 2];
}

void CCOMFRAME::Reset()
{
    RxPosition = 0;
    CheckRegister = 0;
    LastByteTime = 0;
    GapTimeout = 0;
    FrameLength = 0;
    TxLength = 0;
    Remaining = 0;
    SendPosition = nullptr;
}

void CCOMFRAME::SetProtocol(int32_t protocol, int32_t gapTimeout)
{
    Reset();
    int length = IsPreambleProtocol(protocol) ? WCOM_OVERHEAD : IgnFrameLength(protocol);
    if (length == 0)
        return;
    FrameLength = length;
    Protocol = protocol;
    GapTimeout = gapTimeout;
}

bool CCOMFRAME::Receive(CCOM& port)
{
    int32_t r = port.ReadIndex.load(std::memory_order_relaxed);
    for (;;) {
        int32_t w = port.WriteIndex.load(std::memory_order_acquire);
        if (r == w)
            return false;
        uint8_t byte = port.RxRing[r];
        r = (r + 1) % COM_BUF;
        port.ReadIndex.store(r, std::memory_order_release);
        if (Protocol == PROTO_NONE) {
            port.ReadIndex.store(w, std::memory_order_release);
            return false;
        }
        if (TakeByte(byte))
            return true;
    }
}

bool CCOMFRAME::TakeByte(uint8_t byte)
{
    int32_t now = TmrNow();
    if (TmrDiff(now, LastByteTime) > GapTimeout && RxPosition > 0)
        RxPosition = 0;
    LastByteTime = now;
    if (IsPreambleProtocol(Protocol))
        return TakeWcomByte(byte);
    if (IgnDataLength(Protocol) != 0)
        return TakeIgnByte(byte);
    return false;
}

bool CCOMFRAME::TakeIgnByte(uint8_t byte)
{
    if (RxPosition >= FrameLength)
        RxPosition = 0;
    if (RxPosition == 0) {
        CheckRegister = 0xFF;
        if (!(byte & 0x80))
            return false; // answers carry bit 7; anything else cannot start one
    }
    CheckRegister ^= byte;
    RxFrame[RxPosition++] = byte;
    if (RxPosition < FrameLength)
        return false;
    bool good = CheckRegister == 0;
    RxPosition = 0;
    return good;
}

bool CCOMFRAME::TakeWcomByte(uint8_t byte)
{
    if (RxPosition >= FRAME_BUF)
        RxPosition = 0;
    int offset = RxPosition;
    RxFrame[RxPosition++] = byte;
    if (CheckKind == 0)
        CheckRegister = WcomCrcByte(CheckRegister, byte);
    else if (CheckKind == 1)
        CheckRegister = SumByte(CheckRegister, byte, offset);

    if (RxPosition == WCOM_TYPE + 1) {
        CheckKind = 255;
        uint8_t type = RxFrame[WCOM_TYPE];
        if (std::memcmp(RxFrame, PREAMBLE, sizeof PREAMBLE) == 0) {
            if ((type & 0xF0) == WCOM_TYPE_CRC)
                CheckKind = 0;
            else if ((type & 0xF0) == WCOM_TYPE_SUM)
                CheckKind = 1;
        }
        if (CheckKind == 255) {
            // Still hunting: drop the oldest byte and look again at the next.
            std::memmove(RxFrame, RxFrame + 1, WCOM_TYPE);
            RxPosition = WCOM_TYPE;
            return false;
        }
        if (CheckKind == 0)
            CheckRegister = WcomCrcByte(WCOM_CRC_AFTER_SYNC, type);
        else
            CheckRegister = uint16_t(WCOM_SUM_AFTER_SYNC + type * 256);
        return false;
    }
    if (RxPosition >= WCOM_DATA)
        FrameLength = WCOM_OVERHEAD + FrameWord(RxFrame, WCOM_LENGTH);
    if (RxPosition == FrameLength - 2)
        ExpectedCheck = CheckRegister;
    if (RxPosition != FrameLength)
        return false;
    bool good = CheckKind == 0 ? FrameWord(RxFrame, FrameLength - 2) == ExpectedCheck : CheckRegister == 0xFFFF;
    RxPosition = 0;
    if (good)
        RewriteShortAnswer();
    return good;
}

void CCOMFRAME::RewriteShortAnswer()
{
    const uint16_t kinds[2][2] = { { SHORT_ACK, WCOM_KIND_ACK }, { SHORT_OTHER, WCOM_KIND_SHORT } };
    for (const auto& kind : kinds) {
        if (FrameWord(RxFrame, WCOM_COMMAND) != kind[0])
            continue;
        RxFrame[WCOM_TYPE] = uint8_t((RxFrame[WCOM_TYPE] & 0xF0) | kind[1]);
        SetFrameWord(RxFrame, WCOM_COMMAND, FrameWord(RxFrame, WCOM_ADDRESS));
        SetFrameWord(RxFrame, WCOM_ADDRESS, 0);
        uint16_t length = FrameWord(RxFrame, WCOM_LENGTH);
        if (length == 1 || length == 2) {
            SetFrameWord(RxFrame, WCOM_ADDRESS, length == 1 ? RxFrame[WCOM_DATA] : FrameWord(RxFrame, WCOM_DATA));
            SetFrameWord(RxFrame, WCOM_LENGTH, 0);
        }
    }
}

void CCOMFRAME::SendPart(CCOM& port)
{
    if (!SendPosition) {
        SendPosition = TxFrame;
        Remaining = TxLength;
    }
    if (Remaining <= 0 || port.TxCount.load(std::memory_order_acquire) != 0)
        return;
    int32_t part = std::min(Remaining, COM_BUF);
    std::memcpy(port.TxBuffer, SendPosition, size_t(part));
    SendPosition += part;
    Remaining -= part;
    port.TxCount.store(part, std::memory_order_release);
}

int BuildFixedFrame(
    int32_t protocol, uint8_t* frame, uint8_t base, uint8_t block, const uint8_t* data, uint16_t argument)
{
    switch (protocol) {
    case PROTO_IGN50:
        return BuildIgn50Frame(frame, base, block, data, argument);
    case PROTO_IGN100:
        return BuildIgn100Frame(frame, base, block, data, argument);
    case PROTO_IGN150:
        return BuildIgn150Frame(frame, base, block, data, argument);
    default:
        return BuildIgn300Frame(frame, base, block, data, argument);
    }
}

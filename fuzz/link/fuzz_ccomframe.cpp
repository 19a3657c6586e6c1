// Feeds outside bytes through a port's receive ring into the frame assembler
// of each of the six protocols, and reads each frame as a probe answer. The
// first byte picks the protocol; every 0xF5 byte after it ends a piece, and
// the byte after the marker moves the program clock by that many ticks before
// the next piece (to reach the gap time-out).

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "link/comport.h"
#include "link/frame.h"
#include "link/search.h"
#include "platform/clock.h"

namespace {

constexpr int32_t PROTOCOL_LIST[] = { PROTO_WCOM, PROTO_WCOMS, PROTO_IGN50, PROTO_IGN100, PROTO_IGN150, PROTO_IGN300 };
constexpr uint8_t PIECE_END = 0xF5;

// Every delivered frame is also read as a probe answer, as the port search does.
void Identify(const CCOMFRAME& frame)
{
    static CCOMPROBE slot;
    if (IsPreambleProtocol(frame.Protocol)) {
        IdentifyPreambleUnit(frame.RxFrame, &slot);
    } else {
        IdentifyUnitName(frame.Protocol, frame.RxFrame, &slot.UnitType, &slot.FrameSize, slot.Name);
    }
}

void Deliver(CCOM& port, CCOMFRAME& frame, const uint8_t* data, size_t n)
{
    while (n > 0) {
        int32_t free = COM_BUF - 1 - port.RxAvailable();
        size_t take = n < size_t(free) ? n : size_t(free);
        int32_t w = port.WriteIndex.load();
        for (size_t i = 0; i < take; ++i) {
            port.RxRing[w] = data[i];
            w = (w + 1) % COM_BUF;
        }
        port.WriteIndex.store(w);
        data += take;
        n -= take;
        while (frame.Receive(port))
            Identify(frame);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static CCOM port;
    static CCOMFRAME frame;
    port.ReadIndex.store(0);
    port.WriteIndex.store(0);
    frame = CCOMFRAME();
    int32_t tick = 1;
    SetProgramClock(tick);
    frame.SetProtocol(PROTOCOL_LIST[data[0] % 6], 175);
    size_t start = 1;
    for (size_t i = 1; i <= size; ++i) {
        if (i < size && data[i] != PIECE_END)
            continue;
        Deliver(port, frame, data + start, i - start);
        if (i + 1 < size) {
            tick += data[i + 1] % 16;
            SetProgramClock(tick);
            ++i;
        }
        start = i + 1;
    }
    return 0;
}

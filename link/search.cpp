#include "link/search.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/clock.h"

namespace {

constexpr uint16_t PROBE_COMMAND = 0xFEEE;
constexpr uint8_t PROBE_BASE = 0x30;
constexpr uint8_t PROBE_ANSWER = 0xB0;
constexpr int OPEN_TIMEOUT_MS = 600;
constexpr int CLOSE_TIMEOUT_MS = 300;
constexpr int CONNECTED_PRIORITY = 100;
constexpr int UNMATCHED_PRIORITY = 10;
constexpr int UNMATCHED_MS = 6000;

// The probe table; placeholder rows take the default set by the main window.
constexpr PROBE_ROW DEFAULT_PROBE_ROWS[PROBE_ROWS] = {
    { -1, 57600, 175 },
    { PROTO_WCOM, 57600, 75 },
    { PROTO_WCOMS, 57600, 125 },
    { -1, 57600, 175 },
    { PROTO_IGN50, 57600, 125 },
    { -1, 57600, 175 },
    { PROTO_IGN100, 57600, 175 },
    { -1, 57600, 175 },
    { PROTO_IGN150, 57600, 175 },
    { -1, 57600, 175 },
    { PROTO_WCOM, 115200, 75 },
    { PROTO_WCOMS, 115200, 325 },
    { -1, 57600, 175 },
    { PROTO_IGN300, 115200, 175 },
    { PROTO_NONE, 0, 0 },
};

// Keeps as much of the text as the name field holds.
void SetName(char (&name)[PROBE_NAME_LEN], const std::string& text)
{
    size_t n = std::min(text.size(), size_t(PROBE_NAME_LEN - 1));
    std::memcpy(name, text.data(), n);
    name[n] = 0;
}

} // namespace

// The maker's product names are not part of this program yet; until they are,
// every fixed-frame unit is named by its type number.
const DEVICE_TYPE DeviceTypeTable[] = {
    { 0, "" },
};

CCOMPROBE& CCOMPROBE::operator=(const CCOMPROBE& other)
{
    Port = other.Port;
    Row = other.Row;
    StateTime.store(other.StateTime.load(std::memory_order_relaxed), std::memory_order_relaxed);
    State = other.State;
    HardwareId = other.HardwareId;
    UnitType = other.UnitType;
    std::memcpy(Name, other.Name, sizeof Name);
    FrameSize = other.FrameSize;
    FrameOverhead = other.FrameOverhead;
    Frame = other.Frame;
    // The copied frame must not point into the other record's buffer.
    Frame.SendPosition = nullptr;
    Frame.Remaining = 0;
    return *this;
}

bool IdentifyUnitName(
    int32_t protocol, const uint8_t* frame, int32_t* unitType, int32_t* frameSize, char (&name)[PROBE_NAME_LEN])
{
    if (frame[0] != PROBE_ANSWER)
        return false;
    switch (protocol) {
    case PROTO_IGN50:
    case PROTO_IGN100:
    case PROTO_IGN150:
        *unitType = frame[IgnDataLength(protocol)];
        break;
    case PROTO_IGN300:
        *unitType = ReadWordBE(frame, 1);
        break;
    default:
        *unitType = -1;
        *frameSize = 52;
        SetName(name, "Morvanta (unknown)");
        return false;
    }
    *frameSize = IgnFrameLength(protocol);
    SetName(name, "Morvanta " + std::to_string(*unitType));
    for (const DEVICE_TYPE* row = DeviceTypeTable; row->Id != 0; ++row) {
        if (row->Id == *unitType) {
            SetName(name, std::string(row->Name) + " v" + std::to_string(*unitType));
            break;
        }
    }
    return true;
}

void IdentifyPreambleUnit(const uint8_t* frame, CCOMPROBE* slot)
{
    const uint8_t* data = frame + WCOM_DATA;
    int length = FrameWord(frame, WCOM_LENGTH);
    // The name ends at its zero byte, at the end of the data or where the
    // field ends, whichever comes first.
    const uint8_t* end = std::find(data, data + length, uint8_t(0));
    std::string unitName(
        reinterpret_cast<const char*>(data), size_t(std::min<ptrdiff_t>(end - data, PROBE_NAME_LEN - 1)));
    int at = int(end - data) + 1;
    int32_t words[3] = { 48, -1, -1 };
    for (int32_t& word : words) {
        if (at + 2 > length)
            break;
        word = FrameWord(data, at);
        at += 2;
    }
    slot->FrameSize = words[0];
    slot->HardwareId = words[1];
    slot->UnitType = words[2];
    slot->FrameOverhead = WCOM_OVERHEAD;
    char hardware[16];
    std::snprintf(hardware, sizeof hardware, "%x", unsigned(slot->HardwareId));
    SetName(slot->Name, unitName + " v" + std::to_string(slot->UnitType) + " (hw:" + hardware + ")");
}

CCOMSEARCH::CCOMSEARCH()
{
    std::copy(std::begin(DEFAULT_PROBE_ROWS), std::end(DEFAULT_PROBE_ROWS), ProbeTable);
}

void CCOMSEARCH::SetProbeDefault(int32_t protocol, int32_t baud, int32_t timeout)
{
    for (PROBE_ROW& row : ProbeTable) {
        if (row.Protocol == -1)
            row = { protocol, baud, timeout };
    }
}

bool CCOMSEARCH::PortOpen(int port) const
{
    const CCOM& c = Port(port);
    return c.PortState.load(std::memory_order_acquire) == PORT_OPEN && c.Request == 0;
}

bool CCOMSEARCH::PortHeld(int port, int exceptSlot) const
{
    for (int i = 0; i < PROBE_SLOTS; ++i)
        if (i != exceptSlot && Slots[i].Port == port)
            return true;
    return false;
}

bool CCOMSEARCH::Servable(const CCOMPROBE& slot) const
{
    if (slot.FrameOverhead != WCOM_OVERHEAD)
        return true;
    return slot.FrameSize >= WCOM_MIN_FRAME && slot.FrameSize <= WCOM_MAX_FRAME;
}

void CCOMSEARCH::Search()
{
    ManagePorts();
    if (!PortsEnumerated || ConnectedPort.load(std::memory_order_relaxed) != 0 || LinkEnabled != 1)
        return;
    if (PortChoice == -1) {
        for (CCOMPROBE& slot : Slots) {
            if (slot.Port != 0)
                RequestClose(slot.Port);
            slot.Port = 0;
            slot.State = PROBE_FREE;
        }
        return;
    }
    for (int i = 0; i < PROBE_SLOTS; ++i)
        if (!StepSlot(i))
            return;
}

void CCOMSEARCH::SendProbe(CCOMPROBE& slot)
{
    const PROBE_ROW& row = ProbeTable[slot.Row];
    slot.Frame.SetProtocol(row.Protocol, row.Timeout);
    uint8_t* f = slot.Frame.TxFrame;
    uint16_t argument = uint16_t(ExpectedSubVersion * 256 | ExpectedUnitType);
    switch (row.Protocol) {
    case PROTO_WCOM:
        slot.Frame.TxLength = BuildWcomFrame(f, PROBE_COMMAND, 0, 0, nullptr);
        break;
    case PROTO_WCOMS:
        slot.Frame.TxLength = BuildWcomFrame(f, PROBE_COMMAND | WCOM_OPT_SUM, 0, 0, nullptr);
        break;
    case PROTO_IGN50:
        slot.Frame.TxLength = BuildIgn50Frame(f, PROBE_BASE, 0, nullptr, argument);
        break;
    case PROTO_IGN100:
        slot.Frame.TxLength = BuildIgn100Frame(f, PROBE_BASE, 0, nullptr, argument);
        break;
    case PROTO_IGN150:
        slot.Frame.TxLength = BuildIgn150Frame(f, PROBE_BASE, 0, nullptr, argument);
        break;
    default:
        slot.Frame.TxLength = BuildIgn300Frame(f, PROBE_BASE, 0, nullptr, 0);
        break;
    }
    slot.Frame.SendPosition = nullptr;
    slot.Frame.SendPart(Port(slot.Port));
}

void CCOMSEARCH::TakeAnswer(CCOMPROBE& slot)
{
    CCOMFRAME& frame = slot.Frame;
    if (frame.FrameLength == frame.TxLength && std::memcmp(frame.RxFrame, frame.TxFrame, size_t(frame.TxLength)) == 0) {
        // The line gives back what we sent: a loop, not a unit.
        slot.State = PROBE_PORT_FAILED;
        return;
    }
    if (IsPreambleProtocol(frame.Protocol)) {
        if (FrameWord(frame.RxFrame, WCOM_COMMAND) != PROBE_COMMAND
            || (frame.RxFrame[WCOM_TYPE] & 0x0F) != WCOM_KIND_ACK)
            return;
        IdentifyPreambleUnit(frame.RxFrame, &slot);
    } else {
        if (frame.RxFrame[0] != PROBE_ANSWER)
            return;
        IdentifyUnitName(frame.Protocol, frame.RxFrame, &slot.UnitType, &slot.FrameSize, slot.Name);
        slot.HardwareId = -1;
        slot.FrameOverhead = IGN_OVERHEAD;
    }
    slot.State = PROBE_IDENTIFIED;
}

bool CCOMSEARCH::ChoosePort(int index)
{
    CCOMPROBE& slot = Slots[index];
    if (PortChoice > 0) {
        // Only the first slot probes a fixed port, and only once no other
        // slot still holds it from an earlier search.
        if (index != 0 || PortHeld(PortChoice, index))
            return false;
        slot.Port = PortChoice;
    } else {
        int k = NextAutoPort;
        bool found = false;
        for (int n = 0; n < COM_PORTS; ++n, ++k) {
            if (k < 1 || k >= COM_PORTS)
                k = 1;
            if (Port(k).Present && !PortHeld(k, -1)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
        slot.Port = k;
        NextAutoPort = k + 1 >= COM_PORTS ? 1 : k + 1;
    }
    slot.Row = 0;
    return true;
}

bool CCOMSEARCH::StepSlot(int index)
{
    CCOMPROBE& slot = Slots[index];
    for (;;) {
        const int p = slot.Port;
        const int32_t now = TmrNow();
        const int32_t since = TmrDiff(now, slot.StateTime.load(std::memory_order_relaxed));
        if (slot.State == PROBE_CLOSING) {
            if (since > CLOSE_TIMEOUT_MS) {
                slot.Port = 0;
                slot.State = PROBE_FREE;
            } else if (Port(p).PortState.load(std::memory_order_acquire) == PORT_CLOSED && Port(p).Request == 0) {
                slot.State = PROBE_FREE;
            }
        }
        if (PortChoice > 0 && p > 0 && p != PortChoice) {
            // FORCE CLOSE: a port left from an automatic search.
            RequestClose(p);
            slot.Port = 0;
            slot.StateTime.store(now, std::memory_order_relaxed);
            slot.State = PROBE_CLOSING;
        }
        if (slot.State == PROBE_OPENING) {
            if (since > OPEN_TIMEOUT_MS) {
                slot.State = PROBE_PORT_FAILED;
            } else if (PortOpen(p)) {
                SendProbe(slot);
                slot.StateTime.store(now, std::memory_order_relaxed);
                slot.State = PROBE_SENT;
            }
        }
        if (slot.State == PROBE_SENT || slot.State == PROBE_SENT_TWICE) {
            if (since > ProbeTable[slot.Row].Timeout) {
                if (slot.State == PROBE_SENT) {
                    if (slot.Frame.SendDone())
                        slot.Frame.SendPosition = nullptr;
                    slot.StateTime.store(now, std::memory_order_relaxed);
                    slot.State = PROBE_SENT_TWICE;
                } else {
                    slot.State = PROBE_NO_ANSWER;
                }
            }
        }
        if (slot.State == PROBE_SENT || slot.State == PROBE_SENT_TWICE) {
            slot.Frame.SendPart(Port(p));
            if (slot.Frame.Receive(Port(p)))
                TakeAnswer(slot);
        }
        if (slot.State == PROBE_IDENTIFIED) {
            if (slot.UnitType == ExpectedUnitType && Servable(slot)) {
                Connect(index);
                return false;
            }
            ReportUnmatched(slot);
            slot.State = PROBE_PORT_FAILED;
        }
        if (slot.State == PROBE_PORT_FAILED) {
            RequestClose(p);
            slot.Port = 0;
            slot.StateTime.store(now, std::memory_order_relaxed);
            slot.State = PROBE_CLOSING;
        }
        if (slot.State == PROBE_NO_ANSWER) {
            const PROBE_ROW& next = ProbeTable[slot.Row + 1];
            if (slot.Port != 0 && next.Protocol != PROTO_NONE && next.Baud == ProbeTable[slot.Row].Baud) {
                slot.State = PROBE_FREE;
            } else {
                RequestClose(p);
                slot.StateTime.store(now, std::memory_order_relaxed);
                slot.State = PROBE_CLOSING;
            }
        }
        if (slot.State != PROBE_FREE)
            return true;
        if (slot.Port != 0) {
            slot.Row++;
            if (ProbeTable[slot.Row].Protocol == PROTO_NONE)
                slot.Port = 0;
        }
        if (slot.Port == 0 && !ChoosePort(index))
            return PortChoice <= 0 || index == 0;
        const PROBE_ROW& row = ProbeTable[slot.Row];
        slot.Frame.SetProtocol(row.Protocol, row.Timeout);
        slot.StateTime.store(now, std::memory_order_relaxed);
        slot.State = PROBE_OPENING;
        if (!PortOpen(slot.Port)) {
            RequestOpen(slot.Port, row.Baud);
            return true;
        }
    }
}

void CCOMSEARCH::Connect(int index)
{
    CCOMPROBE& slot = Slots[index];
    const int p = slot.Port;
    {
        std::lock_guard<std::mutex> guard(linkLock_);
        Connection = slot;
    }
    for (int i = 0; i < PROBE_SLOTS; ++i) {
        if (i != index && Slots[i].Port != 0)
            RequestClose(Slots[i].Port);
        Slots[i].Port = 0;
        Slots[i].State = PROBE_FREE;
    }
    PortListChanged = true;
    NextAutoPort = p;
    LinkEnabled = 1;
    ConnectedPort.store(p, std::memory_order_release);
    if (StatusSink) {
        const char* name = Connection.Name;
        char text[160];
        std::snprintf(text, sizeof text, "###%s connected##%s verbunden##%s připojen", name, name, name);
        StatusSink->ShowMessageSlot(1, text, -1, LINK_COLOR_BLACK, LINK_COLOR_WHITE, CONNECTED_PRIORITY);
    }
}

void CCOMSEARCH::ReportUnmatched(const CCOMPROBE& slot)
{
    if (!StatusSink)
        return;
    const int p = slot.Port;
    const char* name = slot.Name;
    char text[256];
    std::snprintf(text, sizeof text,
        "###COM %i:%s (unmatched)##COM %i:%s verbunden (unübertroffen)##COM %i:%s připojen (nekompatibilní)", p, name,
        p, name, p, name);
    StatusSink->ShowMessageSlot(1, text, UNMATCHED_MS, LINK_COLOR_BLACK, LINK_COLOR_RED, UNMATCHED_PRIORITY);
}

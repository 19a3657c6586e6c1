#pragma once
// The port search: while no unit is connected, three probe slots try one port
// each, walking a fixed table of protocol, baud and answer time-out, until a
// unit answers with the expected unit type. That slot's record becomes the
// connection and every other port is closed. Runs on the user-interface
// thread, once per main-timer tick.

#include <atomic>
#include <cstdint>
#include <mutex>

#include "link/comport.h"
#include "link/frame.h"

constexpr int PROBE_SLOTS = 3;
constexpr int PROBE_NAME_LEN = 32;

// Texts colours (0x00BBGGRR).
constexpr int32_t LINK_COLOR_BLACK = 0x000000;
constexpr int32_t LINK_COLOR_WHITE = 0xFFFFFF;
constexpr int32_t LINK_COLOR_RED = 0x0000FF;

// Frame sizes a preamble unit may announce: at least one data byte, at most
// the data the encoder sends. Other units are not served.
constexpr int32_t WCOM_MIN_FRAME = WCOM_OVERHEAD + 1;
constexpr int32_t WCOM_MAX_FRAME = WCOM_OVERHEAD + WCOM_MAX_DATA;

// Where the link reports to the main window: its status slots.
class LinkStatusSink {
public:
    virtual ~LinkStatusSink() = default;
    // A three-language text in status slot `slot` for `durationMs` (negative:
    // until replaced), with its colours and priority.
    virtual void ShowMessageSlot(
        int slot, const char* text, int durationMs, int32_t fontColor, int32_t color, int priority)
        = 0;
};

// Slot states.
enum ProbeState : int32_t {
    PROBE_FREE = 0,
    PROBE_OPENING = 1,
    PROBE_SENT = 2,
    PROBE_CLOSING = 3,
    PROBE_SENT_TWICE = 4,
    PROBE_IDENTIFIED = 5,
    PROBE_NO_ANSWER = 6,
    PROBE_PORT_FAILED = 7,
};

// One probe slot, and the record of the connected unit.
struct CCOMPROBE {
    int32_t Port = 0;
    int32_t Row = 0;
    // TMR when the current state began; for the connection, when its current
    // frame was built (the job thread writes it, the user-interface thread
    // reads it for the answer time-out).
    std::atomic<int32_t> StateTime { 0 };
    int32_t State = PROBE_FREE;
    int32_t HardwareId = 0;
    int32_t UnitType = 0;
    char Name[PROBE_NAME_LEN] = {};
    int32_t FrameSize = 0;
    int32_t FrameOverhead = 0;
    CCOMFRAME Frame;

    CCOMPROBE() = default;
    CCOMPROBE(const CCOMPROBE&) = delete;
    CCOMPROBE& operator=(const CCOMPROBE& other);
};

struct PROBE_ROW {
    int32_t Protocol; // 0 ends the table, -1 a placeholder
    int32_t Baud;
    int32_t Timeout; // ms
};

constexpr int PROBE_ROWS = 15; // with the end row

struct DEVICE_TYPE {
    int32_t Id; // 0 ends the table
    char Name[32];
};
// Names of units found over a fixed-frame protocol, by unit type.
extern const DEVICE_TYPE DeviceTypeTable[];

// Names a fixed-frame unit from its probe answer. False for an answer whose
// first byte is not 0xB0 or for a protocol without fixed frames (the type is
// then -1 and the name "Morvanta (unknown)").
bool IdentifyUnitName(
    int32_t protocol, const uint8_t* frame, int32_t* unitType, int32_t* frameSize, char (&name)[PROBE_NAME_LEN]);

// Takes a preamble unit's probe answer (a checked acknowledgement of 0xFEEE):
// its name, frame size, hardware id and unit type.
void IdentifyPreambleUnit(const uint8_t* frame, CCOMPROBE* slot);

class CCOMSEARCH : public CCOMIOSYS {
public:
    CCOMSEARCH();

    // Fills the placeholder rows of the probe table.
    void SetProbeDefault(int32_t protocol, int32_t baud, int32_t timeout);
    const PROBE_ROW& ProbeRow(int row) const { return ProbeTable[row]; }
    // One step of the search.
    void Search();

    CCOMPROBE Connection;
    CCOMPROBE Slots[PROBE_SLOTS];
    std::atomic<int32_t> ConnectedPort { 0 };
    int32_t LinkEnabled = 1;
    int32_t ExpectedUnitType = 0;
    int32_t ExpectedSubVersion = 0;
    int32_t PortChoice = 0; // -1 offline, 0 automatic, n fixed port n
    int32_t NextAutoPort = 0;

    LinkStatusSink* StatusSink = nullptr;

protected:
    // Taken by the job thread for each step and by the user-interface thread
    // whenever it changes the connection or its frame.
    std::mutex linkLock_;

private:
    // One slot's turn; false when the step ends.
    bool StepSlot(int index);
    void SendProbe(CCOMPROBE& slot);
    void TakeAnswer(CCOMPROBE& slot);
    bool ChoosePort(int index);
    bool PortOpen(int port) const;
    bool PortHeld(int port, int exceptSlot) const;
    bool Servable(const CCOMPROBE& slot) const;
    void Connect(int index);
    void ReportUnmatched(const CCOMPROBE& slot);

    PROBE_ROW ProbeTable[PROBE_ROWS];
};

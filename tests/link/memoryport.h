#pragma once
// Serial ports in memory for the link's tests. Each port with a unit leads to
// an emulated unit that answers every request at once, inside the write of
// the port's own thread, so no answer depends on how the threads are
// scheduled. Knobs on a line hold the unit's bytes back (a stall), drop or
// corrupt some of them, or make the device vanish.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/comport.h"
#include "link/serialdevice.h"
#include "tools/unit-emulator/emulator.h"

// The line of one port, shared by every open of that port.
class MemoryLine {
public:
    explicit MemoryLine(unitemu::UnitEmulator* unit)
        : unit_(unit)
    {
    }

    // Holds the unit's bytes back from the port until the stall ends; a stall
    // that outlasts the time-out looks like a silent unit.
    void Stall(bool on);
    // Drops, or corrupts (every bit flipped), `count` of the unit's bytes
    // after `after` more have passed.
    void DropBytes(int count, int after = 0);
    void CorruptBytes(int count, int after = 0);
    // The device disappears, as an unplugged adapter does: every call fails
    // and it is no longer listed or opened.
    void Vanish();
    bool Vanished() const;
    bool HasUnit() const { return unit_ != nullptr; }

    // Every byte of the unit that will reach the port is in the port's ring:
    // none is ready on the line, and the port thread has put every byte it
    // read in the ring.
    bool Drained(const CCOM& port) const;
    // Opens of the line since it was made.
    int Opens() const;

    // The calls of the port's line.
    int Open(int baud);
    void Close();
    SerialLine::Result Waiting();
    SerialLine::Result Read(uint8_t* data, int n);
    SerialLine::Result Write(const uint8_t* data, int n);

private:
    struct Knob {
        int count = 0;
        int after = 0;
        // Whether the knob takes the next byte.
        bool Takes();
    };
    void Deliver(const std::vector<uint8_t>& bytes);

    unitemu::UnitEmulator* unit_; // null: no unit, the port opens nothing
    mutable std::mutex lock_;
    bool open_ = false;
    bool vanished_ = false;
    bool stalled_ = false;
    int baud_ = 0;
    int opens_ = 0;
    Knob drop_, corrupt_;
    std::deque<uint8_t> pending_; // the unit's bytes not read yet
    uint32_t delivered_ = 0; // bytes the port has read
};

// The port layer's devices in memory: the ports a test gave a unit.
class MemoryPorts : public SerialDevices {
public:
    // Port `port` leads to `unit` from now on; the unit outlives the port layer.
    MemoryLine& Attach(int port, unitemu::UnitEmulator& unit);
    MemoryLine& Line(int port);
    // Forgets every port and its unit.
    void Clear();

    bool ListNames(std::vector<std::string>* names) override;
    std::unique_ptr<SerialLine> MakeLine(int port) override;

private:
    std::mutex lock_;
    std::map<int, std::shared_ptr<MemoryLine>> lines_;
};

#pragma once
// The serial port layer: a fixed table of 256 port records indexed by COM
// number. Each record in use has its own I/O thread that opens the device,
// sends the transmit buffer, fills the receive ring and closes the device on
// request. The user-interface thread drives the table once per main-timer tick
// (ManagePorts). Fields that two threads touch change hands by the handshakes
// noted beside them; each is atomic, released by the store that hands it over.

#include <atomic>
#include <cstdint>
#include <memory>
#include <pthread.h>
#include <string>

#include "link/serialdevice.h"

constexpr int COM_PORTS = 256;
constexpr int COM_BUF = 330; // transmit buffer and receive ring of a port

// Port states.
constexpr uint8_t PORT_CLOSED = 0;
constexpr uint8_t PORT_OPENING = 16;
constexpr uint8_t PORT_OPEN = 32;
constexpr uint8_t PORT_CLOSING = 48;

// Port errors.
constexpr uint8_t PORTERR_NONE = 0;
constexpr uint8_t PORTERR_OPEN_FAILED = 1;
constexpr uint8_t PORTERR_OPEN_TIMEOUT = 2;
constexpr uint8_t PORTERR_NO_THREAD = 3;
constexpr uint8_t PORTERR_WRITE = 16;
constexpr uint8_t PORTERR_READ = 32;

// Request bits of the link, and the orders to the I/O thread.
constexpr uint8_t PORTREQ_OPEN = 1;
constexpr uint8_t PORTREQ_CLOSE = 2;

// Thread states.
constexpr uint8_t THREAD_NONE = 0;
constexpr uint8_t THREAD_RUNNING = 1;
constexpr uint8_t THREAD_FINISHED = 2;

constexpr int PORT_OPEN_TIMEOUT_MS = 5000;
constexpr int PORT_ENUM_PERIOD_MS = 1000;
constexpr size_t PORT_THREAD_STACK = 128 * 1024;

class CCOMIOSYS;

// One serial port record.
struct CCOM {
    uint8_t PortNumber = 0;
    char DeviceName[12] = {}; // "COM%i"; the device path is looked up at each open
    char ModeText[20] = {}; // "%i,N,8,1" of the baud, written before each open order
    std::atomic<uint8_t> PortState { PORT_CLOSED };
    std::atomic<uint8_t> Error { PORTERR_NONE };
    int32_t Baud = 115200;
    int32_t Present = 0;
    pthread_t ThreadHandle {};
    bool HasThread = false; // ThreadHandle holds a thread not yet joined
    std::atomic<uint8_t> ThreadState { THREAD_NONE };
    uint8_t Request = 0; // user-interface thread only
    std::atomic<uint8_t> ThreadRequest { 0 }; // set by the UI thread, cleared by the I/O thread
    int32_t RequestTime = 0;

    // Device path given with the open order; read by the I/O thread after it
    // takes the order.
    std::string DevicePath;

    uint8_t TxBuffer[COM_BUF] = {};
    std::atomic<int32_t> TxCount { 0 }; // non-zero hands TxBuffer to the I/O thread; it clears it
    uint8_t RxRing[COM_BUF] = {};
    std::atomic<int32_t> ReadIndex { 0 }; // owned by the frame assembler
    std::atomic<int32_t> WriteIndex { 0 }; // owned by the I/O thread

    // Made by the user-interface thread with the open order, then owned by
    // the I/O thread until it is reaped.
    std::unique_ptr<SerialLine> Device;
    // True once the device has reported a hang-up: the thread then leaves the
    // device alone and waits at the slow pace for its close order.
    std::atomic<bool> Vanished { false };
    // Loop turns of the I/O thread, and the bytes it has put on the line and
    // taken from it since the record was made (for diagnostics and tests).
    std::atomic<uint32_t> LoopTurns { 0 };
    std::atomic<uint32_t> BytesWritten { 0 };
    std::atomic<uint32_t> BytesRead { 0 };

    CCOMIOSYS* Owner = nullptr;

    // Body of the port's I/O thread.
    void PortThread();
    // Milliseconds the I/O thread pauses between turns in its present state.
    int LoopPause() const;

    // Free space of the ring in at most two pieces, keeping one place free.
    struct RingPieces {
        int32_t first, second;
    };
    static RingPieces FreePieces(int32_t writeIndex, int32_t readIndex);
    // Bytes waiting in the ring.
    int32_t RxAvailable() const;

private:
    void OpenDevice();
    void CloseDevice();
    void Transmit();
    void ReceiveWaiting();
    void Finish();
};

class CCOMIOSYS {
public:
    CCOMIOSYS();
    virtual ~CCOMIOSYS();
    CCOMIOSYS(const CCOMIOSYS&) = delete;
    CCOMIOSYS& operator=(const CCOMIOSYS&) = delete;

    void RequestOpen(int port, int baud);
    void RequestClose(int port);
    void CloseAll();
    // The user-interface step, once per main-timer tick.
    void ManagePorts();
    // Refreshes every port's present flag; true when any flag changed.
    bool EnumeratePorts();

    // The devices the ports open from now on; the termios devices unless
    // changed. The devices outlive the layer.
    void UseDevices(SerialDevices& devices) { devices_ = &devices; }

    CCOM& Port(int port) { return ports_[port]; }
    const CCOM& Port(int port) const { return ports_[port]; }

    bool PortsEnumerated = false;
    bool PortListChanged = false;

    // Set once when the layer is destroyed; ends every link thread.
    std::atomic<bool> StopFlag { false };

    // Stops and joins every port thread, waiting at most waitMs; called by the
    // destructor, and by owners that must stop their own threads first. The
    // table is gone afterwards.
    void StopThreads(int waitMs);

private:
    friend struct CCOM;
    bool StartThread(CCOM& port);
    void ReapThread(CCOM& port);

    SerialDevices* devices_ = &TermiosDevices();
    CCOM* ports_; // COM_PORTS records; left allocated if a thread will not end
    int32_t lastEnumeration_ = -950;
};

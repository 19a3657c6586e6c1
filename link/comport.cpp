#include "link/comport.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <thread>
#include <vector>

#include "platform/clock.h"

namespace {

void* PortThreadEntry(void* record)
{
    static_cast<CCOM*>(record)->PortThread();
    return nullptr;
}

constexpr int WRITE_TIMEOUT_MS = 100;
constexpr int BUSY_PAUSE_MS = 1;
constexpr int IDLE_PAUSE_MS = 50;

} // namespace

CCOM::RingPieces CCOM::FreePieces(int32_t writeIndex, int32_t readIndex)
{
    RingPieces p {};
    if (writeIndex < readIndex) {
        p.first = readIndex - writeIndex;
    } else {
        p.first = COM_BUF - writeIndex;
        p.second = readIndex;
    }
    // One place stays free so that a full ring differs from an empty one.
    if (p.second > 0)
        --p.second;
    else
        --p.first;
    return p;
}

int32_t CCOM::RxAvailable() const
{
    int32_t n = WriteIndex.load(std::memory_order_acquire) - ReadIndex.load(std::memory_order_relaxed);
    return n < 0 ? n + COM_BUF : n;
}

int CCOM::LoopPause() const
{
    if (PortState.load(std::memory_order_relaxed) == PORT_CLOSED || Vanished.load(std::memory_order_relaxed))
        return IDLE_PAUSE_MS;
    return BUSY_PAUSE_MS;
}

void CCOM::PortThread()
{
    while (!Owner->StopFlag.load(std::memory_order_acquire)) {
        LoopTurns.fetch_add(1, std::memory_order_relaxed);
        std::this_thread::sleep_for(std::chrono::milliseconds(LoopPause()));
        if (Owner->StopFlag.load(std::memory_order_acquire))
            break;
        uint8_t order = ThreadRequest.load(std::memory_order_acquire);
        uint8_t state = PortState.load(std::memory_order_relaxed);
        if (state == PORT_CLOSED && order == PORTREQ_OPEN) {
            OpenDevice();
            if (PortState.load(std::memory_order_relaxed) != PORT_OPEN)
                return;
            continue;
        }
        if (state == PORT_OPEN && order == PORTREQ_CLOSE) {
            CloseDevice();
            return;
        }
        if (state != PORT_OPEN)
            continue;
        if (Vanished.load(std::memory_order_relaxed)) {
            // Nothing reaches a device that is gone; the sender must not wait for it.
            if (TxCount.load(std::memory_order_acquire) != 0) {
                Error.store(PORTERR_WRITE, std::memory_order_relaxed);
                TxCount.store(0, std::memory_order_release);
            }
            continue;
        }
        Transmit();
        ReceiveWaiting();
    }
    if (Device && Device->IsOpen())
        Device->Close();
    Finish();
    PortState.store(PORT_CLOSED, std::memory_order_release);
}

void CCOM::OpenDevice()
{
    PortState.store(PORT_OPENING, std::memory_order_release);
    int baud = 0;
    int err = ParseModeText(ModeText, &baud) ? Device->Open(DevicePath, baud) : EINVAL;
    if (err != 0) {
        // The error is the user-interface thread's sign that the order is
        // over: the thread is marked finished before it.
        Finish();
        PortState.store(PORT_CLOSED, std::memory_order_release);
        Error.store(PORTERR_OPEN_FAILED, std::memory_order_release);
        ThreadRequest.store(0, std::memory_order_release);
        return;
    }
    Vanished.store(false, std::memory_order_relaxed);
    ReadIndex.store(0, std::memory_order_relaxed);
    WriteIndex.store(0, std::memory_order_relaxed);
    PortState.store(PORT_OPEN, std::memory_order_release);
    // A close order given while the open call ran must survive.
    uint8_t expected = PORTREQ_OPEN;
    ThreadRequest.compare_exchange_strong(expected, 0, std::memory_order_acq_rel);
}

void CCOM::CloseDevice()
{
    ReadIndex.store(0, std::memory_order_relaxed);
    WriteIndex.store(0, std::memory_order_relaxed);
    PortState.store(PORT_CLOSING, std::memory_order_release);
    Device->Close();
    // The thread is marked finished before its order is cleared, so the
    // user-interface thread never hands an open order to a thread that ends.
    Finish();
    PortState.store(PORT_CLOSED, std::memory_order_release);
    ThreadRequest.store(0, std::memory_order_release);
}

void CCOM::Finish()
{
    ThreadState.store(THREAD_FINISHED, std::memory_order_release);
}

void CCOM::Transmit()
{
    int32_t n = TxCount.load(std::memory_order_acquire);
    if (n == 0)
        return;
    SerialLine::Result r = Device->Write(TxBuffer, n, WRITE_TIMEOUT_MS);
    BytesWritten.fetch_add(uint32_t(r.bytes), std::memory_order_relaxed);
    if (r.failed)
        Error.store(PORTERR_WRITE, std::memory_order_relaxed);
    if (r.vanished)
        Vanished.store(true, std::memory_order_relaxed);
    TxCount.store(0, std::memory_order_release);
}

void CCOM::ReceiveWaiting()
{
    SerialLine::Result waiting = Device->Waiting();
    if (waiting.failed) {
        Error.store(PORTERR_READ, std::memory_order_relaxed);
        if (waiting.vanished)
            Vanished.store(true, std::memory_order_relaxed);
        return;
    }
    int32_t left = waiting.bytes;
    int32_t w = WriteIndex.load(std::memory_order_relaxed);
    RingPieces pieces = FreePieces(w, ReadIndex.load(std::memory_order_acquire));
    int32_t sizes[2] = { pieces.first, pieces.second };
    for (int32_t piece : sizes) {
        int32_t ask = std::min(left, piece);
        if (ask <= 0)
            return;
        SerialLine::Result r = Device->Read(RxRing + w, ask);
        if (r.failed) {
            Error.store(PORTERR_READ, std::memory_order_relaxed);
            if (r.vanished)
                Vanished.store(true, std::memory_order_relaxed);
        }
        w = (w + r.bytes) % COM_BUF;
        WriteIndex.store(w, std::memory_order_release);
        // Counted after the bytes are in the ring: whoever sees the count sees them.
        BytesRead.fetch_add(uint32_t(r.bytes), std::memory_order_release);
        left -= r.bytes;
        if (r.bytes != ask)
            return;
    }
}

CCOMIOSYS::CCOMIOSYS()
    : ports_(new CCOM[COM_PORTS])
{
    for (int i = 0; i < COM_PORTS; ++i) {
        CCOM& c = ports_[i];
        c.PortNumber = uint8_t(i);
        std::snprintf(c.DeviceName, sizeof c.DeviceName, "COM%i", i);
        c.Owner = this;
    }
}

CCOMIOSYS::~CCOMIOSYS()
{
    CloseAll();
    StopThreads(1000);
}

void CCOMIOSYS::StopThreads(int waitMs)
{
    StopFlag.store(true, std::memory_order_release);
    if (!ports_)
        return;
    timespec deadline {};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += waitMs / 1000;
    deadline.tv_nsec += long(waitMs % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    bool allEnded = true;
    for (int i = 0; i < COM_PORTS; ++i) {
        CCOM& c = ports_[i];
        if (!c.HasThread)
            continue;
        if (pthread_timedjoin_np(c.ThreadHandle, nullptr, &deadline) == 0) {
            c.HasThread = false;
            c.ThreadState.store(THREAD_NONE, std::memory_order_relaxed);
        } else {
            pthread_detach(c.ThreadHandle);
            allEnded = false;
        }
    }
    // A thread stuck in a driver call still owns its record: the table then
    // stays allocated for it.
    if (allEnded)
        delete[] ports_;
    ports_ = nullptr;
}

void CCOMIOSYS::RequestOpen(int port, int baud)
{
    if (port < 0 || port >= COM_PORTS)
        return;
    CCOM& c = ports_[port];
    c.Error.store(PORTERR_NONE, std::memory_order_relaxed);
    c.Baud = baud;
    if (c.PortState.load(std::memory_order_acquire) == PORT_CLOSED && c.Request == 0)
        c.Request = PORTREQ_OPEN;
    else
        c.Request = PORTREQ_OPEN | PORTREQ_CLOSE;
}

void CCOMIOSYS::RequestClose(int port)
{
    if (port < 0 || port >= COM_PORTS)
        return;
    CCOM& c = ports_[port];
    if (c.PortState.load(std::memory_order_acquire) != PORT_CLOSED || c.Request != 0) {
        c.Error.store(PORTERR_NONE, std::memory_order_relaxed);
        c.Request = PORTREQ_CLOSE;
    }
}

void CCOMIOSYS::CloseAll()
{
    if (!ports_)
        return;
    for (int i = 0; i < COM_PORTS; ++i)
        RequestClose(i);
}

bool CCOMIOSYS::EnumeratePorts()
{
    bool present[COM_PORTS] = {};
    std::vector<std::string> names;
    bool changed = false;
    if (!devices_->ListNames(&names)) {
        // Without a device list every low port is offered.
        for (int i = 1; i < 30; ++i) {
            changed |= ports_[i].Present != 1;
            ports_[i].Present = 1;
        }
        return changed;
    }
    MarkComNames(names, present);
    for (int i = 0; i < COM_PORTS; ++i) {
        int32_t now = present[i] ? 1 : 0;
        changed |= ports_[i].Present != now;
        ports_[i].Present = now;
    }
    return changed;
}

bool CCOMIOSYS::StartThread(CCOM& c)
{
    pthread_attr_t attr;
    if (pthread_attr_init(&attr) != 0)
        return false;
    pthread_attr_setstacksize(&attr, PORT_THREAD_STACK);
    bool ok = pthread_create(&c.ThreadHandle, &attr, PortThreadEntry, &c) == 0;
    pthread_attr_destroy(&attr);
    c.HasThread = ok;
    return ok;
}

void CCOMIOSYS::ReapThread(CCOM& c)
{
    pthread_join(c.ThreadHandle, nullptr);
    c.HasThread = false;
    c.ThreadState.store(THREAD_NONE, std::memory_order_relaxed);
}

void CCOMIOSYS::ManagePorts()
{
    int32_t now = TmrNow();
    if (TmrDiff(now, lastEnumeration_) > PORT_ENUM_PERIOD_MS) {
        lastEnumeration_ = now;
        if (EnumeratePorts())
            PortListChanged = true;
        PortsEnumerated = true;
    }
    for (int i = 0; i < COM_PORTS; ++i) {
        CCOM& c = ports_[i];
        uint8_t request = c.Request;
        // The state is read after a finished thread is reaped: once joined,
        // the thread has written its last state.
        if (c.HasThread && c.ThreadState.load(std::memory_order_acquire) == THREAD_FINISHED)
            ReapThread(c);
        uint8_t state = c.PortState.load(std::memory_order_acquire);
        if (request == 0)
            continue;
        if (request & PORTREQ_CLOSE) {
            // An open order the thread has not taken yet will still open the
            // port: the close waits for it. The order is read before the
            // state, since the thread opens the port before it clears the
            // order: read the other way round, an open done between the two
            // reads would look like a closed port and the close would be lost.
            bool openPending = c.ThreadRequest.load(std::memory_order_acquire) == PORTREQ_OPEN;
            state = c.PortState.load(std::memory_order_acquire);
            if (state == PORT_CLOSED) {
                if (!openPending)
                    c.Request = request & ~PORTREQ_CLOSE;
            } else if (state != PORT_CLOSING) {
                c.RequestTime = now;
                c.ThreadRequest.store(PORTREQ_CLOSE, std::memory_order_release);
            }
            continue;
        }
        if (c.Error.load(std::memory_order_acquire) == PORTERR_OPEN_FAILED || state == PORT_OPEN) {
            c.Request = 0;
            continue;
        }
        if (state != PORT_CLOSED || c.ThreadRequest.load(std::memory_order_acquire) == PORTREQ_OPEN) {
            if (TmrDiff(now, c.RequestTime) > PORT_OPEN_TIMEOUT_MS) {
                c.Error.store(PORTERR_OPEN_TIMEOUT, std::memory_order_relaxed);
                c.ThreadRequest.store(PORTREQ_CLOSE, std::memory_order_release);
                c.Request = PORTREQ_CLOSE;
            }
            continue;
        }
        // A closed port whose thread has just marked itself finished: reap it
        // now and give the open order to a new thread.
        if (c.HasThread && c.ThreadState.load(std::memory_order_acquire) == THREAD_FINISHED)
            ReapThread(c);
        if (c.HasThread)
            continue;
        std::snprintf(c.ModeText, sizeof c.ModeText, "%i,N,8,1", c.Baud);
        c.DevicePath = ComDevicePath(i);
        c.Device = devices_->MakeLine(i);
        c.RequestTime = now;
        c.Error.store(PORTERR_NONE, std::memory_order_relaxed);
        c.ThreadState.store(THREAD_RUNNING, std::memory_order_relaxed);
        c.ThreadRequest.store(PORTREQ_OPEN, std::memory_order_release);
        if (!StartThread(c)) {
            c.ThreadRequest.store(0, std::memory_order_relaxed);
            c.ThreadState.store(THREAD_NONE, std::memory_order_relaxed);
            c.Error.store(PORTERR_NO_THREAD, std::memory_order_relaxed);
            c.Request = 0;
        }
    }
}

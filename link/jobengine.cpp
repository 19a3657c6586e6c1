#include "link/jobengine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <thread>

#include "platform/clock.h"

namespace {

constexpr int IDLE_PAUSE_MS = 50;
constexpr int BUSY_PAUSE_MS = 1;
constexpr int JOIN_WAIT_MS = 1000;
// Unflagged bytes a preamble chunk bridges to send fewer frames.
constexpr int LONGEST_GAP = 51;

// Command words of the preamble protocols and base command bytes of the fixed ones.
constexpr uint16_t WCOM_WRITE = 0x7020;
constexpr uint16_t WCOM_READ = 0x7010;
constexpr uint16_t WCOM_LIVE = 0x7050;
constexpr uint16_t WCOM_IDENTITY = 0x701F;
constexpr uint8_t IGN_WRITE = 0x00;
constexpr uint8_t IGN_READ = 0x40;
constexpr uint8_t IGN_LIVE = 0x30;
constexpr uint8_t IGN_ANSWER = 0x80;

bool IsIdle(int32_t job)
{
    return job == JOB_IDLE || job == JOB_FAILED || job == JOB_DONE;
}

bool CarriesData(int32_t job)
{
    return job == JOB_READ || job == JOB_LIVE || job == JOB_IDENTITY;
}

} // namespace

CCOMCOM::CCOMCOM()
{
    pthread_attr_t attr;
    if (pthread_attr_init(&attr) != 0)
        return;
    pthread_attr_setstacksize(&attr, JOB_THREAD_STACK);
    hasThread_ = pthread_create(&thread_, &attr, ThreadEntry, this) == 0;
    pthread_attr_destroy(&attr);
}

CCOMCOM::~CCOMCOM()
{
    StopFlag.store(true, std::memory_order_release);
    if (!hasThread_)
        return;
    timespec deadline {};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += JOIN_WAIT_MS / 1000;
    if (pthread_timedjoin_np(thread_, nullptr, &deadline) != 0) {
        std::fprintf(stderr, "the job thread did not end\n");
        pthread_detach(thread_);
    }
}

void* CCOMCOM::ThreadEntry(void* self)
{
    static_cast<CCOMCOM*>(self)->JobLoop();
    return nullptr;
}

bool CCOMCOM::PostJob(int32_t jobCode, int32_t start, int32_t length, int flags)
{
    if (JobCode.load(std::memory_order_acquire) != JOB_IDLE)
        return false;
    start = std::clamp(start, 0, COMMAXBUF);
    int32_t end = std::clamp(start + std::max(length, 0), start, COMMAXBUF);
    JobPosition.store(start, std::memory_order_relaxed);
    JobLength = end - start;
    JobEnd = end;
    RetryCount = 0;
    for (int32_t i = start; i < end; ++i) {
        if (flags & JOBFLAG_CLEAR_TX)
            TxImage[i] = 0;
        if (flags & JOBFLAG_MARK)
            ToSendMask[i] = 1;
        RxImage[i] = 0;
        Carried[i] = 0;
    }
    RetryLimit = (flags & JOBFLAG_SINGLE_TRY) ? 1 : JOB_RETRIES;
    // Stored last: from here on the job thread owns the job.
    JobCode.store(jobCode, std::memory_order_release);
    return true;
}

void CCOMCOM::ClearConnectionSend()
{
    Connection.Frame.TxLength = 0;
    Connection.Frame.SendPosition = nullptr;
    Connection.Frame.Remaining = 0;
}

void CCOMCOM::TimerStep()
{
    Search();
    std::lock_guard<std::mutex> guard(linkLock_);
    bool linked = ConnectedPort.load(std::memory_order_relaxed) != 0 && LinkEnabled == 1;
    int32_t state = TransferState.load(std::memory_order_relaxed);
    if (state == XFER_NO_LINK && linked) {
        // Armed: a result waiting from before is dropped.
        TransferState.store(XFER_READY, std::memory_order_relaxed);
        JobCode.store(JOB_IDLE, std::memory_order_release);
        ClearConnectionSend();
    } else if (state != XFER_NO_LINK && !linked) {
        TransferState.store(XFER_NO_LINK, std::memory_order_relaxed);
        JobCode.store(JOB_IDLE, std::memory_order_release);
    } else if (state == XFER_WAITING
        && TmrSince(Connection.StateTime.load(std::memory_order_relaxed)) > ANSWER_TIMEOUT_MS) {
        TransferState.store(XFER_ATTEMPT_FAILED, std::memory_order_relaxed);
    }
}

void CCOMCOM::ClosePort()
{
    std::lock_guard<std::mutex> guard(linkLock_);
    int port = ConnectedPort.load(std::memory_order_relaxed);
    if (port == 0)
        return;
    TransferState.store(XFER_NO_LINK, std::memory_order_relaxed);
    JobCode.store(JOB_IDLE, std::memory_order_release);
    ClearConnectionSend();
    RequestClose(port);
    ConnectedPort.store(0, std::memory_order_release);
    PortListChanged = true;
}

void CCOMCOM::JobLoop()
{
    while (!StopFlag.load(std::memory_order_acquire)) {
        bool idle = IsIdle(JobCode.load(std::memory_order_acquire));
        std::this_thread::sleep_for(std::chrono::milliseconds(idle ? IDLE_PAUSE_MS : BUSY_PAUSE_MS));
        if (idle || StopFlag.load(std::memory_order_acquire))
            continue;
        std::lock_guard<std::mutex> guard(linkLock_);
        JobStep();
    }
}

int CCOMCOM::Payload() const
{
    if (IsPreambleProtocol(Connection.Frame.Protocol))
        return Connection.FrameSize - Connection.FrameOverhead;
    return IgnDataLength(Connection.Frame.Protocol);
}

void CCOMCOM::EndJob(int32_t job, int32_t result)
{
    LastJob.store(job, std::memory_order_relaxed);
    TransferState.store(XFER_READY, std::memory_order_relaxed);
    JobCode.store(result, std::memory_order_release);
}

void CCOMCOM::AcceptAnswer(int advance)
{
    JobPosition.store(JobPosition.load(std::memory_order_relaxed) + advance, std::memory_order_relaxed);
    TransferState.store(XFER_READY, std::memory_order_relaxed);
    RetryCount = 0;
}

void CCOMCOM::JobStep()
{
    int32_t job = JobCode.load(std::memory_order_acquire);
    int port = ConnectedPort.load(std::memory_order_acquire);
    if (IsIdle(job) || port == 0)
        return;
    CCOM& c = Port(port);
    CCOMFRAME& frame = Connection.Frame;

    if (TransferState.load(std::memory_order_relaxed) == XFER_ATTEMPT_FAILED) {
        if (++RetryCount >= RetryLimit) {
            EndJob(job, JOB_FAILED);
            return;
        }
        frame.SendPosition = nullptr;
        Connection.StateTime.store(TmrNow(), std::memory_order_relaxed);
        TransferState.store(XFER_SENDING, std::memory_order_relaxed);
    }
    if (TransferState.load(std::memory_order_relaxed) == XFER_WAITING && frame.Receive(c)) {
        if (IsPreambleProtocol(frame.Protocol))
            CheckPreambleAnswer(job);
        else
            CheckFixedAnswer(job);
    }
    if (TransferState.load(std::memory_order_relaxed) == XFER_SENDING) {
        frame.SendPart(c);
        if (frame.SendDone())
            TransferState.store(XFER_WAITING, std::memory_order_relaxed);
    }
    if (TransferState.load(std::memory_order_relaxed) == XFER_READY)
        NextChunk(job);
}

void CCOMCOM::NextChunk(int32_t job)
{
    const int p = Payload();
    if (p <= 0) {
        // No connection has told its frame size: a job has nothing to run on.
        EndJob(job, JOB_FAILED);
        return;
    }
    const int32_t position = JobPosition.load(std::memory_order_relaxed);
    int32_t s = -1;
    if (IsPreambleProtocol(Connection.Frame.Protocol)) {
        int32_t first = position;
        while (first < JobEnd && !ToSendMask[first])
            ++first;
        if (first < JobEnd) {
            s = first;
            int32_t last = s;
            int gap = 0;
            for (int32_t i = s + 1; i < JobEnd && i - s < p; ++i) {
                if (ToSendMask[i]) {
                    last = i;
                    gap = 0;
                } else if (++gap > LONGEST_GAP) {
                    break;
                }
            }
            ChunkLength = uint16_t(last - s + 1);
        }
    } else {
        const int32_t endBlock = (JobEnd + p - 1) / p;
        for (int32_t b = position / p; b < endBlock && s < 0; ++b) {
            const int32_t from = b * p;
            const int32_t to = std::min(from + p, COMMAXBUF);
            if (std::any_of(ToSendMask + from, ToSendMask + to, [](uint8_t m) { return m != 0; }))
                s = from;
        }
        ChunkLength = uint16_t(p);
        if (s >= 0 && s + p > COMMAXBUF) {
            // The block would run past the images: nothing sound can be sent.
            EndJob(job, JOB_FAILED);
            return;
        }
    }
    if (s < 0) {
        EndJob(job, JOB_DONE);
        return;
    }
    JobPosition.store(s, std::memory_order_relaxed);
    BuildRequest(job);
}

void CCOMCOM::BuildRequest(int32_t job)
{
    CCOMFRAME& frame = Connection.Frame;
    uint8_t* f = frame.TxFrame;
    const int32_t s = JobPosition.load(std::memory_order_relaxed);
    int length = 0;
    if (IsPreambleProtocol(frame.Protocol)) {
        const uint32_t option = frame.Protocol == PROTO_WCOMS ? WCOM_OPT_SUM : 0;
        const uint8_t size[2] = { uint8_t(ChunkLength), uint8_t(ChunkLength >> 8) };
        const uint16_t address = uint16_t(s);
        switch (job) {
        case JOB_WRITE:
            ExpectedAnswer = WCOM_WRITE;
            length = BuildWcomFrame(f, WCOM_WRITE | option, address, ChunkLength, TxImage + s);
            break;
        case JOB_READ:
            ExpectedAnswer = WCOM_READ;
            length = BuildWcomFrame(f, WCOM_READ | option, address, 2, size);
            break;
        case JOB_LIVE:
            ExpectedAnswer = WCOM_LIVE;
            length = BuildWcomFrame(f, WCOM_LIVE | option, address, ChunkLength, TxImage + s);
            break;
        case JOB_COMMAND:
            ExpectedAnswer = uint16_t(CommandWord);
            length = BuildWcomFrame(f, uint16_t(CommandWord) | option, uint16_t(CommandAddress),
                std::clamp(CommandLength, 0, COMMAXBUF - s), TxImage + s);
            break;
        case JOB_IDENTITY:
            ExpectedAnswer = WCOM_IDENTITY;
            length = BuildWcomFrame(f, WCOM_IDENTITY | option, address, 2, size);
            break;
        default:
            break;
        }
    } else {
        const uint8_t block = uint8_t(s / ChunkLength);
        const uint16_t argument = uint16_t(ExpectedSubVersion * 256 | ExpectedUnitType);
        uint8_t base = IGN_WRITE;
        uint8_t number = 0;
        uint16_t liveArgument = 0;
        switch (job) {
        case JOB_WRITE:
            number = uint8_t(block + 1);
            break;
        case JOB_READ:
            base = IGN_READ;
            number = uint8_t(block + 1);
            break;
        case JOB_LIVE:
            base = IGN_LIVE;
            number = block;
            liveArgument = argument;
            break;
        case JOB_COMMAND:
            break;
        case JOB_IDENTITY:
            base = IGN_READ;
            break;
        default:
            base = 0xFF;
            break;
        }
        if (base != 0xFF) {
            ExpectedAnswer = IGN_ANSWER + base + number;
            length = BuildFixedFrame(frame.Protocol, f, base, number, TxImage + s, liveArgument);
        }
    }
    if (length == 0) {
        // A job code the unit has no frame for.
        EndJob(job, JOB_FAILED);
        return;
    }
    frame.TxLength = length;
    frame.SendPosition = nullptr;
    Connection.StateTime.store(TmrNow(), std::memory_order_relaxed);
    TransferState.store(XFER_SENDING, std::memory_order_relaxed);
}

void CCOMCOM::CheckFixedAnswer(int32_t job)
{
    const CCOMFRAME& frame = Connection.Frame;
    const uint8_t* r = frame.RxFrame;
    const int32_t position = JobPosition.load(std::memory_order_relaxed);
    const int n = frame.FrameLength - IGN_OVERHEAD;
    int a = ExpectedAnswer & 0x3F;
    if (a >= 48)
        a &= 0x0F;
    const int32_t address = n * a - ((job == JOB_WRITE || job == JOB_READ) ? n : 0);
    bool good = r[0] == ExpectedAnswer && address == position && address + n <= COMMAXBUF;
    if (good && job == JOB_WRITE)
        good = std::memcmp(r + 1, TxImage + address, size_t(n)) == 0;
    if (!good) {
        TransferState.store(XFER_ATTEMPT_FAILED, std::memory_order_relaxed);
        return;
    }
    if (CarriesData(job))
        std::memcpy(RxImage + address, r + 1, size_t(n));
    std::fill(Carried + address, Carried + address + n, uint8_t(1));
    AcceptAnswer(n);
}

void CCOMCOM::CheckPreambleAnswer(int32_t job)
{
    const uint8_t* r = Connection.Frame.RxFrame;
    // Other frames (an echo of the request, an answer to something else) are
    // not ours; the time-out decides if ours never comes.
    if ((r[WCOM_TYPE] & 0x0F) != WCOM_KIND_ACK || FrameWord(r, WCOM_COMMAND) != ExpectedAnswer)
        return;
    const int32_t position = JobPosition.load(std::memory_order_relaxed);
    const int32_t address = FrameWord(r, WCOM_ADDRESS);
    const int32_t length = FrameWord(r, WCOM_LENGTH);
    if (address != position || (CarriesData(job) && length != ChunkLength)) {
        std::fprintf(stderr, "len or address is not equal %i!=%i (%i)...\n", position, address, RetryCount);
        TransferState.store(XFER_ATTEMPT_FAILED, std::memory_order_relaxed);
        return;
    }
    if (CarriesData(job))
        std::memcpy(RxImage + address, r + WCOM_DATA, size_t(length));
    std::fill(Carried + address, Carried + std::min<int32_t>(address + ChunkLength, COMMAXBUF), uint8_t(1));
    AcceptAnswer(ChunkLength);
}

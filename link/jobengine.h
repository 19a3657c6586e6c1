#pragma once
// The unit link as the rest of the program sees it: the port layer and the
// port search, plus a job engine. A job asks for a range of the unit's memory
// to be written, read or exchanged; the engine's own thread cuts it into
// frames of the connected unit's protocol, sends them one at a time, checks
// every answer, resends a frame that was not answered correctly and reports
// the job as done or failed.
//
// The job field changes hands so: PostJob sets it only while it is 0; the job
// thread replaces the job by JOB_DONE or JOB_FAILED after its last store into
// RxImage; the taker of the result (and TimerStep and ClosePort) set it to 0.

#include <atomic>
#include <cstdint>
#include <pthread.h>

#include "image/rsimage.h"
#include "link/search.h"

constexpr int32_t JOB_IDLE = 0;
constexpr int32_t JOB_WRITE = 17;
constexpr int32_t JOB_READ = 18;
constexpr int32_t JOB_LIVE = 35;
constexpr int32_t JOB_COMMAND = 65;
constexpr int32_t JOB_IDENTITY = 66;
constexpr int32_t JOB_FAILED = 132;
constexpr int32_t JOB_DONE = 136;

// Flags of PostJob.
constexpr int JOBFLAG_MARK = 1; // mark the whole range for transfer
constexpr int JOBFLAG_CLEAR_TX = 2; // clear the range's transmit data
constexpr int JOBFLAG_SINGLE_TRY = 4; // one attempt per frame

// Transfer states.
constexpr int32_t XFER_NO_LINK = 0;
constexpr int32_t XFER_READY = 1;
constexpr int32_t XFER_SENDING = 2;
constexpr int32_t XFER_WAITING = 3;
constexpr int32_t XFER_ATTEMPT_FAILED = 4;

constexpr int ANSWER_TIMEOUT_MS = 400;
constexpr int JOB_RETRIES = 3;
constexpr size_t JOB_THREAD_STACK = 512 * 1024;

class CCOMCOM : public CCOMSEARCH {
public:
    // Starts the job thread.
    CCOMCOM();
    // Stops and joins the job thread (bounded wait), then the port layer's.
    ~CCOMCOM() override;

    // Accepts a job only while JobCode is 0; false when it was refused. A
    // negative start counts from 0; the range is cut to the images. Without
    // JOBFLAG_MARK the caller fills ToSendMask for the range first.
    bool PostJob(int32_t jobCode, int32_t start, int32_t length, int flags);
    // The user-interface step, once per main-timer tick: the port search,
    // arming and abandoning the link, and the answer time-out.
    void TimerStep();
    // Closes the connected port and lets the search start again.
    void ClosePort();

    std::atomic<int32_t> TransferState { XFER_NO_LINK };
    std::atomic<int32_t> JobCode { JOB_DONE };
    std::atomic<int32_t> LastJob { JOB_DONE };
    int32_t CommandWord = 0;
    int32_t CommandAddress = 0;
    int32_t CommandLength = 0;
    int32_t ExpectedAnswer = -1;
    std::atomic<int32_t> JobPosition { 0 }; // progress, read by the user-interface thread
    uint16_t ChunkLength = 0;
    int32_t RetryCount = 0;
    int32_t RetryLimit = JOB_RETRIES;
    int32_t JobLength = 0;
    int32_t JobEnd = 0;
    uint8_t TxImage[COMMAXBUF] = {};
    uint8_t ToSendMask[COMMAXBUF] = {};
    uint8_t RxImage[COMMAXBUF] = {};
    // One per byte of the job's range: 1 once an answered frame of the job
    // carried the byte (written and echoed, or read).
    uint8_t Carried[COMMAXBUF] = {};

private:
    static void* ThreadEntry(void* self);
    void JobLoop();
    void JobStep();
    // Data bytes of one frame of the connection.
    int Payload() const;
    void NextChunk(int32_t job);
    void BuildRequest(int32_t job);
    void CheckFixedAnswer(int32_t job);
    void CheckPreambleAnswer(int32_t job);
    void AcceptAnswer(int advance);
    void EndJob(int32_t job, int32_t result);
    void ClearConnectionSend();

    pthread_t thread_ {};
    bool hasThread_ = false;
};

#pragma once
// The update check's worker: once per run, when the user-interface thread
// asks, one HTTP GET of the update description file on a thread of its own,
// so the window never waits for the network. No widgets are involved.
//
// The hand-over is UpdateState: the user-interface thread moves it 0 -> 1
// (ask) and 2 -> 3 (taken), the worker 1 -> 2 after writing UpdateSize and
// UpdateBuffer (release); the reader loads the state (acquire) before it
// looks at the buffer.

#include <QUrl>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class QNetworkReply;

struct UpdateFetchSettings {
    QUrl url; // the whole address of the description file
    int connectTimeoutMs = 2000; // until the request is on the wire
    int totalTimeoutMs = 10000; // for the whole answer; a slow server fails like a dead one
};

// The maker's server, or ZEPERON_UPDATE_URL ("http://host:port") in its place.
UpdateFetchSettings DefaultUpdateFetchSettings();

enum UpdateStates { UPDATE_IDLE = 0, UPDATE_REQUESTED = 1, UPDATE_FETCHED = 2, UPDATE_HANDLED = 3 };

// What the worker and the user-interface thread share. The worker holds it
// too, so it outlives a window that goes while a request is still running.
struct UpdateShared {
    explicit UpdateShared(UpdateFetchSettings fetch)
        : settings(std::move(fetch))
    {
    }
    const UpdateFetchSettings settings;
    std::atomic<int> UpdateState { UPDATE_IDLE };
    std::atomic<int> UpdateStopFlag { 0 };
    // Written by the worker before it sets UPDATE_FETCHED: the body and a
    // terminating zero byte, or null with size 0 when the request failed.
    size_t UpdateSize = 0;
    std::unique_ptr<char[]> UpdateBuffer;

    std::mutex mutex;
    // Wakes the worker for a request or the stop, and whoever waits for the
    // worker once it has set UPDATE_FETCHED.
    std::condition_variable wake;
    QNetworkReply* reply = nullptr; // the request in progress (guarded by mutex)
    bool finished = false; // the worker has left its loop (guarded by mutex)
};

// The thread's body: 1 without its shared state, else UpdateThreadLoop's result.
int UpdateThreadEntry(UpdateShared* shared);
// Until UpdateStopFlag: waits for UPDATE_REQUESTED, fetches, sets UPDATE_FETCHED.
int UpdateThreadLoop(UpdateShared& shared);
// One GET into UpdateBuffer and UpdateSize (worker thread). Any status but
// 200, an error, a redirect, a time-out, an abort or a body above
// PATCH_INFO_MAX_SIZE leaves no buffer.
void DownloadPatchInfo(UpdateShared& shared);

// The user-interface thread's handle on the worker.
class UpdateCheck {
public:
    explicit UpdateCheck(UpdateFetchSettings settings = DefaultUpdateFetchSettings());
    // Stops and joins the worker.
    ~UpdateCheck();
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // Starts the worker; it waits until Request.
    void Start();
    // 0 -> 1: the worker makes its one request.
    void Request();
    int State() const { return shared_->UpdateState.load(std::memory_order_acquire); }
    // 2 -> 3 when the worker has finished with a body: the received text,
    // zero-terminated; null before, after a failed request or once taken.
    const char* Take(size_t* size);
    // Sets UpdateStopFlag and aborts a request in progress through the worker.
    void Stop();
    // Waits at most `ms` for the worker to end; false when it did not.
    bool Join(int ms);

    UpdateShared& Shared() { return *shared_; }

private:
    std::shared_ptr<UpdateShared> shared_;
    // A plain thread running Qt's event loop for its client: its start and
    // join stay visible to the thread sanitizer, which cannot look into Qt.
    std::thread UpdateThread;
};

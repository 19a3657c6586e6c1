#include "update/updatecheck.h"

#include "update/patchoffer.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

const char* const UPDATE_SERVER = "http://www.morvanta.cz";
const char* const ACCEPT = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

// The body of a 200 answer, or nothing.
std::optional<std::string> Fetch(UpdateShared& shared)
{
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(shared.settings.url);
    request.setRawHeader("Accept", ACCEPT);
    // A moved file is not followed: the answer must come from this server.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);

    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);

    std::string body;
    bool tooLong = false;
    auto take = [&] {
        QByteArray chunk = reply->readAll();
        if (tooLong || body.size() + size_t(chunk.size()) > PATCH_INFO_MAX_SIZE) {
            tooLong = true;
            reply->abort();
            return;
        }
        body.append(chunk.constData(), size_t(chunk.size()));
    };
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        bool known = false;
        qlonglong length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && length > qlonglong(PATCH_INFO_MAX_SIZE)) {
            tooLong = true;
            reply->abort();
        }
    });

    QTimer connectTimer;
    connectTimer.setSingleShot(true);
    QObject::connect(&connectTimer, &QTimer::timeout, reply.get(), &QNetworkReply::abort);
    QObject::connect(reply.get(), &QNetworkReply::requestSent, &connectTimer, &QTimer::stop);
    QTimer totalTimer;
    totalTimer.setSingleShot(true);
    QObject::connect(&totalTimer, &QTimer::timeout, reply.get(), &QNetworkReply::abort);

    {
        std::lock_guard lock(shared.mutex);
        shared.reply = reply.get();
    }
    if (shared.UpdateStopFlag.load(std::memory_order_acquire))
        reply->abort();
    if (!reply->isFinished()) {
        connectTimer.start(shared.settings.connectTimeoutMs);
        totalTimer.start(shared.settings.totalTimeoutMs);
        loop.exec();
    }
    {
        // After this no abort can be posted to the reply any more.
        std::lock_guard lock(shared.mutex);
        shared.reply = nullptr;
    }
    if (!tooLong && reply->error() == QNetworkReply::NoError)
        take();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLong || reply->error() != QNetworkReply::NoError || status != 200)
        return std::nullopt;
    return body;
}

} // namespace

UpdateFetchSettings DefaultUpdateFetchSettings()
{
    UpdateFetchSettings settings;
    const char* server = std::getenv("ZEPERON_UPDATE_URL");
    settings.url = QUrl(QString::fromUtf8(server && *server ? server : UPDATE_SERVER) + PATCH_INFO_PATH);
    return settings;
}

void DownloadPatchInfo(UpdateShared& shared)
{
    shared.UpdateSize = 0;
    shared.UpdateBuffer.reset();
    std::optional<std::string> body = Fetch(shared);
    if (!body || body->empty())
        return;
    auto buffer = std::make_unique<char[]>(body->size() + 1);
    std::memcpy(buffer.get(), body->data(), body->size());
    buffer[body->size()] = 0;
    shared.UpdateBuffer = std::move(buffer);
    shared.UpdateSize = body->size();
}

int UpdateThreadLoop(UpdateShared& shared)
{
    std::unique_lock lock(shared.mutex);
    for (;;) {
        shared.wake.wait(lock, [&] {
            return shared.UpdateStopFlag.load(std::memory_order_acquire)
                || shared.UpdateState.load(std::memory_order_acquire) == UPDATE_REQUESTED;
        });
        if (shared.UpdateStopFlag.load(std::memory_order_acquire))
            return 0;
        lock.unlock();
        try {
            DownloadPatchInfo(shared);
        } catch (...) {
            // Out of memory or the like: the check fails quietly, as any failed request.
            shared.UpdateSize = 0;
            shared.UpdateBuffer.reset();
        }
        lock.lock();
        shared.UpdateState.store(UPDATE_FETCHED, std::memory_order_release);
        shared.wake.notify_all();
    }
}

int UpdateThreadEntry(UpdateShared* shared)
{
    if (!shared)
        return 1;
    try {
        return UpdateThreadLoop(*shared);
    } catch (...) {
        return 1;
    }
}

UpdateCheck::UpdateCheck(UpdateFetchSettings settings)
    : shared_(std::make_shared<UpdateShared>(std::move(settings)))
{
}

UpdateCheck::~UpdateCheck()
{
    Stop();
    Join(5000);
}

void UpdateCheck::Start()
{
    if (UpdateThread.joinable())
        return;
    shared_->UpdateState.store(UPDATE_IDLE, std::memory_order_relaxed);
    shared_->UpdateBuffer.reset();
    shared_->UpdateSize = 0;
    std::shared_ptr<UpdateShared> shared = shared_;
    UpdateThread = std::thread([shared] {
        UpdateThreadEntry(shared.get());
        std::lock_guard lock(shared->mutex);
        shared->finished = true;
        shared->wake.notify_all();
    });
}

void UpdateCheck::Request()
{
    {
        std::lock_guard lock(shared_->mutex);
        int idle = UPDATE_IDLE;
        shared_->UpdateState.compare_exchange_strong(idle, UPDATE_REQUESTED, std::memory_order_acq_rel);
    }
    shared_->wake.notify_all();
}

const char* UpdateCheck::Take(size_t* size)
{
    // A failed request stays at UPDATE_FETCHED without a buffer: nothing more happens.
    if (State() != UPDATE_FETCHED || !shared_->UpdateBuffer)
        return nullptr;
    shared_->UpdateState.store(UPDATE_HANDLED, std::memory_order_relaxed);
    if (size)
        *size = shared_->UpdateSize;
    return shared_->UpdateBuffer.get();
}

void UpdateCheck::Stop()
{
    std::lock_guard lock(shared_->mutex);
    shared_->UpdateStopFlag.store(1, std::memory_order_release);
    if (shared_->reply)
        QMetaObject::invokeMethod(shared_->reply, &QNetworkReply::abort, Qt::QueuedConnection);
    shared_->wake.notify_all();
}

bool UpdateCheck::Join(int ms)
{
    if (!UpdateThread.joinable())
        return true;
    {
        std::unique_lock lock(shared_->mutex);
        if (!shared_->wake.wait_for(lock, std::chrono::milliseconds(ms), [&] { return shared_->finished; })) {
            // A worker that does not end in time is left to the end of the
            // process; it holds the state it shares.
            UpdateThread.detach();
            return false;
        }
    }
    UpdateThread.join();
    return true;
}

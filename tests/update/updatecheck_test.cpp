// The worker against a real web server on the loopback: what it brings back
// for each way a server answers, and that a close during a request ends it.
#include "update/patchoffer.h"
#include "update/updatecheck.h"

#include "httpserver.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

class CoreApplication : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[12] = "update-test";
    char* argv_[2] = { name_, nullptr };
    std::unique_ptr<QCoreApplication> app_;
};
const auto* const coreApplication = ::testing::AddGlobalTestEnvironment(new CoreApplication);

const QByteArray DESCRIPTION = "<product class=\"Zeperon_12\" key=\"308\"><recommendation update_number=\"4\">"
                               "<english>new</english></recommendation></product>";

UpdateFetchSettings Settings(const QString& base, int totalMs = 10000)
{
    UpdateFetchSettings settings;
    settings.url = QUrl(base + PATCH_INFO_PATH);
    settings.totalTimeoutMs = totalMs;
    return settings;
}

// Waits, a generous minute at most, until the worker has finished its request.
bool WaitFetched(UpdateCheck& check)
{
    UpdateShared& shared = check.Shared();
    std::unique_lock lock(shared.mutex);
    return shared.wake.wait_for(lock, std::chrono::seconds(60),
        [&] { return shared.UpdateState.load(std::memory_order_acquire) == UPDATE_FETCHED; });
}

} // namespace

TEST(UpdateWorker, BringsBackTheDescriptionFromOneGet)
{
    LocalHttpServer server(LocalHttpServer::Answer::Serve, DESCRIPTION);
    UpdateCheck check(Settings(server.BaseUrl()));
    check.Start();
    EXPECT_EQ(check.State(), UPDATE_IDLE);
    check.Request();
    ASSERT_TRUE(WaitFetched(check));
    size_t size = 0;
    const char* text = check.Take(&size);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text, size), DESCRIPTION.toStdString());
    EXPECT_EQ(text[size], '\0');
    EXPECT_EQ(check.State(), UPDATE_HANDLED);
    EXPECT_EQ(check.Take(&size), nullptr) << "handed over once";

    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].rfind("GET /old/patch.xml HTTP/1.1\r\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"),
        std::string::npos)
        << requests[0];
    check.Request();
    EXPECT_EQ(check.State(), UPDATE_HANDLED) << "one request per run";
}

TEST(UpdateWorker, AnyOtherAnswerLeavesNoDescription)
{
    using Answer = LocalHttpServer::Answer;
    struct Case {
        const char* name;
        Answer answer;
        bool refused = false;
        int totalMs = 10000;
    };
    const Case cases[] = {
        { "not found", Answer::NotFound },
        { "refused", Answer::Serve, true },
        { "silence", Answer::Stall, false, 300 },
        { "trickle", Answer::Trickle, false, 300 },
        { "announced above the limit", Answer::HugeDeclared },
        { "above the limit", Answer::HugeUndeclared },
        { "redirect", Answer::Redirect },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer server(c.answer, DESCRIPTION);
        UpdateCheck check(Settings(c.refused ? LocalHttpServer::RefusingUrl() : server.BaseUrl(), c.totalMs));
        check.Start();
        check.Request();
        ASSERT_TRUE(WaitFetched(check));
        EXPECT_EQ(check.Take(nullptr), nullptr);
        EXPECT_EQ(check.Shared().UpdateSize, 0u);
        EXPECT_EQ(check.State(), UPDATE_FETCHED) << "a failed check stays where it is";
        EXPECT_LE(server.Requests().size(), 1u) << "a redirect is not followed";
    }
}

TEST(UpdateWorker, AStopDuringARequestEndsTheWorkerInBoundedTime)
{
    LocalHttpServer server(LocalHttpServer::Answer::Stall);
    UpdateCheck check(Settings(server.BaseUrl(), 600'000));
    check.Start();
    check.Request();
    ASSERT_TRUE(server.WaitForRequest());
    const auto start = std::chrono::steady_clock::now();
    check.Stop();
    EXPECT_TRUE(check.Join(60'000));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(check.Take(nullptr), nullptr);
}

TEST(UpdateWorker, AStopBeforeAnyRequestEndsTheWorker)
{
    UpdateCheck check(Settings(LocalHttpServer::RefusingUrl()));
    check.Start();
    check.Stop();
    EXPECT_TRUE(check.Join(60'000));
    EXPECT_EQ(check.State(), UPDATE_IDLE);
}

// A server that takes the request and never answers: every request ends on its own time-outs
// (shortened here to seconds; the product waits 15 s to connect, 30 s for the answer).
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/Process.h"
#include "update/HttpFetch.h"
#include "update/HttpRequest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>

namespace {
// Far beyond the shortened time-outs, far below "never": the silent server only lets go
// when the service stops.
const DWORD kGuard = 60000;

struct Outcome {
    std::function<bool()> request;
    std::atomic<int> result{-1};
};

DWORD WINAPI RunOutcome(void* p) {
    std::unique_ptr<std::shared_ptr<Outcome>> mine(static_cast<std::shared_ptr<Outcome>*>(p));
    (*mine)->result = (*mine)->request() ? 1 : 0;
    return 0;
}

// Runs the request on its own thread; true when it ended within the guard. A request that
// does not end is left behind (its thread owns what it uses), so a failure cannot hang.
bool EndsWithin(std::function<bool()> request, int& result) {
    auto outcome = std::make_shared<Outcome>();
    outcome->request = std::move(request);
    auto* handedOver = new std::shared_ptr<Outcome>(outcome);
    HANDLE thread = ::CreateThread(nullptr, 0, RunOutcome, handedOver, 0, nullptr);
    if (!thread) {
        delete handedOver;
        return false;
    }
    const bool ended = ::WaitForSingleObject(thread, kGuard) == WAIT_OBJECT_0;
    ::CloseHandle(thread);
    result = outcome->result;
    return ended;
}

class SilentServer : public ::testing::Test {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        m_saved = CurrentHttpTimeouts();
        SetHttpTimeouts({2000, 2000, 2000});
        m_url = ServiceUrl(L"/test/hang");
        m_file = TempFolder(L"http_timeout") + L"\\body";
    }
    void TearDown() override { SetHttpTimeouts(m_saved); }

    HttpTimeouts m_saved;
    std::wstring m_url;
    std::wstring m_file;
};

TEST_F(SilentServer, EveryKindOfRequestEndsWithFailure) {
    const std::wstring url = m_url, file = m_file;
    const std::pair<const char*, std::function<bool()>> requests[] = {
        {"ping", [url] { return HttpPing(url.c_str()); }},
        {"to file", [url, file] { return HttpGetToFile(url.c_str(), file.c_str()); }},
        {"text", [url] {
             wchar_t text[kHttpTextLimit];
             return HttpGetText(url.c_str(), text);
         }},
    };
    for (const auto& [name, request] : requests) {
        int result = -1;
        EXPECT_TRUE(EndsWithin(request, result)) << name;
        EXPECT_EQ(result, 0) << name;
    }
    // The server did take them: the time-out, not a refused connection, ended them.
    EXPECT_EQ(RecordedRequestsTo("/test/hang").size(), 3u);
}
}  // namespace

// Cancelling the update download from outside: the download ends with failure, its file
// and handles are closed once, and no progress arrives after the cancel has returned.
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/Process.h"
#include "update/HttpFetch.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {
// 1 MiB in 1 KiB pieces 50 ms apart: almost a minute if nothing stops it.
const wchar_t kSlow[] = L"/test/slow?bytes=1048576&ms=50&piece=1024";
const DWORD kGuard = 30000;  // against a hang only; a finished slow download would take longer

enum Result { kRunning = -1, kFailed = 0, kSucceeded = 1 };

class CancelledDownload : public ::testing::Test {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        m_file = TempFolder(L"http_cancel") + L"\\NewTov.exe";
    }

    // Starts the download on a worker while this thread, which owns the progress window, pumps.
    std::unique_ptr<PumpedWorker> Start(const std::wstring& pathAndQuery) {
        const std::wstring url = ServiceUrl(pathAndQuery);
        return std::make_unique<PumpedWorker>([this, url] {
            m_result = HttpGetToFileWithProgress(url.c_str(), m_file.c_str(), m_recorder.Window(), m_store) ? kSucceeded
                                                                                                           : kFailed;
        });
    }

    bool PumpUntilProgress(PumpedWorker& worker, size_t messages) {
        return worker.PumpUntil([&] { return m_recorder.Count() >= messages; }, kGuard);
    }

    std::wstring m_file;
    ProgressRecorder m_recorder{L""};
    HttpHandleStore m_store;
    std::atomic<int> m_result{kRunning};
};

TEST_F(CancelledDownload, CancelInTheMiddleEndsItWithFailureAndClosesTheFile) {
    auto worker = Start(kSlow);
    const bool progressed = PumpUntilProgress(*worker, 4);
    m_store.Cancel();
    const size_t atCancel = m_recorder.Count();
    ASSERT_TRUE(progressed);

    // Nothing holds the file any more, even before the download thread has noticed.
    EXPECT_TRUE(::DeleteFileW(m_file.c_str()));
    ASSERT_TRUE(worker->PumpUntilDone(kGuard));
    EXPECT_EQ(m_result, kFailed);
    EXPECT_EQ(m_recorder.Count(), atCancel);
    EXPECT_FALSE(FileExists(m_file));  // the download did not open it again
    EXPECT_EQ(RecordedRequestsTo("/test/slow").size(), 1u);
}

TEST_F(CancelledDownload, CancelReturnsAtOnceWhileAReadWaitsForTheServer) {
    // One piece, then the server is silent for three seconds. Windows aborts the waiting
    // read when its handle is closed; Wine lets it run until the next piece arrives. Either
    // way Cancel does not wait for it, and the download ends with failure without another
    // progress message.
    auto worker = Start(L"/test/slow?bytes=4096&ms=3000&piece=1024");
    const bool progressed = PumpUntilProgress(*worker, 2);  // the first piece is in
    worker->PumpUntil([] { return false; }, 300);           // and the next read is waiting
    m_store.Cancel();
    const size_t atCancel = m_recorder.Count();
    ASSERT_TRUE(progressed);
    EXPECT_TRUE(::DeleteFileW(m_file.c_str()));
    ASSERT_TRUE(worker->PumpUntilDone(kGuard));
    EXPECT_EQ(m_result, kFailed);
    EXPECT_EQ(m_recorder.Count(), atCancel);
}

TEST_F(CancelledDownload, AProgressMessageOnItsWayLandsBeforeCancelReturns) {
    auto worker = Start(L"/test/sized?bytes=4000000");
    const bool progressed = PumpUntilProgress(*worker, 4);
    // Stop taking messages until the download thread is caught inside sending one.
    const DWORD start = ::GetTickCount();
    while (!(HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) && !worker->Done() &&
           ::GetTickCount() - start < kGuard)
        ::Sleep(0);
    const bool caught = !worker->Done();
    const size_t before = m_recorder.Count();
    m_store.Cancel();
    const size_t atCancel = m_recorder.Count();
    ASSERT_TRUE(progressed);
    ASSERT_TRUE(caught);
    EXPECT_EQ(atCancel, before + 1);
    ASSERT_TRUE(worker->PumpUntilDone(kGuard));
    EXPECT_EQ(m_recorder.Count(), atCancel);
    EXPECT_EQ(m_result, kFailed);
}

TEST_F(CancelledDownload, CancelFromAThirdThreadWhileTheWindowThreadPumps) {
    auto worker = Start(kSlow);
    const bool progressed = PumpUntilProgress(*worker, 4);
    std::atomic<size_t> atCancel{0};
    PumpedWorker canceller([&] {
        m_store.Cancel();
        atCancel = m_recorder.Count();
    });
    ASSERT_TRUE(canceller.PumpUntilDone(kGuard));
    ASSERT_TRUE(progressed);
    ASSERT_TRUE(worker->PumpUntilDone(kGuard));
    EXPECT_EQ(m_result, kFailed);
    EXPECT_EQ(m_recorder.Count(), atCancel.load());
    EXPECT_TRUE(::DeleteFileW(m_file.c_str()));
}

TEST_F(CancelledDownload, CancelBeforeTheStartSendsNothing) {
    m_store.Cancel();
    EXPECT_FALSE(HttpGetToFileWithProgress(ServiceUrl(L"/test/500").c_str(), m_file.c_str(), m_recorder.Window(), m_store));
    EXPECT_EQ(devservice::Requests(), "");
    EXPECT_FALSE(FileExists(m_file));
    EXPECT_EQ(m_recorder.Count(), 0u);
}

TEST_F(CancelledDownload, CancelAfterTheEndLeavesTheFileAlone) {
    ASSERT_TRUE(HttpGetToFileWithProgress(ServiceUrl(L"/test/500").c_str(), m_file.c_str(), m_recorder.Window(), m_store));
    m_store.Cancel();
    m_store.Cancel();
    EXPECT_EQ(FileContent(m_file), "test 500 body\n");
    EXPECT_TRUE(::DeleteFileW(m_file.c_str()));
}

TEST_F(CancelledDownload, CancelAtAnyMomentKeepsEveryPromise) {
    // Cancels land before, during and after the transfer, between and inside progress messages.
    for (size_t after = 0; after < 40; after += 3) {
        SCOPED_TRACE(after);
        ProgressRecorder recorder(L"");
        HttpHandleStore store;
        std::atomic<int> result{kRunning};
        const std::wstring url = ServiceUrl(L"/test/sized?bytes=20000");  // 40 chunks
        PumpedWorker worker([&] {
            result = HttpGetToFileWithProgress(url.c_str(), m_file.c_str(), recorder.Window(), store) ? kSucceeded
                                                                                                    : kFailed;
        });
        worker.PumpUntil([&] { return recorder.Count() >= after; }, kGuard);
        store.Cancel();
        const size_t atCancel = recorder.Count();
        ASSERT_TRUE(worker.PumpUntilDone(kGuard));
        EXPECT_EQ(recorder.Count(), atCancel);
        EXPECT_NE(result, kRunning);
        if (result == kSucceeded) {  // the cancel came after the end
            ASSERT_GT(atCancel, 0u);
            EXPECT_EQ(recorder.Samples().back().position, 100u);
            EXPECT_EQ(FileContent(m_file).size(), 20000u);
        }
        EXPECT_TRUE(::DeleteFileW(m_file.c_str()) || !FileExists(m_file));
    }
}
}  // namespace

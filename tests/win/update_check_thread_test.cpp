// The menu's check runs off the calling thread, one at a time, and answers by a message.
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "update/HttpRequest.h"
#include "update/UpdateCheck.h"
#include "update/UpdateCheckThread.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
const UINT kChecked = WM_APP + 7;
const DWORD kGuard = 60000;

// Pumps this thread's messages until the answer arrives; -1 when the guard passed first.
int WaitForAnswer(HWND window) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kGuard) {
        MSG msg;
        if (::PeekMessageW(&msg, window, kChecked, kChecked, PM_REMOVE)) return static_cast<int>(msg.wParam);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    }
    return -1;
}

class MenuCheck : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
        const std::wstring key = LocalVersionKey();
        m_key = std::string(key.begin(), key.end());
    }
    void TearDown() override {
        devservice::Get("/__control/set?update=none&key=");
        ::DestroyWindow(m_window);
    }
    HWND m_window = nullptr;
    std::string m_key;
};
}  // namespace

TEST_F(MenuCheck, AnswersByMessage) {
    devservice::Get("/__control/set?update=published&key=" + m_key);
    ASSERT_TRUE(StartForcedUpdateCheck(m_window, kChecked));
    EXPECT_EQ(WaitForAnswer(m_window), 1);
    devservice::Get("/__control/set?update=none&key=" + m_key);
    ASSERT_TRUE(StartForcedUpdateCheck(m_window, kChecked));
    EXPECT_EQ(WaitForAnswer(m_window), 0);
}

TEST_F(MenuCheck, ASecondRequestWhileOneRunsDoesNothing) {
    // The silent server holds the first check until its time-out, long after the second call.
    devservice::Get("/__control/set?update=hang&key=" + m_key);
    const HttpTimeouts saved = CurrentHttpTimeouts();
    SetHttpTimeouts({10000, 10000, 10000});
    ASSERT_TRUE(StartForcedUpdateCheck(m_window, kChecked));
    EXPECT_FALSE(StartForcedUpdateCheck(m_window, kChecked));
    EXPECT_EQ(WaitForAnswer(m_window), 0);
    SetHttpTimeouts(saved);
    // Exactly one answer came, and a new check may start.
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, m_window, kChecked, kChecked, PM_REMOVE));
    devservice::Get("/__control/set?update=none&key=" + m_key);
    EXPECT_TRUE(StartForcedUpdateCheck(m_window, kChecked));
    EXPECT_EQ(WaitForAnswer(m_window), 0);
}

TEST_F(MenuCheck, TheThreadKeepsNothingOfWhatItRead) {
    // What the last check on this thread read stays what the download would use: the menu's
    // thread may still run while the process ends, and must write nothing process-wide.
    devservice::Get("/__control/set?update=none&key=" + m_key);
    IsUpdateAvailable(true);
    const std::wstring address = UpdateAddress();
    const std::wstring key = PublishedKey();
    devservice::Get("/__control/set?update=published&key=" + m_key);
    ASSERT_TRUE(StartForcedUpdateCheck(m_window, kChecked));
    EXPECT_EQ(WaitForAnswer(m_window), 1);
    EXPECT_EQ(UpdateAddress(), address);
    EXPECT_EQ(PublishedKey(), key);
    IsUpdateAvailable(true);
    EXPECT_NE(PublishedKey(), key);  // the published build has another key
}

// The version check against the dev service: which version files mean an update, that the
// file does not stay behind, and that the daily gate keeps a start from asking at all.
#include "base/Paths.h"
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "update/HttpRequest.h"
#include "update/UpdateCheck.h"

#include "support/Dates.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace {
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void DeleteUpdateValues() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(kUpdateRegistryRoot, kUpdateRegistryKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    ::RegDeleteValueW(key, L"UpdTime");
    ::RegDeleteValueW(key, L"DisableDays");
    ::RegCloseKey(key);
}

void WriteBinary(const wchar_t* name, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(kUpdateRegistryRoot, kUpdateRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

class VersionCheck : public ::testing::Test {
protected:
    void SetUp() override {
        m_localKey = LocalVersionKey();
        ASSERT_EQ(m_localKey.size(), 32u);
        devservice::ResetRequests();
        DeleteUpdateValues();
    }
    void TearDown() override {
        devservice::Get("/__control/set?update=none&key=");
        DeleteUpdateValues();
    }
    // The service announces the given key as the current one ("none": no update published).
    void Serve(const std::string& mode, const std::wstring& currentKey) {
        ASSERT_FALSE(devservice::Get("/__control/set?update=" + mode + "&key=" + Narrow(currentKey)).empty());
    }
    size_t VersionFileRequests() { return RecordedRequestsTo("/update/ConfigTov.htm").size(); }

    std::wstring m_localKey;
};
}  // namespace

TEST_F(VersionCheck, APublishedBuildIsAnUpdateAndItsAddressIsKept) {
    Serve("published", m_localKey);
    EXPECT_TRUE(IsUpdateAvailable(true));
    EXPECT_EQ(UpdateAddress(), ServiceUrl(L"/update/QuarnelHalvira.exe"));
    EXPECT_FALSE(PathExists(GetExeDirectory() + L"\\ConfigTov.htm"));
}

TEST_F(VersionCheck, OurOwnKeyInAnyLetterCaseIsNoUpdate) {
    Serve("none", m_localKey);
    EXPECT_FALSE(IsUpdateAvailable(true));
    std::wstring upper = m_localKey;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(::towupper(c));
    ASSERT_NE(upper, m_localKey);
    Serve("none", upper);
    EXPECT_FALSE(IsUpdateAvailable(true));
    EXPECT_EQ(VersionFileRequests(), 2u);
    EXPECT_FALSE(PathExists(GetExeDirectory() + L"\\ConfigTov.htm"));
}

TEST_F(VersionCheck, AnAddressWithoutAKeyOrAMissingFileIsNoUpdate) {
    Serve("nokey", m_localKey);
    EXPECT_FALSE(IsUpdateAvailable(true));
    Serve("missing", m_localKey);
    EXPECT_FALSE(IsUpdateAvailable(true));
    EXPECT_EQ(VersionFileRequests(), 2u);
}

TEST_F(VersionCheck, TheGateAsksNothingOnTheDayOfAnUpdate) {
    Serve("published", m_localKey);
    ASSERT_TRUE(WriteUpdTime());
    EXPECT_FALSE(IsUpdateAvailable(false, 2));
    EXPECT_EQ(VersionFileRequests(), 0u);

    // The day before, with no weekday skipped, it asks.
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    const SYSTEMTIME yesterday = ShiftDays(now, -1);
    WriteBinary(L"UpdTime", &yesterday, sizeof(yesterday));
    EXPECT_TRUE(IsUpdateAvailable(false, 2));
    EXPECT_EQ(VersionFileRequests(), 1u);
}

TEST_F(VersionCheck, TheGateSkipsTheStoredWeekdaysAndTheInstallStart) {
    Serve("published", m_localKey);
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    const BYTE today = static_cast<BYTE>(now.wDayOfWeek);
    const BYTE days[4] = {static_cast<BYTE>((today + 1) % 7), static_cast<BYTE>((today + 2) % 7), today, 0};
    WriteBinary(L"DisableDays", days, sizeof(days));
    EXPECT_FALSE(IsUpdateAvailable(false, 2));
    EXPECT_FALSE(IsUpdateAvailable(false, 0));  // the installer never updates itself
    EXPECT_EQ(VersionFileRequests(), 0u);
    // The forced check ignores the gate.
    EXPECT_TRUE(IsUpdateAvailable(true));
}

TEST_F(VersionCheck, WriteDisableDaysStoresThreeWeekdays) {
    ASSERT_TRUE(WriteDisableDays());
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(kUpdateRegistryRoot, kUpdateRegistryKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    BYTE days[8] = {};
    DWORD size = sizeof(days), type = 0;
    EXPECT_EQ(::RegQueryValueExW(key, L"DisableDays", nullptr, &type, days, &size), ERROR_SUCCESS);
    ::RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(size, 4u);
    EXPECT_LT(days[0], 7);
    EXPECT_LT(days[1], 7);
    EXPECT_LT(days[2], 7);
    EXPECT_NE(days[0], days[1]);  // y never stays equal to x
    EXPECT_NE(days[2], days[1]);  // nor z
    EXPECT_EQ(days[3], 0);
}

TEST_F(VersionCheck, AServerThatNeverAnswersEndsTheCheckOnItsTimeOuts) {
    Serve("hang", m_localKey);
    const HttpTimeouts saved = CurrentHttpTimeouts();
    SetHttpTimeouts({2000, 2000, 2000});
    // The check runs on its own thread so that a hang fails the test instead of holding it;
    // the guard is far beyond the shortened time-outs.
    auto answer = std::make_shared<std::atomic<int>>(-1);
    std::thread([answer] { *answer = IsUpdateAvailable(true) ? 1 : 0; }).detach();
    const DWORD start = ::GetTickCount();
    while (*answer == -1 && ::GetTickCount() - start < 60000) ::Sleep(50);
    SetHttpTimeouts(saved);
    EXPECT_EQ(*answer, 0);
    EXPECT_EQ(VersionFileRequests(), 1u);
}

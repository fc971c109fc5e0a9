// The operator's notice over a running main window, against the dev service's notice file.
#include "support/Assertions.h"
#include "support/DevService.h"
#include "support/Input.h"
#include "support/Launcher.h"
#include "support/LauncherTest.h"
#include "support/OtherApplication.h"
#include "support/Settings.h"

#include "base/rules/PathParts.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
bool Recorded(const std::string& fragment) { return devservice::Requests().find(fragment) != std::string::npos; }

// What the launcher reads from the service's UTF-8 bytes: the system's ANSI code page decides.
std::wstring AsTheLauncherReadsIt(const std::string& utf8) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
    return text;
}

class Notice : public LauncherTest {
protected:
    void SetUp() override {
        StoreSetting(ProductSettingsFile(), L"PopInfo", nullptr);
        StoreSetting(ProductSettingsFile(), L"PopEnable", nullptr);
        const std::wstring picture = FolderOf(ProductPath()) + L"\\PopWnd.jpg";
        ::DeleteFileW(picture.c_str());
        Configure("notice=text&noticecount=1");
    }
    void TearDown() override {
        StopLauncher();
        LauncherTest::TearDown();
        Configure("notice=none&noticecount=2");
        StoreSetting(ProductSettingsFile(), L"PopInfo", nullptr);
        StoreSetting(ProductSettingsFile(), L"PopEnable", nullptr);
    }
    // The switches given, the others of the notice back at their defaults.
    static void Configure(const std::string& switches) {
        std::string query = "charset=utf8";
        for (const char* name : {"noticekey", "noticepichost", "noticedelay"}) {
            if (switches.find(name) == std::string::npos) query += std::string("&") + name + (name[6] == 'd' ? "=0" : "=");
        }
        ASSERT_FALSE(devservice::Get("/__control/set?" + query + "&" + switches).empty());
    }

    // A main window with one tab, as after a login; its notice timer runs from here.
    void StartWithOneTab() {
        devservice::ResetRequests();
        StartLauncher();
        StopFirstGameProcesses();
        ASSERT_EQ(SendLoginRecord(main, L"s1-notice"), 1);
        frame = std::make_unique<FakeGameFrame>();
        frame->Register(main);
        PumpMessagesFor(500);
        frame->PlaceInGameArea(main);
    }
    void StopLauncher() {
        if (launcher.Id()) KillProcessTree(launcher.Id());
        frame.reset();
    }

    // The pop-up: a visible tool window of the launcher other than the main window.
    HWND FindNotice() const {
        for (HWND hwnd : VisibleTopLevelWindowsOf(launcher.Id())) {
            if (hwnd != main && ClassName(hwnd) == L"#32770" && (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
                return hwnd;
            }
        }
        return nullptr;
    }
    HWND WaitForNotice(DWORD ms) {
        HWND notice = nullptr;
        WaitUntil([&] { return (notice = FindNotice()) != nullptr; }, ms);
        return notice;
    }
    // Nothing can be awaited for "no pop-up": once the launcher has fetched the notice file,
    // give it a generous moment to act on the answer.
    void ExpectNoNoticeAfterTheFetch() {
        ASSERT_TRUE(WaitUntil([] { return Recorded("/notice/tov.txt"); }, kPatienceMs));
        PumpMessagesFor(3000);
        EXPECT_EQ(FindNotice(), nullptr);
    }

    std::unique_ptr<FakeGameFrame> frame;
};

SIZE WindowSize(HWND hwnd) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}
}  // namespace

TEST_F(Notice, TextNoticeShowsAtTheWorkAreaCornerAndClosingDismissesIt) {
    StartWithOneTab();
    HWND notice = WaitForNotice(kPatienceMs);
    ASSERT_NE(notice, nullptr);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT rc{};
    ::GetWindowRect(notice, &rc);
    EXPECT_EQ(rc.right, work.right);
    EXPECT_EQ(rc.bottom, work.bottom);
    EXPECT_EQ(WindowSize(notice).cx, 250);  // the text layout's background
    EXPECT_EQ(WindowSize(notice).cy, 167);
    EXPECT_TRUE(WindowSays(notice, AsTheLauncherReadsIt("系统维护公告")));
    EXPECT_EQ(StoredSetting(ProductSettingsFile(), L"PopEnable"), L"1");
    EXPECT_NE(StoredSetting(ProductSettingsFile(), L"PopInfo").find(L"tov-notice-text-1|2099-12-31|"), std::wstring::npos);

    ::PostMessageW(notice, WM_SYSCOMMAND, SC_CLOSE, 0);  // what its close button sends
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice) || !::IsWindowVisible(notice); }, kPatienceMs));
    EXPECT_EQ(StoredSetting(ProductSettingsFile(), L"PopEnable"), L"0");

    StopLauncher();
    StartWithOneTab();
    ExpectNoNoticeAfterTheFetch();
}

TEST_F(Notice, TheBossKeyTakesTheNoticeAwayWithTheWindowAndBackAgain) {
    StartWithOneTab();
    HWND notice = WaitForNotice(kPatienceMs);
    ASSERT_NE(notice, nullptr);
    OtherApplication focused;
    PressKeys({VK_F10});
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }, kPatienceMs));
    // Hidden with the window in one go, long before its showing time ends by itself.
    PumpMessagesFor(300);
    EXPECT_FALSE(::IsWindowVisible(notice));
    PressKeys({VK_F10});
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kPatienceMs));
    // Back with it, unless its showing time ran out meanwhile (shown once: then it is gone).
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice) || ::IsWindowVisible(notice); }, kPatienceMs));
}

TEST_F(Notice, ACycleThatEndsByItselfShowsTheNoticeAgainNextStart) {
    StartWithOneTab();
    HWND notice = WaitForNotice(kPatienceMs);
    ASSERT_NE(notice, nullptr);
    // Shown once (count 1) for its display time, then gone by itself.
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(notice) || !::IsWindowVisible(notice); }, kPatienceMs));
    EXPECT_EQ(StoredSetting(ProductSettingsFile(), L"PopEnable"), L"1");
    StopLauncher();
    StartWithOneTab();
    EXPECT_NE(WaitForNotice(kPatienceMs), nullptr);
}

TEST_F(Notice, AChangedNoticeShowsAgainAfterADismissal) {
    StoreSetting(ProductSettingsFile(), L"PopInfo", L"tov-notice-text-1|2099-12-31|old");
    StoreSetting(ProductSettingsFile(), L"PopEnable", L"0");
    Configure("notice=text&noticecount=1&noticekey=tov-notice-text-2");
    StartWithOneTab();
    EXPECT_NE(WaitForNotice(kPatienceMs), nullptr);
    EXPECT_NE(StoredSetting(ProductSettingsFile(), L"PopInfo").find(L"tov-notice-text-2|"), std::wstring::npos);
}

TEST_F(Notice, ExpiredMalformedAndOverlongNoticesShowNothing) {
    for (const char* mode : {"expired", "malformed", "toolong"}) {
        SCOPED_TRACE(mode);
        Configure(std::string("notice=") + mode);
        StartWithOneTab();
        ExpectNoNoticeAfterTheFetch();
        EXPECT_TRUE(ProcessAlive(launcher.Id()));
        EXPECT_EQ(StoredSetting(ProductSettingsFile(), L"PopInfo"), L"");  // nothing shown, nothing stored
        StopLauncher();
    }
}

TEST_F(Notice, ANoticeWithALineBreakShowsNothingAndWritesNothing) {
    // Its title holds CR LF and settings lines behind it ("ShortKey", the boss key).
    const std::wstring ini = ProductSettingsFile();
    const std::wstring bossKey = StoredSetting(ini, L"ShortKey");
    Configure("notice=crlf&noticecount=1");
    StartWithOneTab();
    ExpectNoNoticeAfterTheFetch();
    EXPECT_EQ(StoredSetting(ini, L"PopInfo"), L"");
    EXPECT_EQ(StoredSetting(ini, L"PopEnable"), L"");
    EXPECT_EQ(StoredSetting(ini, L"ShortKey"), bossKey);
}

TEST_F(Notice, PictureAndTextLayoutFetchesItsPicture) {
    Configure("notice=pictext&noticecount=1");
    StartWithOneTab();
    HWND notice = WaitForNotice(kPatienceMs);
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(Recorded("/notice/tovpic.png"));
    EXPECT_EQ(WindowSize(notice).cx, 250);  // the picture-and-text background
    EXPECT_EQ(WindowSize(notice).cy, 191);
}

TEST_F(Notice, APictureOutsideTheOperatorsDomainsIsNeverRequested) {
    // "localhost" reaches the same service, so a request would be recorded; the dev build
    // trusts only 127.0.0.1.
    Configure("notice=picture&noticecount=1&noticepichost=localhost");
    StartWithOneTab();
    EXPECT_NE(WaitForNotice(kPatienceMs), nullptr);  // shown, with whatever picture file there is
    EXPECT_FALSE(Recorded("/notice/tovpic.png")) << devservice::Requests();
}

TEST_F(Notice, TheMainWindowKeepsAnsweringWhileTheNoticeServerIsSlow) {
    Configure("notice=text&noticecount=1&noticedelay=20000");
    StartWithOneTab();
    ASSERT_TRUE(WaitUntil([] { return Recorded("/notice/tov.txt"); }, kPatienceMs));
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR result = 0;
        EXPECT_NE(::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result), 0)
            << "the main window did not answer while the notice was being fetched";
        PumpMessagesFor(500);
    }
}

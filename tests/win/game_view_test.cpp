// The game page's view on the real browser host, over a stand-in control: what the
// favourites key saves is the page's own title and address, and only the page's own loads
// place and show its frame, never an inner frame's (an advertisement's).
#include "framework/FrameWnd.h"
#include "gameview/GameProcess.h"
#include "gameview/GamePageState.h"
#include "gameview/GamePageView.h"
#include "support/OleScope.h"
#include "support/StandInBrowser.h"
#include "support/StandInDocument.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// What the game process was started with (its page, its host's window), put back whatever
// the test does.
class GameStart {
public:
    GameStart(const std::wstring& url, HWND host) : m_url(TheGameProcess().m_strGameUrl), m_host(TheGameProcess().m_hHostWnd) {
        TheGameProcess().m_strGameUrl = url;
        TheGameProcess().m_hHostWnd = host;
    }
    ~GameStart() {
        TheGameProcess().m_strGameUrl = m_url;
        TheGameProcess().m_hHostWnd = m_host;
    }
    GameStart(const GameStart&) = delete;
    GameStart& operator=(const GameStart&) = delete;

private:
    std::wstring m_url;
    HWND m_host;
};

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}
}  // namespace

TEST(GameViewOnAStandInControl, TheTabKeepsThePagesOwnTitleAndAddressAndOnlyItsLoadsShowTheFrame) {
    OleScope ole;
    StandInDocument document;
    // The main window's tab area the frame is placed over (never shown).
    const HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    const GameStart game(L"http://127.0.0.1/game.htm?server=7", host);
    {
        StandInBrowserClass control(document);
        ASSERT_TRUE(control.Registered());
        CSingleDocSet set;
        set.document = std::make_unique<GamePageState>();
        set.frame = std::make_unique<CFrameWnd>();
        ASSERT_TRUE(set.Open(L"QuarnelHalvira", WS_OVERLAPPEDWINDOW, [] {
            auto view = std::make_unique<GamePageView>();
            view->UseBrowserFactory(&CreateIeBrowser);
            return view;
        }));
        const HWND frame = set.frame->m_hWnd;
        auto* page = static_cast<GamePageState*>(set.document.get());
        auto* view = static_cast<GamePageView*>(set.frame->GetActiveView());
        ASSERT_EQ(StandInBrowserClass::LiveControls(), 1);

        // The start page loaded as the view was made.
        EXPECT_EQ(page->m_strPageUrl, L"http://127.0.0.1/game.htm?server=7");
        EXPECT_TRUE(::IsWindowVisible(frame));
        const RECT placed = WindowRect(frame);
        EXPECT_EQ(placed.right - placed.left, 800 - 8);  // the host's client area less its border
        EXPECT_EQ(placed.bottom - placed.top, 600 - 34);

        // Another tab is in front: this one is hidden while its page's advertisement loads.
        ::ShowWindow(frame, SW_HIDE);
        ::MoveWindow(frame, 0, 0, 100, 100, FALSE);
        const RECT aside = WindowRect(frame);
        control.LoadInnerFrame(L"http://ads.example/banner.htm");
        EXPECT_FALSE(::IsWindowVisible(frame));
        EXPECT_EQ(WindowRect(frame).right, aside.right);
        EXPECT_EQ(page->m_strPageUrl, L"http://127.0.0.1/game.htm?server=7");

        control.ChangeTitle(L"第七区 - 游戏中");
        EXPECT_EQ(page->m_strPageTitle, L"第七区 - 游戏中");

        // The next page: the frame is placed and shown with it.
        ASSERT_TRUE(view->Navigate2(L"http://127.0.0.1/game2.htm"));
        EXPECT_EQ(page->m_strPageUrl, L"http://127.0.0.1/game2.htm");
        EXPECT_TRUE(::IsWindowVisible(frame));
        EXPECT_EQ(WindowRect(frame).right, placed.right);
        set.Close();
    }
    EXPECT_EQ(StandInBrowserClass::LiveControls(), 0);
    ::DestroyWindow(host);
}

// The game page's view on the real browser host, over a stand-in control: what the
// favourites key saves is the page's own title and address, and only the page's own loads
// place and show its frame, never an inner frame's (an advertisement's).
#include "framework/FrameWnd.h"
#include "gameview/GameProcess.h"
#include "gameview/GmWndDoc.h"
#include "gameview/GmWndView.h"
#include "support/OleScope.h"
#include "support/StandInBrowser.h"
#include "support/StandInDocument.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// The game address the process was started with, put back whatever the test does.
class GameAddress {
public:
    explicit GameAddress(const std::wstring& url) : m_before(TheGameProcess().m_strGameUrl) {
        TheGameProcess().m_strGameUrl = url;
    }
    ~GameAddress() { TheGameProcess().m_strGameUrl = m_before; }
    GameAddress(const GameAddress&) = delete;
    GameAddress& operator=(const GameAddress&) = delete;

private:
    std::wstring m_before;
};
}  // namespace

TEST(GameViewOnAStandInControl, TheTabKeepsThePagesOwnTitleAndAddressAndOnlyItsLoadsShowTheFrame) {
    OleScope ole;
    StandInDocument document;
    const GameAddress game(L"http://127.0.0.1/game.htm?server=7");
    {
        StandInBrowserClass control(document);
        ASSERT_TRUE(control.Registered());
        CSingleDocSet set;
        set.document = std::make_unique<CGmWndDoc>();
        set.frame = std::make_unique<CFrameWnd>();
        ASSERT_TRUE(set.Open(L"QuarnelHalvira", WS_OVERLAPPEDWINDOW, [] {
            auto view = std::make_unique<CGmWndView>();
            view->UseBrowserFactory(&CreateIeBrowser);
            return view;
        }));
        const HWND frame = set.frame->m_hWnd;
        auto* page = static_cast<CGmWndDoc*>(set.document.get());
        auto* view = static_cast<CGmWndView*>(set.frame->GetActiveView());
        ASSERT_EQ(StandInBrowserClass::LiveControls(), 1);

        // The start page loaded as the view was made.
        EXPECT_EQ(page->m_strPageUrl, L"http://127.0.0.1/game.htm?server=7");
        EXPECT_TRUE(::IsWindowVisible(frame));

        // Another tab is in front: this one is hidden while its page's advertisement loads.
        ::ShowWindow(frame, SW_HIDE);
        control.LoadInnerFrame(L"http://ads.example/banner.htm");
        EXPECT_FALSE(::IsWindowVisible(frame));
        EXPECT_EQ(page->m_strPageUrl, L"http://127.0.0.1/game.htm?server=7");

        control.ChangeTitle(L"第七区 - 游戏中");
        EXPECT_EQ(page->m_strPageTitle, L"第七区 - 游戏中");

        // The next page: the frame is placed and shown with it.
        ASSERT_TRUE(view->Navigate2(L"http://127.0.0.1/game2.htm"));
        EXPECT_EQ(page->m_strPageUrl, L"http://127.0.0.1/game2.htm");
        EXPECT_TRUE(::IsWindowVisible(frame));
        set.Close();
    }
    EXPECT_EQ(StandInBrowserClass::LiveControls(), 0);
}

// A game frame asked to close while a box of its page is open (an alert: the page's script
// waits inside the browser) closes only when the box has gone, and then once.
#include "framework/FrameWnd.h"
#include "framework/HtmlView.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// What the page's browser was asked and told, kept apart from the browser (the view owns it).
struct PageRecord {
    bool modal = false;
    int leaveQuestions = 0;  // the page's "before unload", asked as the frame closes
    BrowserEvents* events = nullptr;
};
PageRecord g_page;

class PageWithABox final : public Browser {
public:
    bool Create(HWND, const RECT&, BrowserEvents* events) override {
        g_page.events = events;
        return true;
    }
    void Destroy() override { g_page.events = nullptr; }
    void Move(const RECT&) override {}
    bool Navigate(const std::wstring&) override { return true; }
    void Refresh() override {}
    void SetSilent(bool) override {}
    [[nodiscard]] std::wstring LocationUrl() const override { return {}; }
    [[nodiscard]] std::wstring Title() const override { return {}; }
    bool PromptBeforeLeave() override {
        ++g_page.leaveQuestions;
        return true;
    }
    [[nodiscard]] bool IsModal() const override { return g_page.modal; }
    [[nodiscard]] HWND Window() const override { return nullptr; }
    void SetBodyScroll(const std::wstring&) override {}
};

std::unique_ptr<Browser> NewPageWithABox() { return std::make_unique<PageWithABox>(); }

// A frame and its view as a game process makes them, over the page above.
bool OpenFrame(CSingleDocSet& set) {
    g_page = PageRecord{};
    set.document = std::make_unique<CDocument>();
    set.frame = std::make_unique<CFrameWnd>();
    return set.Open(L"QuarnelHalvira", WS_OVERLAPPEDWINDOW, [] {
        auto view = std::make_unique<CHtmlView>();
        view->UseBrowserFactory(&NewPageWithABox);
        return view;
    }) && g_page.events;
}
}  // namespace

TEST(HtmlViewClose, AFramesCloseWaitsForThePagesBox) {
    CSingleDocSet set;
    ASSERT_TRUE(OpenFrame(set));
    const HWND frame = set.frame->m_hWnd;

    g_page.modal = true;
    ::SendMessageW(frame, WM_CLOSE, 0, 0);
    ::SendMessageW(frame, WM_CLOSE, 0, 0);
    PumpMessagesFor(100);
    EXPECT_TRUE(::IsWindow(frame));
    EXPECT_EQ(g_page.leaveQuestions, 0);

    g_page.modal = false;
    g_page.events->OnModalEnded();
    PumpMessagesFor(100);
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(g_page.leaveQuestions, 1);
    set.Close();
}

TEST(HtmlViewClose, ABoxThatEndsWithNoCloseAskedClosesNothing) {
    CSingleDocSet set;
    ASSERT_TRUE(OpenFrame(set));
    g_page.events->OnModalEnded();
    PumpMessagesFor(100);
    EXPECT_TRUE(::IsWindow(set.frame->m_hWnd));
    set.Close();
}

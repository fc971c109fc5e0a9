// The launcher's HTML dialog base: "button" elements behave like push buttons, the page
// drags the window, "app:" addresses are never loaded, and the browser behaves like a
// dialog. Page events are played with stand-in elements through the dialog's event entry,
// the way the browser's document sink delivers them.
#include "framework/IeBrowser.h"
#include "framework/ScriptedBrowserProtocol.h"
#include "login/PageDialog.h"
#include "res/resource.h"
#include "support/OleScope.h"
#include "support/Process.h"
#include "support/RecordingActiveObject.h"
#include "support/StandInBrowser.h"
#include "support/StandInDocument.h"

#include <exdispid.h>
#include <mshtmhst.h>
#include <gtest/gtest.h>

#include <vector>

namespace {
// An element as the page would have it: a box, a background offset and a click count.
struct FakeElement : PageElement {
    std::wstring className = L"button";
    std::wstring tagName = L"IMG";
    std::optional<RECT> box = RECT{20, 10, 80, 40};  // 60 wide
    bool disabled = false;
    bool hasStyle = true;
    std::optional<long> backgroundX;
    int clicks = 0;

    std::wstring ClassName() const override { return className; }
    std::wstring TagName() const override { return tagName; }
    std::optional<RECT> OffsetRect() const override { return box; }
    bool IsDisabled() const override { return disabled; }
    bool SetBackgroundPositionX(long x) override {
        if (!hasStyle) return false;
        backgroundX = x;
        return true;
    }
    void Click() override { ++clicks; }
};

// Records the non-client mouse messages the page's drag sends instead of letting the system
// start a real move loop.
class TestHtmlDialog : public PageDialog {
public:
    TestHtmlDialog() : PageDialog(IDD_LOGIN) {}
    std::vector<std::pair<UINT, LPARAM>> captionMouse;
    std::vector<std::wstring> shownMessages;
    int cancels = 0;  // closes that reached the dialog's cancel

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) ++cancels;
        if ((msg == WM_NCLBUTTONDOWN || msg == WM_NCLBUTTONUP || msg == WM_NCMOUSEMOVE) && wParam == HTCAPTION) {
            captionMouse.emplace_back(msg, lParam);
            return 0;
        }
        return PageDialog::WindowProc(msg, wParam, lParam);
    }
    HRESULT OnShowMessage(HWND, const wchar_t* text, const wchar_t*, DWORD, const wchar_t*, DWORD,
                          LRESULT* result) override {
        shownMessages.emplace_back(text ? text : L"");
        if (result) *result = IDOK;
        return S_OK;
    }
    // Events as the browser's sinks deliver them.
    bool Page(long dispid, const std::shared_ptr<FakeElement>& element) { return OnPageEvent(dispid, element); }
    bool Before(const std::wstring& url) {
        bool cancel = false;
        static_cast<BrowserEvents*>(this)->OnBeforeNavigate2(url, cancel);
        return cancel;
    }
};

struct HtmlDialog : ::testing::Test {
    TestHtmlDialog dialog;
    std::shared_ptr<FakeElement> button = std::make_shared<FakeElement>();

    void SetUp() override {
        ASSERT_TRUE(dialog.Create(IDD_LOGIN, nullptr));
        // Left hidden: nothing here needs it on screen, and unmapping a shown window costs
        // seconds on a display without a window manager.
        dialog.SetWindowPos(nullptr, 100, 100, 400, 300, SWP_NOZORDER);
    }
    void TearDown() override { ::ReleaseCapture(); }

    // A button release as the window receives it while it holds the capture.
    void Release(UINT message, int x, int y) { dialog.SendMessage(message, 0, MAKELPARAM(x, y)); }
    HWND BrowserWindow() const { return dialog.GetBrowser() ? dialog.GetBrowser()->Window() : nullptr; }
    LRESULT Query(ScriptedBrowserQuery query) const {
        return ::SendMessageW(BrowserWindow(), ::RegisterWindowMessageW(kScriptedBrowserQueryMessage), query, 0);
    }
};
}  // namespace

TEST_F(HtmlDialog, ButtonShowsHoverAndNormalLooks) {
    EXPECT_TRUE(dialog.Page(dom_event::kMouseOver, button));  // cancelled: the handler did it
    EXPECT_EQ(button->backgroundX, -60);
    EXPECT_TRUE(dialog.Page(dom_event::kMouseOut, button));
    EXPECT_EQ(button->backgroundX, 0);
    EXPECT_EQ(button->clicks, 0);
}

TEST_F(HtmlDialog, PressAndReleaseInsideClicksOnce) {
    dialog.Page(dom_event::kMouseDown, button);
    EXPECT_EQ(::GetCapture(), dialog.m_hWnd);
    EXPECT_EQ(button->backgroundX, -120);
    EXPECT_EQ(dialog.m_pCapturedElement, button);
    // While pressed, leaving and entering the element changes nothing.
    dialog.Page(dom_event::kMouseOut, button);
    dialog.Page(dom_event::kMouseOver, button);
    EXPECT_EQ(button->backgroundX, -120);

    Release(WM_LBUTTONUP, 50, 25);
    EXPECT_EQ(button->clicks, 1);
    EXPECT_EQ(button->backgroundX, -60);
    EXPECT_NE(::GetCapture(), dialog.m_hWnd);
    EXPECT_EQ(dialog.m_pCapturedElement, nullptr);
    // A later release without a press reaches nobody's button.
    Release(WM_LBUTTONUP, 50, 25);
    EXPECT_EQ(button->clicks, 1);
}

TEST_F(HtmlDialog, ReleaseOutsideRestoresTheButtonWithoutAClick) {
    dialog.Page(dom_event::kMouseDown, button);
    Release(WM_LBUTTONUP, 200, 25);  // dragged off to the right
    EXPECT_EQ(button->clicks, 0);
    EXPECT_EQ(button->backgroundX, 0);
    // The box's right and bottom edges are outside it; its left and top are inside.
    dialog.Page(dom_event::kMouseDown, button);
    Release(WM_LBUTTONUP, 80, 25);
    EXPECT_EQ(button->clicks, 0);
    dialog.Page(dom_event::kMouseDown, button);
    Release(WM_LBUTTONUP, 20, 10);
    EXPECT_EQ(button->clicks, 1);
}

TEST_F(HtmlDialog, ReleaseLeftOfTheWindowIsOutside) {
    // Client coordinates are signed: a release left of the window is not a large x inside.
    dialog.Page(dom_event::kMouseDown, button);
    Release(WM_LBUTTONUP, -30, 25);
    EXPECT_EQ(button->clicks, 0);
    EXPECT_EQ(button->backgroundX, 0);
}

TEST_F(HtmlDialog, RightButtonReleaseEndsAPressLikeTheLeft) {
    dialog.Page(dom_event::kMouseDown, button);
    Release(WM_RBUTTONUP, 50, 25);
    EXPECT_EQ(button->clicks, 1);
    EXPECT_NE(::GetCapture(), dialog.m_hWnd);
}

TEST_F(HtmlDialog, ReleaseTheBrowserSeesClicksWithTheHoverLook) {
    // Without the capture (the page got the release itself) the element is clicked at once.
    dialog.Page(dom_event::kMouseUp, button);
    EXPECT_EQ(button->clicks, 1);
    EXPECT_EQ(button->backgroundX, -60);
}

TEST_F(HtmlDialog, DisabledButtonIsNeitherHighlightedNorPressedButReturnsToNormal) {
    button->disabled = true;
    dialog.Page(dom_event::kMouseOver, button);
    EXPECT_FALSE(button->backgroundX.has_value());
    dialog.Page(dom_event::kMouseDown, button);
    EXPECT_FALSE(button->backgroundX.has_value());
    EXPECT_NE(::GetCapture(), dialog.m_hWnd);
    dialog.Page(dom_event::kMouseOut, button);
    EXPECT_EQ(button->backgroundX, 0);
}

TEST_F(HtmlDialog, ElementWithoutLayoutOrStyleKeepsItsLook) {
    button->box.reset();
    dialog.Page(dom_event::kMouseOver, button);
    EXPECT_FALSE(button->backgroundX.has_value());
    button->box = RECT{0, 0, 10, 10};
    button->hasStyle = false;
    dialog.Page(dom_event::kMouseDown, button);
    Release(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(button->clicks, 1);  // still a button
    EXPECT_FALSE(button->backgroundX.has_value());
}

TEST_F(HtmlDialog, PageDragsTheWindowFromBodyCellAndDivButNotFromTheirContent) {
    for (const wchar_t* tag : {L"BODY", L"td", L"Div"}) {
        auto element = std::make_shared<FakeElement>();
        element->className = L"panel";
        element->tagName = tag;
        dialog.captionMouse.clear();
        EXPECT_TRUE(dialog.Page(dom_event::kMouseDown, element)) << tag;
        EXPECT_TRUE(dialog.Page(dom_event::kMouseMove, element)) << tag;
        EXPECT_TRUE(dialog.Page(dom_event::kMouseUp, element)) << tag;
        ASSERT_EQ(dialog.captionMouse.size(), 3u) << tag;
        EXPECT_EQ(dialog.captionMouse[0].first, static_cast<UINT>(WM_NCLBUTTONDOWN));
        EXPECT_EQ(dialog.captionMouse[1].first, static_cast<UINT>(WM_NCMOUSEMOVE));
        EXPECT_EQ(dialog.captionMouse[2].first, static_cast<UINT>(WM_NCLBUTTONUP));
        POINT cursor{};
        ::GetCursorPos(&cursor);
        EXPECT_EQ(dialog.captionMouse[0].second, MAKELPARAM(cursor.x, cursor.y));
    }
    // Text in a span inside a div: only the source element counts, and a span has no entry.
    auto span = std::make_shared<FakeElement>();
    span->className = L"";
    span->tagName = L"SPAN";
    dialog.captionMouse.clear();
    EXPECT_FALSE(dialog.Page(dom_event::kMouseDown, span));
    EXPECT_TRUE(dialog.captionMouse.empty());
    // A "button" div is a button, not a drag handle.
    button->tagName = L"DIV";
    dialog.Page(dom_event::kMouseDown, button);
    EXPECT_TRUE(dialog.captionMouse.empty());
    EXPECT_EQ(::GetCapture(), dialog.m_hWnd);
}

TEST_F(HtmlDialog, ContextMenuIsCancelledAndSuppressed) {
    auto body = std::make_shared<FakeElement>();
    body->className = L"";
    body->tagName = L"body";
    EXPECT_TRUE(dialog.Page(dom_event::kContextMenu, body));
    // The host also tells the browser it handled the menu itself.
    EXPECT_TRUE(static_cast<BrowserEvents&>(dialog).OnShowContextMenu());
}

TEST_F(HtmlDialog, AppAddressesAreNeverLoadedOthersAre) {
    EXPECT_TRUE(dialog.Before(L"app://anything"));
    EXPECT_TRUE(dialog.Before(L"app:"));
    EXPECT_FALSE(dialog.Before(L"APP://anything"));
    EXPECT_FALSE(dialog.Before(L"ap"));
    EXPECT_FALSE(dialog.Before(L"http://127.0.0.1/app:"));

    // Through the browser: the "app:" navigation does not complete, the upper-case one does.
    ASSERT_NE(BrowserWindow(), nullptr);
    dialog.Navigate(L"app://exitgame");
    dialog.Navigate(L"APP://exitgame");
    ASSERT_TRUE(WaitUntil([&] { return Query(kQueryCompletedNavigations) >= 1; }, 5000));
    PumpMessagesFor(100);
    EXPECT_EQ(Query(kQueryCompletedNavigations), 1);
    EXPECT_EQ(dialog.m_strCurrentUrl, L"APP://exitgame");
}

TEST_F(HtmlDialog, BehavesLikeADialogPage) {
    EXPECT_EQ(Query(kQuerySilent), 1);
    EXPECT_TRUE(Query(kQueryHostFlags) & DOCHOSTUIFLAG_DIALOG);
    EXPECT_TRUE(Query(kQueryHostFlags) & DOCHOSTUIFLAG_NO3DBORDER);  // no sunken edge over the artwork
    dialog.Navigate(L"http://127.0.0.1/page");
    ASSERT_TRUE(WaitUntil([&] { return Query(kQueryCompletedNavigations) >= 1; }, 5000));
    EXPECT_EQ(Query(kQueryBodyScrollAuto), 1);
    // A failed navigation shows no error page.
    bool cancel = false;
    static_cast<BrowserEvents&>(dialog).OnNavigateError(L"http://127.0.0.1/gone", 404, cancel);
    EXPECT_TRUE(cancel);
    // Enter does not end the dialog.
    dialog.ShowWindow(SW_SHOW);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_TRUE(dialog.IsWindowVisible());
}

TEST_F(HtmlDialog, DestroyingTheWindowDropsAPressedElement) {
    dialog.Page(dom_event::kMouseDown, button);
    const std::weak_ptr<FakeElement> held = button;
    button.reset();
    dialog.DestroyWindow();
    EXPECT_TRUE(held.expired());
}

namespace {
// The login page's push button as the document has it: class "button", 60 wide.
StandInElement StandInButton() {
    StandInElement button;
    button.className = L"button";
    button.tagName = L"IMG";
    button.offset = RECT{20, 10, 80, 40};
    return button;
}
}  // namespace

// The real path from a document's events to the dialog's handlers: the document-event sink
// connected to a stand-in document, each event's source read through the page-element
// wrapper over the document's own element.
TEST_F(HtmlDialog, ADocumentsEventsReachTheHandlersThroughTheRealSink) {
    const long objectsBefore = StandInDocument::LiveObjects();
    {
        StandInDocument document;
        const int pressable = document.AddElement(StandInButton());
        StandInElement look = StandInButton();
        look.className = L"text";
        look.tagName = L"SPAN";
        const int text = document.AddElement(look);

        auto sink = ComPtr<IeDocumentEvents>::Adopt(IeDocumentEvents::New(&dialog));
        ASSERT_TRUE(sink);
        IUnknown* unknown = document.NewReference();
        sink->Connect(unknown);
        sink->Connect(unknown);  // the same document again: still one connection
        EXPECT_EQ(document.Sinks(), 1);

        // A button's hover look, with the browser's default action cancelled.
        EXPECT_EQ(document.Fire(dom_event::kMouseOver, pressable), false);
        EXPECT_EQ(document.Element(pressable).backgroundX, -60);
        // Pressed: the window holds the capture, and the release inside clicks it once.
        EXPECT_EQ(document.Fire(dom_event::kMouseDown, pressable), false);
        EXPECT_EQ(::GetCapture(), dialog.m_hWnd);
        EXPECT_EQ(document.Element(pressable).backgroundX, -120);
        Release(WM_LBUTTONUP, 50, 25);
        EXPECT_EQ(document.Element(pressable).clicks, 1);
        EXPECT_NE(::GetCapture(), dialog.m_hWnd);
        // An element no entry names keeps the browser's own behaviour.
        EXPECT_EQ(document.Fire(dom_event::kMouseDown, text), true);
        EXPECT_FALSE(document.Element(text).backgroundX.has_value());

        sink->Disconnect();
        EXPECT_EQ(document.Sinks(), 0);
        EXPECT_FALSE(document.Fire(dom_event::kMouseOver, pressable).has_value());  // nobody listens
        unknown->Release();
        sink->Detach();
    }
    // Every object of the document and every reference the sink took were given back.
    EXPECT_EQ(StandInDocument::LiveObjects(), objectsBefore);
    EXPECT_EQ(LiveBrowserSites(), 0);
}

// The real control behind the dialog: its sinks reach the dialog's handlers.
namespace {
const IID kDocHostShowUI = {0xC4D244B0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};
const IID kDocHostUIHandler = {0xBD3F23C0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};
const IID kWebBrowserEvents2 = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

struct HtmlDialogOnInternetExplorer : ::testing::Test {
    OleScope ole;
    TestHtmlDialog dialog;
    void SetUp() override {
        dialog.UseBrowserFactory(&CreateIeBrowser);
        ASSERT_TRUE(dialog.Create(IDD_LOGIN, nullptr));
        ASSERT_NE(Site(), nullptr);
    }
    void TearDown() override {
        dialog.DestroyWindow();
        EXPECT_EQ(LiveBrowserSites(), 0);
    }
    IUnknown* Site() const {
        auto* ie = dynamic_cast<IeBrowser*>(dialog.GetBrowser());
        return ie ? ie->HostSite() : nullptr;
    }
    // BeforeNavigate2 as the control fires it; returns the cancel flag it gets back.
    bool FireBeforeNavigate(const wchar_t* url) {
        ComPtr<IDispatch> sink;
        EXPECT_EQ(Site()->QueryInterface(kWebBrowserEvents2, sink.PutVoid()), S_OK);
        Bstr address(url);
        VARIANT urlValue;
        ::VariantInit(&urlValue);
        urlValue.vt = VT_BSTR;
        urlValue.bstrVal = address.Get();
        VARIANT_BOOL cancel = VARIANT_FALSE;
        VARIANT args[7];
        for (VARIANT& v : args) ::VariantInit(&v);
        // Last argument first: Cancel, Headers, PostData, TargetFrameName, Flags, URL, pDisp.
        args[0].vt = VT_BYREF | VT_BOOL;
        args[0].pboolVal = &cancel;
        args[5].vt = VT_BYREF | VT_VARIANT;
        args[5].pvarVal = &urlValue;
        DISPPARAMS params{args, nullptr, 7, 0};
        EXPECT_EQ(sink->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
                  S_OK);
        return cancel == VARIANT_TRUE;
    }
};
}  // namespace

// A close asked for while the page's script waits on a box of the browser's (an alert) would
// destroy the browser under that script: it waits until the last box has gone.
TEST_F(HtmlDialogOnInternetExplorer, AClosesWaitsForThePagesBoxes) {
    ComPtr<IOleInPlaceFrame> frame;
    ASSERT_EQ(Site()->QueryInterface(IID_IOleInPlaceFrame, frame.PutVoid()), S_OK);
    frame->EnableModeless(FALSE);  // an alert
    frame->EnableModeless(FALSE);  // and a box over it
    EXPECT_TRUE(dialog.GetBrowser()->IsModal());
    dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    dialog.SendMessage(WM_CLOSE, 0, 0);
    frame->EnableModeless(TRUE);
    PumpMessagesFor(100);
    EXPECT_EQ(dialog.cancels, 0);
    EXPECT_TRUE(dialog.GetBrowser()->IsModal());

    frame->EnableModeless(TRUE);
    EXPECT_FALSE(dialog.GetBrowser()->IsModal());
    PumpMessagesFor(100);
    EXPECT_EQ(dialog.cancels, 1);  // once, however often it was asked
    frame->EnableModeless(TRUE);  // unbalanced: changes nothing
    EXPECT_FALSE(dialog.GetBrowser()->IsModal());

    dialog.SendMessage(WM_CLOSE, 0, 0);  // no box: at once
    PumpMessagesFor(100);
    EXPECT_EQ(dialog.cancels, 2);
}

// Back from another window, the page must take keys without a click: the dialog passes its
// activation on to the page.
TEST_F(HtmlDialogOnInternetExplorer, TheDialogsDeactivationReachesThePage) {
    RecordingActiveObject page;
    ComPtr<IOleInPlaceFrame> frame;
    ASSERT_EQ(Site()->QueryInterface(IID_IOleInPlaceFrame, frame.PutVoid()), S_OK);
    frame->SetActiveObject(&page, nullptr);
    dialog.SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(page.frameActivations, std::vector<BOOL>{FALSE});
    frame->SetActiveObject(nullptr, nullptr);
}

// The whole real path, with the control and its document stood in for: the dialog creates
// the control through the product's host, a navigation comes back as the control's events,
// the page's body gets its scroll, the page's events are connected on completion (and again
// when a script replaces the document), and every reference is given back when the dialog
// goes.
TEST(HtmlDialogOnAStandInControl, ANavigatedPageScrollsAndSendsItsEventsToTheDialog) {
    OleScope ole;
    StandInDocument document;
    const int pressable = document.AddElement(StandInButton());
    StandInDocument rewritten;  // the page's script writes a new document later
    const int rewrittenPressable = rewritten.AddElement(StandInButton());
    {
        StandInBrowserClass control(document);
        ASSERT_TRUE(control.Registered());
        TestHtmlDialog dialog;
        dialog.UseBrowserFactory(&CreateIeBrowser);
        ASSERT_TRUE(dialog.Create(IDD_LOGIN, nullptr));
        ASSERT_EQ(StandInBrowserClass::LiveControls(), 1);
        EXPECT_TRUE(control.HasSite());
        EXPECT_TRUE(control.HasSink());

        EXPECT_TRUE(dialog.Navigate(L"app://loadgame/x|y"));  // refused before it starts
        EXPECT_EQ(dialog.m_strCurrentUrl, L"");
        EXPECT_EQ(document.Sinks(), 0);
        EXPECT_TRUE(dialog.Navigate(L"http://127.0.0.1/login.htm"));
        EXPECT_EQ(dialog.m_strCurrentUrl, L"http://127.0.0.1/login.htm");
        EXPECT_EQ(document.Element(StandInDocument::kBody).scroll, L"auto");
        EXPECT_EQ(document.Sinks(), 1);
        EXPECT_EQ(document.Fire(dom_event::kMouseOver, pressable), false);
        EXPECT_EQ(document.Element(pressable).backgroundX, -60);
        EXPECT_EQ(dialog.GetBrowser()->Title(), L"http://127.0.0.1/login.htm");

        // A new document with no navigation: its events are the ones connected now.
        control.ReplaceDocument(rewritten);
        EXPECT_EQ(document.Sinks(), 0);
        EXPECT_EQ(rewritten.Sinks(), 1);
        EXPECT_EQ(rewritten.Fire(dom_event::kMouseOver, rewrittenPressable), false);
        EXPECT_EQ(rewritten.Element(rewrittenPressable).backgroundX, -60);

        dialog.DestroyWindow();
        EXPECT_EQ(rewritten.Sinks(), 0);
    }
    EXPECT_EQ(StandInBrowserClass::LiveControls(), 0);
    EXPECT_EQ(LiveBrowserSites(), 0);
}

TEST_F(HtmlDialogOnInternetExplorer, EventSinkCancelsAppNavigations) {
    EXPECT_TRUE(FireBeforeNavigate(L"app://loadgame/x|y"));
    EXPECT_FALSE(FireBeforeNavigate(L"App://loadgame/x|y"));
    EXPECT_FALSE(FireBeforeNavigate(L"http://127.0.0.1/yxtov/wd"));
}

TEST_F(HtmlDialogOnInternetExplorer, MessageBoxHookAnswersThroughBothLookupPaths) {
    ComPtr<IDocHostShowUI> fromSite;
    ASSERT_EQ(Site()->QueryInterface(kDocHostShowUI, fromSite.PutVoid()), S_OK);
    ComPtr<IDocHostUIHandler> handler;
    ASSERT_EQ(Site()->QueryInterface(kDocHostUIHandler, handler.PutVoid()), S_OK);
    ComPtr<IDocHostShowUI> fromHandler;
    ASSERT_EQ(handler->QueryInterface(kDocHostShowUI, fromHandler.PutVoid()), S_OK);
    EXPECT_EQ(fromSite.Get(), fromHandler.Get());

    wchar_t text[] = L"hello";
    LRESULT result = 0;
    EXPECT_EQ(fromHandler->ShowMessage(dialog.m_hWnd, text, nullptr, MB_OK, nullptr, 0, &result), S_OK);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(dialog.shownMessages.size(), 1u);
    EXPECT_EQ(dialog.shownMessages[0], L"hello");
    // Help stays the browser's.
    EXPECT_EQ(fromSite->ShowHelp(dialog.m_hWnd, nullptr, 0, 0, POINT{}, nullptr), S_FALSE);
}

TEST_F(HtmlDialogOnInternetExplorer, HostFlagsAndMenuComeFromTheDialog) {
    ComPtr<IDocHostUIHandler> handler;
    ASSERT_EQ(Site()->QueryInterface(kDocHostUIHandler, handler.PutVoid()), S_OK);
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof(info);
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_TRUE(info.dwFlags & DOCHOSTUIFLAG_DIALOG);
    EXPECT_TRUE(info.dwFlags & DOCHOSTUIFLAG_NO3DBORDER);
    EXPECT_EQ(handler->ShowContextMenu(0, nullptr, nullptr, nullptr), S_OK);
}

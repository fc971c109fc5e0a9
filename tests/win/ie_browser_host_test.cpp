// The Internet Explorer host without an HTML engine: Wine creates the control, so the site
// object's interfaces, reference counts and event translation can be checked; navigation
// itself cannot run here.
#include "framework/IeBrowser.h"
#include "support/OleScope.h"
#include "support/RecordingActiveObject.h"
#include "support/TestParent.h"

#include <exdispid.h>
#include <type_traits>
#include <mshtmdid.h>
#include <olectl.h>
#include <mshtmhst.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const IID kDocHostShowUI = {0xC4D244B0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};
const IID kDocHostUIHandler = {0xBD3F23C0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};
const IID kWebBrowserEvents2 = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

struct RecordingEvents : BrowserEvents {
    std::vector<std::wstring> seen;
    bool cancelNext = false;
    void OnBeforeNavigate2(const std::wstring& url, bool& cancel) override {
        seen.push_back(L"before " + url);
        cancel = cancelNext;
    }
    void OnBeforeFrameNavigate2(const std::wstring& url, const std::wstring& frameUrl, bool& cancel) override {
        seen.push_back(L"frame " + url + L" in " + frameUrl);
        cancel = cancelNext;
    }
    void OnNavigateComplete2(const std::wstring& url) override { seen.push_back(L"complete " + url); }
    void OnDocumentComplete(const std::wstring& url) override { seen.push_back(L"document " + url); }
    void OnNavigateError(const std::wstring& url, long status, bool& cancel) override {
        seen.push_back(L"error " + url + L" " + std::to_wstring(status));
        cancel = true;
    }
    void OnTitleChange(const std::wstring& title) override { seen.push_back(L"title " + title); }
    unsigned OnGetHostInfo(unsigned flags) override { return flags | 0xC; }
    bool OnShowContextMenu() override { return true; }
};

ULONG RefsOf(IUnknown* unknown) {
    unknown->AddRef();
    return unknown->Release();
}

class IeBrowserHost : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(LiveBrowserSites(), 0);
        ASSERT_TRUE(m_browser.Create(m_parent.m_hWnd, RECT{0, 0, 300, 200}, &m_events));
        ASSERT_NE(m_browser.HostSite(), nullptr);
    }
    void TearDown() override {
        m_browser.Destroy();
        // Every reference the control took on the site has been given back.
        EXPECT_EQ(LiveBrowserSites(), 0);
    }

    // An event as the control delivers it: arguments last first.
    HRESULT Fire(DISPID id, std::vector<VARIANT> argsInOrder) {
        ComPtr<IDispatch> sink;
        EXPECT_EQ(m_browser.HostSite()->QueryInterface(kWebBrowserEvents2, sink.PutVoid()), S_OK);
        std::vector<VARIANT> reversed(argsInOrder.rbegin(), argsInOrder.rend());
        DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        return sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }

    OleScope m_ole;
    TestParent m_parent;
    RecordingEvents m_events;
    IeBrowser m_browser;
};

VARIANT Text(BSTR b) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = b;
    return v;
}
VARIANT ByRef(VARIANT* inner) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = inner;
    return v;
}
VARIANT BoolRef(VARIANT_BOOL* b) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = b;
    return v;
}
VARIANT Empty() {
    VARIANT v;
    ::VariantInit(&v);
    return v;
}
}  // namespace

TEST_F(IeBrowserHost, SiteAnswersItsInterfacesWithAReferenceAdded) {
    IUnknown* site = m_browser.HostSite();
    const ULONG before = RefsOf(site);
    EXPECT_GT(before, 1u);  // the control holds the site it was given
    {
        ComPtr<IDocHostShowUI> showUI;
        ASSERT_EQ(site->QueryInterface(kDocHostShowUI, showUI.PutVoid()), S_OK);
        ASSERT_TRUE(showUI);
        EXPECT_EQ(RefsOf(site), before + 1);
        // The browser's own boxes are left to it.
        LRESULT result = 0;
        EXPECT_EQ(showUI->ShowMessage(nullptr, nullptr, nullptr, 0, nullptr, 0, &result), S_FALSE);
    }
    EXPECT_EQ(RefsOf(site), before);

    for (const IID* iid : {&IID_IUnknown, &IID_IOleClientSite, &IID_IOleWindow, &IID_IOleInPlaceSite,
                           &IID_IOleInPlaceFrame, &IID_IOleInPlaceUIWindow, &kDocHostUIHandler, &IID_IDispatch,
                           &kWebBrowserEvents2}) {
        ComPtr<IUnknown> part;
        EXPECT_EQ(site->QueryInterface(*iid, part.PutVoid()), S_OK);
    }
    EXPECT_EQ(RefsOf(site), before);

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(site->QueryInterface(IID_IStream, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(site->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(RefsOf(site), before);
}

TEST_F(IeBrowserHost, HostInfoAndContextMenuComeFromTheListener) {
    ComPtr<IDocHostUIHandler> handler;
    ASSERT_EQ(m_browser.HostSite()->QueryInterface(kDocHostUIHandler, handler.PutVoid()), S_OK);
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof(info);
    info.dwFlags = 0x40000;
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 0x4000Cu);
    EXPECT_EQ(handler->ShowContextMenu(0, nullptr, nullptr, nullptr), S_OK);  // handled: no menu
    EXPECT_EQ(handler->GetHostInfo(nullptr), E_POINTER);

    ComPtr<IOleInPlaceSite> inPlace;
    ASSERT_EQ(m_browser.HostSite()->QueryInterface(IID_IOleInPlaceSite, inPlace.PutVoid()), S_OK);
    HWND window = nullptr;
    EXPECT_EQ(inPlace->GetWindow(&window), S_OK);
    EXPECT_EQ(window, m_parent.m_hWnd);
}

// What the control does with the host's other answers is fixed by the contracts: S_FALSE
// with a null result leaves an address, a data object or a key to the browser; E_NOTIMPL
// with a null result makes it use its own option key, drop target and moniker; no tool
// space means no toolbars over the page. A wrong answer (S_OK with a null address, a key
// claimed as handled) would break every page.
TEST_F(IeBrowserHost, EveryOtherAnswerLeavesTheBrowsersOwnBehaviour) {
    IUnknown* site = m_browser.HostSite();
    ComPtr<IDocHostUIHandler> handler;
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceSite> inPlace;
    ComPtr<IOleClientSite> client;
    ASSERT_EQ(site->QueryInterface(kDocHostUIHandler, handler.PutVoid()), S_OK);
    ASSERT_EQ(site->QueryInterface(IID_IOleInPlaceFrame, frame.PutVoid()), S_OK);
    ASSERT_EQ(site->QueryInterface(IID_IOleInPlaceSite, inPlace.PutVoid()), S_OK);
    ASSERT_EQ(site->QueryInterface(IID_IOleClientSite, client.PutVoid()), S_OK);
    // Out values start as rubbish: each must come back null.
    const auto rubbish = [](auto** out) { *out = reinterpret_cast<std::remove_pointer_t<decltype(out)>>(1); };

    wchar_t address[] = L"http://127.0.0.1/x.htm";
    wchar_t* translated = nullptr;
    rubbish(&translated);
    EXPECT_EQ(handler->TranslateUrl(0, address, &translated), S_FALSE);
    EXPECT_EQ(translated, nullptr);
    IDataObject* filtered = nullptr;
    rubbish(&filtered);
    EXPECT_EQ(handler->FilterDataObject(nullptr, &filtered), S_FALSE);
    EXPECT_EQ(filtered, nullptr);
    IDispatch* external = nullptr;
    rubbish(&external);
    EXPECT_EQ(handler->GetExternal(&external), S_FALSE);
    EXPECT_EQ(external, nullptr);
    MSG key{m_parent.m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(handler->TranslateAccelerator(&key, nullptr, 0), S_FALSE);
    EXPECT_EQ(frame->TranslateAccelerator(&key, 0), S_FALSE);

    wchar_t* optionKey = nullptr;
    rubbish(&optionKey);
    EXPECT_EQ(handler->GetOptionKeyPath(&optionKey, 0), E_NOTIMPL);
    EXPECT_EQ(optionKey, nullptr);
    IDropTarget* dropTarget = nullptr;
    rubbish(&dropTarget);
    EXPECT_EQ(handler->GetDropTarget(nullptr, &dropTarget), E_NOTIMPL);
    EXPECT_EQ(dropTarget, nullptr);
    IMoniker* moniker = nullptr;
    rubbish(&moniker);
    EXPECT_EQ(client->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_CONTAINER, &moniker), E_NOTIMPL);
    EXPECT_EQ(moniker, nullptr);

    RECT border{};
    EXPECT_EQ(frame->GetBorder(&border), INPLACE_E_NOTOOLSPACE);
    EXPECT_EQ(frame->RequestBorderSpace(&border), INPLACE_E_NOTOOLSPACE);
    EXPECT_EQ(inPlace->Scroll(SIZE{0, 10}), E_NOTIMPL);
    EXPECT_EQ(client->SaveObject(), E_NOTIMPL);
    EXPECT_EQ(client->RequestNewObjectLayout(), E_NOTIMPL);
    EXPECT_EQ(inPlace->ContextSensitiveHelp(TRUE), E_NOTIMPL);
    // The activation steps the control reports, and its menus (there are none), are all
    // accepted.
    for (HRESULT answer :
         {inPlace->OnUIActivate(), inPlace->OnUIDeactivate(FALSE), inPlace->OnInPlaceDeactivate(),
          inPlace->OnPosRectChange(&border), inPlace->DiscardUndoState(), inPlace->DeactivateAndUndo(),
          handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), handler->HideUI(), handler->UpdateUI(),
          handler->OnDocWindowActivate(TRUE), handler->OnFrameWindowActivate(TRUE),
          handler->ResizeBorder(&border, nullptr, TRUE), client->OnShowWindow(TRUE), frame->SetStatusText(L"完成"),
          frame->SetBorderSpace(nullptr), frame->InsertMenus(nullptr, nullptr), frame->SetMenu(nullptr, nullptr, nullptr),
          frame->RemoveMenus(nullptr)}) {
        EXPECT_EQ(answer, S_OK);
    }
}

TEST_F(IeBrowserHost, BrowserEventsReachTheListenerAndCancelFlowsBack) {
    BSTR url = ::SysAllocString(L"http://127.0.0.1/x.htm");
    VARIANT urlValue = Text(url);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    m_events.cancelNext = true;
    EXPECT_EQ(Fire(DISPID_BEFORENAVIGATE2, {Empty(), ByRef(&urlValue), Empty(), Empty(), Empty(), Empty(),
                                             BoolRef(&cancel)}),
              S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    Fire(DISPID_NAVIGATECOMPLETE2, {Empty(), ByRef(&urlValue)});
    Fire(DISPID_DOCUMENTCOMPLETE, {Empty(), ByRef(&urlValue)});
    VARIANT status;
    ::VariantInit(&status);
    status.vt = VT_I4;
    status.lVal = 404;
    VARIANT_BOOL errorCancel = VARIANT_FALSE;
    Fire(DISPID_NAVIGATEERROR, {Empty(), ByRef(&urlValue), Empty(), ByRef(&status), BoolRef(&errorCancel)});
    EXPECT_EQ(errorCancel, VARIANT_TRUE);
    BSTR title = ::SysAllocString(L"游戏大厅");
    Fire(DISPID_TITLECHANGE, {Text(title)});
    const std::vector<std::wstring> expected{L"before http://127.0.0.1/x.htm", L"complete http://127.0.0.1/x.htm",
                                             L"document http://127.0.0.1/x.htm",
                                             L"error http://127.0.0.1/x.htm 404", L"title 游戏大厅"};
    EXPECT_EQ(m_events.seen, expected);
    ::SysFreeString(title);
    ::SysFreeString(url);
}

TEST_F(IeBrowserHost, AnInnerFramesNavigationIsToldFromThePagesOwn) {
    BSTR url = ::SysAllocString(L"app://loadgame/x|y");
    VARIANT urlValue = Text(url);
    // Another browser object stands for an inner frame of the page.
    ComPtr<IWebBrowser2> frame;
    ASSERT_EQ(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IWebBrowser2, frame.PutVoid()),
              S_OK);
    BSTR location = nullptr;
    std::wstring frameLocation;
    if (SUCCEEDED(frame->get_LocationURL(&location)) && location) frameLocation = location;
    ::SysFreeString(location);
    VARIANT frameObject;
    ::VariantInit(&frameObject);
    frameObject.vt = VT_DISPATCH;
    frameObject.pdispVal = frame.Get();
    VARIANT_BOOL cancel = VARIANT_FALSE;
    m_events.cancelNext = true;
    Fire(DISPID_BEFORENAVIGATE2, {frameObject, ByRef(&urlValue), Empty(), Empty(), Empty(), Empty(), BoolRef(&cancel)});
    EXPECT_EQ(cancel, VARIANT_TRUE);

    // The page's own browser object is the top level.
    VARIANT topObject;
    ::VariantInit(&topObject);
    topObject.vt = VT_DISPATCH;
    topObject.pdispVal = m_browser.Control();
    ASSERT_NE(topObject.pdispVal, nullptr);
    Fire(DISPID_BEFORENAVIGATE2, {topObject, ByRef(&urlValue), Empty(), Empty(), Empty(), Empty(), BoolRef(&cancel)});
    const std::vector<std::wstring> expected{L"frame app://loadgame/x|y in " + frameLocation,
                                             L"before app://loadgame/x|y"};
    EXPECT_EQ(m_events.seen, expected);
    ::SysFreeString(url);
}

TEST_F(IeBrowserHost, OnlyThePagesOwnCompletionsAreThePages) {
    BSTR url = ::SysAllocString(L"http://ads.example/banner.htm");
    VARIANT urlValue = Text(url);
    ComPtr<IWebBrowser2> frame;  // another browser object stands for an advertising frame
    ASSERT_EQ(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IWebBrowser2, frame.PutVoid()),
              S_OK);
    VARIANT frameObject;
    ::VariantInit(&frameObject);
    frameObject.vt = VT_DISPATCH;
    frameObject.pdispVal = frame.Get();
    Fire(DISPID_NAVIGATECOMPLETE2, {frameObject, ByRef(&urlValue)});
    Fire(DISPID_DOCUMENTCOMPLETE, {frameObject, ByRef(&urlValue)});
    EXPECT_TRUE(m_events.seen.empty());

    VARIANT topObject;
    ::VariantInit(&topObject);
    topObject.vt = VT_DISPATCH;
    topObject.pdispVal = m_browser.Control();
    Fire(DISPID_NAVIGATECOMPLETE2, {topObject, ByRef(&urlValue)});
    Fire(DISPID_DOCUMENTCOMPLETE, {topObject, ByRef(&urlValue)});
    Fire(DISPID_DOWNLOADCOMPLETE, {});
    const std::vector<std::wstring> expected{L"complete http://ads.example/banner.htm",
                                             L"document http://ads.example/banner.htm"};
    EXPECT_EQ(m_events.seen, expected);
    ::SysFreeString(url);
}

// The site's IDispatch is also what the control reads its container's ambient properties
// through: none is set here, so each must be "no such member" (an empty S_OK would read as
// user mode off, no downloads, an empty user agent).
TEST_F(IeBrowserHost, AmbientPropertiesAreLeftToTheControl) {
    ComPtr<IDispatch> site;
    ASSERT_EQ(m_browser.HostSite()->QueryInterface(IID_IDispatch, site.PutVoid()), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    for (DISPID ambient : {DISPID_AMBIENT_USERMODE, DISPID_AMBIENT_DLCONTROL, DISPID_AMBIENT_USERAGENT}) {
        VARIANT result;
        ::VariantInit(&result);
        EXPECT_EQ(site->Invoke(ambient, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
                  DISP_E_MEMBERNOTFOUND)
            << ambient;
        EXPECT_EQ(result.vt, VT_EMPTY);
    }
    // Not even an event id read as a property.
    EXPECT_EQ(site->Invoke(DISPID_TITLECHANGE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_TRUE(m_events.seen.empty());
}

// The frame keeps the active object the control hands it and tells it when its window is
// activated or not; it gives the object back when the control takes it back or goes.
TEST_F(IeBrowserHost, TheActiveObjectIsKeptAndToldOfActivation) {
    RecordingActiveObject active;
    {
        ComPtr<IOleInPlaceFrame> frame;
        ASSERT_EQ(m_browser.HostSite()->QueryInterface(IID_IOleInPlaceFrame, frame.PutVoid()), S_OK);
        EXPECT_EQ(frame->SetActiveObject(&active, L"page"), S_OK);
        EXPECT_EQ(active.refs, 2u);
        m_browser.Activate(false);
        EXPECT_EQ(active.frameActivations, std::vector<BOOL>{FALSE});
        EXPECT_EQ(frame->SetActiveObject(nullptr, nullptr), S_OK);
        EXPECT_EQ(active.refs, 1u);
        m_browser.Activate(false);  // no active object: nobody to tell
        EXPECT_EQ(active.frameActivations.size(), 1u);

        frame->SetActiveObject(&active, L"page");
    }
    m_browser.Destroy();
    EXPECT_EQ(active.refs, 1u);  // given back when the browser went
}

TEST_F(IeBrowserHost, MalformedEventsAreIgnored) {
    EXPECT_EQ(Fire(DISPID_BEFORENAVIGATE2, {}), S_OK);
    EXPECT_EQ(Fire(DISPID_NAVIGATECOMPLETE2, {Empty()}), S_OK);
    EXPECT_EQ(Fire(DISPID_TITLECHANGE, {Empty(), Empty()}), S_OK);
    VARIANT wrongType;
    ::VariantInit(&wrongType);
    wrongType.vt = VT_I4;
    wrongType.lVal = 7;
    Fire(DISPID_TITLECHANGE, {wrongType});  // not text: an empty title
    ComPtr<IDispatch> sink;
    ASSERT_EQ(m_browser.HostSite()->QueryInterface(IID_IDispatch, sink.PutVoid()), S_OK);
    EXPECT_EQ(sink->Invoke(DISPID_TITLECHANGE, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              E_INVALIDARG);
    DISPPARAMS noArray{nullptr, nullptr, 3, 0};
    EXPECT_EQ(sink->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &noArray, nullptr, nullptr, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(m_events.seen, std::vector<std::wstring>{L"title "});
}

TEST(IeBrowserLifetime, EventsAfterDestroyReachNobodyAndTheSiteIsFreedLast) {
    OleScope ole;
    TestParent parent;
    RecordingEvents events;
    IeBrowser browser;
    ASSERT_TRUE(browser.Create(parent.m_hWnd, RECT{0, 0, 100, 100}, &events));
    ComPtr<IDispatch> sink;
    ASSERT_EQ(browser.HostSite()->QueryInterface(IID_IDispatch, sink.PutVoid()), S_OK);
    browser.Destroy();
    EXPECT_EQ(browser.HostSite(), nullptr);
    EXPECT_EQ(LiveBrowserSites(), 1);  // our own reference keeps it
    BSTR title = ::SysAllocString(L"late");
    VARIANT arg = Text(title);
    DISPPARAMS params{&arg, nullptr, 1, 0};
    EXPECT_EQ(sink->Invoke(DISPID_TITLECHANGE, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    EXPECT_TRUE(events.seen.empty());
    sink.Reset();
    EXPECT_EQ(LiveBrowserSites(), 0);
    ::SysFreeString(title);
    browser.Destroy();  // twice is harmless
}

TEST_F(IeBrowserHost, KeysAreOfferedToTheControlAndUnusedOnesComeBack) {
    // A key the page does not know stays with the window that got it (the frame's rules
    // see it next); with nothing to offer, the control is not asked.
    MSG key{m_browser.Window(), WM_KEYDOWN, VK_F13, 1};
    EXPECT_FALSE(m_browser.TranslateAccelerator(&key));
    EXPECT_FALSE(m_browser.TranslateAccelerator(nullptr));
    IeBrowser notCreated;
    EXPECT_FALSE(notCreated.TranslateAccelerator(&key));
}

// Once a browser exists, no page of this process may take it to a local file, a share or any
// other address of the local zone: the platform's zone-elevation control is on for the process.
TEST_F(IeBrowserHost, PagesFromTheWebCannotReachTheLocalZone) {
    using IsFeatureEnabled = HRESULT(WINAPI*)(int, DWORD);
    HMODULE urlmon = ::GetModuleHandleW(L"urlmon.dll");
    ASSERT_NE(urlmon, nullptr);
    const auto isEnabled =
        reinterpret_cast<IsFeatureEnabled>(reinterpret_cast<void*>(::GetProcAddress(urlmon, "CoInternetIsFeatureEnabled")));
    ASSERT_NE(isEnabled, nullptr);
    EXPECT_EQ(isEnabled(1 /* FEATURE_ZONE_ELEVATION */, 0x2 /* GET_FEATURE_FROM_PROCESS */), S_OK);
}

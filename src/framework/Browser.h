// Every use of a web browser goes through this interface. The product puts Internet
// Explorer's control behind it (IeBrowser); the test build puts a scripted stand-in there
// (ScriptedBrowser), because Wine on the test machines has no HTML engine.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

// The source element of a page event, as long as someone holds it.
class PageElement {
public:
    virtual ~PageElement() = default;
    [[nodiscard]] virtual std::wstring ClassName() const = 0;
    [[nodiscard]] virtual std::wstring TagName() const = 0;
    // offsetLeft, offsetTop, offsetLeft + offsetWidth, offsetTop + offsetHeight; nothing when
    // the element has no layout.
    [[nodiscard]] virtual std::optional<RECT> OffsetRect() const = 0;
    // Its "disabled" attribute reads as the boolean true.
    [[nodiscard]] virtual bool IsDisabled() const = 0;
    // Sets the style's horizontal background offset; false when the element has no style.
    virtual bool SetBackgroundPositionX(long x) = 0;
    virtual void Click() = 0;
};
using PageElementPtr = std::shared_ptr<PageElement>;

// Browser events, delivered on the GUI thread in the browser's own order: for one navigation
// BeforeNavigate2, then NavigateComplete2, TitleChange and DocumentComplete, or NavigateError.
class BrowserEvents {
public:
    virtual ~BrowserEvents() = default;
    // Set cancel to stop the navigation before it starts.
    virtual void OnBeforeNavigate2(const std::wstring& /*url*/, bool& /*cancel*/) {}
    // The same for a navigation that an inner frame of the page (frame or iframe) starts;
    // frameUrl is that frame's current address. Unless a listener tells them apart it is
    // taken as the page's own.
    virtual void OnBeforeFrameNavigate2(const std::wstring& url, const std::wstring& /*frameUrl*/, bool& cancel) {
        OnBeforeNavigate2(url, cancel);
    }
    virtual void OnNavigateComplete2(const std::wstring& /*url*/) {}
    virtual void OnDocumentComplete(const std::wstring& /*url*/) {}
    // status: the HTTP status or the browser's error code. Set cancel to keep the browser's
    // own error page away.
    virtual void OnNavigateError(const std::wstring& /*url*/, long /*status*/, bool& /*cancel*/) {}
    virtual void OnTitleChange(const std::wstring& /*title*/) {}
    // Asked once while the browser sets up its user interface: the host-UI flags
    // (DOCHOSTUIFLAG_*) it should use, starting from its own.
    virtual unsigned OnGetHostInfo(unsigned flags) { return flags; }
    // True when the host has handled the page's context menu (so none is shown); false lets
    // the browser show its own.
    virtual bool OnShowContextMenu() { return false; }
    // A DOM event of the page (dispid of the HTMLDocumentEvents2 member) with its source
    // element. True cancels the browser's default action (the event's return value false).
    virtual bool OnPageEvent(long /*dispid*/, const PageElementPtr& /*source*/) { return false; }
    // The browser's own message boxes and help: S_FALSE lets it show them, S_OK means the
    // host has handled them (result carries the box's answer).
    virtual HRESULT OnShowMessage(HWND /*owner*/, const wchar_t* /*text*/, const wchar_t* /*caption*/, DWORD /*type*/,
                                  const wchar_t* /*helpFile*/, DWORD /*helpContext*/, LRESULT* /*result*/) {
        return S_FALSE;
    }
    virtual HRESULT OnShowHelp(HWND /*owner*/, const wchar_t* /*helpFile*/, UINT /*command*/, DWORD /*data*/,
                               POINT /*point*/) {
        return S_FALSE;
    }
    // The browser's last box has closed (see Browser::IsModal): a close held meanwhile may run.
    virtual void OnModalEnded() {}
};

class Browser {
public:
    virtual ~Browser() = default;
    // Creates the browser as a child filling rc of parent. events must outlive the browser.
    virtual bool Create(HWND parent, const RECT& rc, BrowserEvents* events) = 0;
    // Releases everything; the browser's windows are gone afterwards. Safe to call twice.
    virtual void Destroy() = 0;
    virtual void Move(const RECT& rc) = 0;
    virtual bool Navigate(const std::wstring& url) = 0;
    virtual void Refresh() = 0;
    virtual void SetSilent(bool silent) = 0;
    [[nodiscard]] virtual std::wstring LocationUrl() const = 0;
    [[nodiscard]] virtual std::wstring Title() const = 0;
    // Lets the page ask before it is left (its "before unload" question). True to leave.
    virtual bool PromptBeforeLeave() = 0;
    // True while the browser shows a box of its own or of the page's script (alert, confirm):
    // the script waits inside a call, so the browser must not be closed under it.
    [[nodiscard]] virtual bool IsModal() const { return false; }
    // The browser's outermost window (null before Create).
    [[nodiscard]] virtual HWND Window() const = 0;
    // Sets the loaded page's body "scroll" attribute; nothing when the page has no body.
    virtual void SetBodyScroll(const std::wstring& value) = 0;
    // The window that holds the browser was activated (or deactivated): the page takes the
    // keyboard again, as it had it, and the control is told, as a frame tells its active object.
    virtual void Activate(bool /*active*/) {}
    // Offers a key message to the page's own keyboard handling (Tab between fields, copy and
    // paste, ...); true when the page used it.
    virtual bool TranslateAccelerator(MSG* /*msg*/) { return false; }
    // The page's zoom as a whole, plug-ins included (the browser's optical zoom), in per cent.
    // False where the browser has none (Internet Explorer before 7).
    [[nodiscard]] virtual bool CanZoom() const { return false; }
    virtual bool SetZoom(int /*percent*/) { return false; }
    // The loaded page's own size at 100 % (its body's scroll size): what fitting it to the
    // window measures. Nothing before a page has loaded.
    [[nodiscard]] virtual std::optional<SIZE> ContentSize() const { return std::nullopt; }
};

// The browser of this build, chosen when it is linked (framework/link): scripted in the test
// build, Internet Explorer in the others.
std::unique_ptr<Browser> CreateBrowser();
// What a browser's host makes its browser with (the build's own unless it is told another).
using BrowserFactory = std::unique_ptr<Browser> (*)();
std::unique_ptr<Browser> CreateScriptedBrowser();
std::unique_ptr<Browser> CreateIeBrowser();

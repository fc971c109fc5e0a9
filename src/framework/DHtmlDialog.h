// CDHtmlDialog: a dialog whose client area is one web browser. Browser events arrive as its
// virtual On... operations; the page's DOM events go through the dialog's page-event map
// (GetDHtmlEventMap): the first entry whose event and selector match the event's source
// element gets it, and a handler's S_FALSE cancels the browser's default action.
#pragma once
#include "framework/Browser.h"
#include "framework/Dialog.h"
#include "framework/rules/DHtmlEventMap.h"

#include <mshtmhst.h>

#include <memory>
#include <string>

class CDHtmlDialog : public CDialog, public BrowserEvents {
public:
    using DHtmlEventHandler = HRESULT (CDHtmlDialog::*)(const PageElementPtr& element);
    struct DHtmlEventMapEntry {
        DHtmlSelector selector;
        DHtmlEventHandler handler;
    };
    // A dialog's page-event map: a view of a static table.
    struct DHtmlEventMap {
        const DHtmlEventMapEntry* entries = nullptr;
        size_t count = 0;
        const DHtmlEventMapEntry* begin() const noexcept { return entries; }
        const DHtmlEventMapEntry* end() const noexcept { return entries + count; }
    };

    // htmlResourceId is kept for the template's sake; pages always come from an address.
    explicit CDHtmlDialog(UINT templateId, UINT htmlResourceId = 0, HWND parent = nullptr) noexcept;
    ~CDHtmlDialog() override;

    // Creates the browser over the whole client area.
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    bool Navigate(const std::wstring& url);
    [[nodiscard]] Browser* GetBrowser() const noexcept { return m_pBrowser.get(); }
    // Which browser dialogs created afterwards get (the build's own unless a test asks).
    void UseBrowserFactory(BrowserFactory factory) noexcept { m_browserFactory = factory; }

    // The address of the page loaded last.
    std::wstring m_strCurrentUrl;

    // Dispatches a page event through the page-event map.
    bool OnPageEvent(long dispid, const PageElementPtr& source) override;

protected:
    virtual DHtmlEventMap GetDHtmlEventMap() const { return {}; }

    // Browser events under the names the dialogs use.
    virtual void OnBeforeNavigate(const std::wstring& /*url*/, bool& /*cancel*/) {}
    // A navigation started by an inner frame of the page, whose address is frameUrl.
    virtual void OnBeforeFrameNavigate(const std::wstring& url, const std::wstring& /*frameUrl*/, bool& cancel) {
        OnBeforeNavigate(url, cancel);
    }
    virtual void OnNavigateComplete(const std::wstring& url) { m_strCurrentUrl = url; }
    void OnDocumentComplete(const std::wstring& /*url*/) override {}
    // Returns whether the error was handled; set cancel to keep the browser's error page away.
    virtual bool OnNavigateErrorEvent(const std::wstring& /*url*/, long /*status*/, bool& /*cancel*/) {
        return false;
    }
    // The host-UI flags (DOCHOSTUIFLAG_*) the browser should use, starting from its own. The
    // page is the dialog's whole face: no sunken border of the browser's over its artwork.
    virtual unsigned GetHostInfo(unsigned flags) { return flags | DOCHOSTUIFLAG_NO3DBORDER; }
    // True when the host has handled the context menu (none is shown).
    virtual bool ShowContextMenu() { return false; }

private:
    void OnBeforeNavigate2(const std::wstring& url, bool& cancel) override { OnBeforeNavigate(url, cancel); }
    void OnBeforeFrameNavigate2(const std::wstring& url, const std::wstring& frameUrl, bool& cancel) override {
        OnBeforeFrameNavigate(url, frameUrl, cancel);
    }
    void OnNavigateComplete2(const std::wstring& url) override { OnNavigateComplete(url); }
    void OnNavigateError(const std::wstring& url, long status, bool& cancel) override {
        OnNavigateErrorEvent(url, status, cancel);
    }
    unsigned OnGetHostInfo(unsigned flags) override { return GetHostInfo(flags); }
    bool OnShowContextMenu() override { return ShowContextMenu(); }
    void OnModalEnded() override;

    std::unique_ptr<Browser> m_pBrowser;
    BrowserFactory m_browserFactory;
    bool m_closeHeld = false;  // a close asked for while a box of the page was open
};

// Internet Explorer's web-browser control behind the Browser interface, hosted by our own
// site object (IeBrowserSite) without ATL.
#pragma once
#include "base/Handles.h"
#include "framework/Browser.h"
#include "framework/IeBrowserSite.h"
#include "framework/IeDocumentEvents.h"

#include <exdisp.h>
#include <ole2.h>

class IeBrowser final : public Browser {
public:
    IeBrowser() noexcept = default;
    ~IeBrowser() override;

    bool Create(HWND parent, const RECT& rc, BrowserEvents* events) override;
    void Destroy() override;
    void Move(const RECT& rc) override;
    bool Navigate(const std::wstring& url) override;
    void Refresh() override;
    void SetSilent(bool silent) override;
    std::wstring LocationUrl() const override;
    std::wstring Title() const override;
    bool PromptBeforeLeave() override;
    [[nodiscard]] bool IsModal() const override { return m_site && m_site->IsModal(); }
    HWND Window() const override;
    void SetBodyScroll(const std::wstring& value) override;
    bool TranslateAccelerator(MSG* msg) override;
    void Activate(bool active) override;
    bool CanZoom() const override;
    bool SetZoom(int percent) override;
    std::optional<SIZE> ContentSize() const override;

    // The host site object (null before Create and after Destroy), for inspection.
    IUnknown* HostSite() const noexcept { return m_site.Get() ? m_site->Unknown() : nullptr; }
    // The control's own browser object (null before Create), for inspection.
    IWebBrowser2* Control() const noexcept { return m_web.Get(); }

private:
    [[nodiscard]] ComPtr<IOleCommandTarget> CommandTarget() const;

    ComPtr<IeBrowserSite> m_site;
    ComPtr<IeDocumentEvents> m_documentEvents;
    ComPtr<IOleObject> m_object;
    ComPtr<IWebBrowser2> m_web;
    ComPtr<IConnectionPoint> m_events;
    DWORD m_cookie = 0;
    RECT m_position{};  // in the parent's client area
};

// A stand-in for Internet Explorer's web-browser control, registered for its class id in
// this process while the object lives, so that the product's own host (IeBrowser and its
// site) creates, drives and releases it exactly as it would the real control: the OLE object
// with its in-place object, IWebBrowser2 (navigate, refresh, document, address, title,
// silent) and the DWebBrowserEvents2 connection point. A navigation fires BeforeNavigate2
// (which the host may cancel), NavigateComplete2, TitleChange and DocumentComplete, in the
// real control's order, with the stand-in document as the page's document.
#pragma once
#include "support/StandInDocument.h"

#include <string>

class StandInBrowserClass {
public:
    explicit StandInBrowserClass(StandInDocument& document);
    ~StandInBrowserClass();
    StandInBrowserClass(const StandInBrowserClass&) = delete;
    StandInBrowserClass& operator=(const StandInBrowserClass&) = delete;

    [[nodiscard]] bool Registered() const { return m_cookie != 0; }
    // The controls made and not yet released, and whether the newest one has a client site
    // and an event sink now.
    [[nodiscard]] static long LiveControls();
    [[nodiscard]] bool HasSite() const;
    [[nodiscard]] bool HasSink() const;

    // What the newest control's page does on its own, with no navigation asked of the host:
    // an inner frame (an advertisement) loads, so its NavigateComplete2 and DocumentComplete
    // come with the frame's browser as their sender; or the page's script replaces the
    // document (document.open, a reload), so the control's document is `next` from now and
    // DownloadComplete fires; or the script sets the page's title, so TitleChange fires.
    void LoadInnerFrame(const std::wstring& url);
    void ChangeTitle(const std::wstring& title);
    void ReplaceDocument(StandInDocument& next);

private:
    unsigned long m_cookie = 0;
};

// CHtmlView: a view that is one web browser. Browser events arrive as its virtual On...
// operations; derived views override what they need.
#pragma once
#include "framework/Browser.h"
#include "framework/View.h"

#include <memory>
#include <string>

class CHtmlView : public CView, public BrowserEvents {
public:
    CHtmlView() noexcept = default;
    ~CHtmlView() override;

    bool Navigate2(const std::wstring& url);
    void Refresh();
    void SetSilent(bool silent);
    Browser* GetBrowser() const noexcept { return m_pBrowser.get(); }
    // The browser the view makes when it is created (the build's own unless changed before).
    void UseBrowserFactory(BrowserFactory factory) noexcept { m_browserFactory = factory; }

    // The page may ask before it is left; its answer does not stop the close.
    void OnFrameClosing() override;
    bool TranslateViewAccelerator(MSG* msg) override {
        return m_pBrowser && m_pBrowser->TranslateAccelerator(msg);
    }
    // While a box of the page is open its script waits inside the browser: the frame closes
    // when the box has gone.
    bool HoldsClose() override;
    void OnModalEnded() override;

protected:
    // Creates the browser in the view's client area; -1 when it cannot be made.
    int OnCreate(CREATESTRUCTW* cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<Browser> m_pBrowser;
    BrowserFactory m_browserFactory = &CreateBrowser;
    bool m_closeHeld = false;
};

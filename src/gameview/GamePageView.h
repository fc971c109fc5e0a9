// The game page: a browser view that places and shows its frame once a page has loaded.
#pragma once
#include "framework/HtmlView.h"
#include "gameview/rules/PageZoom.h"

class GamePageView : public CHtmlView {
public:
    ~GamePageView() override;

    // The tab's zoom as its host sets it: applied now and to every page that loads; a fitted
    // page follows the view's size.
    void SetZoom(const zoom::Setting& setting);
    // A zoom key in the frame: a level up (+1), down (-1) or back to 100 % (0), told to the host.
    void StepZoom(int step);

    void OnInitialUpdate() override;
    unsigned OnGetHostInfo(unsigned flags) override;
    void OnNavigateComplete2(const std::wstring& url) override;
    void OnBeforeNavigate2(const std::wstring& url, bool& cancel) override;
    void OnTitleChange(const std::wstring& title) override;

    void OnDocumentComplete(const std::wstring& url) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    int OnCreate(CREATESTRUCTW* cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Shows the page at the setting (a fitted one measured against the view now) and tells the
    // host what it shows, or that this page cannot be zoomed.
    void ApplyZoom();

    zoom::Setting m_zoom;
    int m_shownPercent = zoom::kNormal;
    WPARAM m_toldHost = ~WPARAM(0);  // what the host was told last
};

// The game page: a browser view that places and shows its frame once a page has loaded.
#pragma once
#include "framework/HtmlView.h"

class CGmWndView : public CHtmlView {
public:
    ~CGmWndView() override;

    void OnInitialUpdate() override;
    unsigned OnGetHostInfo(unsigned flags) override;
    void OnNavigateComplete2(const std::wstring& url) override;
    void OnBeforeNavigate2(const std::wstring& url, bool& cancel) override;
    void OnTitleChange(const std::wstring& title) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    int OnCreate(CREATESTRUCTW* cs) override;
};

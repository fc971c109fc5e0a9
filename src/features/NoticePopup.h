// NoticePopup: the operator's notice in the bottom-right corner of the work area. It shows
// for 11 seconds, pauses 40 minutes, and comes back until it has been shown as often as the
// notice asks; closing or clicking it dismisses that notice for good.
#pragma once
#include "features/NoticeFetch.h"
#include "skin/SkinnedDialog.h"
#include "skin/SkinnedLabel.h"

#include <memory>

// How many times the notice has been shown in this process.
extern int g_nPopShown;

class NoticePopup : public SkinnedDialog {
public:
    NoticePopup() noexcept;

    // Builds the pop-up for a fetched notice over its owner (template 160) and shows it
    // when the owner is visible. False when nothing was fetched or the window failed.
    bool Open(HWND owner, std::unique_ptr<FetchedNotice> fetched);
    // The owner hides (the boss key): a top-most owned window would stay on screen.
    void HideWithOwner();
    // The owner is back: the notice comes back with it while its showing time lasts.
    void ShowWithOwner();

    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    SkinnedLabel m_lblPicture;
    SkinnedLabel m_lblTitle;
    SkinnedLabel m_lblContent;
    SkinnedLabel m_lblLink;
    int m_nMaxShow = 0;

private:
    bool LoadNotice();
    void ApplyLayout(NoticeLayout layout);
    void SetUpFrame(int background, int closeStrip, int btnRight, int btnTop, int border);
    void StyleLabel(SkinnedLabel& label, COLORREF text, bool bold);
    void PlaceAtWorkAreaCorner();
    void OnTimer(UINT_PTR id);
    void OnClickNotice();
    // Ends the pop-up; "PopEnable" becomes `enable` unless it is null.
    void End(const wchar_t* enable);

    void StartShowing();

    std::unique_ptr<FetchedNotice> m_fetched;
    UniqueBitmap m_bmpPicture;
    bool m_bShowing = false;  // its 11 seconds on screen have not run out
};

#include "features/NoticePopup.h"

#include "base/Log.h"
#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "update/rules/HttpUrl.h"

#include <shellapi.h>

int g_nPopShown = 1;

namespace {
constexpr UINT_PTR TIMER_SHOWN = 1;
constexpr UINT_PTR TIMER_PAUSE = 2;
constexpr UINT kShownMs = 11000;
constexpr UINT kPauseMs = 2400000;  // 40 minutes
constexpr COLORREF kTitleColour = RGB(19, 43, 67);
constexpr COLORREF kTextColour = RGB(30, 39, 46);
constexpr COLORREF kHoverColour = RGB(22, 122, 235);
constexpr COLORREF kKeyColour = RGB(255, 0, 255);

// The label draws its own text; the window text carries it for screen readers and tools.
void ShowText(SkinnedLabel& label, const std::wstring& text) {
    label.SetText(text);
    label.SetWindowText(text.c_str());
}

void Place(CWnd& control, int x, int y, int width, int height) {
    control.SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    control.ShowWindow(SW_SHOW);
}
}  // namespace

NoticePopup::NoticePopup() noexcept : SkinnedDialog(IDD_NOTICE) {}

bool NoticePopup::Open(HWND owner, std::unique_ptr<FetchedNotice> fetched) {
    if (!fetched || m_hWnd) return false;
    m_fetched = std::move(fetched);
    if (!Create(IDD_NOTICE, owner)) return false;
    Log(L"notice shown: " + m_fetched->notice.key);
    if (m_hWnd && ::IsWindow(m_hWnd) && owner && ::IsWindowVisible(owner) && m_fetched) {
        SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    return true;
}

void NoticePopup::DoDataExchange() {
    BindControl(IDC_NOTICE_PICTURE, m_lblPicture);
    BindControl(IDC_NOTICE_TITLE, m_lblTitle);
    BindControl(IDC_NOTICE_CONTENT, m_lblContent);
    BindControl(IDC_NOTICE_LINK, m_lblLink);
}

// Stores what a shown notice leaves behind: its identity, and that it is not dismissed.
bool NoticePopup::LoadNotice() {
    if (!m_fetched) return false;
    m_nMaxShow = m_fetched->notice.maxShow;
    StoreNoticeValue(L"PopInfo", m_fetched->text.c_str());
    StoreNoticeValue(L"PopEnable", L"1");
    return true;
}

BOOL NoticePopup::OnInitDialog() {
    SkinnedDialog::OnInitDialog();
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);  // no taskbar button
    m_bShowTitle = false;
    m_bShowIcon = false;
    const bool loaded = LoadNotice();
    if (loaded) ApplyLayout(ChooseNoticeLayout(m_fetched->notice));
    if (loaded) {
        PlaceAtWorkAreaCorner();
    } else {
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    StartShowing();
    return TRUE;
}

void NoticePopup::StartShowing() {
    SetTimer(TIMER_SHOWN, kShownMs);
    m_bShowing = true;
}

void NoticePopup::HideWithOwner() {
    if (m_hWnd) ShowWindow(SW_HIDE);
}

void NoticePopup::ShowWithOwner() {
    if (!m_hWnd || !m_bShowing) return;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void NoticePopup::SetUpFrame(int background, int closeStrip, int btnRight, int btnTop, int border) {
    skin::FrameMetrics metrics;
    metrics.captionHeight = 0;
    metrics.border = border;
    metrics.buttonRight = btnRight;
    metrics.buttonTop = btnTop;
    metrics.buttonGap = 0;
    SetFrameMetrics(metrics);
    HMODULE module = ::GetModuleHandleW(nullptr);
    FrameSkin skin;
    skin.frame = LoadSkinImage(module, background);
    skin.resizeToImage = true;
    skin.closeStrip = LoadSkinImage(module, closeStrip);
    SetSkin(std::move(skin));
}

void NoticePopup::StyleLabel(SkinnedLabel& label, COLORREF text, bool bold) {
    label.m_crText = text;
    if (bold) label.m_nFontWeight = 700;
    label.m_bHandCursor = true;
    label.m_bUnderline = false;
    label.m_crHover = kHoverColour;
    label.m_bHoverColor = true;
    label.ModifyStyle(0, SS_NOTIFY);
}

void NoticePopup::ApplyLayout(NoticeLayout layout) {
    const Notice& notice = m_fetched->notice;
    // Whatever the file holds now is checked before it is decoded: too large a picture leaves
    // the notice without one.
    if (LayoutHasPicture(layout) && IsAcceptableNoticePictureFile(NoticePicturePath())) {
        int width = 0;
        int height = 0;
        m_bmpPicture.Reset(LoadImageFileBitmap(NoticePicturePath().c_str(), &width, &height));
    }
    if (layout == NoticeLayout::PictureOnly) {
        ModifyStyleEx(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, kKeyColour, 0, LWA_COLORKEY);
        SetUpFrame(IDP_NOTICE_PICTURE_BACKGROUND, IDP_NOTICE_PICTURE_CLOSE, 0, 1, 0);
        const RECT client = GetClientRect();
        Place(m_lblContent, -3, 22, client.right + 3, client.bottom - 22);
        ShowText(m_lblContent, L"");
        m_lblContent.SetImage(m_bmpPicture.Get());
        m_lblContent.m_bHandCursor = true;
        m_lblContent.ModifyStyle(0, SS_NOTIFY);
        return;
    }
    const bool withPicture = layout == NoticeLayout::PictureAndText;
    SetUpFrame(withPicture ? IDP_NOTICE_BACKGROUND : IDP_NOTICE_TEXT_BACKGROUND, IDP_NOTICE_CLOSE, 3, 3, 3);
    const RECT client = GetClientRect();
    StyleLabel(m_lblTitle, kTitleColour, true);
    m_lblTitle.m_bSingleLine = true;
    StyleLabel(m_lblContent, kTextColour, false);
    StyleLabel(m_lblLink, kTextColour, false);
    if (withPicture) {
        Place(m_lblPicture, 15, 67, 75, 80);
        ShowText(m_lblPicture, L"");
        m_lblPicture.SetImage(m_bmpPicture.Get());
        Place(m_lblTitle, 100, 48, client.right - 120, 15);
        Place(m_lblContent, 100, 68, client.right - 116, 13);
        Place(m_lblLink, 195, 168, 42, 13);
        ShowText(m_lblContent, ShortenedContent(notice.content, kPictureLayoutContentChars));
    } else {
        m_lblPicture.ShowWindow(SW_HIDE);
        Place(m_lblTitle, 0, 45, client.right, 15);
        Place(m_lblContent, 18, 65, client.right - 34, 13);
        Place(m_lblLink, 195, 145, 42, 13);
        ShowText(m_lblContent, ShortenedContent(notice.content, kTextLayoutContentChars));
    }
    ShowText(m_lblTitle, notice.title);
}

void NoticePopup::PlaceAtWorkAreaCorner() {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT window = GetWindowRect();
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(HWND_TOPMOST, work.right - width, work.bottom - height, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ::BringWindowToTop(m_hWnd);
}

void NoticePopup::End(const wchar_t* enable) {
    if (m_fetched) {
        const std::wstring how = !enable ? L"minimised" : std::wstring(enable) == L"0" ? L"dismissed" : L"over";
        Log(L"notice " + how + L": " + m_fetched->notice.key);
    }
    m_bShowing = false;
    KillTimer(TIMER_SHOWN);
    KillTimer(TIMER_PAUSE);
    if (enable) StoreNoticeValue(L"PopEnable", enable);
    DestroyWindow();
}

void NoticePopup::OnTimer(UINT_PTR id) {
    if (id == TIMER_SHOWN) {
        KillTimer(TIMER_SHOWN);
        m_bShowing = false;
        if (g_nPopShown < m_nMaxShow) {
            SetTimer(TIMER_PAUSE, kPauseMs);
            ShowWindow(SW_HIDE);
        } else {
            End(L"1");
        }
    } else if (id == TIMER_PAUSE) {
        ++g_nPopShown;
        KillTimer(TIMER_PAUSE);
        StartShowing();
        const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        if (owner && ::IsWindowVisible(owner)) ShowWindow(SW_SHOWNOACTIVATE);
    }
}

void NoticePopup::OnClickNotice() {
    // The address comes over plain HTTP: only a web address goes to the shell, never a
    // file or a program.
    const std::wstring url = m_fetched ? m_fetched->notice.detailUrl : std::wstring();
    End(L"0");
    if (IsWebAddress(url)) ::ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

BOOL NoticePopup::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_SYSCOMMAND && msg->hwnd == m_hWnd) {
        const WPARAM command = msg->wParam & 0xFFF0;
        if (command == SC_CLOSE) {
            End(L"0");
            return TRUE;
        }
        if (command == SC_MINIMIZE) {
            End(nullptr);
            return TRUE;
        }
    }
    return SkinnedDialog::PreTranslateMessage(msg);
}

bool NoticePopup::OnCommand(UINT id, UINT code, HWND control) {
    if (code == STN_CLICKED && (id == IDC_NOTICE_TITLE || id == IDC_NOTICE_CONTENT || id == IDC_NOTICE_LINK)) {
        OnClickNotice();
        return true;
    }
    return SkinnedDialog::OnCommand(id, code, control);
}

LRESULT NoticePopup::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && (wParam == TIMER_SHOWN || wParam == TIMER_PAUSE)) {
        OnTimer(wParam);
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        m_fetched.reset();
        m_bShowing = false;
    }
    return SkinnedDialog::WindowProc(msg, wParam, lParam);
}

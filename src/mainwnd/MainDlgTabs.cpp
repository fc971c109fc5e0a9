// The tab strip of the main window: drawing, mouse handling, switching and closing tabs.
#include "mainwnd/MainDlg.h"
#include "gameview/rules/GamePage.h"
#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "skin/MessageBox.h"

namespace {
RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Three equal images side by side in one resource strip.
void LoadThreeImages(CImageList& list, int resource) {
    const UniqueBitmap strip = LoadSkinImage(::GetModuleHandleW(nullptr), resource);
    const SIZE size = BitmapSize(strip.Get());
    if (size.cx < 3 || !list.Create(size.cx / 3, size.cy, ILC_COLOR24 | ILC_MASK, 0, 0)) return;
    list.Add(strip.Get(), RGB(255, 0, 255));
}
}  // namespace

void CBrindlow3Dlg::BuildTabImages() {
    LoadThreeImages(m_ilTabs, IDP_TABS);
    LoadThreeImages(m_ilClose, IDP_TAB_CLOSE);
    if (m_tipTabs.Create(m_hWnd, TTS_ALWAYSTIP)) {
        m_tipTabs.AddTool(m_hWnd, L"");
        m_tipTabs.SetAutomaticDelay(500);
        m_tipTabs.Activate(false);
    }
}

void CBrindlow3Dlg::InvalidateClient(const Rect& rc) {
    const RECT r = ToRECT(rc);
    ::InvalidateRect(m_hWnd, &r, TRUE);
}

void CBrindlow3Dlg::PaintContent(HDC dc) { DrawTabStrip(dc); }

void CBrindlow3Dlg::DrawTabStrip(HDC dc) {
    LOGFONTW lf = DescriptionOf(GetFont());
    lf.lfHeight = -12;
    SelectScope selectFont(dc, m_tabFont.For(lf));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    auto widthOf = [dc](const std::wstring& text) {
        RECT measured{0, 0, 0, 0};
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT);
        return static_cast<int>(measured.right - measured.left);
    };
    for (int i = 0; i < TabCount(); ++i) {
        const int image = i == m_tabs.Current() ? 2 : (i == m_hover.hotTab ? 1 : 0);
        const int left = tabs::TabLeft(i);
        ::ImageList_DrawEx(m_ilTabs.Get(), image, dc, left, tabs::kStripTop, tabs::kTabWidth, tabs::kTabHeight,
                           CLR_DEFAULT, CLR_DEFAULT, ILD_TRANSPARENT | ILD_SCALE);
        if (i == m_hover.hotTab && m_hover.closeState >= 0) {
            const Rect cross = tabs::CloseCrossRect(i);
            ::ImageList_DrawEx(m_ilClose.Get(), m_hover.closeState, dc, cross.left, cross.top, cross.Width(),
                               cross.Height(), CLR_DEFAULT, CLR_DEFAULT, ILD_TRANSPARENT | ILD_SCALE);
        }
        if (const tabs::GameTab* tab = m_tabs.At(i)) {
            const std::wstring title = tabs::TabTitle(tab->record, widthOf);
            RECT rc = ToRECT(tabs::TitleRect(i));
            ::DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &rc, DT_SINGLELINE | DT_NOPREFIX);
        }
    }
}

void CBrindlow3Dlg::ApplyHover(const tabs::HoverUpdate& update) {
    for (const Rect& rc : update.invalidate) InvalidateClient(rc);
    const tabs::GameTab* hot = m_tabs.At(update.state.hotTab);
    if (update.tip == tabs::TipAction::ActivateWithText && hot) {
        m_tipTabs.UpdateTipText(m_hWnd, hot->record.c_str());
        m_tipTabs.Activate(true);
    } else if (update.tip == tabs::TipAction::Deactivate) {
        m_tipTabs.Activate(false);
    }
    m_hover = update.state;
}

LRESULT CBrindlow3Dlg::OnStripHitTest(LRESULT frameHit, POINT screen) {
    POINT pt = screen;
    ::ScreenToClient(m_hWnd, &pt);
    const bool leftDown = (::GetAsyncKeyState(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
    const bool inBand = tabs::InBand(Point{pt.x, pt.y}, TabCount());
    ApplyHover(tabs::OnHover(m_hover, Point{pt.x, pt.y}, TabCount(), leftDown));
    if (inBand && !m_bTrackingMouse && frameHit != HTCAPTION) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        m_bTrackingMouse = ::TrackMouseEvent(&tme) != FALSE;
    }
    return frameHit;
}

void CBrindlow3Dlg::OnStripMouseLeave() { ApplyHover(tabs::OnMouseLeave(m_hover)); }

void CBrindlow3Dlg::OnStripPress(POINT pt) {
    const int tab = tabs::TabAt(pt.x);
    if (tab < 0 || tab >= TabCount()) return;
    if (tab != m_tabs.Current()) {
        const int old = m_tabs.Current();
        m_tabs.SetCurrent(tab);
        ShowTab(FrameAt(tab));
        InvalidateClient(tabs::TabRect(old));
        InvalidateClient(tabs::TabRect(tab));
    } else if (m_hHallWnd && ::IsWindowVisible(m_hHallWnd)) {
        ShowTab(FrameAt(tab));
    }
    if (pt.y <= 15 && tabs::OnCloseCross(Point{pt.x, pt.y})) {
        m_hover.closeState = 2;
        m_hover.hotTab = tab;
        InvalidateClient(tabs::CloseCrossRect(tab));
    }
}

bool CBrindlow3Dlg::OnStripRelease(POINT pt) {
    if (!tabs::OnCloseCross(Point{pt.x, pt.y})) return false;
    CloseTab(tabs::TabAt(pt.x));
    return true;
}

void CBrindlow3Dlg::ShowTab(HWND frame) {
    for (int i = 0; i < TabCount(); ++i) {
        if (FrameAt(i) != frame) ::ShowWindow(FrameAt(i), SW_HIDE);
    }
    if (!frame) return;
    const RECT client = GetClientRect();
    const Rect area = GameAreaOf(Rect{0, 0, client.right, client.bottom});
    ::MoveWindow(frame, area.left, area.top, area.Width(), area.Height(), FALSE);
    ::ShowWindow(frame, SW_SHOW);
    ::SetForegroundWindow(frame);
    if (m_hHallWnd && ::IsWindowVisible(m_hHallWnd)) ::ShowWindow(m_hHallWnd, SW_HIDE);
}

void CBrindlow3Dlg::SwitchToNextTab() {
    if (TabCount() == 0 || !IsWindowVisible() || ::IsIconic(m_hWnd)) return;
    if (TabCount() >= 2 && !(m_hHallWnd && ::IsWindowVisible(m_hHallWnd))) {
        const int old = m_tabs.Current();
        m_tabs.SetCurrent(tabs::NextTab(old, TabCount()));
        InvalidateClient(tabs::TabRect(old));
        InvalidateClient(tabs::TabRect(m_tabs.Current()));
    }
    ShowTab(CurrentFrame());
}

void CBrindlow3Dlg::CloseTab(int index) {
    if (index < 0 || index >= TabCount()) return;
    if (TabCount() == 1) {
        InvalidateClient(tabs::CloseCrossRect(index));
        m_hover.hotTab = m_hover.closeState = -1;
        OnCancel();
        return;
    }
    HWND removed = FrameAt(index);
    const std::wstring question = L"确定要退出账号：" + m_tabs.At(index)->record + L" ?";
    if (ShowSkinMsgBox(MB_YESNO, question.c_str(), m_hWnd) != IDYES) {
        InvalidateClient(tabs::TabRect(index));
        m_hover.hotTab = m_hover.closeState = -1;
        return;
    }
    // The tab's game may have ended while the question was open, taking the tab with it.
    const auto still = m_tabs.IndexOfFrame(static_cast<tabs::WindowId>(reinterpret_cast<UINT_PTR>(removed)));
    if (!still || TabCount() < 2) return;
    index = *still;
    const int countBefore = TabCount();
    m_tabs.Remove(index);
    m_tabs.SetCurrent(tabs::CurrentAfterClose(index, countBefore));
    m_games.Keep(m_tabs.Processes());
    ShowTab(CurrentFrame());
    ::SetParent(removed, nullptr);
    ::PostMessageW(removed, WM_SYSCOMMAND, SC_CLOSE, 0);
    m_hover.hotTab = m_hover.closeState = -1;
    InvalidateClient(tabs::StripRect(TabCount(), tabs::kTabWidth));
}

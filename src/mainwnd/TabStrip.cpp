#include "mainwnd/TabStrip.h"

#include "base/Log.h"
#include "base/rules/LogLine.h"
#include "res/resource.h"
#include "skin/ImageLoading.h"

#include <algorithm>

namespace {
HWND ToHwnd(tabs::WindowId id) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(id)); }
tabs::WindowId ToId(HWND hwnd) { return static_cast<tabs::WindowId>(reinterpret_cast<UINT_PTR>(hwnd)); }
RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

DWORD ProcessOfWindow(HWND hwnd) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    return process;
}

// Three equal images side by side in one resource strip.
void LoadThreeImages(CImageList& list, int resource) {
    const UniqueBitmap strip = LoadSkinImage(::GetModuleHandleW(nullptr), resource);
    const SIZE size = BitmapSize(strip.Get());
    if (size.cx < 3 || !list.Create(size.cx / 3, size.cy, ILC_COLOR24 | ILC_MASK, 0, 0)) return;
    list.Add(strip.Get(), RGB(255, 0, 255));
}
}  // namespace

void TabStrip::Create(HWND owner) {
    m_owner = owner;
    LoadThreeImages(m_ilTabs, IDP_TABS);
    LoadThreeImages(m_ilClose, IDP_TAB_CLOSE);
    LoadThreeImages(m_ilMuted, IDP_TAB_MUTED);
    if (m_tipTabs.Create(owner, TTS_ALWAYSTIP)) {
        m_tipTabs.AddTool(owner, L"");
        m_tipTabs.SetAutomaticDelay(500);
        m_tipTabs.Activate(false);
    }
}

HWND TabStrip::FrameAt(int index) const {
    const tabs::GameTab* tab = m_tabs.At(index);
    return tab ? ToHwnd(tab->frame) : nullptr;
}

bool TabStrip::IsTabFrame(HWND window) const {
    return window && m_tabs.IndexOfFrame(ToId(window)).has_value();
}

std::optional<int> TabStrip::IndexOfFrame(HWND frame) const {
    if (!frame) return std::nullopt;
    return m_tabs.IndexOfFrame(ToId(frame));
}

void TabStrip::SetView(int index, const tabs::TabView& view) {
    const tabs::GameTab* tab = m_tabs.At(index);
    if (!tab || tab->view == view) return;
    m_tabs.SetView(index, view);
    Invalidate(tabs::TabRect(index));
}

void TabStrip::SetCanZoom(int index, bool canZoom) { m_tabs.SetCanZoom(index, canZoom); }

void TabStrip::KeepWatchingTabProcesses() { m_games.Keep(m_tabs.Processes()); }

void TabStrip::ProcessStarted(DWORD processId, UniqueHandle process) {
    m_tabs.ProcessStarted(processId);
    m_games.Adopt(processId, std::move(process));
}

bool TabStrip::ForgetNewestPendingProcess() {
    if (m_tabs.StartedProcesses().empty()) return false;
    m_tabs.ForgetStarted(m_tabs.StartedProcesses().back());
    KeepWatchingTabProcesses();
    return true;
}

void TabStrip::TerminatePendingProcesses() {
    const std::vector<tabs::ProcessId> started = m_tabs.StartedProcesses();
    for (tabs::ProcessId process : started) {
        m_games.Terminate(process);
        m_tabs.ForgetStarted(process);
    }
    KeepWatchingTabProcesses();
}

void TabStrip::ForgetEndedStartedProcesses() {
    for (DWORD process : m_games.Ended()) {
        const auto& started = m_tabs.StartedProcesses();
        if (std::find(started.begin(), started.end(), process) != started.end()) m_tabs.ForgetStarted(process);
    }
}

bool TabStrip::AcceptRecord(const std::wstring& record) {
    // A started process that already ended cannot be the sender.
    ForgetEndedStartedProcesses();
    if (!m_tabs.AcceptRecord(record)) return false;
    KeepWatchingTabProcesses();
    return true;
}

void TabStrip::RegisterFrame(HWND frame) {
    // The frame's own process is the key to its login record and to noticing its end.
    m_tabs.RegisterFrame(ToId(frame), ProcessOfWindow(frame));
    KeepWatchingTabProcesses();
    Invalidate(tabs::StripRect(Count()));
}

bool TabStrip::Close(HWND frame) {
    // The tab's game may have ended while the question was open, taking the tab with it.
    const auto index = m_tabs.IndexOfFrame(ToId(frame));
    if (!index || Count() < 2) return false;
    const int countBefore = Count();
    m_tabs.Remove(*index);
    m_tabs.SetCurrent(tabs::CurrentAfterClose(*index, countBefore));
    KeepWatchingTabProcesses();
    return true;
}

bool TabStrip::DropEnded() {
    const int countBefore = Count();
    for (DWORD process : m_games.Ended()) {
        for (const tabs::GameTab& tab : m_tabs.ProcessEnded(process))
            Log(L"tab's game process " + m_games.HowItEnded(process) + L": " + ServerForLog(tab.record));
    }
    // A frame destroyed while its process lives on is as good as closed too.
    for (int i = Count() - 1; i >= 0; --i) {
        if (!::IsWindow(FrameAt(i))) {
            Log(L"tab's frame is gone: " + ServerForLog(m_tabs.At(i)->record));
            m_tabs.Remove(i);
        }
    }
    KeepWatchingTabProcesses();
    if (Count() == countBefore) return false;
    m_hover.hotTab = m_hover.closeState = -1;
    m_tipTabs.Activate(false);
    Invalidate(tabs::StripRect(countBefore));
    return true;
}

void TabStrip::Invalidate(const Rect& rc) const {
    const RECT r = ToRECT(rc);
    ::InvalidateRect(m_owner, &r, TRUE);
}

void TabStrip::Draw(HDC dc, const LOGFONTW& windowFont) {
    LOGFONTW lf = windowFont;
    lf.lfHeight = -12;
    SelectScope selectFont(dc, m_tabFont.For(lf));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    auto widthOf = [dc](const std::wstring& text) {
        RECT measured{0, 0, 0, 0};
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT);
        return static_cast<int>(measured.right - measured.left);
    };
    for (int i = 0; i < Count(); ++i) {
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
            RECT rc = ToRECT(tabs::TitleRect(i, tab->view.muted));
            ::DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &rc, DT_SINGLELINE | DT_NOPREFIX);
            if (tab->view.muted) {
                const Rect mark = tabs::MutedMarkRect(i);
                ::ImageList_DrawEx(m_ilMuted.Get(), image, dc, mark.left, mark.top, mark.Width(), mark.Height(),
                                   CLR_DEFAULT, CLR_DEFAULT, ILD_TRANSPARENT | ILD_SCALE);
            }
        }
    }
}

void TabStrip::ApplyHover(const tabs::HoverUpdate& update) {
    for (const Rect& rc : update.invalidate) Invalidate(rc);
    const tabs::GameTab* hot = m_tabs.At(update.state.hotTab);
    if (update.tip == tabs::TipAction::ActivateWithText && hot) {
        m_tipTabs.UpdateTipText(m_owner, hot->record.c_str());
        m_tipTabs.Activate(true);
    } else if (update.tip == tabs::TipAction::Deactivate) {
        m_tipTabs.Activate(false);
    }
    m_hover = update.state;
}

LRESULT TabStrip::OnHitTest(LRESULT frameHit, POINT screen) {
    POINT pt = screen;
    ::ScreenToClient(m_owner, &pt);
    const bool leftDown = (::GetAsyncKeyState(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
    const bool inBand = tabs::InBand(Point{pt.x, pt.y}, Count());
    ApplyHover(tabs::OnHover(m_hover, Point{pt.x, pt.y}, Count(), leftDown));
    if (inBand && !m_bTrackingMouse && frameHit != HTCAPTION) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_owner, HOVER_DEFAULT};
        m_bTrackingMouse = ::TrackMouseEvent(&tme) != FALSE;
    }
    return frameHit;
}

void TabStrip::OnMouseLeave(bool trackingEnded) {
    if (trackingEnded) m_bTrackingMouse = false;
    ApplyHover(tabs::OnMouseLeave(m_hover));
}

void TabStrip::RelayToTip(MSG msg) {
    if (m_tipTabs.m_hWnd) m_tipTabs.RelayEvent(&msg);
}

void TabStrip::Select(int index) {
    const int old = m_tabs.Current();
    m_tabs.SetCurrent(index);
    Invalidate(tabs::TabRect(old));
    Invalidate(tabs::TabRect(m_tabs.Current()));
}

void TabStrip::SelectNext() { Select(tabs::NextTab(m_tabs.Current(), Count())); }

void TabStrip::PressCloseCross(int index) {
    m_hover.closeState = 2;
    m_hover.hotTab = index;
    Invalidate(tabs::CloseCrossRect(index));
}

void TabStrip::ForgetHover(const Rect& area) {
    Invalidate(area);
    m_hover.hotTab = m_hover.closeState = -1;
}

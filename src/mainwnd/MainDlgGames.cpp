// The main window's game processes and its one list of tabs: starting a game process, its
// login record, its frame joining as a tab, and dropping what belonged to a process that
// ended without closing its tab.
#include "mainwnd/MainDlg.h"

#include "base/Config.h"
#include "base/Launch.h"
#include "base/Paths.h"
#include "mainwnd/LoginReport.h"
#include "mainwnd/rules/LoginRecord.h"
#include "mainwnd/rules/MainLayout.h"

#include <algorithm>

namespace {
HWND ToHwnd(tabs::WindowId id) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(id)); }
tabs::WindowId ToId(HWND hwnd) { return static_cast<tabs::WindowId>(reinterpret_cast<UINT_PTR>(hwnd)); }

DWORD ProcessOfWindow(HWND hwnd) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    return process;
}
}  // namespace

HWND CBrindlow3Dlg::FrameAt(int index) const {
    const tabs::GameTab* tab = m_tabs.At(index);
    return tab ? ToHwnd(tab->frame) : nullptr;
}

HWND CBrindlow3Dlg::CurrentFrame() const { return FrameAt(m_tabs.Current()); }

void CBrindlow3Dlg::SpawnGameProcess() {
    const long long window = static_cast<long long>(reinterpret_cast<INT_PTR>(m_hWnd));
    DWORD processId = 0;
    UniqueHandle process =
        StartLauncherProcess(mainwnd::GameProcessCommandLine(GetExePath(), window, TabCount()), &processId);
    if (!process) return;
    m_tabs.ProcessStarted(processId);
    m_games.Adopt(processId, std::move(process));
}

bool CBrindlow3Dlg::ForgetNewestPendingProcess() {
    if (m_tabs.StartedProcesses().empty()) return false;
    m_tabs.ForgetStarted(m_tabs.StartedProcesses().back());
    m_games.Keep(m_tabs.Processes());
    return true;
}

void CBrindlow3Dlg::TerminatePendingProcesses() {
    const std::vector<tabs::ProcessId> started = m_tabs.StartedProcesses();
    for (tabs::ProcessId process : started) {
        m_games.Terminate(process);
        m_tabs.ForgetStarted(process);
    }
    m_games.Keep(m_tabs.Processes());
}

void CBrindlow3Dlg::OnFrameCreated(HWND frame, bool hall) {
    if (!m_bRunning) {
        m_bRunning = true;
        ToggleMaximize();
        SetTrayIcon(true);
        SetTimer(kTimerMuteSync, 400);
        ArmNoticeTimer();
        if (m_dlgPreload.m_hWnd) m_dlgPreload.DestroyWindow();
    }
    if (hall) {
        m_hHallWnd = frame;
        return;
    }
    for (const tabs::GameTab& tab : m_tabs.Tabs()) ::ShowWindow(ToHwnd(tab.frame), SW_HIDE);
    if (m_hHallWnd && ::IsWindow(m_hHallWnd)) ::ShowWindow(m_hHallWnd, SW_HIDE);
    // The frame's own process is the key to its login record and to noticing its end.
    m_tabs.RegisterFrame(ToId(frame), ProcessOfWindow(frame));
    m_games.Keep(m_tabs.Processes());
    InvalidateClient(tabs::StripRect(TabCount()));
}

void CBrindlow3Dlg::ForgetEndedStartedProcesses() {
    for (DWORD process : m_games.Ended()) {
        const auto& started = m_tabs.StartedProcesses();
        if (std::find(started.begin(), started.end(), process) != started.end()) m_tabs.ForgetStarted(process);
    }
}

LRESULT CBrindlow3Dlg::OnLoginRecord(const COPYDATASTRUCT* data) {
    // Any process may send this; only a well-formed record is looked at.
    const auto record = data ? mainwnd::DecodeLoginRecord(data->dwData, data->cbData, data->lpData) : std::nullopt;
    if (!record) return 0;
    // A started process that already ended cannot be the sender.
    ForgetEndedStartedProcesses();
    if (!m_tabs.AcceptRecord(*record)) return 0;
    m_games.Keep(m_tabs.Processes());
    StartLoginReport(mainwnd::LoginReportUrl(config::kClientHost, mainwnd::AccountOf(*record), m_tabs.RecordCount()));
    return 1;
}

void CBrindlow3Dlg::DropEndedGames() {
    const int countBefore = TabCount();
    for (DWORD process : m_games.Ended()) m_tabs.ProcessEnded(process);
    // A frame destroyed while its process lives on is as good as closed too.
    for (int i = TabCount() - 1; i >= 0; --i) {
        if (!::IsWindow(FrameAt(i))) m_tabs.Remove(i);
    }
    m_games.Keep(m_tabs.Processes());
    if (TabCount() != countBefore) AfterTabsDropped(countBefore);
}

void CBrindlow3Dlg::AfterTabsDropped(int countBefore) {
    m_hover.hotTab = m_hover.closeState = -1;
    m_tipTabs.Activate(false);
    InvalidateClient(tabs::StripRect(countBefore));
    if (TabCount() > 0) {
        ShowTab(CurrentFrame());
        return;
    }
    // The last tab went: as when the user closes the last tab.
    OnCancel();
}

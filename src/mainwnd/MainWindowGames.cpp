// The main window's game processes: starting one, its login record, its frame joining as a
// tab, and what the window does when a game ended without closing its tab.
#include "mainwnd/MainWindow.h"

#include "base/Config.h"
#include "base/Launch.h"
#include "base/Paths.h"
#include "mainwnd/LoginReport.h"
#include "mainwnd/rules/LoginRecord.h"
#include "mainwnd/rules/MainLayout.h"

void MainWindow::SpawnGameProcess() {
    const long long window = static_cast<long long>(reinterpret_cast<INT_PTR>(m_hWnd));
    DWORD processId = 0;
    UniqueHandle process =
        StartLauncherProcess(mainwnd::GameProcessCommandLine(GetExePath(), window, TabCount()), &processId);
    if (!process) return;
    m_strip.ProcessStarted(processId, std::move(process));
}

void MainWindow::OnFrameCreated(HWND frame, bool hall) {
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
    for (int i = 0; i < TabCount(); ++i) ::ShowWindow(FrameAt(i), SW_HIDE);
    if (m_hHallWnd && ::IsWindow(m_hHallWnd)) ::ShowWindow(m_hHallWnd, SW_HIDE);
    m_strip.RegisterFrame(frame);
    ApplyRememberedView(frame);
}

LRESULT MainWindow::OnLoginRecord(const COPYDATASTRUCT* data) {
    // Any process may send this; only a well-formed record is looked at.
    const auto record = data ? mainwnd::DecodeLoginRecord(data->dwData, data->cbData, data->lpData) : std::nullopt;
    if (!record || !m_strip.AcceptRecord(*record)) return 0;
    StartLoginReport(mainwnd::LoginReportUrl(config::kClientHost, mainwnd::AccountOf(*record), m_strip.RecordCount()));
    return 1;
}

void MainWindow::DropEndedGames() {
    if (!m_strip.DropEnded()) return;
    // A tab's open menu goes with its game, so nothing of it acts on another tab.
    if (m_menuFrame && !m_strip.IsTabFrame(m_menuFrame)) ::EndMenu();
    if (TabCount() > 0) {
        ShowTab(CurrentFrame());
        return;
    }
    // The last tab went: as when the user closes the last tab.
    OnCancel();
}

// The operator's notice over the main window: armed once the first tab is there, so it
// never covers a login, fetched off this thread, shown from the result.
#include "mainwnd/MainWindow.h"

#include "base/Config.h"

void MainWindow::ArmNoticeTimer() { SetTimer(kTimerNotice, config::kNoticeDelayMs); }

void MainWindow::OnNoticeTimer() {
    KillTimer(kTimerNotice);
    if (m_hNoticeFetch && ::WaitForSingleObject(m_hNoticeFetch.Get(), 0) == WAIT_TIMEOUT) return;
    m_hNoticeFetch = StartNoticeFetch(m_hWnd, WM_NOTICE_FETCHED);
}

void MainWindow::OnNoticeFetched(LPARAM fetched) {
    std::unique_ptr<FetchedNotice> notice(reinterpret_cast<FetchedNotice*>(fetched));
    m_hNoticeFetch.Reset();
    if (notice) m_noticePopup.Open(m_hWnd, std::move(notice));
}

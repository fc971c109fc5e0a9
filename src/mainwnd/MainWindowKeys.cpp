// The main window's message pre-translation: its hot keys go to the key router first; then
// close and restore requests, and the tab tooltip's view of the mouse.
#include "mainwnd/MainWindow.h"

#include "base/Messages.h"

std::vector<HWND> MainWindow::GameFrames() const {
    std::vector<HWND> frames;
    for (int i = 0; i < TabCount(); ++i) frames.push_back(FrameAt(i));
    if (m_hHallWnd) frames.push_back(m_hHallWnd);
    return frames;
}

HWND MainWindow::ShownGamePage() const {
    HWND frame = CurrentFrame();
    if (frame && ::IsWindowVisible(frame)) return frame;
    if (HallShown()) return m_hHallWnd;
    return nullptr;
}

BOOL MainWindow::PreTranslateMessage(MSG* msg) {
    if (m_keyRouter.PreTranslate(*msg)) return TRUE;
    const UINT message = msg->message;
    // Close requests.
    if (message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_CLOSE && msg->hwnd == m_hWnd) {
        if (msg->lParam == kLauncherMarker) {
            if (TabCount() == 0) {
                ExitLauncher();
                return TRUE;
            }
            if (m_strip.ForgetNewestPendingProcess()) return TRUE;
        } else if (msg->lParam == 0 && TabCount() == 0) {
            m_strip.TerminatePendingProcesses();
            ExitLauncher();
            return TRUE;
        }
    }
    // Restore before any tab exists.
    if (message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_RESTORE && TabCount() == 0) ShowWindow(SW_RESTORE);
    // The tab tooltip sees the mouse; strip moves arrive as non-client moves.
    MSG relayed = *msg;
    if (message == WM_NCMOUSEMOVE && msg->hwnd == m_hWnd) {
        const POINT pt = ClientPointOf(message, msg->lParam);
        relayed.message = WM_MOUSEMOVE;
        relayed.lParam = MAKELPARAM(pt.x, pt.y);
    }
    m_strip.RelayToTip(relayed);
    return SkinnedDialog::PreTranslateMessage(msg);
}

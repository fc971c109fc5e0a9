// The main window's side of its tabs: which frame is shown in the game area, switching and
// closing tabs, and what a press on the strip does.
#include "mainwnd/MainWindow.h"
#include "base/Log.h"
#include "base/rules/LogLine.h"
#include "gameview/rules/GamePage.h"
#include "skin/SkinnedMessageBox.h"

void MainWindow::PaintContent(HDC dc) { m_strip.Draw(dc, DescriptionOf(GetFont())); }

void MainWindow::OnStripPress(POINT pt) {
    const int tab = tabs::TabAt(pt.x);
    if (tab < 0 || tab >= TabCount()) return;
    if (tab != m_strip.Current()) {
        m_strip.Select(tab);
        ShowTab(FrameAt(tab));
    } else if (HallShown()) {
        ShowTab(FrameAt(tab));
    }
    if (pt.y <= 15 && tabs::OnCloseCross(Point{pt.x, pt.y})) m_strip.PressCloseCross(tab);
}

bool MainWindow::OnStripRelease(POINT pt) {
    if (!tabs::OnCloseCross(Point{pt.x, pt.y})) return false;
    CloseTab(tabs::TabAt(pt.x));
    return true;
}

void MainWindow::ShowTab(HWND frame) {
    for (int i = 0; i < TabCount(); ++i) {
        if (FrameAt(i) != frame) ::ShowWindow(FrameAt(i), SW_HIDE);
    }
    if (!frame) return;
    const RECT client = GetClientRect();
    const Rect area = GameAreaOf(Rect{0, 0, client.right, client.bottom});
    ::MoveWindow(frame, area.left, area.top, area.Width(), area.Height(), FALSE);
    ::ShowWindow(frame, SW_SHOW);
    ::SetForegroundWindow(frame);
    if (HallShown()) ::ShowWindow(m_hHallWnd, SW_HIDE);
}

void MainWindow::SwitchToNextTab() {
    if (TabCount() == 0 || !IsWindowVisible() || ::IsIconic(m_hWnd)) return;
    if (TabCount() >= 2 && !HallShown()) m_strip.SelectNext();
    ShowTab(CurrentFrame());
}

void MainWindow::CloseTab(int index) {
    if (index < 0 || index >= TabCount()) return;
    if (TabCount() == 1) {
        m_strip.ForgetHover(tabs::CloseCrossRect(index));
        OnCancel();
        return;
    }
    HWND removed = FrameAt(index);
    const std::wstring question = L"确定要退出账号：" + m_strip.At(index)->record + L" ?";
    if (ShowSkinnedMessageBox(MB_YESNO, question.c_str(), m_hWnd) != IDYES) {
        m_strip.ForgetHover(tabs::TabRect(index));
        return;
    }
    const std::wstring server = ServerForLog(m_strip.At(index)->record);
    if (!m_strip.Close(removed)) return;
    Log(L"tab closed: " + server);
    ShowTab(CurrentFrame());
    ::SetParent(removed, nullptr);
    ::PostMessageW(removed, WM_SYSCOMMAND, SC_CLOSE, 0);
    m_strip.ForgetHover(tabs::StripRect(TabCount(), tabs::kTabWidth));
}

// The main window's part in game screenshots: it asks the current tab's game process, which
// owns the page, to capture and save it, and tells the player how that went.
#include "mainwnd/MainWindow.h"

#include "base/Log.h"
#include "base/CopyDataSend.h"
#include "base/Messages.h"
#include "base/rules/CopyDataText.h"
#include "base/rules/PathParts.h"
#include "skin/SkinnedMessageBox.h"

#include <shellapi.h>

namespace {
constexpr wchar_t kSavedTitle[] = L"截图已保存";

}  // namespace

void MainWindow::CaptureTab(int index) {
    const tabs::GameTab* tab = m_strip.At(index);
    HWND frame = FrameAt(index);
    if (!tab || !frame || !::IsWindow(frame)) {
        Log(L"screenshot failed: no game open");
        ShowScreenshotFailure(L"没有打开的游戏。");
        return;
    }
    const auto answer = SendCopyDataText(frame, m_hWnd, kCopyScreenshotRequest, tab->record, kCopyDataTimeoutMs);
    if (answer != 1) {
        Log(L"screenshot failed: the game's window did not answer");
        ShowScreenshotFailure(L"游戏窗口没有响应。");
    }
}

LRESULT MainWindow::OnCopyData(HWND sender, const COPYDATASTRUCT* data) {
    if (!data) return 0;
    switch (data->dwData) {
        case kCopyScreenshotSaved:
        case kCopyScreenshotFailed:
            return OnScreenshotReply(sender, data);
        default:
            return OnLoginRecord(data);
    }
}

LRESULT MainWindow::OnScreenshotReply(HWND sender, const COPYDATASTRUCT* data) {
    // The sender's handle is whatever the sender says, so it proves nothing; what the reply
    // names is checked instead: a saved file must be a PNG of the screenshot folder, since
    // the balloon's click hands it to Explorer.
    if (!m_strip.IsTabFrame(sender)) return 0;
    const auto text = DecodeCopyDataText(data->dwData, data->dwData, data->cbData, data->lpData, kMaxCopyDataChars);
    if (!text) return 0;
    if (data->dwData == kCopyScreenshotSaved && !IsSavedScreenshot(*text)) {
        Log(L"screenshot reply refused: no PNG of the screenshot folder");
        return 0;
    }
    m_shotReply = ScreenshotOutcome{data->dwData == kCopyScreenshotSaved, *text};
    PostMessage(WM_SCREENSHOT_DONE);
    return 1;
}

void MainWindow::OnScreenshotDone() {
    Log(m_shotReply.saved ? L"screenshot saved: " + FileNameOf(m_shotReply.text) : L"screenshot failed: " + m_shotReply.text);
    if (!m_shotReply.saved) {
        ShowScreenshotFailure(m_shotReply.text);
        return;
    }
    m_strLastShot = m_shotReply.text;
    m_tray.ShowBalloon(kSavedTitle, FileNameOf(m_strLastShot));
}

void MainWindow::ShowScreenshotFailure(const std::wstring& reason) {
    const std::wstring text = L"截图失败\r\n" + reason;
    ShowSkinnedMessageBox(MB_OK, text.c_str(), m_hWnd);
}

void MainWindow::ShowLastScreenshotInFolder() const {
    // Checked when the reply came, and again now: the file may have gone or been replaced
    // by a folder since. It holds no quote, so Explorer reads it as one argument.
    if (!IsSavedScreenshot(m_strLastShot)) return;
    const std::wstring arguments = L"/select,\"" + m_strLastShot + L"\"";
    ::ShellExecuteW(nullptr, L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
}

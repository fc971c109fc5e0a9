#include "update/UpdateDownloadDialog.h"

#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "skin/rules/MessageBoxLayout.h"
#include "update/HttpFetch.h"
#include "update/OperatorUrl.h"

namespace {
// Posted by the watch thread once the download thread has ended; wParam 1 when complete.
const UINT kDownloadEnded = WM_APP + 0x156;

using Download = UpdateDownloadDialog::Download;

DWORD WINAPI DownloadThread(void* parameter) {
    std::unique_ptr<std::shared_ptr<Download>> owned(static_cast<std::shared_ptr<Download>*>(parameter));
    Download& d = **owned;
    // Only the operator's hosts may replace the executable; anything else ends at once.
    if (!IsOperatorUrl(d.url.c_str())) return 0;
    d.success = HttpGetToFileWithProgress(d.url.c_str(), d.path.c_str(), d.progress, d.store);
    return 0;
}

struct WatchArguments {
    std::shared_ptr<Download> download;
    HANDLE thread;  // a duplicate the watch thread owns
};

DWORD WINAPI WatchThread(void* parameter) {
    std::unique_ptr<WatchArguments> args(static_cast<WatchArguments*>(parameter));
    ::WaitForSingleObject(args->thread, INFINITE);
    ::CloseHandle(args->thread);
    // A cancelled dialog has already ended; its window may be gone.
    if (!args->download->store.IsCancelled())
        ::PostMessageW(args->download->dialog, kDownloadEnded, args->download->success ? 1 : 0, 0);
    return 0;
}
}  // namespace

UpdateDownloadDialog::UpdateDownloadDialog() noexcept : SkinnedDialog(IDD_UPDATE) {}
UpdateDownloadDialog::~UpdateDownloadDialog() = default;

void UpdateDownloadDialog::DoDataExchange() { BindControl(IDC_PROGRESS, m_progress); }

BOOL UpdateDownloadDialog::OnInitDialog() {
    SkinnedDialog::OnInitDialog();
    HMODULE module = ::GetModuleHandleW(nullptr);
    // The same frame as the message box.
    SetFrameMetrics(skin::MessageBoxFrameMetrics());
    SetWindowText(L"版本更新中...");
    FrameSkin skin;
    skin.frame = LoadSkinImage(module, IDP_DIALOG_FRAME);
    skin.stretch = true;
    skin.closeStrip = LoadSkinImage(module, IDP_CLOSE_BUTTON);
    SetSkin(std::move(skin));
    CenterWindow();
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_progress.SetImages(LoadSkinImage(module, IDP_PROGRESS_BACKGROUND), LoadSkinImage(module, IDP_PROGRESS_BAR));

    m_download = std::make_shared<Download>();
    m_download->url = m_szUrl.substr(0, 511);
    m_download->path = m_szPath;
    m_download->progress = m_progress.m_hWnd;
    m_download->dialog = m_hWnd;

    // Each thread takes over its argument once it runs; until then the owners here keep it.
    auto forDownload = std::make_unique<std::shared_ptr<Download>>(m_download);
    m_hDownloadThread.Reset(::CreateThread(nullptr, 0, DownloadThread, forDownload.get(), 0, nullptr));
    if (!m_hDownloadThread) {
        PostMessage(kDownloadEnded, 0, 0);
        return TRUE;
    }
    (void)forDownload.release();
    HANDLE watched = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), m_hDownloadThread.Get(), ::GetCurrentProcess(), &watched, SYNCHRONIZE,
                      FALSE, 0);
    auto forWatch = std::make_unique<WatchArguments>(WatchArguments{m_download, watched});
    m_hWatchThread.Reset(watched ? ::CreateThread(nullptr, 0, WatchThread, forWatch.get(), 0, nullptr) : nullptr);
    if (m_hWatchThread) {
        (void)forWatch.release();
    } else {
        if (watched) ::CloseHandle(watched);
        // Without a watcher nothing would end the dialog: give the download up.
        m_download->store.Cancel();
        PostMessage(kDownloadEnded, 0, 0);
    }
    return TRUE;
}

void UpdateDownloadDialog::OnCancel() {
    // Closes the file and the request handles once and lets a progress message already on
    // its way arrive; none is sent afterwards.
    if (m_download) m_download->store.Cancel();
    m_hDownloadThread.Reset();
    m_hWatchThread.Reset();
    EndDialog(IDCANCEL);
}

LRESULT UpdateDownloadDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kDownloadEnded) {
        m_hDownloadThread.Reset();
        m_hWatchThread.Reset();
        EndDialog(wParam == 1 ? IDOK : IDCANCEL);
        return 0;
    }
    return SkinnedDialog::WindowProc(msg, wParam, lParam);
}

// UpdateDownloadDialog: the skinned dialog that downloads the published executable with a progress bar.
// Ends with 1 when the whole announced body arrived, with 2 when the download failed, the
// address is not the operator's, or the user closed it.
#pragma once
#include "skin/SkinnedDialog.h"
#include "skin/SkinnedProgressBar.h"
#include "update/HttpHandleStore.h"

#include <atomic>
#include <memory>
#include <string>

class UpdateDownloadDialog : public SkinnedDialog {
public:
    UpdateDownloadDialog() noexcept;
    ~UpdateDownloadDialog() override;

    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Closes the request handles under the download: its blocked read fails and the thread
    // ends on its own, after the dialog has ended.
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    SkinnedProgressBar m_progress;
    std::wstring m_szUrl;   // at most 511 characters
    std::wstring m_szPath;  // "NewTov.exe" beside the executable

    // What the download thread and the dialog share; it outlives whichever ends last.
    struct Download {
        std::wstring url;
        std::wstring path;
        HWND progress = nullptr;
        HWND dialog = nullptr;
        HttpHandleStore store;
        std::atomic<bool> success{false};
    };

private:
    std::shared_ptr<Download> m_download;
    UniqueHandle m_hDownloadThread;
    UniqueHandle m_hWatchThread;
};

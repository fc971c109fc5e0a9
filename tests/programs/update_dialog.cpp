// Shows the update dialog downloading a slow body from the dev service (for scripts/screenshots):
//   update_dialog [READY_FILE]
// READY_FILE is created once about a third of the download is on disk.
#include "support/HttpSupport.h"
#include "update/UpdateDownloadDialog.h"

#include <windows.h>

#include <string>
#include <thread>

int wmain(int argc, wchar_t** argv) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"qh_update_dialog_NewTov.exe";
    const unsigned long bytes = 1048576;

    std::thread watcher;
    if (argc > 1) {
        const std::wstring ready = argv[1];
        watcher = std::thread([path, ready] {
            for (int i = 0; i < 600; ++i) {
                WIN32_FILE_ATTRIBUTE_DATA data{};
                if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow > bytes / 3) {
                    ::CloseHandle(::CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
                    return;
                }
                ::Sleep(50);
            }
        });
    }
    UpdateDownloadDialog dialog;
    dialog.m_szUrl = ServiceUrl(L"/test/slow?bytes=1048576&ms=40&piece=2048");
    dialog.m_szPath = path;
    dialog.DoModal();
    if (watcher.joinable()) watcher.join();
    ::DeleteFileW(path.c_str());
    return 0;
}

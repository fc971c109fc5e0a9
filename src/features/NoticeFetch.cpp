#include "features/NoticeFetch.h"

#include "base/Log.h"
#include "base/Config.h"
#include "base/Paths.h"
#include "features/HotKeyStore.h"
#include "update/HttpFetch.h"
#include "update/OperatorUrl.h"

#include <vector>

namespace {
constexpr wchar_t kSection[] = L"Tov";

std::wstring Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return FormatNoticeDate(now.wYear, now.wMonth, now.wDay);
}


struct FetchJob {
    HWND notify;
    UINT message;
};

DWORD WINAPI NoticeFetchThread(void* param) {
    const std::unique_ptr<FetchJob> job(static_cast<FetchJob*>(param));
    std::unique_ptr<FetchedNotice> result;
    try {
        result = LoadNoticeFromService();
    } catch (...) {  // nothing unwinds out of a thread
        result.reset();
    }
    if (::PostMessageW(job->notify, job->message, 0, reinterpret_cast<LPARAM>(result.get()))) result.release();
    return 0;
}
}  // namespace

bool IsAcceptableNoticePictureFile(const std::wstring& path) {
    const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > static_cast<LONGLONG>(kMaxNoticePictureBytes))
        return false;
    std::vector<unsigned char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    return ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
           got == bytes.size() && IsAcceptableNoticePicture(bytes.data(), bytes.size());
}

bool FetchNotice(std::wstring& text) {
    const std::wstring url = std::wstring(L"http://") + config::kClientHost + L"/notice/tov.txt";
    if (!IsOperatorUrl(url.c_str())) return false;
    wchar_t buffer[kHttpTextLimit] = {};
    if (!HttpGetText(url.c_str(), buffer)) return false;
    text = WithoutFinalLineBreak(buffer);
    return true;
}

bool DownloadPicture(const std::wstring& url, const std::wstring& path) {
    if (!IsOperatorUrl(url.c_str())) return false;
    // Into a side file first: a cut-off download or an error page replaces nothing.
    const std::wstring incoming = path + L".part";
    const bool ok = HttpGetToFile(url.c_str(), incoming.c_str(), kMaxNoticePictureBytes) &&
                    IsAcceptableNoticePictureFile(incoming) &&
                    ::MoveFileExW(incoming.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    ::DeleteFileW(incoming.c_str());
    return ok;
}

std::wstring NoticePicturePath() { return GetExeDirectory() + L"\\PopWnd.jpg"; }

std::wstring StoredNoticeValue(const wchar_t* key) {
    wchar_t text[1024] = {};
    ::GetPrivateProfileStringW(kSection, key, L"", text, 1024, LocalSettingsPath().c_str());
    return text;
}

void StoreNoticeValue(const wchar_t* key, const wchar_t* value) {
    if (!::WritePrivateProfileStringW(kSection, key, value, LocalSettingsPath().c_str()))
        Log(std::wstring(L"the settings file could not be written: ") + key);
}

std::unique_ptr<FetchedNotice> LoadNoticeFromService() {
    std::wstring text;
    if (!FetchNotice(text)) return nullptr;  // the network's log line says why
    if (!ShouldShowNotice(text, StoredNoticeValue(L"PopInfo"), StoredNoticeValue(L"PopEnable"))) {
        Log(L"notice not shown: the player dismissed it");
        return nullptr;
    }
    std::optional<Notice> notice = ParseNotice(text);
    if (!notice) {
        Log(L"notice refused: malformed, or a control character in it");
        return nullptr;
    }
    if (NoticeExpired(*notice, Today())) {
        Log(L"notice refused: its last day " + notice->lastDay + L" has passed");
        return nullptr;
    }
    // The layouts with a picture use whatever the file holds, fetched or not.
    if (LayoutHasPicture(ChooseNoticeLayout(*notice))) DownloadPicture(notice->pictureUrl, NoticePicturePath());
    return std::make_unique<FetchedNotice>(FetchedNotice{std::move(text), std::move(*notice)});
}

UniqueHandle StartNoticeFetch(HWND notify, UINT message) {
    auto job = std::make_unique<FetchJob>(FetchJob{notify, message});
    UniqueHandle thread(::CreateThread(nullptr, 0, &NoticeFetchThread, job.get(), 0, nullptr));
    if (thread) job.release();  // the thread owns it now
    return thread;
}

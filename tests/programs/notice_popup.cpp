// Shows the notice pop-up in one of its layouts, for scripts/screenshots:
//   notice_popup text | pictext | picture [READY_FILE]
// The notice is made here; its picture is the dev service's (fetched into "PopWnd.jpg" as the
// launcher does). READY_FILE is created once the pop-up has drawn. What the pop-up stores
// beside the program ("PopInfo", "PopEnable", the picture) is put back as it was.
#include "features/NoticeFetch.h"
#include "features/NoticePopup.h"
#include "skin/Gdiplus.h"
#include "support/HttpSupport.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

namespace {
class StoredNoticeRestore {
public:
    StoredNoticeRestore()
        : m_info(StoredNoticeValue(L"PopInfo")),
          m_enable(StoredNoticeValue(L"PopEnable")),
          m_hadPicture(::GetFileAttributesW(NoticePicturePath().c_str()) != INVALID_FILE_ATTRIBUTES) {}
    ~StoredNoticeRestore() {
        StoreNoticeValue(L"PopInfo", m_info.empty() ? nullptr : m_info.c_str());
        StoreNoticeValue(L"PopEnable", m_enable.empty() ? nullptr : m_enable.c_str());
        if (!m_hadPicture) ::DeleteFileW(NoticePicturePath().c_str());
    }
    StoredNoticeRestore(const StoredNoticeRestore&) = delete;
    StoredNoticeRestore& operator=(const StoredNoticeRestore&) = delete;

private:
    std::wstring m_info, m_enable;
    bool m_hadPicture;
};

std::unique_ptr<FetchedNotice> MakeNotice(const std::wstring& layout) {
    auto fetched = std::make_unique<FetchedNotice>();
    Notice& n = fetched->notice;
    n.key = L"gallery-" + layout;
    n.lastDay = L"2999-12-31";
    n.title = L"《QuarnelHalvira》双线5服今日开启";
    n.detailUrl = ServiceUrl(L"/notice/detail.htm");
    if (layout != L"picture") {
        n.content = L"新服开启首周登录即送坐骑礼包，充值返利活动同步进行，"
                    L"更有限时副本与全服排行奖励等你来拿，详情请查看官网公告。";
    }
    if (layout != L"text") n.pictureUrl = ServiceUrl(L"/notice/tovpic.png");
    n.maxShow = 1;
    fetched->text = n.key + L"|" + n.lastDay + L"|" + n.title + L"|" + n.detailUrl + L"|" + n.content + L"|" +
                    n.pictureUrl + L"|1";
    return fetched;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    GdiplusSession gdiplus;
    const std::wstring layout = argc > 1 ? argv[1] : L"pictext";
    if (layout != L"text" && layout != L"pictext" && layout != L"picture") return 2;

    std::unique_ptr<FetchedNotice> fetched = MakeNotice(layout);
    NoticePopup popup;
    {
        StoredNoticeRestore restore;
        if (!fetched->notice.pictureUrl.empty()) DownloadPicture(fetched->notice.pictureUrl, NoticePicturePath());
        // No owner: the pop-up is shown here rather than by a visible main window.
        if (!popup.Open(nullptr, std::move(fetched))) return 1;
    }
    popup.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::RedrawWindow(popup.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (argc > 2) ::CloseHandle(::CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    MSG msg;
    while (popup.IsWindow() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (popup.PreTranslateMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

// Shows one skinned window for a screenshot (scripts/screenshots):
//   skin_gallery box0 | box1 | box4   a message box of that type
//   skin_gallery frame                 a resizable skinned frame with caption buttons
//   skin_gallery login                 the login window's layered background
//   skin_gallery auth                  the QQ/Weibo/WeChat authorisation window
#include "res/resource.h"
#include "skin/SkinnedDialog.h"
#include "skin/ImageLoading.h"
#include "login/LoginBackdrop.h"
#include "login/AuthorizationWindow.h"
#include "skin/Gdiplus.h"
#include "skin/SkinnedMessageBox.h"

#include <commctrl.h>

#include <string>

namespace {
class GalleryFrame : public SkinnedDialog {
public:
    GalleryFrame() : SkinnedDialog(IDD_MAIN) {}
    BOOL OnInitDialog() override {
        SkinnedDialog::OnInitDialog();
        m_nTitleWeight = 600;
        HMODULE module = ::GetModuleHandleW(nullptr);
        ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL,
                       reinterpret_cast<LPARAM>(::LoadImageW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 16,
                                                             16, 0)));
        SetStandardSkin(IDP_MAIN_FRAME, true);
        m_bResizable = true;
        SetWindowText(L"QuarnelHalvira");
        for (int id : {IDC_BTN_HIDE, IDC_BTN_SOUND, IDC_BTN_SYSTEM, IDC_LBL_ADD_ACCOUNT}) ::ShowWindow(GetDlgItem(id), SW_HIDE);
        SetWindowPos(nullptr, 120, 80, 640, 420, SWP_NOZORDER);
        return TRUE;
    }
};
}  // namespace

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    const std::wstring what = argc > 1 ? argv[1] : L"box0";
    if (what == L"login") {
        GdiplusSession gdiplus;
        LoginBackdrop login(::GetDesktopWindow());  // a host that never goes away
        login.DoModal();
        return 0;
    }
    if (what == L"auth") {
        AuthorizationWindow auth;
        auth.m_htmlAuth.m_strAuthUrl = L"http://127.0.0.1/qzone/redirectToAuthorize.do?params=gallery";
        if (!auth.Create(IDD_LOGIN, nullptr)) return 1;
        auth.SetTitle(L"新浪微博账号安全登录");
        auth.ShowWindow(SW_SHOW);
        auth.CenterWindow();
        MSG msg;
        while (auth.IsWindow() && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return 0;
    }
    if (what == L"frame") {
        GalleryFrame frame;
        frame.DoModal();
        return 0;
    }
    const int type = what == L"box1" ? 1 : what == L"box4" ? 4 : 0;
    const wchar_t* text = type == 4   ? L"确定要移除 QuarnelHalvira吗？"
                          : type == 1 ? L"窗口即将关闭，确定要退出游戏？"
                                      : L"QuarnelHalvira已成功移除，部分文件将在程序退出\r\n或计算机重启后自行删除";
    return ShowSkinnedMessageBox(type, text, nullptr);
}

// The login window of a game process: a layered window showing the background picture with
// per-pixel transparency, with the login page stacked exactly on top of it.
#pragma once
#include "framework/Dialog.h"
#include "login/LoginDlg.h"

#include <memory>

namespace Gdiplus {
class Bitmap;
}

class CLoginBkDlg : public CDialog {
public:
    explicit CLoginBkDlg(HWND parent) noexcept;
    ~CLoginBkDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::unique_ptr<Gdiplus::Bitmap> m_pBkImage;
    int m_nBkWidth = 0;
    int m_nBkHeight = 0;
    CLoginDlg m_dlgLogin;

private:
    bool LoadPngResourceImage();
    bool DrawLayeredBackground();
    HWND m_hHost;
};


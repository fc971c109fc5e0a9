// The login window of a game process: a layered window showing the background picture with
// per-pixel transparency, with the login page stacked exactly on top of it.
#pragma once
#include "framework/Dialog.h"
#include "login/LoginPageDialog.h"

#include <memory>

namespace Gdiplus {
class Bitmap;
}

class LoginBackdrop : public CDialog {
public:
    explicit LoginBackdrop(HWND parent) noexcept;
    ~LoginBackdrop() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::unique_ptr<Gdiplus::Bitmap> m_backgroundImage;
    int m_backgroundWidth = 0;
    int m_backgroundHeight = 0;
    LoginPageDialog m_dlgLogin;

private:
    bool LoadPngResourceImage();
    bool DrawLayeredBackground();
    HWND m_hHost;
};


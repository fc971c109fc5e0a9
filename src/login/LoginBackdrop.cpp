#include "login/LoginBackdrop.h"

#include "base/Handles.h"
#include "res/resource.h"
#include "skin/Gdiplus.h"
#include "skin/ImageLoading.h"

namespace {
constexpr UINT_PTR kHostWatchTimer = 1;
}

LoginBackdrop::LoginBackdrop(HWND parent) noexcept
    : CDialog(IDD_LOGIN, parent), m_dlgLogin(LoginPageUrl()), m_hHost(parent) {}

LoginBackdrop::~LoginBackdrop() = default;

BOOL LoginBackdrop::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(L"QuarnelHalvira");
    if (LoadPngResourceImage()) {
        m_backgroundWidth = static_cast<int>(m_backgroundImage->GetWidth());
        m_backgroundHeight = static_cast<int>(m_backgroundImage->GetHeight());
    }
    // Centred on the screen: the host main window is still a 1 x 1 window at this point.
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(nullptr, work.left + (work.right - work.left - m_backgroundWidth) / 2,
                 work.top + (work.bottom - work.top - m_backgroundHeight) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DrawLayeredBackground();
    m_dlgLogin.SetLoginWindow(this);
    if (m_dlgLogin.Create(IDD_LOGIN, m_hWnd)) {
        const RECT rc = GetWindowRect();
        m_dlgLogin.MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    }
    ModifyStyle(0, WS_MINIMIZEBOX);
    // Until the page can end the login itself, a login whose host is gone gives up.
    SetTimer(kHostWatchTimer, 800);
    return FALSE;
}

bool LoginBackdrop::LoadPngResourceImage() {
    m_backgroundImage = LoadPngResource(::GetModuleHandleW(nullptr), IDP_LOGIN_BACKGROUND);
    return m_backgroundImage != nullptr;
}

bool LoginBackdrop::DrawLayeredBackground() {
    // A 32-bit section holds the premultiplied alpha the layered update needs.
    const int width = m_backgroundWidth > 0 ? m_backgroundWidth : 1;
    const int height = m_backgroundHeight > 0 ? m_backgroundHeight : 1;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDC screen(m_hWnd);
    UniqueBitmap section(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDC memory(::CreateCompatibleDC(screen.Get()));
    if (!section || !memory || !bits) return false;
    SelectScope select(memory.Get(), section.Get());
    if (m_backgroundImage) {
        Gdiplus::Bitmap surface(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
        Gdiplus::Graphics graphics(&surface);
        graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
        graphics.DrawImage(m_backgroundImage.get(), 0, 0, width, height);
    }
    if (!(GetExStyle() & WS_EX_LAYERED)) ModifyStyleEx(0, WS_EX_LAYERED);
    const RECT window = GetWindowRect();
    POINT position{window.left, window.top};
    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::UpdateLayeredWindow(m_hWnd, screen.Get(), &position, &size, memory.Get(), &source, 0, &blend,
                                 ULW_ALPHA) != FALSE;
}

BOOL LoginBackdrop::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && msg->hwnd == m_hWnd) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT LoginBackdrop::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONDOWN: {
            // A press on the picture (where the page is transparent) drags the whole window.
            const LRESULT result = CDialog::WindowProc(msg, wParam, lParam);
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ClientToScreen(m_hWnd, &pt);
            SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
            return result;
        }
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = CDialog::WindowProc(msg, wParam, lParam);
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (m_dlgLogin.m_hWnd && pos && !(pos->flags & SWP_NOMOVE)) {
                const RECT rc = GetWindowRect();
                m_dlgLogin.MoveWindow(pos->x, pos->y, rc.right - rc.left, rc.bottom - rc.top, TRUE);
            }
            return result;
        }
        case WM_TIMER:
            if (wParam == kHostWatchTimer) {
                if (!m_hHost || !::IsWindow(m_hHost)) EndDialog(IDCANCEL);
                return 0;
            }
            break;
        default:
            break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

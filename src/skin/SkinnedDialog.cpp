#include "skin/SkinnedDialog.h"

#include "res/resource.h"
#include "skin/CachedFont.h"
#include "skin/ImageLoading.h"
#include "skin/OffscreenSurface.h"
#include "skin/rules/CaptionButtons.h"
#include "skin/rules/FrameHitTest.h"
#include "skin/rules/FrameLayout.h"
#include "skin/rules/FrameRegion.h"

#include <windowsx.h>

namespace {
Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

RECT WorkArea() {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

std::optional<Size> StripSize(HBITMAP strip) {
    if (!strip) return std::nullopt;
    const SIZE s = BitmapSize(strip);
    return Size{s.cx, s.cy};
}

constexpr DWORD kCaptionAndSysMenu = 0xC00080;
constexpr DWORD kModalFrameAndEdge = 0x101;
}  // namespace

SkinnedDialog::SkinnedDialog(UINT templateId, HWND parent) noexcept : CDialog(templateId, parent) {}

skin::FrameMetrics SkinnedDialog::Metrics() const {
    skin::FrameMetrics m;
    m.captionHeight = m_nCaptionHeight;
    m.border = m_nBorder;
    m.buttonRight = m_nBtnRight;
    m.buttonTop = m_nBtnTop;
    m.buttonGap = m_nBtnGap;
    return m;
}

BOOL SkinnedDialog::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    ModifyStyle(kCaptionAndSysMenu, WS_MINIMIZEBOX);
    ModifyStyleEx(kModalFrameAndEdge, 0);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    const skin::FrameBounds bounds = skin::InitialFrameBounds(ToRect(WorkArea()));
    m_nMaxWidth = bounds.maxWidth;
    m_nMaxHeight = bounds.maxHeight;
    m_rcRestore = ToRECT(bounds.restore);
    return result;
}

void SkinnedDialog::SetSkin(FrameSkin skin) {
    m_bmpOverlay.Reset();
    const bool resizeToImage = skin.resizeToImage && skin.frame;
    m_bmpBack = std::move(skin.frame);
    m_bStretch = skin.stretch;
    m_szBack = BitmapSize(m_bmpBack.Get());
    CacheFramePixels();

    if (resizeToImage) {
        SetWindowPos(nullptr, 0, 0, m_szBack.cx, m_szBack.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int width = resizeToImage ? m_szBack.cx : GetClientRect().right;
    BuildRegion();

    const skin::CaptionButtonRects rects =
        skin::LayoutCaptionButtons(width, Metrics(), StripSize(skin.closeStrip.Get()), StripSize(skin.maxStrip.Get()),
                                   StripSize(skin.minStrip.Get()));
    if (skin.closeStrip && rects.close) {
        m_btnClose.DestroyWindow();
        m_bmpClose = std::move(skin.closeStrip);
        m_btnClose.CreateImageButton(rects.close->right, rects.close->top, m_bmpClose.Get(), skin::kCloseButtonId,
                                     m_hWnd);
        m_btnClose.SetToolTipText(skin::kCloseTooltip);
    }
    if (skin.maxStrip && rects.maximize) {
        m_btnMax.DestroyWindow();
        m_bmpMax = std::move(skin.maxStrip);
        m_bmpRestore = std::move(skin.restoreStrip);
        m_btnMax.CreateImageButton(rects.maximize->right, rects.maximize->top, m_bmpMax.Get(),
                                   skin::kMaximizeButtonId, m_hWnd);
        m_btnMax.SetToolTipText(skin::MaximizeButtonTooltip(false));
    }
    if (skin.minStrip && rects.minimize) {
        m_btnMin.DestroyWindow();
        m_bmpMin = std::move(skin.minStrip);
        m_btnMin.CreateImageButton(rects.minimize->right, rects.minimize->top, m_bmpMin.Get(),
                                   skin::kMinimizeButtonId, m_hWnd);
        m_btnMin.SetToolTipText(skin::kMinimizeTooltip);
    }
    Invalidate(TRUE);  // strips no button took are freed with `skin`
}

void SkinnedDialog::SetFrameMetrics(const skin::FrameMetrics& metrics) {
    m_nCaptionHeight = metrics.captionHeight;
    m_nBorder = metrics.border;
    m_nBtnRight = metrics.buttonRight;
    m_nBtnTop = metrics.buttonTop;
    m_nBtnGap = metrics.buttonGap;
}

void SkinnedDialog::SetStandardSkin(int frameImageId, bool withMinMax) {
    skin::FrameMetrics standard;
    standard.captionHeight = 30;
    standard.border = 4;
    standard.buttonRight = 0;
    standard.buttonTop = 0;
    standard.buttonGap = 0;
    SetFrameMetrics(standard);
    HMODULE module = ::GetModuleHandleW(nullptr);
    FrameSkin skin;
    skin.frame = LoadSkinImage(module, frameImageId);
    skin.stretch = true;
    if (withMinMax) {
        skin.minStrip = LoadSkinImage(module, IDP_MIN_BUTTON);
        skin.maxStrip = LoadSkinImage(module, IDP_MAX_BUTTON);
        skin.restoreStrip = LoadSkinImage(module, IDP_RESTORE_BUTTON);
    }
    skin.closeStrip = LoadSkinImage(module, IDP_CLOSE_BUTTON);
    SetSkin(std::move(skin));
}

void SkinnedDialog::CacheFramePixels() {
    m_framePixels.clear();
    if (!m_bmpBack || m_szBack.cx <= 0 || m_szBack.cy <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_szBack.cx;
    info.bmiHeader.biHeight = -m_szBack.cy;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_framePixels.resize(static_cast<size_t>(m_szBack.cx) * static_cast<size_t>(m_szBack.cy));
    WindowDC screen(nullptr);
    if (!::GetDIBits(screen.Get(), m_bmpBack.Get(), 0, static_cast<UINT>(m_szBack.cy), m_framePixels.data(), &info,
                     DIB_RGB_COLORS)) {
        m_framePixels.clear();
    }
}

bool SkinnedDialog::IsMagentaAt(int x, int y) const {
    if (m_framePixels.empty() || x < 0 || y < 0 || x >= m_szBack.cx || y >= m_szBack.cy) return false;
    return (m_framePixels[static_cast<size_t>(y) * static_cast<size_t>(m_szBack.cx) + static_cast<size_t>(x)] &
            0xFFFFFF) == 0xFF00FF;
}

void SkinnedDialog::BuildRegion() {
    if (!m_bmpBack) return;
    const RECT window = GetWindowRect();
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    UniqueRegion region(::CreateRectRgn(0, 0, w, h));
    const auto runs = skin::RegionCutRuns(Size{m_szBack.cx, m_szBack.cy}, Size{w, h},
                                          [this](int x, int y) { return IsMagentaAt(x, y); });
    for (const Rect& run : runs) {
        UniqueRegion cut(::CreateRectRgn(run.left, run.top, run.right, run.bottom));
        ::CombineRgn(region.Get(), region.Get(), cut.Get(), RGN_DIFF);
    }
    // The system owns the region once it is set.
    if (::SetWindowRgn(m_hWnd, region.Get(), FALSE)) (void)region.Release();
}

void SkinnedDialog::LayoutCaptionButtons() {
    skin::CaptionButtonRects existing;
    auto rectOf = [](const SkinnedButton& button, HWND parent) -> std::optional<Rect> {
        if (!button.m_hWnd) return std::nullopt;
        RECT rc = button.GetWindowRect();
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
        return ToRect(rc);
    };
    existing.close = rectOf(m_btnClose, m_hWnd);
    existing.maximize = rectOf(m_btnMax, m_hWnd);
    existing.minimize = rectOf(m_btnMin, m_hWnd);
    const skin::CaptionButtonRects moved = skin::RelayoutCaptionButtons(GetClientRect().right, Metrics(), existing);
    auto place = [](const SkinnedButton& button, const std::optional<Rect>& r) {
        if (button.m_hWnd && r) {
            button.SetWindowPos(nullptr, r->left, r->top, r->Width(), r->Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    place(m_btnClose, moved.close);
    place(m_btnMax, moved.maximize);
    place(m_btnMin, moved.minimize);
}

void SkinnedDialog::SetTitle(const wchar_t* text) {
    SetWindowText(text);
    const skin::CaptionPaint caption = skin::CaptionPaintLayout(Metrics(), m_bShowIcon, true, m_bShowTitle);
    const RECT rc = ToRECT(skin::TitleRepaintRect(caption, Metrics(), GetClientRect().right, 16));
    ::InvalidateRect(m_hWnd, &rc, TRUE);
}

bool SkinnedDialog::PaintFrame(HDC target) {
    if (!m_bmpBack) return false;
    const RECT window = GetWindowRect();
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    OffscreenSurface surface(target, w, h);
    if (!surface.Ok()) return false;
    HDC dc = surface.Dc();

    skin::FramePaintInput input;
    input.window = Size{w, h};
    input.image = Size{m_szBack.cx, m_szBack.cy};
    input.metrics = Metrics();
    input.stretch = m_bStretch;
    const SIZE overlay = BitmapSize(m_bmpOverlay.Get());
    if (m_bmpOverlay) input.overlay = Size{overlay.cx, overlay.cy};

    UniqueMemoryDC frameDc(::CreateCompatibleDC(target));
    UniqueMemoryDC overlayDc(::CreateCompatibleDC(target));
    SelectScope selectFrame(frameDc.Get(), m_bmpBack.Get());
    SelectScope selectOverlay(overlayDc.Get(), m_bmpOverlay.Get());
    ::SetStretchBltMode(dc, COLORONCOLOR);
    for (const skin::FrameBlit& blit : skin::FrameBlits(input)) {
        HDC source = blit.image == skin::FrameImage::Frame ? frameDc.Get() : overlayDc.Get();
        if (blit.kind == skin::BlitKind::Copy) {
            ::BitBlt(dc, blit.dest.left, blit.dest.top, blit.dest.Width(), blit.dest.Height(), source, blit.source.left,
                     blit.source.top, SRCCOPY);
        } else {
            ::StretchBlt(dc, blit.dest.left, blit.dest.top, blit.dest.Width(), blit.dest.Height(), source,
                         blit.source.left, blit.source.top, blit.source.Width(), blit.source.Height(), SRCCOPY);
        }
    }

    HICON icon = reinterpret_cast<HICON>(SendMessage(WM_GETICON, ICON_SMALL));
    const skin::CaptionPaint caption = skin::CaptionPaintLayout(Metrics(), m_bShowIcon, icon != nullptr, m_bShowTitle);
    if (caption.drawIcon) {
        ::DrawIconEx(dc, caption.icon.left, caption.icon.top, icon, caption.icon.Width(), caption.icon.Height(), 0,
                     nullptr, DI_NORMAL);
    }
    if (caption.drawTitle) {
        LOGFONTW lf = DescriptionOf(GetFont());
        lf.lfHeight = skin::kTitleFontHeight;
        lf.lfWeight = m_nTitleWeight;
        wcsncpy(lf.lfFaceName, skin::kTitleFontFace, LF_FACESIZE - 1);
        SelectScope selectFont(dc, m_titleFont.For(lf));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, m_crTitle);
        const std::wstring title = GetWindowText();
        ::TextOutW(dc, caption.title.x, caption.title.y, title.c_str(), static_cast<int>(title.size()));
    }
    PaintContent(dc);
    surface.CopyTo(target);
    return true;
}

void SkinnedDialog::OnCloseButton() { PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0); }

void SkinnedDialog::OnMinButton() { PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void SkinnedDialog::ToggleMaximize() {
    skin::FrameBounds bounds;
    bounds.maxWidth = m_nMaxWidth;
    bounds.maxHeight = m_nMaxHeight;
    bounds.restore = ToRect(m_rcRestore);
    const skin::MaximizeToggle toggle = skin::ToggleMaximize(m_bMaximized, bounds, ToRect(WorkArea()));
    MoveWindow(toggle.moveTo.left, toggle.moveTo.top, toggle.moveTo.Width(), toggle.moveTo.Height(), TRUE);
    UpdateMaxButton(toggle.maximized);
    m_btnMax.ResetMouseState();
    m_bMaximized = toggle.maximized;
}

void SkinnedDialog::UpdateMaxButton(bool maximized) {
    if (!m_btnMax.m_hWnd) return;
    m_btnMax.SetSkinBitmap(maximized ? m_bmpRestore.Get() : m_bmpMax.Get(), false);
    m_btnMax.SetToolTipText(skin::MaximizeButtonTooltip(maximized));
}

bool SkinnedDialog::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
        case skin::kCloseButtonId:
            OnCloseButton();
            return true;
        case skin::kMinimizeButtonId:
            OnMinButton();
            return true;
        case skin::kMaximizeButtonId:
            ToggleMaximize();
            return true;
        default:
            return CDialog::OnCommand(id, code, control);
    }
}

LRESULT SkinnedDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            if (PaintFrame(reinterpret_cast<HDC>(wParam))) return TRUE;
            break;
        case WM_NCHITTEST: {
            if (m_bMaximized) break;
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ScreenToClient(m_hWnd, &pt);
            const RECT client = GetClientRect();
            skin::FrameHitInput input;
            input.point = Point{pt.x, pt.y};
            input.client = Size{client.right, client.bottom};
            input.metrics = Metrics();
            input.maximized = m_bMaximized;
            input.resizable = m_bResizable;
            if (const auto code = skin::HitCodeOf(skin::HitTestFrame(input))) return *code;
            break;
        }
        case WM_NCLBUTTONDOWN:
            if (const auto command = skin::SizeCommandForHitCode(static_cast<int>(wParam))) {
                SendMessage(WM_SYSCOMMAND, *command, lParam);
                return 0;
            }
            break;
        case WM_NCLBUTTONDBLCLK:
            if (skin::NonClientDoubleClickToggles(static_cast<int>(wParam), m_bResizable)) ToggleMaximize();
            break;
        case WM_LBUTTONDBLCLK:
            if (skin::ClientDoubleClickToggles(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, Metrics(),
                                               m_bMaximized)) {
                ToggleMaximize();
            }
            break;
        case WM_SIZE: {
            const LRESULT result = CDialog::WindowProc(msg, wParam, lParam);
            if (m_bmpBack) {
                BuildRegion();
                Invalidate(TRUE);
                LayoutCaptionButtons();
            }
            return result;
        }
        default:
            break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

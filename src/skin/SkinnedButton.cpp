#include "skin/SkinnedButton.h"

#include "skin/OffscreenSurface.h"

// Owner-drawn buttons report their drawing to the parent; the framework's windows hand
// it back to the button (see SkinnedDialog), so the button draws itself.
void SkinnedButton::PreSubclassWindow() {
    m_strText = GetWindowText();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    RefreshWindowRect();
}

void SkinnedButton::RefreshWindowRect() { m_rcWnd = GetWindowRect(); }

void SkinnedButton::SetSkinBitmap(HBITMAP strip, bool resize) {
    m_imgStates.Destroy();
    m_szPicture = {0, 0};
    BITMAP bm{};
    if (strip && ::GetObjectW(strip, sizeof(bm), &bm)) {
        const Size picture = skin::StatePictureSize(Size{bm.bmWidth, bm.bmHeight});
        if (picture.cx > 0 && picture.cy > 0 &&
            m_imgStates.Create(picture.cx, picture.cy, ILC_COLOR24 | ILC_MASK, skin::kButtonStateCount, 0)) {
            m_imgStates.Add(strip, RGB(255, 0, 255));
            m_szPicture = {picture.cx, picture.cy};
        }
    }
    if (resize && m_szPicture.cx > 0) {
        SetWindowPos(nullptr, 0, 0, m_szPicture.cx, m_szPicture.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RefreshWindowRect();
    Invalidate(FALSE);
}

void SkinnedButton::SetToolTipText(const wchar_t* text) {
    m_strTip = text ? text : L"";
    if (!m_tip.m_hWnd) {
        if (!m_tip.Create(m_hWnd, TTS_ALWAYSTIP)) return;
        m_tip.AddTool(m_hWnd, LPSTR_TEXTCALLBACKW);
        m_tip.SetAutomaticDelay(skin::kButtonTooltipDelayMs);
    }
    m_tip.UpdateTipText(m_hWnd, m_strTip.c_str());
    m_bTipOn = true;
}

bool SkinnedButton::CreateImageButton(int right, int top, HBITMAP strip, UINT id, HWND parent) {
    const SIZE size = [&] {
        BITMAP bm{};
        return strip && ::GetObjectW(strip, sizeof(bm), &bm) ? SIZE{bm.bmWidth, bm.bmHeight} : SIZE{0, 0};
    }();
    const Rect rc = skin::ImageButtonRect(right, top, Size{size.cx, size.cy});
    if (!Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{rc.left, rc.top, rc.right, rc.bottom}, parent, id)) {
        return false;
    }
    SetSkinBitmap(strip, false);
    return true;
}

void SkinnedButton::SetText(const std::wstring& text) {
    m_strText = text;
    SetWindowText(text.c_str());
    Invalidate(FALSE);
}

void SkinnedButton::DrawItem(HDC target, UINT itemState) {
    const bool disabled = (itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    const skin::ButtonPicture picture = m_state.ChoosePicture(disabled, (itemState & ODS_SELECTED) != 0);

    RefreshWindowRect();
    const int width = m_rcWnd.right - m_rcWnd.left;
    const int height = m_rcWnd.bottom - m_rcWnd.top;
    OffscreenSurface surface(target, width, height);
    if (!surface.Ok()) return;
    PaintParentBackground(m_hWnd, surface.Dc());

    if (m_imgStates) {
        if (!skin::PictureNeedsStretch(Size{m_szPicture.cx, m_szPicture.cy}, Size{width, height})) {
            m_imgStates.Draw(surface.Dc(), picture, 0, 0, ILD_TRANSPARENT);
        } else {
            // Draw the picture on magenta at its own size, then stretch with magenta keyed out.
            OffscreenSurface scratch(target, m_szPicture.cx, m_szPicture.cy);
            UniqueBrush magenta(::CreateSolidBrush(RGB(255, 0, 255)));
            const RECT all{0, 0, m_szPicture.cx, m_szPicture.cy};
            ::FillRect(scratch.Dc(), &all, magenta.Get());
            m_imgStates.Draw(scratch.Dc(), picture, 0, 0, ILD_TRANSPARENT);
            DrawKeyed(surface.Dc(), 0, 0, width, height, scratch.Dc(), 0, 0, m_szPicture.cx, m_szPicture.cy);
        }
    }

    if (!m_strText.empty()) {
        ::SetBkMode(surface.Dc(), TRANSPARENT);
        ::SetTextColor(surface.Dc(),
                       skin::ButtonMouseState::UsesGrayText(picture) ? ::GetSysColor(COLOR_GRAYTEXT) : m_crText);
        LOGFONTW lf = DescriptionOf(GetFont());
        lf.lfHeight = -12;
        SelectScope selectFont(surface.Dc(), m_textFont.For(lf));
        RECT client = GetClientRect();
        ::DrawTextW(surface.Dc(), m_strText.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    surface.CopyTo(target);
}

BOOL SkinnedButton::PreTranslateMessage(MSG* msg) {
    if (m_bTipOn && m_tip.m_hWnd) m_tip.RelayEvent(msg);
    return CButton::PreTranslateMessage(msg);
}

LRESULT SkinnedButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MOUSEMOVE:
            if (m_state.NeedsTracking()) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, skin::kButtonHoverTimeMs};
                m_state.OnTrackingRequested(::TrackMouseEvent(&tme) != FALSE);
            }
            break;
        case WM_MOUSEHOVER:
            m_state.OnHover();
            Invalidate(FALSE);
            if (m_bTipOn && m_tip.m_hWnd) m_tip.UpdateTipText(m_hWnd, m_strTip.c_str());
            return 0;
        case WM_MOUSELEAVE:
            m_state.OnLeave();
            Invalidate(FALSE);
            return 0;
        case WM_LBUTTONUP:
            m_state.OnLeftButtonUp();
            break;
        case WM_SETCURSOR:
            ::SetCursor(::LoadCursorW(nullptr, m_bHandCursor ? IDC_HAND : IDC_ARROW));
            return TRUE;
        case WM_ERASEBKGND:
            return TRUE;  // everything is drawn in DrawItem
        case kReflectedDrawItem: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            DrawItem(item->hDC, item->itemState);
            return TRUE;
        }
        default:
            break;
    }
    return CButton::WindowProc(msg, wParam, lParam);
}

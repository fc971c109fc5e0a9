#include "skin/SkinnedLabel.h"

#include "skin/OffscreenSurface.h"
#include "skin/rules/LabelLayout.h"
#include "skin/rules/LabelWrap.h"

namespace {
class DcTextMeasurer : public skin::TextMeasurer {
public:
    explicit DcTextMeasurer(HDC dc) : m_dc(dc) {}
    int WidthOf(const std::wstring& text) const override {
        SIZE size{};
        ::GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HDC m_dc;
};
}  // namespace

void SkinnedLabel::PreSubclassWindow() { m_strText = GetWindowText(); }

void SkinnedLabel::SetText(const std::wstring& text) {
    m_strText = text;
    Invalidate(FALSE);
}

void SkinnedLabel::SetImage(HBITMAP bitmap) {
    m_imgPicture.Destroy();
    m_nImageWidth = m_nImageHeight = 0;
    BITMAP bm{};
    if (bitmap && ::GetObjectW(bitmap, sizeof(bm), &bm) &&
        m_imgPicture.Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0)) {
        m_imgPicture.Add(bitmap, RGB(255, 0, 255));
        m_nImageWidth = bm.bmWidth;
        m_nImageHeight = bm.bmHeight;
    }
    Invalidate(FALSE);
}

// Made once from the control's font (or the system font) and the owner's overrides.
HFONT SkinnedLabel::LabelFont() {
    if (m_font) return m_font.Get();
    HFONT base = GetFont();
    if (!base) base = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTW lf{};
    ::GetObjectW(base, sizeof(lf), &lf);
    lf.lfHeight = m_nFontHeight ? m_nFontHeight : skin::kLabelDefaultFontHeight;
    if (m_nFontWidth) lf.lfWidth = m_nFontWidth;
    if (m_nFontWeight != -1) lf.lfWeight = m_nFontWeight;
    lf.lfUnderline = m_bUnderline ? TRUE : FALSE;
    wcsncpy(lf.lfFaceName, skin::kLabelFontFace, LF_FACESIZE - 1);
    m_font.Reset(::CreateFontIndirectW(&lf));
    return m_font.Get();
}

int SkinnedLabel::Paint(HDC target) {
    const RECT client = GetClientRect();
    OffscreenSurface surface(target, client.right, client.bottom);
    if (!surface.Ok()) return 0;
    HDC dc = surface.Dc();
    PaintParentBackground(m_hWnd, dc);

    const skin::LabelPlacement place =
        skin::PlaceLabel(Size{client.right, client.bottom}, Size{m_nImageWidth, m_nImageHeight});
    if (place.hasPicture && m_imgPicture) m_imgPicture.Draw(dc, 0, place.picture.x, place.picture.y, ILD_TRANSPARENT);

    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, (m_bHoverColor && m_bHover) ? m_crHover : m_crText);
    SelectScope selectFont(dc, LabelFont());

    if (m_bSingleLine) {
        RECT rc{place.text.left, place.text.top, place.text.right, place.text.bottom};
        const UINT format = skin::LabelTextFormat(GetStyle()) | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
        ::DrawTextW(dc, m_strText.c_str(), static_cast<int>(m_strText.size()), &rc, format);
        surface.CopyTo(target);
        return m_strText.empty() ? 0 : 1;
    }

    SIZE sample{};
    ::GetTextExtentPoint32W(dc, skin::kAverageWidthSample, skin::kAverageWidthSampleCount, &sample);
    skin::LabelWrapInput input;
    input.text = m_strText;
    input.textRect = place.text;
    input.lineHeight = sample.cy;
    input.lineSpacing = m_nLineSpacing;
    input.averageCharWidth = skin::AverageCharWidth(sample.cx);
    const std::vector<skin::LabelLine> lines = skin::WrapLabelText(input, DcTextMeasurer(dc));

    const UINT format = skin::LabelTextFormat(GetStyle());
    for (const skin::LabelLine& line : lines) {
        RECT rc{line.rect.left, line.rect.top, line.rect.right, line.rect.bottom};
        ::DrawTextW(dc, line.text.c_str(), static_cast<int>(line.text.size()), &rc, format | DT_NOPREFIX);
    }

    const int grown = skin::GrownLabelHeight(client.bottom, static_cast<int>(lines.size()), sample.cy, m_nLineSpacing);
    if (!lines.empty() && grown > client.bottom) {
        SetWindowPos(nullptr, 0, 0, client.right, grown, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    surface.CopyTo(target);
    return static_cast<int>(lines.size());
}

LRESULT SkinnedLabel::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: {
            PaintDC paint(m_hWnd);
            Paint(paint.Get());
            return 0;
        }
        case WM_ERASEBKGND:
            return TRUE;
        case WM_SETCURSOR:
            if (m_bHandCursor) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            return TRUE;
        case WM_MOUSEMOVE:
            if (!m_bTracking) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 10};
                m_bTracking = ::TrackMouseEvent(&tme) != FALSE;
            }
            break;
        case WM_MOUSEHOVER:
            m_bHover = true;
            Invalidate(FALSE);
            return 0;
        case WM_MOUSELEAVE:
            m_bHover = false;
            m_bTracking = false;
            Invalidate(FALSE);
            return 0;
        default:
            break;
    }
    return CStatic::WindowProc(msg, wParam, lParam);
}

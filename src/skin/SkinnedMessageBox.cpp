#include "skin/SkinnedMessageBox.h"

#include "res/resource.h"
#include "skin/ImageLoading.h"
#include "skin/rules/MessageBoxLayout.h"

SkinnedMessageBox::SkinnedMessageBox(HWND parent) noexcept : SkinnedDialog(IDD_MESSAGE_BOX, parent) {}

BOOL SkinnedMessageBox::OnInitDialog() {
    SkinnedDialog::OnInitDialog();
    SetFrameMetrics(skin::MessageBoxFrameMetrics());
    // The frame takes the frame and close images; the box keeps the button strips.
    FrameSkin skin;
    skin.frame = std::move(m_backgroundBitmap);
    skin.stretch = true;
    skin.closeStrip = std::move(m_hCloseImage);
    SetSkin(std::move(skin));
    SetWindowText(m_strTitle.c_str());

    m_nLines = skin::CountMessageLines(m_strText);
    {
        WindowDC screen(m_hWnd);
        SelectScope selectFont(screen.Get(), GetFont());
        RECT measured{0, 0, 0, 0};
        ::DrawTextW(screen.Get(), m_strText.c_str(), -1, &measured, DT_CALCRECT | DT_NOPREFIX);
        m_nTextWidth = measured.right - measured.left;
        m_nTextHeight = measured.bottom - measured.top;
    }
    const SIZE strip = BitmapSize(m_hBtn1Image.Get());
    skin::MessageMeasure measure;
    measure.textWidth = m_nTextWidth;
    measure.textHeight = m_nTextHeight;
    measure.lines = m_nLines;
    measure.buttonStrip = Size{strip.cx, strip.cy};
    const Size size = skin::MessageBoxWindowSize(measure);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A box belongs in front of the user, not where the template's origin put it.
    CenterWindow();

    const RECT client = GetClientRect();
    const auto buttons = skin::MessageBoxButtons(Size{client.right, client.bottom}, measure.buttonStrip, m_nType);
    for (size_t i = 0; i < buttons.size(); ++i) {
        SkinnedButton& button = i == 0 ? m_btnFirst : m_btnSecond;
        const Rect& r = buttons[i].rect;
        button.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, RECT{r.left, r.top, r.right, r.bottom},
                      m_hWnd, static_cast<UINT>(buttons[i].id));
        button.SetFont(GetFont());
        button.SetSkinBitmap(i == 0 ? m_hBtn1Image.Get() : m_hBtn2Image.Get(), false);
        button.SetText(buttons[i].text);
        button.Invalidate(FALSE);
    }
    // The text is painted, not a control; a hidden label carries it for automation tools.
    m_accessibleText.Create(m_strText.c_str(), WS_CHILD | SS_LEFT, RECT{0, 0, 1, 1}, m_hWnd);
    return TRUE;
}

void SkinnedMessageBox::PaintContent(HDC dc) {
    const RECT client = GetClientRect();
    skin::MessageMeasure measure;
    measure.textWidth = m_nTextWidth;
    measure.textHeight = m_nTextHeight;
    measure.lines = m_nLines;
    SelectScope selectFont(dc, GetFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_crText);
    for (const skin::MessageTextLine& line :
         skin::MessageBoxTextLines(m_strText, Size{client.right, client.bottom}, measure)) {
        RECT rc{line.rect.left, line.rect.top, line.rect.right, line.rect.bottom};
        ::DrawTextW(dc, line.text.c_str(), static_cast<int>(line.text.size()), &rc,
                    DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
}

bool SkinnedMessageBox::OnCommand(UINT id, UINT code, HWND control) {
    if (const auto result = skin::MessageBoxResultForCommand(static_cast<int>(id), m_nType)) {
        EndDialog(*result);
        return true;
    }
    return SkinnedDialog::OnCommand(id, code, control);
}

LRESULT SkinnedMessageBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(skin::kResultClosed);
        return 0;
    }
    return SkinnedDialog::WindowProc(msg, wParam, lParam);
}

int ShowSkinnedMessageBox(int type, const wchar_t* text, HWND parent) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    SkinnedMessageBox box(parent);
    box.m_backgroundBitmap = LoadSkinImage(module, IDP_DIALOG_FRAME);
    box.m_hCloseImage = LoadSkinImage(module, IDP_CLOSE_BUTTON);
    box.m_hBtn1Image = LoadSkinImage(module, IDP_PUSH_BUTTON);
    box.m_hBtn2Image = LoadSkinImage(module, IDP_PUSH_BUTTON);
    box.m_nType = type;
    box.m_strText = text ? text : L"";
    box.m_strTitle = skin::kMsgBoxCaption;
    const INT_PTR result = box.DoModal();
    return result < 0 ? skin::kResultCancel : static_cast<int>(result);
}

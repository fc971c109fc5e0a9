// The base of the launcher's own HTML dialogs: a borderless, page-driven dialog. The page
// drags the window, images of class "button" behave like push buttons, the browser acts
// like a dialog (no context menu, no script-error boxes, no error pages, Enter does not
// close), and "app:" addresses, the page's way of calling the client, are never loaded.
#pragma once
#include "framework/DHtmlDialog.h"

class PageDialog : public CDHtmlDialog {
public:
    explicit PageDialog(UINT templateId, UINT htmlResourceId = 0, HWND parent = nullptr) noexcept;
    ~PageDialog() override;

    BOOL OnInitDialog() override;
    void OnOK() override {}  // Enter never ends the dialog
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // A failed navigation leaves the dialog as it was, without the browser's error page.
    bool OnNavigateErrorEvent(const std::wstring& url, long status, bool& cancel) override;
    HRESULT OnShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, DWORD type,
                          const wchar_t* helpFile, DWORD helpContext, LRESULT* result) override;
    HRESULT OnShowHelp(HWND owner, const wchar_t* helpFile, UINT command, DWORD data, POINT point) override;

    // The pressed "button" element that owns the mouse capture; null otherwise.
    PageElementPtr m_pCapturedElement;

protected:
    DHtmlEventMap GetDHtmlEventMap() const override;
    void OnBeforeNavigate(const std::wstring& url, bool& cancel) override;
    void OnNavigateComplete(const std::wstring& url) override;
    unsigned GetHostInfo(unsigned flags) override;
    bool ShowContextMenu() override { return true; }

    HRESULT OnButtonMouseOut(const PageElementPtr& element);
    HRESULT OnButtonMouseOver(const PageElementPtr& element);
    HRESULT OnButtonMouseDown(const PageElementPtr& element);
    HRESULT OnButtonMouseUp(const PageElementPtr& element);
    HRESULT OnDragMouseDown(const PageElementPtr& element);
    HRESULT OnDragMouseUp(const PageElementPtr& element);
    HRESULT OnDragMouseMove(const PageElementPtr& element);
    HRESULT OnCancelEvent(const PageElementPtr& element);

private:
    enum class ButtonLook { Normal, Hover, Pressed };
    static void SetButtonLook(PageElement& element, ButtonLook look);
    [[nodiscard]] bool HoldsCapture() const noexcept { return ::GetCapture() == m_hWnd; }
    void EndButtonPress(LPARAM point);
    // Moves the window as if its caption were dragged.
    void SendCaptionMouse(UINT nonClientMessage);
};

// "app:" exactly at the start: an address the page uses to call the client.
bool IsAppCommandUrl(const std::wstring& url);

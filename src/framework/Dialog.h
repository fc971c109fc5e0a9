// CDialog: modal and modeless dialogs from .rc templates. The dialog's window procedure is
// subclassed once it exists, so dialogs dispatch through WindowProc like every other CWnd;
// the template's own dialog procedure only binds the object at WM_INITDIALOG.
#pragma once
#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) noexcept;

    // Runs the dialog modally with the framework's own loop (so PreTranslateMessage works)
    // and returns the result given to EndDialog; -1 when the window could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless.
    bool Create(UINT templateId, HWND parent);
    void EndDialog(int result) noexcept;

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Binds template controls to member objects (BindControl).
    virtual void DoDataExchange() {}
    // Commands other than IDOK/IDCANCEL; return true when handled.
    virtual bool OnCommand(UINT id, UINT code, HWND control);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    [[nodiscard]] UINT TemplateId() const noexcept { return m_nIDTemplate; }
    void SetParentWindow(HWND parent) noexcept { m_hWndParent = parent; }

protected:
    void BindControl(int id, CWnd& control) noexcept { control.SubclassDlgItem(id, m_hWnd); }

private:
    HWND CreateFromTemplate(HWND parent);
    static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    HWND m_hWndParent;
    bool m_bModal = false;
};

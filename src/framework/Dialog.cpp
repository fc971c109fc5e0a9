#include "framework/Dialog.h"

#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, HWND parent) noexcept : m_nIDTemplate(templateId), m_hWndParent(parent) {}

HWND CDialog::CreateFromTemplate(HWND parent) {
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC res = ::FindResourceW(instance, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (!res) return nullptr;
    HGLOBAL loaded = ::LoadResource(instance, res);
    const auto* tpl = loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
    if (!tpl) return nullptr;
    return ::CreateDialogIndirectParamW(instance, tpl, parent, &CDialog::StaticDlgProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(UINT templateId, HWND parent) {
    if (m_hWnd) return false;
    m_nIDTemplate = templateId;
    m_hWndParent = parent;
    m_bModal = false;
    return CreateFromTemplate(parent) != nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    HWND parent = m_hWndParent;
    if (!parent) {
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd && app->m_pMainWnd != this) parent = app->m_pMainWnd->m_hWnd;
    }
    // Disable the top-level owner for the dialog's life, as the system's modal boxes do; but
    // never a window of another process, which would stay disabled if this one died.
    HWND owner = parent ? ::GetAncestor(parent, GA_ROOT) : nullptr;
    DWORD ownerProcess = 0;
    if (owner) ::GetWindowThreadProcessId(owner, &ownerProcess);
    const bool disableOwner = owner && ownerProcess == ::GetCurrentProcessId() && ::IsWindowEnabled(owner);
    m_bModal = true;
    if (!CreateFromTemplate(parent)) {
        m_bModal = false;
        return -1;
    }
    if (disableOwner) ::EnableWindow(owner, FALSE);
    const int result = RunModalLoop();
    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        // Re-enable before hiding so activation returns to the owner, not to another program.
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    if (owner && ::IsWindow(owner)) ::SetActiveWindow(owner);
    m_bModal = false;
    return result;
}

void CDialog::EndDialog(int result) noexcept {
    if (m_bModal && IsInModalLoop()) {
        EndModalLoop(result);
    } else if (m_hWnd) {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(UINT, UINT, HWND) { return false; }

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (id == IDOK && code == BN_CLICKED) {
            OnOK();
            return 0;
        }
        if (id == IDCANCEL && code == BN_CLICKED) {
            OnCancel();
            return 0;
        }
        if (OnCommand(id, code, control)) return 0;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    // Keyboard navigation (Tab, arrows, Enter, Esc) inside the dialog.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        return ::IsDialogMessageW(m_hWnd, msg);
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    if (!self || self->m_hWnd) return TRUE;
    // From here on every message of the dialog goes through CWnd::StaticWndProc; the
    // original procedure (the system's dialog manager) stays the default handler.
    self->SubclassWindow(hwnd);
    try {
        return self->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

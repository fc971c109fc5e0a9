#include "mainwnd/MainDlg.h"

#include "res/resource.h"

// Not built yet: only the bare template shows until the main-window step lands.
CBrindlow3Dlg::CBrindlow3Dlg() noexcept : CDialog(IDD_MAIN) {}

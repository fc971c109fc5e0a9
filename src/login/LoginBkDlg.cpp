#include "login/LoginBkDlg.h"

// Not built yet: the login window arrives with the login step; until then every login is
// abandoned, which the host treats as a cancelled tab.
INT_PTR CLoginBkDlg::DoModal() { return IDCANCEL; }

// Opens the hot-key settings dialog on its own, with the Statistic.ini beside this program.
#include "features/SettingDlg.h"

#include <commctrl.h>

int wmain() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    CSettingDlg dialog(nullptr);
    return static_cast<int>(dialog.DoModal());
}

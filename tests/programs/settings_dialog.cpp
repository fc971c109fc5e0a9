// Opens the hot-key settings dialog on its own, with the Statistic.ini beside this program.
#include "features/SettingsDialog.h"

#include <commctrl.h>

int wmain() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    SettingsDialog dialog(nullptr);
    return static_cast<int>(dialog.DoModal());
}

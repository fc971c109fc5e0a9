// Opens the favourites dialog the way the game frame will, for the tests and for a look:
//   fav_dialog <page title> <page address>
// Exit code: the dialog's result (1 saved, 2 cancelled), -1 when it could not be shown.
#include "features/FavoriteDialog.h"

#include <commctrl.h>

int wmain(int argc, wchar_t** argv) {
    ::InitCommonControls();
    const std::wstring title = argc > 1 ? argv[1] : L"";
    const std::wstring url = argc > 2 ? argv[2] : L"";
    FavoriteDialog dialog(title, url, nullptr);
    return static_cast<int>(dialog.DoModal());
}

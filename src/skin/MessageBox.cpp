#include "skin/MessageBox.h"

// Temporary: the system's box until the skinned one lands.
int ShowSkinMsgBox(int type, const wchar_t* text, HWND parent) {
    UINT style = MB_OK;
    if (type == MB_OKCANCEL) style = MB_OKCANCEL;
    if (type == MB_YESNO) style = MB_YESNO;
    return ::MessageBoxW(parent, text, L"QuarnelHalvira", style | MB_SETFOREGROUND);
}

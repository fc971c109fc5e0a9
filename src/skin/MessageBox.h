// The launcher's modal message box: caption "QuarnelHalvira"; types 0 (确定),
// 1 (确定/取消), 4 (是/否); returns 1, 2, 6 or 7.
#pragma once
#include <windows.h>

int ShowSkinMsgBox(int type, const wchar_t* text, HWND parent);

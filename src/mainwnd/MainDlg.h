// The launcher's main window: game tabs, caption row, tray icon and keyboard hook.
#pragma once
#include "framework/Dialog.h"

class CBrindlow3Dlg : public CDialog {
public:
    CBrindlow3Dlg() noexcept;
};

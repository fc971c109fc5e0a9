// The message boxes a web page opens (alert, confirm, "before unload").
#pragma once
#include <windows.h>

// A top-level "#32770" window of this process titled "来自网页的消息", else one titled
// "Windows Internet Explorer", else "Microsoft Internet Explorer"; null when there is none.
// Boxes of other processes are never returned: they are not ours to close.
HWND FindWebPageMessageBox();

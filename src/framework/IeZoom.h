// Internet Explorer's optical zoom (from version 7): the whole page scaled, plug-ins included,
// asked of the control through its command target.
#pragma once
#include <windows.h>
#include <docobj.h>

// OLECMDID_OPTICAL_ZOOM: its argument is the zoom in per cent.
inline constexpr DWORD kOleCmdOpticalZoom = 63;

// Whether the control offers the zoom now (supported and enabled).
bool OpticalZoomAvailable(IOleCommandTarget* control);
// Asks the control to show its page at `percent`; false when it refuses.
bool SetOpticalZoom(IOleCommandTarget* control, int percent);

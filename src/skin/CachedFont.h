// A font a window draws with on every paint, made once and again only when its description
// changes (the window's font or the owner's settings), rather than on each paint.
#pragma once
#include "base/Handles.h"

#include <windows.h>

// The description of a font, or of the stock font when there is none.
LOGFONTW DescriptionOf(HFONT font, int stockFont = DEFAULT_GUI_FONT);

class CachedFont {
public:
    // The font for the description; null only when the system cannot make it.
    HFONT For(const LOGFONTW& description);

private:
    LOGFONTW m_description{};
    UniqueFont m_font;
};

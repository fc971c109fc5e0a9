#include "skin/CachedFont.h"

#include <cstring>

LOGFONTW DescriptionOf(HFONT font, int stockFont) {
    LOGFONTW description{};
    ::GetObjectW(font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(stockFont), sizeof(description), &description);
    return description;
}

HFONT CachedFont::For(const LOGFONTW& description) {
    if (!m_font || std::memcmp(&description, &m_description, sizeof(description)) != 0) {
        m_font.Reset(::CreateFontIndirectW(&description));
        m_description = description;
    }
    return m_font.Get();
}

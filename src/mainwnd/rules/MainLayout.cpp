#include "mainwnd/rules/MainLayout.h"

namespace mainwnd {

CaptionRow CaptionRowFor(int cx) {
    return CaptionRow{Rect::FromXYWH(cx - 114, 0, 27, 27), Rect::FromXYWH(cx - 141, 0, 27, 27),
                      Rect::FromXYWH(cx - 185, 0, 44, 28), Rect::FromXYWH(cx - 285, 7, 92, 16)};
}

std::optional<Size> MinimumSizeFix(Size proposed, int tabCount) {
    if (tabCount <= 0) return std::nullopt;
    const Size minimum{483 + 189 * tabCount, 260};
    if (proposed.cx >= minimum.cx && proposed.cy >= minimum.cy) return std::nullopt;
    return Size{proposed.cx < minimum.cx ? minimum.cx : proposed.cx, proposed.cy < minimum.cy ? minimum.cy : proposed.cy};
}

std::wstring GameProcessCommandLine(const std::wstring& exePath, long long window, int tabCount) {
    // The path is quoted so a folder with blanks cannot be taken for a shorter program.
    return L"\"" + exePath + L"\" /newgm /" + std::to_wstring(window) + L" /" + std::to_wstring(tabCount);
}

std::wstring UpdaterCommandLine(const std::wstring& exePath) { return L"\"" + exePath + L"\" /update"; }

}  // namespace mainwnd

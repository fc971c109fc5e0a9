// The main window's caption row, its minimum size and the command line of a game process.
#pragma once
#include "framework/rules/Geometry.h"

#include <optional>
#include <string>

namespace mainwnd {

struct CaptionRow {
    Rect hide;      // 27 x 27
    Rect sound;     // 27 x 27
    Rect system;    // 44 x 28
    Rect addLabel;  // 92 x 16
};
// From the right: close, maximise, minimise (the frame's), then hide, sound, 系统 and the label.
CaptionRow CaptionRowFor(int clientWidth);

// Only while tabs exist: at least 483 + 189 per tab wide and 260 high. Nothing when the
// proposed size already fits (or there are no tabs).
std::optional<Size> MinimumSizeFix(Size proposed, int tabCount);

// "<exe> /newgm /<window> /<tabs>", the window as a signed decimal number.
std::wstring GameProcessCommandLine(const std::wstring& exePath, long long window, int tabCount);
std::wstring UpdaterCommandLine(const std::wstring& exePath);

}  // namespace mainwnd

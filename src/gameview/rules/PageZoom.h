// A tab's page zoom: the levels the player steps through, and "fit to window", the largest
// level at which the page fits the game area without scroll bars.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace zoom {

// The levels in per cent, smallest first; 100 is the page's own size.
const std::vector<int>& Levels();
inline constexpr int kNormal = 100;

// A tab's zoom setting: a fixed level, or fitted to the window (kept fitted as it resizes).
struct Setting {
    int percent = kNormal;  // one of Levels(); ignored while fitted
    bool fit = false;
    friend bool operator==(const Setting& a, const Setting& b) { return a.fit == b.fit && (a.fit || a.percent == b.percent); }
};

bool IsLevel(int percent);
// The next level up or down from `percent` (the nearest one beyond it when it is no level),
// or the same at either end.
int StepUp(int percent);
int StepDown(int percent);

// The largest level at which content of the given size (at 100 %) fits the area; the
// smallest level when none does; 100 for content or an area with no size.
int FitLevel(long contentWidth, long contentHeight, long areaWidth, long areaHeight);

// What a key pressed in the game frame does to its zoom: +1 a level up (Ctrl with "=" / "+",
// the keypad's "+" too), -1 a level down (Ctrl with "-"), 0 back to 100 % (Ctrl with "0");
// nothing for any other key, without Ctrl, or with Alt.
std::optional<int> KeyStep(int virtualKey, bool ctrl, bool alt);
// The setting after a step from what is shown (`shownPercent`, a fitted page's level too).
Setting Stepped(int shownPercent, int step);

// The setting as the settings file keeps it: "fit" or the level's number.
std::wstring SettingText(const Setting& setting);
// Nothing for anything but "fit" or a level's number.
std::optional<Setting> ParseSetting(const std::wstring& text);

}  // namespace zoom

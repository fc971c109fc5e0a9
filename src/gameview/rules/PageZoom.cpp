#include "gameview/rules/PageZoom.h"

#include <algorithm>
#include <string>

namespace zoom {

const std::vector<int>& Levels() {
    static const std::vector<int> levels = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200};
    return levels;
}

bool IsLevel(int percent) {
    const std::vector<int>& levels = Levels();
    return std::find(levels.begin(), levels.end(), percent) != levels.end();
}

int StepUp(int percent) {
    const std::vector<int>& levels = Levels();
    const auto next = std::upper_bound(levels.begin(), levels.end(), percent);
    return next == levels.end() ? levels.back() : *next;
}

int StepDown(int percent) {
    const std::vector<int>& levels = Levels();
    const auto at = std::lower_bound(levels.begin(), levels.end(), percent);
    return at == levels.begin() ? levels.front() : *(at - 1);
}

int FitLevel(long contentWidth, long contentHeight, long areaWidth, long areaHeight) {
    if (contentWidth <= 0 || contentHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return kNormal;
    const std::vector<int>& levels = Levels();
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        // In 64 bits: a page may claim any size.
        const long long width = static_cast<long long>(contentWidth) * *level;
        const long long height = static_cast<long long>(contentHeight) * *level;
        if (width <= static_cast<long long>(areaWidth) * 100 && height <= static_cast<long long>(areaHeight) * 100)
            return *level;
    }
    return levels.front();
}

std::optional<int> KeyStep(int virtualKey, bool ctrl, bool alt) {
    if (!ctrl || alt) return std::nullopt;
    constexpr int kOemPlus = 0xBB, kAdd = 0x6B, kOemMinus = 0xBD, kSubtract = 0x6D, kZero = 0x30, kNumpadZero = 0x60;
    if (virtualKey == kOemPlus || virtualKey == kAdd) return 1;
    if (virtualKey == kOemMinus || virtualKey == kSubtract) return -1;
    if (virtualKey == kZero || virtualKey == kNumpadZero) return 0;
    return std::nullopt;
}

Setting Stepped(int shownPercent, int step) {
    if (step > 0) return Setting{StepUp(shownPercent), false};
    if (step < 0) return Setting{StepDown(shownPercent), false};
    return Setting{kNormal, false};
}

std::wstring SettingText(const Setting& setting) {
    return setting.fit ? std::wstring(L"fit") : std::to_wstring(setting.percent);
}

std::optional<Setting> ParseSetting(const std::wstring& text) {
    if (text == L"fit") return Setting{kNormal, true};
    if (text.empty() || text.size() > 3) return std::nullopt;
    int percent = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        percent = percent * 10 + (c - L'0');
    }
    if (!IsLevel(percent) || (text.size() > 1 && text[0] == L'0')) return std::nullopt;
    return Setting{percent, false};
}

}  // namespace zoom

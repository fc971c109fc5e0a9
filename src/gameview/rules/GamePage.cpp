#include "gameview/rules/GamePage.h"

#include <algorithm>

namespace {
constexpr int kVkF5 = 0x74;
}

std::wstring DefaultGamePageUrl(const std::wstring& clientHost) {
    return L"http://" + clientHost + L"/webgame.htm";
}

bool IsDefaultGamePage(const std::wstring& url, const std::wstring& clientHost) {
    return url == DefaultGamePageUrl(clientHost);
}

unsigned GameHostFlags(unsigned browserFlags, bool isDefaultPage) {
    return isDefaultPage ? browserFlags : (browserFlags | kHostFlagNo3DBorder | kHostFlagScrollNo);
}

Rect GameAreaOf(const Rect& hostClient) {
    Rect area{hostClient.left + 4, hostClient.top + 30, hostClient.right - 4, hostClient.bottom - 4};
    area.right = std::max(area.right, area.left);
    area.bottom = std::max(area.bottom, area.top);
    return area;
}

bool MuteLatch::Take(int muted) noexcept {
    if (m_bApplied && muted == m_nLast) return false;
    m_bApplied = true;
    m_nLast = muted;
    return true;
}

bool F5Refreshes(const HotKeySet& keys, bool fromLauncher) noexcept {
    const bool taken = MatchesHotKey(keys.boss, kVkF5, 0) || MatchesHotKey(keys.sound, kVkF5, 0) ||
                       MatchesHotKey(keys.shot, kVkF5, 0);
    return !taken || fromLauncher;
}

#include "features/rules/HotKeys.h"

#include <climits>

namespace {
const HotKeySetting kSettings[kHotKeyFieldCount] = {
    {L"ShortKey", L"0,121"}, {L"AltWndKey", L"2,9"}, {L"SndKey", L"2,81"}, {L"ShotKey", L"0,120"}};

const wchar_t kCtrl[] = L"Ctrl  +  ";
const wchar_t kShift[] = L"Shift  +  ";
const wchar_t kAlt[] = L"Alt  +  ";
const wchar_t kNone[] = L"无";

constexpr size_t kStoredValueLimit = 31;

int LeadingDecimal(const std::wstring& text) {
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') break;
        value = value * 10 + (c - L'0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

struct NamedKey {
    int vk;
    const wchar_t* name;
};
const NamedKey kSingleNames[] = {
    {8, L"Back"},       {9, L"Tab"},          {13, L"Enter"},      {16, L"Shift"},   {17, L"Ctrl"},
    {18, L"Alt"},       {19, L"Pause Break"}, {20, L"Caps"},       {27, L"Esc"},     {33, L"Page Up"},
    {34, L"Page Down"}, {35, L"End"},         {36, L"Home"},       {37, L"Left"},    {38, L"Up"},
    {39, L"Right"},     {40, L"Down"},        {45, L"Insert"},     {46, L"Del"},     {91, L"LWin"},
    {92, L"RWin"},      {106, L"Num *"},      {107, L"Num +"},     {109, L"Num -"},  {110, L"Num Del"},
    {111, L"Num /"},    {144, L"Num Lock"},   {145, L"Scroll Lock"}, {186, L";"},    {187, L"+"},
    {188, L","},        {189, L"-"},          {190, L"."},         {191, L"/"},      {192, L"`"},
    {219, L"["},        {220, L"\\"},         {221, L"]"},         {222, L"'"},
};

bool InRange(int vk, int low, int high) { return vk >= low && vk <= high; }

// Keys that empty a field instead of being captured.
bool IsClearingKey(HotKeyField field, int vk) {
    if (vk == 8 || vk == 46 || vk == 91 || vk == 92) return true;
    return vk == 123 && field != HotKeyField::Switch;
}
}  // namespace

HotKey& HotKeySet::Of(HotKeyField field) noexcept {
    switch (field) {
        case HotKeyField::Switch:
            return windowSwitch;
        case HotKeyField::Sound:
            return sound;
        case HotKeyField::Shot:
            return shot;
        case HotKeyField::Boss:
        default:
            return boss;
    }
}

const HotKey& HotKeySet::Of(HotKeyField field) const noexcept { return const_cast<HotKeySet*>(this)->Of(field); }

const HotKeySetting& SettingOf(HotKeyField field) { return kSettings[static_cast<int>(field)]; }

HotKey ParseHotKey(const std::wstring& stored) {
    const std::wstring text = stored.substr(0, kStoredValueLimit);
    const size_t comma = text.find(L',');
    if (comma == std::wstring::npos) return HotKey{LeadingDecimal(text), 0};
    return HotKey{LeadingDecimal(text.substr(0, comma)), LeadingDecimal(text.substr(comma + 1))};
}

std::wstring HotKeyToStored(const HotKey& key) {
    return std::to_wstring(key.modifiers) + L"," + std::to_wstring(key.vk);
}

std::wstring GetKeyName(int vk) {
    if (InRange(vk, 0x30, 0x39) || InRange(vk, 0x41, 0x5A)) return std::wstring(1, static_cast<wchar_t>(vk));
    if (InRange(vk, 0x60, 0x69)) return L"Num " + std::to_wstring(vk - 0x60);
    if (InRange(vk, 0x70, 0x7B)) return L"F" + std::to_wstring(vk - 0x70 + 1);
    for (const NamedKey& key : kSingleNames) {
        if (key.vk == vk) return key.name;
    }
    return {};
}

bool IsCapturableKey(int vk, HotKeyField field) {
    if (field == HotKeyField::Switch && vk == 9) return true;
    return InRange(vk, 0x70, 0x7A) || InRange(vk, 0x30, 0x39) || InRange(vk, 0x41, 0x5A) || InRange(vk, 0x21, 0x28) ||
           vk == 0x2D || vk == 0x14 || vk == 0x90 || InRange(vk, 0x60, 0x6B) || InRange(vk, 0x6D, 0x6F) ||
           InRange(vk, 0xBA, 0xC0) || InRange(vk, 0xDB, 0xDE);
}

std::wstring FormatHotKey(int vk, int modifiers) {
    if (vk == 0) return kNone;
    std::wstring text;
    if (modifiers & kModCtrl) text += kCtrl;
    if (modifiers & kModShift) text += kShift;
    if (modifiers & kModAlt) text += kAlt;
    return text + GetKeyName(vk);
}

KeyMessageAction ClassifyKeyMessage(bool isSysKeyDown, int vk) {
    // Alt combinations arrive as system keys; only F10 and Alt itself are looked at then.
    if (isSysKeyDown && vk != 121 && vk != 18) return KeyMessageAction::PassOn;
    if (vk == 27 || vk == 13) return KeyMessageAction::Swallow;
    return KeyMessageAction::Capture;
}

CaptureResult CaptureKey(HotKeyField field, int vk, const ModifierState& held) {
    CaptureResult result{kNone, std::nullopt};
    if (IsClearingKey(field, vk)) return result;
    result.text.clear();
    std::wstring name;
    if (IsCapturableKey(vk, field)) {
        result.newVk = vk;
        name = GetKeyName(vk);
    }
    if (held.ctrl) result.text += kCtrl;
    if (held.shift) result.text += kShift;
    if (held.alt) result.text += kAlt;
    result.text += name;
    return result;
}

bool HotKeysConflict(const std::array<std::wstring, kHotKeyFieldCount>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            if (texts[i] == texts[j]) return true;
        }
    }
    return false;
}

std::optional<HotKey> HotKeyToSave(const std::wstring& text, int fieldVk) {
    if (text.empty() || text.back() == L' ') return std::nullopt;
    HotKey key{0, text.find(kNone) != std::wstring::npos ? 0 : fieldVk};
    if (text.find(L"Ctrl") != std::wstring::npos) key.modifiers += kModCtrl;
    if (text.find(L"Shift") != std::wstring::npos) key.modifiers += kModShift;
    if (text.find(L"Alt") != std::wstring::npos) key.modifiers += kModAlt;
    return key;
}

int ModifierBits(bool ctrl, bool shift, bool alt) noexcept {
    return (ctrl ? kModCtrl : 0) | (shift ? kModShift : 0) | (alt ? kModAlt : 0);
}

bool MatchesHotKey(const HotKey& key, int vk, int modifiers) noexcept {
    return key.vk == vk && key.modifiers == modifiers;
}

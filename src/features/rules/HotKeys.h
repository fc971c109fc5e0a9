// How a hot key is stored, named, shown, captured from the keyboard and saved.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>

// Modifier bits of a hot key.
constexpr int kModAlt = 1;
constexpr int kModCtrl = 2;
constexpr int kModShift = 4;

// Virtual-key code and modifier bits; both -1 until loaded, so nothing matches before.
struct HotKey {
    int modifiers = -1;
    int vk = -1;
    friend bool operator==(const HotKey& a, const HotKey& b) { return a.modifiers == b.modifiers && a.vk == b.vk; }
};

// Modifier bits (Alt 1, Ctrl 2, Shift 4) from the three key states.
int ModifierBits(bool ctrl, bool shift, bool alt) noexcept;
// The key and the whole modifier set must be equal: Ctrl+Shift+Q is not Ctrl+Q. An unloaded
// key (-1) matches nothing.
bool MatchesHotKey(const HotKey& key, int vk, int modifiers) noexcept;

// The keys, in the order the settings dialog shows them.
enum class HotKeyField { Boss = 0, Switch = 1, Sound = 2, Shot = 3 };
constexpr std::size_t kHotKeyFieldCount = 4;

// The four keys as one value, as a process loads them from the settings file.
struct HotKeySet {
    HotKey boss;
    HotKey windowSwitch;
    HotKey sound;
    HotKey shot;
    [[nodiscard]] HotKey& Of(HotKeyField field) noexcept;
    [[nodiscard]] const HotKey& Of(HotKeyField field) const noexcept;
};

struct HotKeySetting {
    const wchar_t* iniKey;
    const wchar_t* defaultValue;
};
// "ShortKey" "0,121" (F10), "AltWndKey" "2,9" (Ctrl+Tab), "SndKey" "2,81" (Ctrl+Q),
// "ShotKey" "0,120" (F9).
const HotKeySetting& SettingOf(HotKeyField field);

// Stored text "modifiers,vk": each part's leading decimal digits (anything else reads as 0,
// values beyond the integer range saturate); without "," the whole text is the modifiers
// and the key is 0. Only the first 31 characters count, as the settings file is read into
// a buffer of 32.
HotKey ParseHotKey(const std::wstring& stored);
std::wstring HotKeyToStored(const HotKey& key);

// "无" for key 0; otherwise "Ctrl  +  ", "Shift  +  ", "Alt  +  " as their bits are set,
// then the key's name.
std::wstring FormatHotKey(int vk, int modifiers);
// Display name of a virtual-key code; empty for a code without one.
std::wstring GetKeyName(int vk);
// Whether the key can be a hot key's main key; the window-switch field also takes Tab.
bool IsCapturableKey(int vk, HotKeyField field = HotKeyField::Boss);

// What the dialog does with a key message before anything else looks at it.
enum class KeyMessageAction {
    PassOn,   // not a key the dialog captures
    Swallow,  // Esc and Enter: eaten, so they never close the dialog
    Capture,  // offered to the focused key field
};
KeyMessageAction ClassifyKeyMessage(bool isSysKeyDown, int vk);

struct ModifierState {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};
struct CaptureResult {
    std::wstring text;           // what the field shows now
    std::optional<int> newVk;    // the field's key when the pressed key was capturable
};
// A key pressed in a field with the modifiers held at that moment.
CaptureResult CaptureKey(HotKeyField field, int vk, const ModifierState& held);

// Two fields showing the same text, "无" and empty included, conflict.
bool HotKeysConflict(const std::array<std::wstring, kHotKeyFieldCount>& texts);
// The value to store for a field, or nothing to leave the stored value as it is (an empty
// field, or modifiers without a main key).
std::optional<HotKey> HotKeyToSave(const std::wstring& text, int fieldVk);

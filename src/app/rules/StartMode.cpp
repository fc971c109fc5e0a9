#include "app/rules/StartMode.h"

namespace {

wchar_t AsciiUpper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

struct Switch {
    const wchar_t* text;
    StartMode mode;
};

// Checked in this order; the first match wins.
const Switch kSwitches[] = {
    {L"/webQuarnelD", StartMode::WebPortal}, {L"/TovD", StartMode::ShortcutStart},
    {L"/uninst", StartMode::Uninstall},      {L"/update", StartMode::Update},
    {L"/newgm", StartMode::NewGameTab},      {L"/gmhall", StartMode::GameHall},
};

// The launcher's own command line carries these in buffers of 16 and 8 characters,
// terminator included.
constexpr size_t kMaxHostArgLength = 15;
constexpr size_t kMaxTabArgLength = 7;

// "/" followed by decimal digits only, no longer than maxLength, value within the type.
bool ParseSlashNumber(const std::wstring& arg, size_t maxLength, std::uint64_t limit, std::uint64_t& value) {
    if (arg.size() < 2 || arg.size() > maxLength || arg[0] != L'/') return false;
    std::uint64_t v = 0;
    for (size_t i = 1; i < arg.size(); ++i) {
        if (arg[i] < L'0' || arg[i] > L'9') return false;
        v = v * 10 + static_cast<std::uint64_t>(arg[i] - L'0');
        if (v > limit) return false;
    }
    value = v;
    return true;
}

}  // namespace

bool EqualsIgnoreAsciiCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

StartMode ClassifyStartMode(const std::vector<std::wstring>& args, const std::wstring& exePath,
                            const std::wstring& installFolder, const UpperCaser& upper) {
    if (!args.empty()) {
        for (const Switch& s : kSwitches) {
            if (EqualsIgnoreAsciiCase(args[0], s.text)) return s.mode;
        }
    }
    if (installFolder.empty()) return StartMode::Install;
    return upper(exePath).find(upper(installFolder)) != std::wstring::npos ? StartMode::InstalledStart
                                                                           : StartMode::Install;
}

HostArguments ParseHostArguments(StartMode mode, const std::vector<std::wstring>& args) {
    HostArguments result;
    if (mode != StartMode::NewGameTab && mode != StartMode::GameHall) return result;

    std::uint64_t host = 0;
    if (args.size() < 2 || !ParseSlashNumber(args[1], kMaxHostArgLength, 0xFFFFFFFFu, host) || host == 0) {
        return result;
    }
    if (mode == StartMode::GameHall) {
        result.hostWindow = static_cast<std::uint32_t>(host);
        return result;
    }
    std::uint64_t tab = 0;
    if (args.size() < 3 || !ParseSlashNumber(args[2], kMaxTabArgLength, 0x7FFFFFFF, tab)) return result;
    result.hostWindow = static_cast<std::uint32_t>(host);
    result.tabNumber = static_cast<std::int32_t>(tab);
    return result;
}

const wchar_t* StartModeName(StartMode mode) {
    switch (mode) {
        case StartMode::Install: return L"install";
        case StartMode::WebPortal: return L"webQuarnelD";
        case StartMode::ShortcutStart: return L"TovD";
        case StartMode::InstalledStart: return L"installed";
        case StartMode::Uninstall: return L"uninst";
        case StartMode::Update: return L"update";
        case StartMode::NewGameTab: return L"newgm";
        case StartMode::GameHall: return L"gmhall";
    }
    return L"?";
}

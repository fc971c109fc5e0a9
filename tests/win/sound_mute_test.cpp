// Sound muting on both paths. Each scenario runs in a copy of tests/programs/sound_probe
// for which Wine reports Windows XP (x64 edition, major version 5) or Windows 7, set for
// that executable name only under HKCU\Software\Wine\AppDefaults.
#include "support/Process.h"

#include <dsound.h>
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <shlwapi.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\";

// What a scenario reported: every "key=value" line, in order (a key may repeat).
struct Observations {
    std::vector<std::pair<std::string, std::string>> lines;
    DWORD exitCode = 0;

    [[nodiscard]] std::string operator[](const std::string& key) const {
        for (const auto& [k, v] : lines) {
            if (k == key) return v;
        }
        return "<missing " + key + ">";
    }
    [[nodiscard]] std::vector<std::string> All(const std::string& key) const {
        std::vector<std::string> values;
        for (const auto& [k, v] : lines) {
            if (k == key) values.push_back(v);
        }
        return values;
    }
};

std::string ReadAll(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (file && ::ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) text.append(chunk, read);
    return text;
}

// Runs one scenario in a copy named `exeName` that Wine presents `windowsVersion` to.
Observations RunScenarioNow(const std::wstring& exeName, const wchar_t* windowsVersion, const wchar_t* scenario) {
    Observations seen;
    const std::wstring folder = TempFolder(L"sound_" + exeName);
    const std::wstring exe = folder + L"\\" + exeName;
    const std::wstring report = folder + L"\\report.txt";
    EXPECT_TRUE(::CopyFileW((TestsDirectory() + L"\\sound_probe.exe").c_str(), exe.c_str(), FALSE));

    const std::wstring key = kAppDefaults + exeName;
    HKEY hkey = nullptr;
    EXPECT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey, nullptr),
              ERROR_SUCCESS);
    const UniqueRegKey owned(hkey);
    const DWORD bytes = static_cast<DWORD>((wcslen(windowsVersion) + 1) * sizeof(wchar_t));
    ::RegSetValueExW(hkey, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(windowsVersion), bytes);

    ChildProcess child;
    EXPECT_TRUE(child.Start(exe, std::wstring(scenario) + L" \"" + report + L"\""));
    EXPECT_TRUE(child.WaitForExit(60000));
    seen.exitCode = child.ExitCode();
    ::SHDeleteKeyW(HKEY_CURRENT_USER, key.c_str());

    std::istringstream in(ReadAll(report));
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos) seen.lines.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    return seen;
}

// Several tests read one scenario's observations: it runs once per test program.
const Observations& RunScenario(const std::wstring& exeName, const wchar_t* windowsVersion, const wchar_t* scenario) {
    static std::map<std::wstring, Observations> done;
    auto found = done.find(scenario);
    if (found == done.end()) found = done.emplace(scenario, RunScenarioNow(exeName, windowsVersion, scenario)).first;
    return found->second;
}

std::string Number(size_t value) { return std::to_string(value); }

}  // namespace

TEST(SoundMuteXp, MutedBuffersReachTheRealFunctionsAsSilence) {
    const Observations& seen = RunScenario(L"qh_sound_xp.exe", L"winxp64", L"xp");
    ASSERT_EQ(seen["version"], "5.2") << "Wine did not present Windows XP to the copy";
    ASSERT_EQ(seen.exitCode, 0u);

    EXPECT_EQ(seen["mute1.result"], "1");
    EXPECT_EQ(seen["mute1.entry_changed"], "1");
    // waveOutWrite and midiStreamOut, called through their exports with handles the system
    // rejects: the buffer is silent before the real function runs, whose answer comes back.
    EXPECT_EQ(seen["mute1.wave_seen_by_real"], "zero");
    EXPECT_EQ(seen["mute1.wave_after"], "zero");
    EXPECT_EQ(seen["mute1.wave_result"], seen["mute1.wave_real_result"]);
    EXPECT_NE(seen["mute1.wave_result"], "0");
    EXPECT_EQ(seen["mute1.midi_seen_by_real"], "zero");
    EXPECT_EQ(seen["mute1.midi_after"], "zero");
    EXPECT_EQ(seen["mute1.midi_result"], seen["mute1.midi_real_result"]);
    EXPECT_NE(seen["mute1.midi_result"], "0");
}

TEST(SoundMuteXp, SoundOnLeavesBuffersUntouchedAndMutingAgainNeedsNoSecondInstall) {
    const Observations& seen = RunScenario(L"qh_sound_xp.exe", L"winxp64", L"xp");
    ASSERT_EQ(seen["version"], "5.2");
    ASSERT_EQ(seen.exitCode, 0u);
    EXPECT_EQ(seen["mute0.result"], "1");
    EXPECT_EQ(seen["mute0.wave_seen_by_real"], "data");
    EXPECT_EQ(seen["mute0.wave_after"], "data");
    EXPECT_EQ(seen["mute0.midi_seen_by_real"], "data");
    EXPECT_EQ(seen["mute0.entry_unchanged"], "1");
    EXPECT_EQ(seen["ds.mute0.unlock_seen"], "data,data");

    EXPECT_EQ(seen["mute1b.wave_seen_by_real"], "zero");
    EXPECT_EQ(seen["mute1b.midi_seen_by_real"], "zero");
    EXPECT_EQ(seen["mute1b.spy_calls"], "1") << "exactly one replacement in front of the real function";
    EXPECT_EQ(seen["mute1b.entry_unchanged"], "1");
    // RemoveSoundHooks ran at exit and put the entry back as it was before muting.
    EXPECT_EQ(seen["exit.entry_restored"], "1");
}

TEST(SoundMuteXp, DirectSoundTablesArePatchedOncePerClass) {
    const Observations& seen = RunScenario(L"qh_sound_xp.exe", L"winxp64", L"xp");
    ASSERT_EQ(seen["version"], "5.2");
    ASSERT_EQ(seen.exitCode, 0u);
    EXPECT_EQ(seen["ds.create_result"], "0");
    EXPECT_EQ(seen["ds.device_is_fake"], "1");
    EXPECT_EQ(seen["ds.create_slot_patched"], "1");
    EXPECT_EQ(seen["ds.table_protection_kept"], "1");
    EXPECT_EQ(seen["ds.buffer_result"], "0");
    EXPECT_EQ(seen["ds.buffer_is_fake"], "1");
    EXPECT_EQ(seen["ds.unlock_slot_patched"], "1");
    // Both locked regions reach the buffer's own Unlock as silence; its result comes back.
    EXPECT_EQ(seen["ds.mute1.unlock_seen"], "zero,zero");
    EXPECT_EQ(seen["ds.mute1.unlock_result"], "1");
    EXPECT_EQ(seen["ds.mute1.single_region"], "zero");
    // Later objects of the same classes go through the tables patched for the first ones.
    EXPECT_EQ(seen["ds.second.unlock_seen"], "zero,zero");
    // The primary buffer's class has a table of its own, patched when it first appears.
    EXPECT_EQ(seen["ds.primary.unlock_seen"], "zero,zero");
    EXPECT_EQ(seen["ds.create_calls"], "3") << "each creation reached the real method exactly once";
    EXPECT_EQ(seen["ds.device_tables"], "1");
    EXPECT_EQ(seen["ds.buffer_tables"], "2");
}

TEST(SoundMuteXp, BadArgumentsReachTheRealFunctionsWithoutCrashing) {
    const Observations& seen = RunScenario(L"qh_sound_xp.exe", L"winxp64", L"xp");
    ASSERT_EQ(seen["version"], "5.2");
    ASSERT_EQ(seen.exitCode, 0u) << "the scenario crashed or stopped early";
    EXPECT_EQ(seen["ds.null_device_out"], std::to_string(static_cast<long>(DSERR_INVALIDPARAM)));
    EXPECT_EQ(seen["ds.null_buffer_out"], std::to_string(static_cast<long>(DSERR_INVALIDPARAM)));
    EXPECT_EQ(seen["bad.short_header_buffer"], "data");
    EXPECT_EQ(seen["bad.read_only_seen_by_real"], "data");
}

TEST(SoundMuteXp, FirstCallWithSoundOnStillInstallsTheInterceptions) {
    const Observations& seen = RunScenario(L"qh_sound_xp0.exe", L"winxp64", L"xp-zero");
    ASSERT_EQ(seen["version"], "5.2");
    ASSERT_EQ(seen.exitCode, 0u);
    EXPECT_EQ(seen["zero.result"], "1");
    EXPECT_EQ(seen["zero.entry_changed"], "1");
    EXPECT_EQ(seen["zero.wave_seen_by_real"], "data");
    EXPECT_EQ(seen["zero.midi_seen_by_real"], "data");
    EXPECT_EQ(seen["one.result"], "1");
    EXPECT_EQ(seen["one.entry_unchanged"], "1");
    EXPECT_EQ(seen["one.wave_seen_by_real"], "zero");
    EXPECT_EQ(seen["one.midi_seen_by_real"], "zero");
}

TEST(SoundMuteWin7, MixerPathWithoutAudioDevicesFailsQuietly) {
    const Observations& seen = RunScenario(L"qh_sound_win7.exe", L"win7", L"win7");
    ASSERT_EQ(seen["version"], "6.1");
    ASSERT_EQ(seen.exitCode, 0u);
    ASSERT_EQ(seen["mixers"], "0") << "this check expects a machine without audio devices";
    EXPECT_EQ(seen["mute1.result"], "0");
    EXPECT_EQ(seen["mute0.result"], "0");
    // Nothing was intercepted on this path.
    EXPECT_EQ(seen["wave_entry_unchanged"], "1");
    EXPECT_EQ(seen["ds_entry_unchanged"], "1");
}

TEST(SoundMuteWin7, EachChangeSetsTheWaveAndSpeakersMuteControls) {
    const Observations& seen = RunScenario(L"qh_sound_mixer.exe", L"win7", L"win7-mixer");
    ASSERT_EQ(seen["version"], "6.1");
    ASSERT_EQ(seen.exitCode, 0u);
    ASSERT_EQ(seen["attached"], "0");
    const std::string lineSize = Number(sizeof(MIXERLINEW));
    auto line = [&](const char* type, const char* id, const char* control, const char* values) {
        return std::vector<std::string>{
            "getnumdevs",
            "open id=0 callback=0 instance=0 flags=80000000",
            std::string("lineinfo h=mixer size=") + lineSize + " type=" + type + " flags=80000003",
            std::string("controls h=mixer size=") + Number(sizeof(MIXERLINECONTROLSW)) + " line=" + id +
                " type=20010002 count=1 control_size=228 flags=80000002",
            std::string("getdetails h=mixer size=") + Number(sizeof(MIXERCONTROLDETAILS)) + " control=" + control +
                " channels=1 items=0 detail_size=4 flags=80000000",
            std::string("setdetails h=mixer control=") + control + " values=" + values + " flags=80000000",
            "close h=mixer",
        };
    };
    auto concat = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    EXPECT_EQ(seen.All("call.mute"), concat(line("00001008", "a008", "a009", "1"), line("00000004", "a004", "a005", "1")));
    EXPECT_EQ(seen["result.mute"], "1");
    EXPECT_EQ(seen.All("call.unmute"),
              concat(line("00001008", "a008", "a009", "0"), line("00000004", "a004", "a005", "0")));
    EXPECT_EQ(seen["result.unmute"], "1");
}

TEST(SoundMuteWin7, AFailingMixerStepSkipsTheRestButStillClosesAndTriesTheOtherLine) {
    const Observations& seen = RunScenario(L"qh_sound_mixer.exe", L"win7", L"win7-mixer");
    ASSERT_EQ(seen["version"], "6.1");
    ASSERT_EQ(seen.exitCode, 0u);
    // No wave-output line: that line stops after the look-up (closing the mixer); the
    // speakers are still set, and their result is the result.
    const std::vector<std::string> missing = seen.All("call.wave_line_missing");
    ASSERT_EQ(missing.size(), 11u);
    EXPECT_EQ(missing[2].substr(0, 8), "lineinfo");
    EXPECT_EQ(missing[3], "close h=mixer");
    EXPECT_EQ(missing[9], "setdetails h=mixer control=a005 values=1 flags=80000000");
    EXPECT_EQ(seen["result.wave_line_missing"], "1");
    // The speakers' set fails: the result is 0 although the wave line was set.
    EXPECT_EQ(seen.All("call.speakers_set_fails").size(), 14u);
    EXPECT_EQ(seen["result.speakers_set_fails"], "0");
    // No mixer can be opened: nothing to close, both lines tried, result 0.
    EXPECT_EQ(seen.All("call.open_fails"),
              (std::vector<std::string>{"getnumdevs", "open id=0 callback=0 instance=0 flags=80000000", "getnumdevs",
                                        "open id=0 callback=0 instance=0 flags=80000000"}));
    EXPECT_EQ(seen["result.open_fails"], "0");
}

TEST(SoundMuteWin7, MultipleItemMuteControlGetsRoomForEveryItem) {
    const Observations& seen = RunScenario(L"qh_sound_mixer.exe", L"win7", L"win7-mixer");
    ASSERT_EQ(seen.exitCode, 0u);
    const std::vector<std::string> calls = seen.All("call.multiple_items");
    ASSERT_EQ(calls.size(), 14u);
    EXPECT_NE(calls[4].find("items=3"), std::string::npos);
    EXPECT_EQ(calls[5], "setdetails h=mixer control=a009 values=1,1,1 flags=80000000");
    EXPECT_EQ(seen["result.multiple_items"], "1");
}

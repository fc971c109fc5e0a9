// The hot-key settings dialog, run modally and driven with real key presses.
#include "base/Messages.h"
#include "features/HotKeyStore.h"
#include "features/SettingsDialog.h"
#include "res/resource.h"
#include "support/Input.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {
// Generous: a driver that gives up leaves the modal dialog open and the whole run waiting.
HWND FindTopLevel(const wchar_t* title, HWND except = nullptr) {
    for (int i = 0; i < 2400; ++i) {
        for (HWND hwnd : TopLevelWindowsOf(::GetCurrentProcessId())) {
            if (hwnd != except && ::IsWindowVisible(hwnd) && ClassName(hwnd) == L"#32770" &&
                WindowText(hwnd) == title) {
                return hwnd;
            }
        }
        ::Sleep(25);
    }
    return nullptr;
}

std::wstring StoredValue(const wchar_t* key) {
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(L"Tov", key, L"<absent>", value, 64, LocalSettingsPath().c_str());
    return value;
}

struct Fields {
    std::wstring boss, sw, sound, shot;
};
Fields ReadFields(HWND dialog) {
    return {WindowText(::GetDlgItem(dialog, IDC_EDIT_BOSS)), WindowText(::GetDlgItem(dialog, IDC_EDIT_SWITCH)),
            WindowText(::GetDlgItem(dialog, IDC_EDIT_SOUND)), WindowText(::GetDlgItem(dialog, IDC_EDIT_SHOT))};
}

// Runs the dialog on this thread while `drive` acts on it from another.
INT_PTR RunDialog(const std::function<void(HWND)>& drive) {
    SettingsDialog dialog(nullptr);
    std::thread driver([&] {
        if (HWND hwnd = FindTopLevel(L"设置")) drive(hwnd);
    });
    const INT_PTR result = dialog.DoModal();
    driver.join();
    return result;
}

// Polls from the driver thread (the dialog's thread runs its own loop).
template <class Condition>
bool PollUntil(Condition condition, DWORD ms = 10000) {
    for (DWORD waited = 0; waited < ms; waited += 25) {
        if (condition()) return true;
        ::Sleep(25);
    }
    return condition();
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void Focus(HWND dialog, int editId) {
    HWND edit = ::GetDlgItem(dialog, editId);
    ClickCentre(edit);
    PollUntil([&] { return FocusOf(dialog) == edit; });
}

struct SettingDialog : ::testing::Test {
    void SetUp() override { ::DeleteFileW(LocalSettingsPath().c_str()); }
    void TearDown() override { ::DeleteFileW(LocalSettingsPath().c_str()); }
};
}  // namespace

TEST_F(SettingDialog, FirstStartShowsTheDefaultKeys) {
    Fields shown;
    RunDialog([&](HWND dialog) {
        shown = ReadFields(dialog);
        ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(shown.boss, L"F10");
    EXPECT_EQ(shown.sw, L"Ctrl  +  Tab");
    EXPECT_EQ(shown.sound, L"Ctrl  +  Q");
    EXPECT_EQ(shown.shot, L"F9");
    EXPECT_EQ(StoredValue(L"ShortKey"), L"<absent>");
}

TEST_F(SettingDialog, TheScreenshotRowLooksLikeTheOthersBelowThem) {
    std::wstring group, label, example;
    RECT soundEdit{}, shotEdit{}, ok{};
    RunDialog([&](HWND dialog) {
        group = WindowText(::GetDlgItem(dialog, IDC_GRP_SHOT));
        label = WindowText(::GetDlgItem(dialog, IDC_LBL_SHOT));
        example = WindowText(::GetDlgItem(dialog, IDC_LBL_SHOT_EXAMPLE));
        ::GetWindowRect(::GetDlgItem(dialog, IDC_EDIT_SOUND), &soundEdit);
        ::GetWindowRect(::GetDlgItem(dialog, IDC_EDIT_SHOT), &shotEdit);
        ::GetWindowRect(::GetDlgItem(dialog, IDOK), &ok);
        ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(group, L"截图键设置");
    EXPECT_EQ(label, L"请输入截图键");
    EXPECT_EQ(example, L"例如: F9");
    EXPECT_EQ(shotEdit.left, soundEdit.left);
    EXPECT_EQ(shotEdit.right - shotEdit.left, soundEdit.right - soundEdit.left);
    EXPECT_GT(shotEdit.top, soundEdit.bottom);
    EXPECT_GT(ok.top, shotEdit.bottom);
}

TEST_F(SettingDialog, TheScreenshotKeyIsCapturedSavedAndChecked) {
    Fields shown;
    std::vector<std::wstring> boxTexts;
    const INT_PTR result = RunDialog([&](HWND dialog) {
        // First the boss key's F10: a conflict, and nothing is written.
        Focus(dialog, IDC_EDIT_SHOT);
        PressKeys({VK_F10});
        PollUntil([&] { return ReadFields(dialog).shot == L"F10"; });
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        if (HWND box = FindTopLevel(L"QuarnelHalvira")) {
            boxTexts = ChildTexts(box);
            ::PostMessageW(::GetDlgItem(box, 5000), BM_CLICK, 0, 0);
            PollUntil([&] { return !::IsWindow(box); });
        }
        // Then Ctrl+Shift+P, which is free.
        Focus(dialog, IDC_EDIT_SHOT);
        PressKeys({VK_CONTROL, VK_SHIFT, 'P'});
        PollUntil([&] { return ReadFields(dialog).shot == L"Ctrl  +  Shift  +  P"; });
        shown = ReadFields(dialog);
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_NE(std::find(boxTexts.begin(), boxTexts.end(), L"热键冲突，请重新设置不同热键值"), boxTexts.end());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown.shot, L"Ctrl  +  Shift  +  P");
    EXPECT_EQ(StoredValue(L"ShotKey"), L"6,80");
    EXPECT_EQ(LoadHotKey(HotKeyField::Shot), (HotKey{6, 80}));
}

TEST_F(SettingDialog, PressedKeysAreShownAndSavedBesideTheExecutable) {
    Fields shown;
    bool openAfterEnterAndEsc = false;
    bool clearedByBackspace = false;
    const INT_PTR result = RunDialog([&](HWND dialog) {
        Focus(dialog, IDC_EDIT_BOSS);
        PressKeys({VK_BACK});  // clears the boss key
        clearedByBackspace = PollUntil([&] { return ReadFields(dialog).boss == L"无"; });
        Focus(dialog, IDC_EDIT_SWITCH);
        PressKeys({VK_CONTROL, VK_MENU, 'X'});
        Focus(dialog, IDC_EDIT_SOUND);
        PressKeys({VK_CONTROL});  // modifiers alone: the stored key stays
        PressKeys({VK_RETURN});
        PressKeys({VK_ESCAPE});
        // Input is handled in order: once a key pressed after Enter and Esc shows, they were handled.
        Focus(dialog, IDC_EDIT_BOSS);
        PressKeys({VK_F11});
        PollUntil([&] { return ReadFields(dialog).boss == L"F11"; });
        openAfterEnterAndEsc = ::IsWindowVisible(dialog) != FALSE;
        shown = ReadFields(dialog);
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(openAfterEnterAndEsc);
    EXPECT_TRUE(clearedByBackspace);
    EXPECT_EQ(shown.boss, L"F11");
    EXPECT_EQ(shown.sw, L"Ctrl  +  Alt  +  X");
    EXPECT_EQ(shown.sound, L"Ctrl  +  ");
    EXPECT_EQ(StoredValue(L"ShortKey"), L"0,122");
    EXPECT_EQ(StoredValue(L"AltWndKey"), L"3,88");
    EXPECT_EQ(StoredValue(L"SndKey"), L"<absent>");
}

TEST_F(SettingDialog, AltWithALetterIsNotCaptured) {
    Fields shown;
    RunDialog([&](HWND dialog) {
        Focus(dialog, IDC_EDIT_SOUND);
        PressKeys({VK_MENU, 'K'});
        // A later key in another field shows once Alt+K has been handled.
        Focus(dialog, IDC_EDIT_SWITCH);
        PressKeys({VK_F11});
        PollUntil([&] { return ReadFields(dialog).sw == L"F11"; });
        shown = ReadFields(dialog);
        ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(shown.sound.find(L"K"), std::wstring::npos);
}

TEST_F(SettingDialog, ConflictShowsTheMessageAndWritesNothing) {
    std::vector<std::wstring> boxTexts;
    bool stillOpen = false;
    RunDialog([&](HWND dialog) {
        Focus(dialog, IDC_EDIT_SWITCH);
        PressKeys({VK_CONTROL, 'Q'});  // the same as the sound key
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        if (HWND box = FindTopLevel(L"QuarnelHalvira")) {
            boxTexts = ChildTexts(box);
            ::PostMessageW(::GetDlgItem(box, 5000), BM_CLICK, 0, 0);
            PollUntil([&] { return !::IsWindow(box); });
        }
        stillOpen = ::IsWindowVisible(dialog) != FALSE;
        ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_NE(std::find(boxTexts.begin(), boxTexts.end(), L"热键冲突，请重新设置不同热键值"), boxTexts.end());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(::GetFileAttributesW(LocalSettingsPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SettingDialog, DamagedStoredValuesStillOpen) {
    ::WritePrivateProfileStringW(L"Tov", L"ShortKey", L"abc,81", LocalSettingsPath().c_str());
    ::WritePrivateProfileStringW(L"Tov", L"AltWndKey", L"99999999999,1", LocalSettingsPath().c_str());
    ::WritePrivateProfileStringW(L"Tov", L"SndKey", L"2,", LocalSettingsPath().c_str());
    ::WritePrivateProfileStringW(L"Tov", L"ShotKey", L",,120x", LocalSettingsPath().c_str());
    Fields shown;
    RunDialog([&](HWND dialog) {
        shown = ReadFields(dialog);
        ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(shown.boss, L"Q");
    EXPECT_EQ(shown.sw, L"Ctrl  +  Shift  +  Alt  +  ");  // a code without a name: its modifiers only
    EXPECT_EQ(shown.sound, L"无");
    EXPECT_EQ(shown.shot, L"无");
    EXPECT_EQ(StoredValue(L"ShortKey"), L"abc,81");  // cancel writes nothing
}

namespace {
class ReloadReceiver : public CDialog {
public:
    explicit ReloadReceiver(const wchar_t* title) : CDialog(IDD_MESSAGE_BOX) {
        Create(IDD_MESSAGE_BOX, nullptr);
        SetWindowText(title);
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_HOTKEYS_CHANGED) ++received;
        return CDialog::WindowProc(msg, wParam, lParam);
    }
    int received = 0;
};
}  // namespace

TEST(HotKeyBroadcast, ReachesMainWindowsOnly) {
    ReloadReceiver first(L"QuarnelHalvira");
    ReloadReceiver second(L"QuarnelHalvira");
    ReloadReceiver other(L"QuarnelHalvira 2");
    EXPECT_EQ(BroadcastHotKeyReload(), 2);
    PumpMessagesFor(200);
    EXPECT_EQ(first.received, 1);
    EXPECT_EQ(second.received, 1);
    EXPECT_EQ(other.received, 0);
}

TEST(HotKeyBroadcast, AtMostTenWindowsAreTold) {
    std::vector<std::unique_ptr<ReloadReceiver>> windows;
    for (int i = 0; i < 12; ++i) windows.push_back(std::make_unique<ReloadReceiver>(L"QuarnelHalvira"));
    EXPECT_EQ(BroadcastHotKeyReload(), 10);
    PumpMessagesFor(200);
    int told = 0;
    for (const auto& w : windows) told += w->received;
    EXPECT_EQ(told, 10);
}

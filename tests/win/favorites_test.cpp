// The favourites dialog, driven from outside as a user would: it shows the page title,
// and "收藏" writes the Internet shortcut into the prefix's Favorites folder.
#include "features/FavoriteFile.h"
#include "res/resource.h"
#include "support/Assertions.h"
#include "support/Process.h"
#include "base/Paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t kCaption[] = L"添加收藏";

std::string ReadAll(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (file && ::ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) text.append(chunk, read);
    return text;
}

int CountFavorites(const std::wstring& pattern) {
    int count = 0;
    WIN32_FIND_DATAW fd;
    HANDLE find = ::FindFirstFileW((FavoritesFolder() + L"\\" + pattern).c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        ++count;
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
    return count;
}

// The bytes a shortcut to an ASCII address must have.
std::string ExpectedShortcut(const std::string& url) {
    return "[DEFAULT]\r\nBASEURL=" + url + "\r\n[{000214A0-0000-0000-C000-000000000046}]\r\n=19,2\r\n"
           "[InternetShortcut]\r\nURL=" + url + "\r\nIDList=\r\n";
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The favourites the tests make, removed before and after each test.
class Favorites : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        const std::wstring folder = FavoritesFolder();
        WIN32_FIND_DATAW fd;
        HANDLE find = ::FindFirstFileW((folder + L"\\qh*.url").c_str(), &fd);
        if (find == INVALID_HANDLE_VALUE) return;
        do {
            ::DeleteFileW((folder + L"\\" + fd.cFileName).c_str());
        } while (::FindNextFileW(find, &fd));
        ::FindClose(find);
    }

    // Opens the dialog in its test program; returns its window.
    HWND Open(ChildProcess& child, const std::wstring& title, const std::wstring& url) {
        EXPECT_TRUE(child.Start(TestsDirectory() + L"\\fav_dialog.exe", L"\"" + title + L"\" \"" + url + L"\""));
        return WaitForWindow(child.Id(), L"#32770", kCaption, 20000);
    }

    // Types a name as the user would have, presses a button, waits for the dialog to end.
    DWORD Finish(ChildProcess& child, HWND dialog, const wchar_t* button, const wchar_t* name = nullptr) {
        if (name) ::SendMessageW(::GetDlgItem(dialog, IDC_EDIT_FAV_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
        EXPECT_TRUE(ClickButton(dialog, button));
        EXPECT_TRUE(child.WaitForExit(20000));
        return child.ExitCode();
    }

    // Runs the dialog once and accepts the proposed or the given name.
    DWORD Save(const std::wstring& title, const std::wstring& url, const wchar_t* name = nullptr) {
        ChildProcess child;
        HWND dialog = Open(child, title, url);
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return 0;
        return Finish(child, dialog, L"收藏", name);
    }
};

}  // namespace

TEST_F(Favorites, DialogShowsThePageTitleAndItsTexts) {
    ChildProcess child;
    HWND dialog = Open(child, L"qh 夸内尔 游戏页", L"http://127.0.0.1/game.htm");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_EDIT_FAV_NAME)), L"qh 夸内尔 游戏页");
    for (const wchar_t* text : {L"将该游戏添加到本地收藏夹，可通过IE直接打开游戏页", L"收藏名称：", L"收藏", L"取消"}) {
        EXPECT_TRUE(WindowSays(dialog, text));
    }
    EXPECT_EQ(Finish(child, dialog, L"取消"), static_cast<DWORD>(IDCANCEL));
}

TEST_F(Favorites, SavingWritesTheShortcutBytesNamedAfterTheTitle) {
    const std::string url = "http://127.0.0.1:" + std::to_string(QH_DEV_PORT) + "/game.htm?server=7&id=3";
    EXPECT_EQ(Save(L"qh 夸内尔 游戏页 1", Widen(url)), static_cast<DWORD>(IDOK));
    // Byte for byte: CR LF lines, "=19,2" with nothing before it, no byte-order mark, no
    // terminating zero.
    EXPECT_EQ(ReadAll(FavoritesFolder() + L"\\qh 夸内尔 游戏页 1.url"), ExpectedShortcut(url));
}

TEST_F(Favorites, SavingTwiceUnderOneNameLeavesOneFileWithTheLatestAddress) {
    EXPECT_EQ(Save(L"qh same", L"http://127.0.0.1/first.htm"), static_cast<DWORD>(IDOK));
    EXPECT_EQ(Save(L"qh same", L"http://127.0.0.1/second.htm"), static_cast<DWORD>(IDOK));
    EXPECT_EQ(CountFavorites(L"qh same*"), 1);
    EXPECT_EQ(ReadAll(FavoritesFolder() + L"\\qh same.url"), ExpectedShortcut("http://127.0.0.1/second.htm"));
}

TEST_F(Favorites, AddressCharacterTheCodePageLacksBecomesItsDefaultCharacter) {
    // Find a character this prefix's ANSI code page cannot represent.
    const wchar_t candidates[] = {0x0E01, 0x4E2D, 0x263A, 0x0416, 0x05D0};
    wchar_t missing = 0;
    for (wchar_t c : candidates) {
        char out[8];
        BOOL usedDefault = FALSE;
        if (::WideCharToMultiByte(CP_ACP, 0, &c, 1, out, sizeof(out), nullptr, &usedDefault) > 0 && usedDefault) {
            missing = c;
            break;
        }
    }
    ASSERT_NE(missing, 0) << "code page " << ::GetACP() << " represents every candidate";
    CPINFO info{};
    ASSERT_TRUE(::GetCPInfo(CP_ACP, &info));
    const std::string replacement(1, static_cast<char>(info.DefaultChar[0]));

    EXPECT_EQ(Save(L"qh unicode", std::wstring(L"http://127.0.0.1/p?n=") + missing + L"x"), static_cast<DWORD>(IDOK));
    EXPECT_EQ(ReadAll(FavoritesFolder() + L"\\qh unicode.url"), ExpectedShortcut("http://127.0.0.1/p?n=" + replacement + "x"));
}

TEST_F(Favorites, NameWithCharactersAFileCannotHoldIsSavedUnderASafeName) {
    EXPECT_EQ(Save(L"title", L"http://127.0.0.1/a.htm", L" qh a/b:c*?\"<>|d. "), static_cast<DWORD>(IDOK));
    EXPECT_EQ(ReadAll(FavoritesFolder() + L"\\qh a_b_c______d.url"), ExpectedShortcut("http://127.0.0.1/a.htm"));
}

TEST_F(Favorites, BlankNameFallsBackToThePageTitle) {
    EXPECT_EQ(Save(L"qh page title", L"http://127.0.0.1/b.htm", L"   "), static_cast<DWORD>(IDOK));
    EXPECT_EQ(ReadAll(FavoritesFolder() + L"\\qh page title.url"), ExpectedShortcut("http://127.0.0.1/b.htm"));
}

TEST_F(Favorites, CancelWritesNothing) {
    ChildProcess child;
    HWND dialog = Open(child, L"qh cancelled", L"http://127.0.0.1/c.htm");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Finish(child, dialog, L"取消"), static_cast<DWORD>(IDCANCEL));
    EXPECT_FALSE(PathExists(FavoritesFolder() + L"\\qh cancelled.url"));
}

TEST_F(Favorites, AddressTooLongForAShortcutWritesNothingAndTheDialogStillCloses) {
    const std::wstring url = L"http://127.0.0.1/" + std::wstring(1100, L'x');
    EXPECT_EQ(Save(L"qh too long", url), static_cast<DWORD>(IDOK));
    EXPECT_FALSE(PathExists(FavoritesFolder() + L"\\qh too long.url"));
}

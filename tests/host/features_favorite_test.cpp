#include "features/rules/FavoriteShortcut.h"

#include <gtest/gtest.h>

TEST(FavoriteShortcut, TextHasTheAddressInBothLinesWithCrLf) {
    EXPECT_EQ(FavoriteShortcutText(L"http://game.example/s7?id=3&x=1"),
              L"[DEFAULT]\r\n"
              L"BASEURL=http://game.example/s7?id=3&x=1\r\n"
              L"[{000214A0-0000-0000-C000-000000000046}]\r\n"
              L"=19,2\r\n"
              L"[InternetShortcut]\r\n"
              L"URL=http://game.example/s7?id=3&x=1\r\n"
              L"IDList=\r\n");
}

TEST(FavoriteShortcut, AddressCannotAddLinesToTheFile) {
    const std::wstring text = FavoriteShortcutText(L"http://a/\r\n[InternetShortcut]\r\nIconFile=\\\\evil\\x\t\x7f");
    EXPECT_EQ(text.find(L"\r\nIconFile"), std::wstring::npos);
    EXPECT_NE(text.find(L"URL=http://a/%0D%0A[InternetShortcut]%0D%0AIconFile=\\\\evil\\x%09%7F\r\n"),
              std::wstring::npos);
}

TEST(FavoriteShortcut, EmptyAddressGivesNoShortcut) { EXPECT_EQ(FavoriteShortcutText(L""), L""); }

TEST(FavoriteShortcut, TooLongAddressGivesNoTextRatherThanACutOne) {
    const size_t frame = FavoriteShortcutText(L"a").size() - 2;  // everything but the two addresses
    const std::wstring fits((2048 - frame) / 2, L'a');
    EXPECT_EQ(FavoriteShortcutText(fits).size(), frame + 2 * fits.size());
    EXPECT_EQ(FavoriteShortcutText(fits + L"aa"), L"");
    EXPECT_EQ(FavoriteShortcutText(std::wstring(100000, L'x')), L"");
}

TEST(FavoriteFileName, KeepsAnOrdinaryNameAsItIs) {
    EXPECT_EQ(FavoriteFileName(L"夸内尔 游戏页 1", L"title"), L"夸内尔 游戏页 1");
    EXPECT_EQ(FavoriteFileName(L"a.b c", L"title"), L"a.b c");
}

TEST(FavoriteFileName, CharactersAFileNameCannotHoldBecomeUnderscores) {
    EXPECT_EQ(FavoriteFileName(L"a/b:c*?\"<>|d\\e", L"t"), L"a_b_c______d_e");
    EXPECT_EQ(FavoriteFileName(L"x\x01y\x1fz", L"t"), L"x_y_z");
    EXPECT_EQ(FavoriteFileName(L"a\tb", L"t"), L"a_b");
}

TEST(FavoriteFileName, BlanksAndDotsAreTrimmedFromBothEnds) {
    EXPECT_EQ(FavoriteFileName(L"  ..name.. ", L"t"), L"name");
    EXPECT_EQ(FavoriteFileName(L"\x3000游戏\x3000", L"t"), L"游戏");  // ideographic spaces
    EXPECT_EQ(FavoriteFileName(L"\tname\r\n", L"t"), L"name");
}

TEST(FavoriteFileName, EmptyOrBlankNameFallsBackToTitleThenToTheProductName) {
    EXPECT_EQ(FavoriteFileName(L"", L"页面标题"), L"页面标题");
    EXPECT_EQ(FavoriteFileName(L"   ", L"页面标题"), L"页面标题");
    EXPECT_EQ(FavoriteFileName(L" . ", L" a:b "), L"a_b");
    EXPECT_EQ(FavoriteFileName(L"", L""), L"QuarnelHalvira");
    EXPECT_EQ(FavoriteFileName(L"...", L"  "), L"QuarnelHalvira");
}

TEST(FavoriteFileName, ReservedDeviceNamesAreNotUsedAsIs) {
    EXPECT_EQ(FavoriteFileName(L"CON", L"t"), L"_CON");
    EXPECT_EQ(FavoriteFileName(L"nul", L"t"), L"_nul");
    EXPECT_EQ(FavoriteFileName(L"com3", L"t"), L"_com3");
    EXPECT_EQ(FavoriteFileName(L"Lpt1.backup", L"t"), L"_Lpt1.backup");
    EXPECT_EQ(FavoriteFileName(L"aux .x", L"t"), L"_aux .x");
    EXPECT_EQ(FavoriteFileName(L"CONSOLE", L"t"), L"CONSOLE");
    EXPECT_EQ(FavoriteFileName(L"COM0", L"t"), L"COM0");
}

TEST(FavoriteFileName, LongNamesKeepTheFirst127CharactersWithoutSplittingAPair) {
    const std::wstring longName(300, L'n');
    EXPECT_EQ(FavoriteFileName(longName, L"t"), std::wstring(127, L'n'));
    // A surrogate pair (as UTF-16 code units) straddling the limit is dropped whole.
    std::wstring pair = std::wstring(126, L'n');
    pair += static_cast<wchar_t>(0xD83C);
    pair += static_cast<wchar_t>(0xDFAE);
    EXPECT_EQ(FavoriteFileName(pair, L"t"), std::wstring(126, L'n'));
    // Trimming happens after the cut: a name whose first 127 characters are blanks is empty.
    EXPECT_EQ(FavoriteFileName(std::wstring(127, L' ') + L"late", L"title"), L"title");
}

TEST(FavoritePath, FolderNameAndExtension) {
    EXPECT_EQ(FavoritePath(L"C:\\Users\\u\\Favorites", L"游戏"), L"C:\\Users\\u\\Favorites\\游戏.url");
}

TEST(FavoritePath, NameIsShortenedToKeepThePathWithin259Characters) {
    const std::wstring folder = L"C:\\" + std::wstring(200, L'f');
    const std::wstring path = FavoritePath(folder, std::wstring(100, L'n'));
    EXPECT_EQ(path.size(), 259u);
    EXPECT_EQ(path, folder + L"\\" + std::wstring(259 - folder.size() - 5, L'n') + L".url");
    // A cut that ends in blanks or dots is trimmed again.
    const std::wstring dotted = std::wstring(50, L'n') + L" ...." + std::wstring(50, L'm');
    const std::wstring folder2 = L"C:\\" + std::wstring(259 - 3 - 5 - 55, L'f');
    EXPECT_EQ(FavoritePath(folder2, dotted), folder2 + L"\\" + std::wstring(50, L'n') + L".url");
}

TEST(FavoritePath, NoPathWhenNothingFits) {
    EXPECT_EQ(FavoritePath(L"C:\\" + std::wstring(253, L'f'), L"name"), L"");
    EXPECT_EQ(FavoritePath(L"", L"name"), L"");
    EXPECT_EQ(FavoritePath(L"C:\\F", L""), L"");
    EXPECT_EQ(FavoritePath(L"C:\\F", L"..."), L"");
}

TEST(AddFavoriteKey, IsAFirstPressOfCtrlDOnly) {
    EXPECT_TRUE(IsAddFavoriteChar(4, 0x00200001));
    EXPECT_TRUE(IsAddFavoriteChar(4, 0x00200005));                            // repeat count is not looked at
    EXPECT_FALSE(IsAddFavoriteChar(4, 0x40200001));                           // held down: a repeat
    EXPECT_FALSE(IsAddFavoriteChar(4, 0x00210001));                           // character 4 from another key
    EXPECT_FALSE(IsAddFavoriteChar('d', 0x00200001));                         // plain D
    EXPECT_FALSE(IsAddFavoriteChar(4, 0));
}

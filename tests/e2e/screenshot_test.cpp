// Game screenshots end to end: a logged-in tab of the real launcher, its page captured by the
// screenshot key and the menu item into the player's pictures folder and onto the clipboard.
#include "features/Screenshot.h"
#include "skin/Gdiplus.h"
#include "support/DevService.h"
#include "support/FrameHost.h"
#include "support/Input.h"
#include "support/Launcher.h"
#include "support/LauncherTest.h"
#include "support/LoginPage.h"
#include "support/OtherApplication.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {
const std::wstring kRecord = L"双线1服-alice";

std::set<std::wstring> PngsIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    UniqueFileFind find(::FindFirstFileW((folder + L"\\*.png").c_str(), &found));
    if (!find) return names;
    do {
        names.insert(found.cFileName);
    } while (::FindNextFileW(find.Get(), &found));
    return names;
}

struct PngFacts {
    bool loaded = false;
    int width = 0, height = 0;
    bool oneColour = true;
};

PngFacts ReadPng(const std::wstring& path) {
    PngFacts facts;
    Gdiplus::Bitmap image(path.c_str());
    if (image.GetLastStatus() != Gdiplus::Ok) return facts;
    facts.loaded = true;
    facts.width = static_cast<int>(image.GetWidth());
    facts.height = static_cast<int>(image.GetHeight());
    Gdiplus::Color first, pixel;
    image.GetPixel(0, 0, &first);
    for (int y = 0; y < facts.height && facts.oneColour; y += 2) {
        for (int x = 0; x < facts.width && facts.oneColour; x += 2) {
            image.GetPixel(x, y, &pixel);
            facts.oneColour = pixel.GetValue() == first.GetValue();
        }
    }
    return facts;
}

SIZE WindowSize(HWND hwnd) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void EmptyClipboard() {
    for (int i = 0; i < 50 && !::OpenClipboard(nullptr); ++i) PumpMessagesFor(20);
    ::EmptyClipboard();
    ::CloseClipboard();
}

// The size of the clipboard's bitmap; nothing when it holds none.
std::optional<SIZE> ClipboardBitmapSize() {
    if (!::IsClipboardFormatAvailable(CF_BITMAP)) return std::nullopt;
    if (!::OpenClipboard(nullptr)) return std::nullopt;
    std::optional<SIZE> size;
    BITMAP info{};
    if (HANDLE bitmap = ::GetClipboardData(CF_BITMAP); bitmap && ::GetObjectW(bitmap, sizeof(info), &info)) {
        size = SIZE{info.bmWidth, std::abs(info.bmHeight)};
    }
    ::CloseClipboard();
    return size;
}

// Memory in another process for the length of a scope: what a message sent there points to.
class RemoteBuffer {
public:
    RemoteBuffer(DWORD pid, SIZE_T size)
        : m_process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)),
          m_address(m_process ? ::VirtualAllocEx(m_process.Get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr) {}
    ~RemoteBuffer() {
        if (m_address) ::VirtualFreeEx(m_process.Get(), m_address, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    BYTE* Address() const { return static_cast<BYTE*>(m_address); }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
        return m_address && ::WriteProcessMemory(m_process.Get(), Address() + offset, data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        return m_address && ::ReadProcessMemory(m_process.Get(), Address() + offset, data, size, nullptr);
    }

private:
    UniqueHandle m_process;
    void* m_address;
};

// The text of a balloon tooltip of the shell, read through its own messages. (Its title
// cannot be read back: Wine's tooltips do not answer TTM_GETTITLE.)
std::optional<std::wstring> BalloonText(HWND tooltip) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(tooltip, &pid);
    constexpr SIZE_T kChars = 256;
    constexpr SIZE_T kToolAt = 0, kTextAt = 1024;
    RemoteBuffer remote(pid, 4096);
    // Its one tool, then that tool's text into the buffer after it.
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    DWORD_PTR ignored = 0;
    if (!remote.Write(kToolAt, &tool, sizeof(tool)) ||
        !::SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote.Address() + kToolAt),
                               SMTO_ABORTIFHUNG, 5000, &ignored) ||
        !remote.Read(kToolAt, &tool, sizeof(tool))) {
        return std::nullopt;
    }
    std::vector<wchar_t> text(kChars + 1, L'\0');
    tool.lpszText = reinterpret_cast<WCHAR*>(remote.Address() + kTextAt);
    if (!remote.Write(kTextAt, text.data(), text.size() * sizeof(wchar_t)) || !remote.Write(kToolAt, &tool, sizeof(tool)) ||
        !::SendMessageTimeoutW(tooltip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote.Address() + kToolAt),
                               SMTO_ABORTIFHUNG, 5000, &ignored) ||
        !remote.Read(kTextAt, text.data(), kChars * sizeof(wchar_t))) {
        return std::nullopt;
    }
    return std::wstring(text.data());
}

// What a shown balloon tooltip of any process says.
std::optional<std::wstring> ShownBalloonText() {
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (ClassName(w) != TOOLTIPS_CLASSW || !::IsWindowVisible(w)) continue;
        if ((::GetWindowLongW(w, GWL_STYLE) & TTS_BALLOON) == 0) continue;
        return BalloonText(w);
    }
    return std::nullopt;
}

class Screenshot : public LauncherTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_gdiplus.Ok());
        m_folder = ScreenshotFolder();
        ASSERT_FALSE(m_folder.empty());
        // A file left where the folder belongs by an earlier run must not decide this one.
        if ((::GetFileAttributesW(m_folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY) == 0) ::DeleteFileW(m_folder.c_str());
        m_before = PngsIn(m_folder);
        EmptyClipboard();

        StartLauncher();
        const DWORD game = LogInFirstAccount(kRecord, L"1");
        ASSERT_NE(game, 0u);
        ASSERT_FALSE(HasFailure());
        m_frame = FrameOf(game, main);
        ASSERT_TRUE(WaitUntil([&] { return (m_page = FindScriptedBrowser(m_frame)) != nullptr; }, kPatienceMs));
    }
    void TearDown() override {
        LauncherTest::TearDown();
        for (const std::wstring& name : NewPngs()) ::DeleteFileW((m_folder + L"\\" + name).c_str());
    }

    std::vector<std::wstring> NewPngs() const {
        std::vector<std::wstring> added;
        for (const std::wstring& name : PngsIn(m_folder)) {
            if (!m_before.count(name)) added.push_back(name);
        }
        return added;
    }
    // Waits for `count` new pictures in all; their names.
    std::vector<std::wstring> WaitForPngs(size_t count) const {
        std::vector<std::wstring> added;
        WaitUntil(
            [&] {
                added = NewPngs();
                return added.size() >= count;
            },
            kPatienceMs);
        return added;
    }

    // A new picture of the page: named after the record, the page's size, not one flat colour;
    // the clipboard holds a bitmap of the same size.
    void ExpectPictureOfThePage(const std::wstring& name) const {
        EXPECT_EQ(name.rfind(kRecord + L"_", 0), 0u) << testing::PrintToString(name);
        EXPECT_EQ(name.substr(name.size() - 4), L".png");
        const PngFacts png = ReadPng(m_folder + L"\\" + name);
        ASSERT_TRUE(png.loaded);
        const SIZE page = WindowSize(m_page);
        EXPECT_EQ(png.width, page.cx);
        EXPECT_EQ(png.height, page.cy);
        EXPECT_FALSE(png.oneColour) << "the page paints its address";
        std::optional<SIZE> clip;
        EXPECT_TRUE(WaitUntil([&] { return (clip = ClipboardBitmapSize()).has_value(); }, kPatienceMs));
        if (clip) {
            EXPECT_EQ(clip->cx, page.cx);
            EXPECT_EQ(clip->cy, page.cy);
        }
    }

    void OpenTrayMenu() const { ::PostMessageW(main, WM_USER + 1, 1, WM_RBUTTONUP); }

    GdiplusSession m_gdiplus;
    std::wstring m_folder;
    std::set<std::wstring> m_before;
    HWND m_frame = nullptr;
    HWND m_page = nullptr;
};
}  // namespace

TEST_F(Screenshot, F9WithTheFocusInTheGameSavesThePage) {
    ClickCentre(m_page);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == main; }, kPatienceMs));
    PressKeys({VK_F9});
    const std::vector<std::wstring> added = WaitForPngs(1);
    ASSERT_EQ(added.size(), 1u);
    ExpectPictureOfThePage(added[0]);
}

TEST_F(Screenshot, F9WithTheFocusInTheMainWindowSavesThePage) {
    ::SetForegroundWindow(main);
    ::SetFocus(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == main; }, kPatienceMs));
    PressKeys({VK_F9});
    const std::vector<std::wstring> added = WaitForPngs(1);
    ASSERT_EQ(added.size(), 1u);
    ExpectPictureOfThePage(added[0]);
}

TEST_F(Screenshot, MenuItemSavesThePageAndTheBalloonSaysSo) {
    OpenTrayMenu();
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_HOME, 1));  // 截图
    const std::vector<std::wstring> added = WaitForPngs(1);
    ASSERT_EQ(added.size(), 1u);
    ExpectPictureOfThePage(added[0]);
    // The shell shows the balloon a moment later, naming the file.
    std::optional<std::wstring> balloon;
    ASSERT_TRUE(WaitUntil([&] { return (balloon = ShownBalloonText()).has_value(); }, kPatienceMs));
    EXPECT_EQ(*balloon, added[0]);
}

TEST_F(Screenshot, MenuItemWorksWhileTheWindowIsHidden) {
    ::PostMessageW(main, WM_USER + 1, 1, WM_LBUTTONUP);  // the tray icon's click hides it
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }, kPatienceMs));
    OpenTrayMenu();
    ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_HOME, 1));  // 截图
    const std::vector<std::wstring> added = WaitForPngs(1);
    ASSERT_EQ(added.size(), 1u);
    ExpectPictureOfThePage(added[0]);
}

TEST_F(Screenshot, F9InAnotherProgramIsLeftAlone) {
    {
        OtherApplication other;
        ASSERT_EQ(::GetForegroundWindow(), other.Handle());
        PressKeys({VK_F9});
        // The menu's screenshot comes after whatever that key caused: only one picture may
        // come of both.
        OpenTrayMenu();
        ASSERT_TRUE(PickMenuItem(launcher.Id(), VK_HOME, 1));  // 截图
        // The other program stays until the picture is there: its window going away earlier
        // moves the activation, which can close the menu before its item's key arrives.
        ASSERT_EQ(WaitForPngs(1).size(), 1u);
    }
    PumpMessagesFor(500);
    EXPECT_EQ(NewPngs().size(), 1u);
}

TEST_F(Screenshot, AFileWhereTheFolderBelongsGivesTheFailureBoxAndNoPicture) {
    // Tests run as an administrator, who may write anywhere: a file stands in the folder's way.
    const std::wstring aside = m_folder + L".aside";
    const bool hadFolder = ::GetFileAttributesW(m_folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (hadFolder) ASSERT_TRUE(::MoveFileW(m_folder.c_str(), aside.c_str()));
    {
        UniqueFile blocker(::CreateFileW(m_folder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(blocker);
    }
    OpenTrayMenu();
    const bool picked = PickMenuItem(launcher.Id(), VK_HOME, 1);  // 截图
    HWND box = picked ? WaitForMessageBox(launcher.Id(), main, kPatienceMs) : nullptr;
    std::vector<std::wstring> texts = box ? ChildTexts(box) : std::vector<std::wstring>{};
    const DWORD attributes = ::GetFileAttributesW(m_folder.c_str());
    if (box) ClickButton(box, L"确定");
    ::DeleteFileW(m_folder.c_str());
    if (hadFolder) ::MoveFileW(aside.c_str(), m_folder.c_str());

    ASSERT_TRUE(picked);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::wstring& t) { return t.rfind(L"截图失败\r\n", 0) == 0; }))
        << testing::PrintToString(texts);
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u) << "the blocking file is still a file";
}


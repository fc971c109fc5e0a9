// Screenshots from the inside: a window tree printed into one picture, the picture saved as a
// PNG that is whole or absent, and copied to the clipboard.
#include "features/Screenshot.h"
#include "skin/Gdiplus.h"
#include "support/HttpSupport.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {
constexpr COLORREF kPageColour = RGB(200, 30, 30);
constexpr COLORREF kPluginColour = RGB(20, 40, 220);

// A window that fills itself with the colour in its user data, as the screen shows it and as
// a print request asks for it.
LRESULT CALLBACK SolidProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto fill = [hwnd](HDC dc) {
        RECT rc{};
        ::GetClientRect(hwnd, &rc);
        UniqueBrush brush(::CreateSolidBrush(static_cast<COLORREF>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA))));
        ::FillRect(dc, &rc, brush.Get());
    };
    if (msg == WM_PAINT) {
        PaintDC paint(hwnd);
        fill(paint.Get());
        return 0;
    }
    if (msg == WM_PRINTCLIENT) {
        fill(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND SolidWindow(HWND parent, DWORD style, int x, int y, int w, int h, COLORREF colour) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &SolidProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QhSolidTestWindow";
        return ::RegisterClassW(&wc) != 0;
    }();
    if (!registered) return nullptr;
    HWND hwnd = ::CreateWindowExW(0, L"QhSolidTestWindow", L"", style, x, y, w, h, parent, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    return hwnd;
}

struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> bits;  // top-down 0x00RRGGBB
    COLORREF At(int x, int y) const {
        const DWORD p = bits[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

Pixels ReadBitmap(HBITMAP bitmap) {
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    Pixels pixels;
    pixels.width = info.bmWidth;
    pixels.height = std::abs(info.bmHeight);
    pixels.bits.resize(static_cast<size_t>(pixels.width) * pixels.height);
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = pixels.width;
    request.bmiHeader.biHeight = -pixels.height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    WindowDC screen(nullptr);
    ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(pixels.height), pixels.bits.data(), &request, DIB_RGB_COLORS);
    return pixels;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    UniqueFileFind find(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!find) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileW(find.Get(), &found));
    return names;
}

// A page of 300 x 200 with a plug-in's own window of 100 x 50 at (40, 60) inside it.
class Capture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_gdiplus.Ok());
        m_top = SolidWindow(nullptr, WS_POPUP, 100, 100, 300, 200, RGB(0, 0, 0));
        m_page = SolidWindow(m_top, WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, kPageColour);
        m_plugin = SolidWindow(m_page, WS_CHILD | WS_VISIBLE, 40, 60, 100, 50, kPluginColour);
        ASSERT_TRUE(m_top && m_page && m_plugin);
        m_folder = TempFolder(L"screenshot");
    }
    void TearDown() override {
        ::DestroyWindow(m_top);
        RemoveFolder(m_folder);
    }

    GdiplusSession m_gdiplus;
    HWND m_top = nullptr, m_page = nullptr, m_plugin = nullptr;
    std::wstring m_folder;
};
}  // namespace

TEST_F(Capture, ThePageAndThePluginWindowInsideItComeOutAtThePagesSizeEvenWhileHidden) {
    // The top-level window was never shown: nothing of it is on the screen.
    const UniqueBitmap image = CaptureWindowImage(m_page);
    ASSERT_TRUE(image);
    const Pixels pixels = ReadBitmap(image.Get());
    ASSERT_EQ(pixels.width, 300);
    ASSERT_EQ(pixels.height, 200);
    EXPECT_EQ(pixels.At(5, 5), kPageColour);
    EXPECT_EQ(pixels.At(299, 199), kPageColour);
    EXPECT_EQ(pixels.At(40, 60), kPluginColour);
    EXPECT_EQ(pixels.At(139, 109), kPluginColour);
    EXPECT_EQ(pixels.At(140, 110), kPageColour);
    // A hidden plug-in window is not part of what the player sees.
    ::ShowWindow(m_plugin, SW_HIDE);
    EXPECT_EQ(ReadBitmap(CaptureWindowImage(m_page).Get()).At(50, 70), kPageColour);
}

TEST_F(Capture, NothingToCaptureGivesNoPicture) {
    EXPECT_FALSE(CaptureWindowImage(nullptr));
    HWND gone = SolidWindow(nullptr, WS_POPUP, 0, 0, 10, 10, kPageColour);
    ::DestroyWindow(gone);
    EXPECT_FALSE(CaptureWindowImage(gone));
    HWND empty = SolidWindow(m_top, WS_CHILD, 0, 0, 0, 0, kPageColour);
    EXPECT_FALSE(CaptureWindowImage(empty));
}

TEST_F(Capture, APngIsWrittenWholeAndNeverOverAnotherFile) {
    const UniqueBitmap image = CaptureWindowImage(m_page);
    ASSERT_TRUE(image);
    const std::wstring path = m_folder + L"\\shot.png";
    ASSERT_TRUE(SaveBitmapAsPng(image.Get(), path));
    {
        Gdiplus::Bitmap png(path.c_str());
        ASSERT_EQ(png.GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(png.GetWidth(), 300u);
        EXPECT_EQ(png.GetHeight(), 200u);
        Gdiplus::Color colour;
        png.GetPixel(50, 70, &colour);
        EXPECT_EQ(RGB(colour.GetR(), colour.GetG(), colour.GetB()), kPluginColour);
    }
    EXPECT_EQ(FilesIn(m_folder), std::vector<std::wstring>{L"shot.png"}) << "no temporary file is left";

    // An existing file keeps its content; the failed save leaves nothing of its own.
    const std::wstring other = m_folder + L"\\taken.png";
    WriteFileContent(other, "not a picture");
    EXPECT_FALSE(SaveBitmapAsPng(image.Get(), other));
    EXPECT_EQ(FileContent(other), "not a picture");
    EXPECT_EQ(FilesIn(m_folder).size(), 2u);

    // A folder that is not there: nothing is written anywhere.
    EXPECT_FALSE(SaveBitmapAsPng(image.Get(), m_folder + L"\\missing\\shot.png"));
    EXPECT_FALSE(SaveBitmapAsPng(nullptr, m_folder + L"\\none.png"));
    EXPECT_EQ(FilesIn(m_folder).size(), 2u);
}

TEST_F(Capture, EachScreenshotGetsItsOwnFileAndTheClipboardTheLatestPicture) {
    const std::wstring folder = m_folder + L"\\QuarnelHalvira";
    const ScreenshotOutcome first = TakeScreenshot(m_page, L"s1:alice", folder, m_top);
    ASSERT_TRUE(first.saved) << testing::PrintToString(first.text);
    // Resized, so the clipboard shows which picture it holds.
    ::SetWindowPos(m_page, nullptr, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER);
    const ScreenshotOutcome second = TakeScreenshot(m_page, L"s1:alice", folder, m_top);
    ASSERT_TRUE(second.saved) << testing::PrintToString(second.text);

    const std::wstring name = first.text.substr(folder.size() + 1);
    EXPECT_EQ(first.text.substr(0, folder.size() + 1), folder + L"\\");
    EXPECT_EQ(name.rfind(L"s1_alice_", 0), 0u) << testing::PrintToString(name);
    EXPECT_NE(second.text, first.text);
    // Taken within the same second or not, the second never replaces the first.
    EXPECT_EQ(FilesIn(folder).size(), 2u);

    ASSERT_TRUE(::OpenClipboard(nullptr));
    BITMAP info{};
    HANDLE bitmap = ::GetClipboardData(CF_BITMAP);
    const bool read = bitmap && ::GetObjectW(bitmap, sizeof(info), &info);
    ::CloseClipboard();
    ASSERT_TRUE(read);
    EXPECT_EQ(info.bmWidth, 120);
    EXPECT_EQ(std::abs(info.bmHeight), 80);
}

TEST_F(Capture, AFileWhereTheFolderBelongsFailsWithTheReasonAndWritesNothing) {
    const std::wstring folder = m_folder + L"\\QuarnelHalvira";
    WriteFileContent(folder, "in the way");
    const ScreenshotOutcome outcome = TakeScreenshot(m_page, L"s1-alice", folder, m_top);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.text, L"无法创建截图文件夹：" + folder);
    EXPECT_EQ(FileContent(folder), "in the way");
    EXPECT_EQ(FilesIn(m_folder), std::vector<std::wstring>{L"QuarnelHalvira"});

    const ScreenshotOutcome noFolder = TakeScreenshot(m_page, L"s1-alice", L"", m_top);
    EXPECT_FALSE(noFolder.saved);
    EXPECT_FALSE(noFolder.text.empty());
}

TEST_F(Capture, AFolderPathTooLongForAnyNameFailsWithTheReason) {
    // The folder can be made, but a name of the date and time alone no longer fits the classic
    // path limit after it.
    const std::wstring folder = m_folder + L"\\" + std::wstring(MAX_PATH - 20 - m_folder.size() - 1, L'a');
    const ScreenshotOutcome outcome = TakeScreenshot(m_page, L"s1-alice", folder, m_top);
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.text, L"截图文件夹的路径太长：" + folder);
    EXPECT_TRUE(FilesIn(folder).empty());
}

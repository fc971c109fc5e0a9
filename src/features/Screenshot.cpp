#include "features/Screenshot.h"

#include "base/Paths.h"
#include "base/rules/PathParts.h"
#include "features/rules/ScreenshotName.h"
#include "skin/Gdiplus.h"

#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <vector>

namespace {
constexpr size_t kMaxFileNameChars = 255;
constexpr int kClipboardTries = 10;

struct Image {
    UniqueBitmap bitmap;
    void* bits = nullptr;
};

Image CreateTopDownDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Image image;
    image.bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &image.bits, nullptr, 0));
    return image;
}

// Prints `window` into its own bitmap and copies that to `target` at the window's place
// relative to `origin`; then its visible children, bottom of the z-order first, over it.
// A window whose own painting ignores the print request still leaves its children.
void PrintTree(HWND window, HDC target, POINT origin) {
    RECT rc{};
    if (!::GetWindowRect(window, &rc)) return;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return;
    Image own = CreateTopDownDib(width, height);
    UniqueMemoryDC dc(::CreateCompatibleDC(target));
    if (own.bitmap && dc) {
        SelectScope select(dc.Get(), own.bitmap.Get());
        ::PrintWindow(window, dc.Get(), 0);
        ::BitBlt(target, rc.left - origin.x, rc.top - origin.y, width, height, dc.Get(), 0, 0, SRCCOPY);
    }
    // The style bit, not IsWindowVisible: a hidden main window hides nothing of the page.
    for (HWND child = ::GetWindow(window, GW_CHILD) ? ::GetWindow(::GetWindow(window, GW_CHILD), GW_HWNDLAST) : nullptr;
         child; child = ::GetWindow(child, GW_HWNDPREV)) {
        if (::GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) PrintTree(child, target, origin);
    }
}

bool PngEncoder(CLSID* clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType && std::wcscmp(encoders[i].MimeType, L"image/png") == 0) {
            *clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}


LocalStamp Now() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return LocalStamp{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// The folder exists as a folder afterwards (made if need be).
bool EnsureFolder(const std::wstring& folder) {
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

UniqueBitmap CaptureWindowImage(HWND window) {
    RECT rc{};
    if (!window || !::IsWindow(window) || !::GetWindowRect(window, &rc)) return UniqueBitmap();
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return UniqueBitmap();
    Image image = CreateTopDownDib(width, height);
    UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!image.bitmap || !dc) return UniqueBitmap();
    {
        SelectScope select(dc.Get(), image.bitmap.Get());
        PrintTree(window, dc.Get(), POINT{rc.left, rc.top});
    }
    ::GdiFlush();
    return std::move(image.bitmap);
}

std::wstring ScreenshotFolder() {
    const std::wstring pictures = ShellFolder(CSIDL_MYPICTURES | CSIDL_FLAG_CREATE);
    return pictures.empty() ? std::wstring() : pictures + L"\\QuarnelHalvira";
}

bool IsSavedScreenshot(const std::wstring& path) {
    if (!IsScreenshotPathIn(path, ScreenshotFolder())) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

bool SaveBitmapAsPng(HBITMAP bitmap, const std::wstring& path) {
    CLSID png{};
    if (!bitmap || PathExists(path) || !StartProcessGdiplus() || !PngEncoder(&png)) return false;
    wchar_t temporary[MAX_PATH] = {};
    const std::wstring folder = FolderOf(path);
    if (!::GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"qhs", 0, temporary)) return false;
    bool written = false;
    {
        std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr));
        written = image && image->GetLastStatus() == Gdiplus::Ok && image->Save(temporary, &png, nullptr) == Gdiplus::Ok;
    }
    // Never over another file: a name taken meanwhile fails the save rather than replace it.
    if (written && ::MoveFileW(temporary, path.c_str())) return true;
    ::DeleteFileW(temporary);
    return false;
}

bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return false;
    // A device-dependent copy: what every program pasting a bitmap understands.
    WindowDC screen(nullptr);
    UniqueBitmap copy(::CreateCompatibleBitmap(screen.Get(), info.bmWidth, std::abs(info.bmHeight)));
    UniqueMemoryDC from(::CreateCompatibleDC(screen.Get()));
    UniqueMemoryDC to(::CreateCompatibleDC(screen.Get()));
    if (!copy || !from || !to) return false;
    {
        SelectScope selectFrom(from.Get(), bitmap);
        SelectScope selectTo(to.Get(), copy.Get());
        ::BitBlt(to.Get(), 0, 0, info.bmWidth, std::abs(info.bmHeight), from.Get(), 0, 0, SRCCOPY);
    }
    // Another program may hold the clipboard for a moment.
    bool opened = false;
    for (int i = 0; i < kClipboardTries && !(opened = ::OpenClipboard(owner) != FALSE); ++i) ::Sleep(20);
    if (!opened) return false;
    bool placed = false;
    if (::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, copy.Get())) {
        static_cast<void>(copy.Release());  // the clipboard owns it now
        placed = true;
    }
    ::CloseClipboard();
    return placed;
}

ScreenshotOutcome TakeScreenshot(HWND page, const std::wstring& record, const std::wstring& folder,
                                 HWND clipboardOwner) {
    if (folder.empty()) return {false, L"找不到图片文件夹。"};
    if (!EnsureFolder(folder)) return {false, L"无法创建截图文件夹：" + folder};
    const UniqueBitmap image = CaptureWindowImage(page);
    if (!image) return {false, L"无法获取游戏画面。"};
    // Room for the name within the classic path limit, which every program can open.
    const size_t room = MAX_PATH - 1 > folder.size() + 1 ? MAX_PATH - 1 - (folder.size() + 1) : 0;
    const auto name =
        ChooseScreenshotName(record, Now(), std::min(room, kMaxFileNameChars),
                             [&](const std::wstring& candidate) { return PathExists(folder + L"\\" + candidate); });
    if (!name) return {false, L"截图文件夹的路径太长：" + folder};
    const std::wstring path = folder + L"\\" + *name;
    if (!SaveBitmapAsPng(image.Get(), path)) return {false, L"无法写入截图文件：" + path};
    PutBitmapOnClipboard(clipboardOwner, image.Get());
    return {true, path};
}

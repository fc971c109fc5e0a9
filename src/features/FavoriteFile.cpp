#include "features/FavoriteFile.h"

#include "base/Handles.h"
#include "base/Paths.h"
#include "features/rules/FavoriteShortcut.h"

#include <shlobj.h>

namespace {

// The text in the ANSI code page, without a terminating zero; empty when it cannot be
// converted or does not fit kMaxShortcutBytes.
std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0 || static_cast<size_t>(bytes) > kMaxShortcutBytes) return {};
    std::string ansi(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const bool complete = ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                          written == bytes.size();
    file.Reset();
    if (!complete) ::DeleteFileW(path.c_str());  // a cut shortcut would open the wrong page
    return complete;
}

}  // namespace

std::wstring FavoritesFolder() { return ShellFolder(CSIDL_FAVORITES | CSIDL_FLAG_CREATE); }

bool SaveFavorite(const std::wstring& name, const std::wstring& title, const std::wstring& url) {
    const std::string content = ToAnsi(FavoriteShortcutText(url));
    if (content.empty()) return false;
    const std::wstring path = FavoritePath(FavoritesFolder(), FavoriteFileName(name, title));
    return !path.empty() && WriteWhole(path, content);
}

// What a saved favourite is: the Internet shortcut text for a page address, and the file
// name it is saved under in the user's Favorites folder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kMaxShortcutChars = 2048;  // the shortcut text, before conversion
constexpr size_t kMaxShortcutBytes = 2048;  // the same text in the ANSI code page
constexpr size_t kMaxFavoriteNameChars = 127;
constexpr size_t kMaxFavoritePathChars = 259;
constexpr wchar_t kFavoriteFallbackName[] = L"QuarnelHalvira";

// Whether a character message (its wParam and lParam) is the add-favourite key: Ctrl+D, the
// character 4 from a first press of the D key (the key data's high word exactly 0x0020: scan
// code 0x20, no Alt, not a repeat). Another key that yields character 4 is not.
bool IsAddFavoriteChar(std::uintptr_t character, std::intptr_t keyData) noexcept;

// The shortcut file's text (CR LF line ends) with the address in the BASEURL and URL lines.
// Control characters in the address are percent-encoded, so an address cannot add lines of
// its own to the file. Empty for an empty address (a shortcut to nothing), and when the
// text would exceed kMaxShortcutChars: a shortened shortcut would open a different page.
std::wstring FavoriteShortcutText(const std::wstring& url);

// The file name, without ".url", for the name the user confirmed: at most
// kMaxFavoriteNameChars characters of it; blanks and dots trimmed from both ends; the
// characters a file name cannot hold (\ / : * ? " < > | and control characters) replaced
// by "_"; a reserved device name (CON, NUL, COM1, ...) prefixed with "_". A name left empty
// falls back to the page title treated the same way, then to kFavoriteFallbackName.
std::wstring FavoriteFileName(const std::wstring& name, const std::wstring& title);

// folder + "\" + fileName + ".url", the name shortened (and trimmed again) so the path
// stays within kMaxFavoritePathChars. Empty when even a one-character name does not fit.
std::wstring FavoritePath(const std::wstring& folder, const std::wstring& fileName);

// Saving a page as an Internet Explorer favourite: an Internet shortcut file in the
// user's Favorites folder.
#pragma once
#include <string>

// The user's Favorites folder (created when missing); empty when the system has none.
std::wstring FavoritesFolder();

// Writes the shortcut for `url` as Favorites\<name>.url in the ANSI code page (characters
// it cannot represent become its default character), replacing a favourite of the same
// name. The name is made a valid file name (FavoriteFileName), falling back to `title`.
// False when nothing was written: no folder, an empty address or one too long for a
// shortcut, or a file that could not be created or written completely (a partial file is
// removed).
bool SaveFavorite(const std::wstring& name, const std::wstring& title, const std::wstring& url);

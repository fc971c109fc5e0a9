// What the login page asks of the client: "app:" commands, the login record they carry, and
// the login bridge's addresses that open and close the external authorisation window.
#pragma once
#include <optional>
#include <string>

namespace login {

enum class PageCommand { None, LoadGame, ExitGame, Minimize, OpenUrls, Other };

// "app:" exactly at the start; the name is the eight characters at positions 6-13 (the two
// after "app:" are not looked at), compared case-sensitively.
PageCommand ClassifyPageUrl(const std::wstring& url);

struct LoadGame {
    std::wstring record;   // as sent to the main window: "server-account"
    std::wstring gameUrl;  // the text after the first "|" from position 15 on
};
// Record and address of a "loadgame" command. The record is percent-decoded when it holds
// a "%": escaped bytes are read as UTF-8 (invalid sequences become U+FFFD), malformed
// escapes stay as they are, and nothing is cut, however long.
LoadGame ParseLoadGame(const std::wstring& url);
std::wstring PercentDecodeUtf8(const std::wstring& text);

struct RecordParts {
    std::wstring server;
    std::wstring account;
};
// Split at the last "-"; without one the server is empty and the whole record the account.
RecordParts SplitRecord(const std::wstring& record);
// A server name that starts with the game title in book-title marks is shown by the (up to
// four) characters after the first "》".
std::wstring ShortServerName(const std::wstring& server);
// "账号 <account> 已在 <server> 登录，同一账号不能在一服重复登录"
std::wstring DuplicateLoginMessage(const std::wstring& account, const std::wstring& server);

// The address of an "openurls" command: after the first "|" at or after position 14, only
// in URLs longer than 14 characters; nothing without a "|".
std::optional<std::wstring> OpenUrlsTarget(const std::wstring& url);
// What "openurls" may hand to the shell, which runs it with this process's rights: only an
// address beginning "http://" or "https://" (any letter case). A file, "file:",
// "javascript:" or a program is refused.
std::optional<std::wstring> OpenUrlsWebAddress(const std::wstring& url);

// The authorisation window's title when the URL begins with one of the login bridge's QQ,
// Weibo or WeChat redirects on `bridgeHost`; nothing for any other URL.
std::optional<std::wstring> AuthRedirectTitle(const std::wstring& url, const std::wstring& bridgeHost);
// Whether the URL is one of the bridge's callback pages, which end the authorisation.
bool IsAuthCallback(const std::wstring& url, const std::wstring& bridgeHost);

// QQ's own authorisation endpoint, which the authorisation window refuses to load while it
// is hidden.
bool IsQqAuthorizeEndpoint(const std::wstring& url);

// The value of cookie `name` in a cookie header ("a=1; b=2"); empty when it is not there.
std::wstring CookieValue(const std::wstring& cookies, const std::wstring& name);

}  // namespace login

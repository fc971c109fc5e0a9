#include "login/rules/LoginCommand.h"

#include "update/rules/HttpUrl.h"

#include <cstdint>
#include <vector>

namespace login {

namespace {
bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Appends UTF-8 bytes as UTF-16 (surrogate pairs for characters beyond the BMP), U+FFFD for
// every byte that does not start or continue a valid sequence.
void AppendUtf8(std::wstring& out, const std::vector<std::uint8_t>& bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t b = bytes[i];
        int length = 0;
        std::uint32_t cp = 0;
        std::uint32_t minimum = 0;
        if (b < 0x80) {
            length = 1, cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            length = 2, cp = b & 0x1F, minimum = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3, cp = b & 0x0F, minimum = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4, cp = b & 0x07, minimum = 0x10000;
        }
        bool valid = length > 0 && i + static_cast<size_t>(length) <= bytes.size();
        for (int k = 1; valid && k < length; ++k) {
            const std::uint8_t next = bytes[i + static_cast<size_t>(k)];
            if ((next & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (valid && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) valid = false;
        if (!valid) {
            out.push_back(static_cast<wchar_t>(0xFFFD));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(cp));
        }
        i += static_cast<size_t>(length);
    }
}

const wchar_t kQqRedirect[] = L"/qzone/redirectToAuthorize.do?params=";
const wchar_t kWeiboRedirect[] = L"/weibo/redirectToAuthorize.do?params=";
const wchar_t kWeChatRedirect[] = L"/weixin/redirectToAuthorize.do?params";
const wchar_t* const kCallbacks[] = {L"/qzone/callback.do?code=", L"/qzone/extAutoBind.do",
                                     L"/weibo/callback.do?state", L"/weixin/callback.do?code="};

std::wstring BridgeAddress(const std::wstring& host, const wchar_t* path) { return L"http://" + host + path; }
}  // namespace

PageCommand ClassifyPageUrl(const std::wstring& url) {
    if (!StartsWith(url, L"app:")) return PageCommand::None;
    const std::wstring name = url.size() > 6 ? url.substr(6, 8) : std::wstring();
    if (name == L"loadgame") return PageCommand::LoadGame;
    if (name == L"exitgame") return PageCommand::ExitGame;
    if (name == L"minimize") return PageCommand::Minimize;
    if (name == L"openurls") return PageCommand::OpenUrls;
    return PageCommand::Other;
}

std::wstring PercentDecodeUtf8(const std::wstring& text) {
    std::wstring out;
    std::vector<std::uint8_t> pending;  // bytes of escapes and ASCII waiting to be read as UTF-8
    auto flush = [&] {
        AppendUtf8(out, pending);
        pending.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            pending.push_back(static_cast<std::uint8_t>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else if (c < 0x80) {
            pending.push_back(static_cast<std::uint8_t>(c));
        } else {
            flush();
            out.push_back(c);  // already a character, not a byte
        }
    }
    flush();
    return out;
}

LoadGame ParseLoadGame(const std::wstring& url) {
    LoadGame result;
    if (url.size() <= 15) return result;
    const size_t bar = url.find(L'|', 15);
    if (bar == std::wstring::npos) return result;
    result.gameUrl = url.substr(bar + 1);
    result.record = url.substr(15, bar - 15);
    if (Contains(result.record, L"%")) result.record = PercentDecodeUtf8(result.record);
    return result;
}

RecordParts SplitRecord(const std::wstring& record) {
    const size_t dash = record.find_last_of(L'-');
    if (dash == std::wstring::npos) return RecordParts{L"", record};
    return RecordParts{record.substr(0, dash), record.substr(dash + 1)};
}

std::wstring ShortServerName(const std::wstring& server) {
    const size_t mark = server.find(L'\x300B');
    if (mark == std::wstring::npos) return server;
    return server.substr(mark + 1, 4);
}

std::wstring DuplicateLoginMessage(const std::wstring& account, const std::wstring& server) {
    return L"账号 " + account + L" 已在 " + server + L" 登录，同一账号不能在一服重复登录";
}

std::optional<std::wstring> OpenUrlsTarget(const std::wstring& url) {
    if (url.size() <= 14) return std::nullopt;
    const size_t bar = url.find(L'|', 14);
    if (bar == std::wstring::npos) return std::nullopt;
    return url.substr(bar + 1);
}

std::optional<std::wstring> OpenUrlsWebAddress(const std::wstring& url) {
    std::optional<std::wstring> address = OpenUrlsTarget(url);
    if (!address || !IsWebAddress(*address)) return std::nullopt;
    return address;
}

std::optional<std::wstring> AuthRedirectTitle(const std::wstring& url, const std::wstring& bridgeHost) {
    // The address must begin with the redirect: one that merely holds it (in its query, or
    // behind another host) would open the skinned window, which has no address bar, on
    // somebody else's page.
    if (StartsWith(url, BridgeAddress(bridgeHost, kQqRedirect))) return std::wstring(L"QQ账号安全登录");
    if (StartsWith(url, BridgeAddress(bridgeHost, kWeiboRedirect))) return std::wstring(L"新浪微博账号安全登录");
    if (StartsWith(url, BridgeAddress(bridgeHost, kWeChatRedirect))) return std::wstring(L"微信账号安全登录");
    return std::nullopt;
}

bool IsAuthCallback(const std::wstring& url, const std::wstring& bridgeHost) {
    for (const wchar_t* path : kCallbacks) {
        if (StartsWith(url, BridgeAddress(bridgeHost, path))) return true;
    }
    return false;
}

bool IsQqAuthorizeEndpoint(const std::wstring& url) {
    return StartsWith(url, L"https://graph.qq.com/oauth2.0/authorize");
}

std::wstring CookieValue(const std::wstring& cookies, const std::wstring& name) {
    size_t start = 0;
    while (start <= cookies.size()) {
        size_t end = cookies.find(L';', start);
        if (end == std::wstring::npos) end = cookies.size();
        size_t first = start;
        while (first < end && cookies[first] == L' ') ++first;
        const size_t equals = cookies.find(L'=', first);
        if (equals != std::wstring::npos && equals < end && cookies.compare(first, equals - first, name) == 0) {
            return cookies.substr(equals + 1, end - equals - 1);
        }
        start = end + 1;
    }
    return {};
}

}  // namespace login

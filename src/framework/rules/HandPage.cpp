#include "framework/rules/HandPage.h"

#include "base/rules/PercentEncode.h"

namespace hand {
namespace {
// The path (with query) of an http address on `host`; nothing for another host.
bool PathOn(const std::wstring& url, const std::wstring& host, std::wstring* path) {
    const std::wstring prefix = L"http://" + host + L"/";
    if (host.empty() || url.compare(0, prefix.size(), prefix) != 0) return false;
    *path = url.substr(prefix.size() - 1);
    return true;
}

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.compare(0, start.size(), start) == 0; }

// The characters that would end the record early or start an escape in an "app:" address.
bool EndsOrEscapesTheRecord(wchar_t c) { return c == L'%' || c == L'|' || c < 0x20; }
std::wstring EscapeForAddress(const std::wstring& text) { return PercentEncode(text, EndsOrEscapesTheRecord); }

std::wstring QueryValue(const std::wstring& text) {
    std::wstring value;
    for (wchar_t c : text) {
        if ((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'-' ||
            c == L'_' || c == L'.') {
            value += c;
        } else {
            value += L'_';
        }
    }
    return value;
}
}  // namespace

bool TakesRecord(const std::wstring& url, const Hosts& hosts) {
    std::wstring path;
    return PathOn(url, hosts.account, &path) && StartsWith(path, L"/yxtov/");
}

std::vector<Command> CommandsFor(const std::wstring& url, const std::wstring& record, const Hosts& hosts) {
    std::wstring path;
    if (TakesRecord(url, hosts)) {
        const size_t dash = record.rfind(L'-');
        const std::wstring server = dash == std::wstring::npos ? std::wstring() : record.substr(0, dash);
        const std::wstring account = dash == std::wstring::npos ? record : record.substr(dash + 1);
        const std::wstring bridge = L"http://" + hosts.bridge;
        return {
            {L"登录", L"app://loadgame/" + EscapeForAddress(record) + L"|http://" + hosts.client +
                           L"/game/play?server=" + QueryValue(server) + L"&account=" + QueryValue(account), L""},
            {L"QQ", bridge + L"/qzone/redirectToAuthorize.do?params=hand", L""},
            {L"微博", bridge + L"/weibo/redirectToAuthorize.do?params=hand", L""},
            {L"微信", bridge + L"/weixin/redirectToAuthorize.do?params=hand", L""},
            {L"最小化", L"app://minimize", L""},
            {L"打开链接", L"app://openurls|http://" + hosts.client + L"/", L""},
            {L"退出", L"app://exitgame", L""},
        };
    }
    if (PathOn(url, hosts.bridge, &path)) {
        for (const wchar_t* provider : {L"/qzone/", L"/weibo/", L"/weixin/"}) {
            if (!StartsWith(path, provider)) continue;
            const std::wstring callback = L"http://" + hosts.bridge + provider + L"callback.do?code=hand";
            return {{L"完成授权", callback, L"Pauth=hand"}};
        }
    }
    return {};
}

}  // namespace hand

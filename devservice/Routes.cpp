// The stand-in operator service: pages, reports, version file, download, notice
// and login bridge. Every host of the dev and test builds is this one server.
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "Pages.h"
#include "Respond.h"
#include "Service.h"
#include "Text.h"

namespace {

const char kHtml[] = "text/html; charset=utf-8";
const char kExeName[] = "QuarnelHalvira.exe";

void SendHtml(httplib::Response& res, const std::string& html) { SendBody(res, 200, html, kHtml); }

void RecordRequest(Service& service, const httplib::Request& req)
{
    if (req.path.rfind(kControlPrefix, 0) == 0) return;
    RecordedRequest r;
    r.method = req.method;
    r.target = req.target;
    r.path = req.path;
    auto q = req.target.find('?');
    if (q != std::string::npos) r.query = req.target.substr(q + 1);
    r.version = req.version;
    for (const auto& h : req.headers) {
        // The library files the connection's addresses among the headers; they
        // were not sent by the client.
        if (h.first == "LOCAL_ADDR" || h.first == "LOCAL_PORT" || h.first == "REMOTE_ADDR" ||
            h.first == "REMOTE_PORT")
            continue;
        r.headers.emplace_back(h.first, h.second);
    }
    r.remoteAddr = req.remote_addr;
    r.remotePort = req.remote_port;
    service.record().Add(std::move(r));
}

// ---- Reports ---------------------------------------------------------------------

void RegisterReports(httplib::Server& server)
{
    for (const char* path : {"/install.htm", "/active.htm", "/uninstall.htm", "/login.htm"}) {
        server.Get(RegexLiteral(path), [](const httplib::Request&, httplib::Response& res) {
            SendBody(res, 200, "ok\n", kHtml);
        });
    }
}

// ---- Pages -------------------------------------------------------------------------

void RegisterPages(httplib::Server& server, Service& service)
{
    server.Get("/", [&service](const httplib::Request&, httplib::Response& res) {
        SendHtml(res, PortalPage(service.baseUrl()));
    });
    server.Get("/yxtov/wd", [&service](const httplib::Request&, httplib::Response& res) {
        SendHtml(res, LoginPage(service.baseUrl()));
    });
    server.Get(RegexLiteral("/webgame.htm"), [&service](const httplib::Request&, httplib::Response& res) {
        SendHtml(res, HallPage(service.baseUrl()));
    });
    server.Get("/game/play", [](const httplib::Request& req, httplib::Response& res) {
        std::string id = req.get_param_value("server");
        const GameServer* s = FindGameServer(id);
        std::string name = s ? s->name : (id.empty() ? "未知服务器" : id);
        SendHtml(res, GamePage(name, req.get_param_value("account"),
                               req.get_param_value("leave") == "1"));
    });
}

// ---- Version file and download -------------------------------------------------------

void RegisterUpdate(httplib::Server& server, Service& service)
{
    // What scripts/publish wrote is served as it is, before any switch.
    if (!service.options().publishDir.empty())
        server.set_mount_point("/update", service.options().publishDir);

    server.Get(RegexLiteral("/update/ConfigTov.htm"), [&service](const httplib::Request& req,
                                                               httplib::Response& res) {
        SwitchState s = service.switches().Get();
        std::string exeUrl = service.baseUrl() + "/update/";
        std::string key;
        switch (s.update) {
        case UpdateMode::Missing:
            SendBody(res, 404, "404 Not Found\n", "text/plain");
            return;
        case UpdateMode::Hang:
            while (!service.stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
            DropConnection(req, res);
            return;
        case UpdateMode::Error500: key = service.PublishedKey(s); exeUrl += "error/"; break;
        case UpdateMode::Mismatch:
            key = service.PublishedKey(s);
            key[1] = key[1] == '0' ? '1' : '0';  // the digest part no longer names the file
            break;
        case UpdateMode::None:
            // Nothing known about the client: nothing is published (a made-up key would
            // send every start of every test into an update).
            if (s.keyOverride.empty() && service.ClientKey().empty()) {
                SendBody(res, 404, "404 Not Found\n", "text/plain");
                return;
            }
            key = service.CurrentKey(s);
            break;
        case UpdateMode::Broken: key = service.PublishedKey(s); exeUrl += "broken/"; break;
        case UpdateMode::Slow: key = service.PublishedKey(s); exeUrl += "slow/"; break;
        case UpdateMode::Published:
        case UpdateMode::NoKey: key = service.PublishedKey(s); break;
        }
        exeUrl += kExeName;
        std::string ini = "[VerKey]\r\n";
        if (s.update != UpdateMode::NoKey) ini += "Tov=" + key + "\r\n";
        ini += "UpdAddr=" + exeUrl + "\r\n";
        // Nothing to sign while the client's own key is served.
        if (s.update != UpdateMode::None && s.update != UpdateMode::NoKey) {
            const std::string claim = service.ReleaseClaimFor(s, key);
            if (!claim.empty()) ini += "Sig=" + claim + "\r\n";
        }
        SendBody(res, 200, ini, "text/html");
    });

    server.Get(RegexLiteral(std::string("/update/") + kExeName),
               [&service](const httplib::Request&, httplib::Response& res) {
                   SendBody(res, 200, service.ServedExeBytes(service.switches().Get()), "application/octet-stream");
               });
    server.Get(RegexLiteral(std::string("/update/error/") + kExeName),
               [](const httplib::Request&, httplib::Response& res) {
                   SendBody(res, 500, "500 Internal Server Error\n", "text/html");
               });
    server.Get(RegexLiteral(std::string("/update/broken/") + kExeName),
               [&service](const httplib::Request& req, httplib::Response& res) {
                   auto bytes = std::make_shared<const std::string>(service.ServedExeBytes(service.switches().Get()));
                   SendShort(req, res, bytes->size(), bytes->size() / 2, StringSource(bytes));
               });
    server.Get(RegexLiteral(std::string("/update/slow/") + kExeName),
               [&service](const httplib::Request&, httplib::Response& res) {
                   auto bytes = std::make_shared<const std::string>(service.ServedExeBytes(service.switches().Get()));
                   // About ten seconds whatever the size: a hundred pieces.
                   size_t piece = std::max<size_t>(1024, bytes->size() / 100 + 1);
                   SendStream(res, bytes->size(), StringSource(bytes), piece, 100,
                              service.stopping());
               });
}

// ---- Notice ---------------------------------------------------------------------------

std::string NoticeLine(const Service& service, const SwitchState& s)
{
    const std::string base = service.baseUrl();
    const std::string detail = base + "/notice/detail.htm";
    // Another host on the same port: a request that reaches it is still recorded here.
    const std::string picture =
        (s.noticePicHost.empty() ? base : "http://" + s.noticePicHost + ":" + std::to_string(service.mainPort())) +
        "/notice/tovpic.png";
    std::string key, day = "2099-12-31", title, content, pic;
    switch (s.notice) {
    case NoticeMode::None:
        return std::string();
    case NoticeMode::Text:
        key = "tov-notice-text-1";
        title = "系统维护公告";
        content = "本周四 8:00-10:00 全部服务器停机维护，维护期间无法登录游戏，请提前下线。";
        break;
    case NoticeMode::Picture:
        key = "tov-notice-picture-1";
        title = "新服开启";
        pic = picture;
        break;
    case NoticeMode::PicText:
        key = "tov-notice-pictext-1";
        title = "新服开启：电信3服";
        content = "电信3服今日10点火爆开启，首充送豪礼，快来一起冒险吧！";
        pic = picture;
        break;
    case NoticeMode::Expired:
        key = "tov-notice-expired-1";
        day = "2000-01-01";
        title = "过期公告";
        content = "这条公告已经过期，不应显示。";
        break;
    case NoticeMode::Malformed:
        return "tov-notice-malformed-1|2099-12-31|格式错误的公告";
    case NoticeMode::LineBreak:
        key = "tov-notice-crlf-1";
        title = "公告\r\nShortKey=2,81\r\nPopEnable=0";
        content = "换行之后的内容会成为设置文件里的新行。";
        break;
    case NoticeMode::TooLong:
        key = "tov-notice-long-1";
        title = "超长公告";
        for (int i = 0; i < 40; ++i) content += "这是一条非常长的公告内容。";
        break;
    }
    if (!s.noticeKey.empty()) key = s.noticeKey;
    return key + "|" + day + "|" + title + "|" + detail + "|" + content + "|" + pic + "|" +
           std::to_string(s.noticeCount);
}

void RegisterNotice(httplib::Server& server, Service& service)
{
    server.Get(RegexLiteral("/notice/tov.txt"), [&service](const httplib::Request&,
                                                         httplib::Response& res) {
        SwitchState s = service.switches().Get();
        for (int waited = 0; waited < s.noticeDelayMs && !service.stopping(); waited += 20)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (s.notice == NoticeMode::None) {
            SendBody(res, 404, "404 Not Found\n", "text/plain");
            return;
        }
        std::string line = NoticeLine(service, s);
        std::string body = line;
        // The client reads the file in the system's ANSI code page: GBK on a
        // Chinese Windows.
        if (s.charset == NoticeCharset::Gbk && !Utf8ToGbk(line, body)) body = line;
        SendBody(res, 200, body, "text/plain");
    });
    server.Get(RegexLiteral("/notice/tovpic.png"), [&service](const httplib::Request&,
                                                            httplib::Response& res) {
        SendBody(res, 200, service.noticePicture(), "image/png");
    });
    server.Get(RegexLiteral("/notice/detail.htm"), [](const httplib::Request&,
                                                    httplib::Response& res) {
        SendHtml(res, NoticeDetailPage());
    });
}

// ---- Login bridge and stand-in providers ------------------------------------------------

std::atomic<unsigned> g_nextToken{1};

std::string CallbackUrl(const Service& service, const Provider& p, const std::string& state,
                        const std::string& codeOrError)
{
    std::string url = service.baseUrl() + p.callbackPath + "?";
    // The Weibo bridge is known by a callback query that starts with "state".
    if (p.stateFirst) return url + "state=" + UrlEncode(state) + "&" + codeOrError;
    return url + codeOrError + "&state=" + UrlEncode(state);
}

void SendCallback(httplib::Response& res, const Provider& p, bool success)
{
    if (success) {
        char token[32];
        std::snprintf(token, sizeof token, "%s_%06u", p.key, g_nextToken.fetch_add(1));
        res.set_header("Set-Cookie", std::string("Pauth=") + token + "; Path=/");
    }
    SendHtml(res, CallbackPage(p, success));
}

void RegisterBridge(httplib::Server& server, Service& service)
{
    for (const Provider& provider : Providers()) {
        const Provider* p = &provider;
        server.Get(RegexLiteral(p->redirectPath), [&service, p](const httplib::Request& req,
                                                              httplib::Response& res) {
            std::string state = req.get_param_value("params");
            std::string location = service.baseUrl() + p->authorizePath +
                                   "?response_type=code&client_id=tov&redirect_uri=" +
                                   UrlEncode(service.baseUrl() + p->callbackPath) +
                                   "&state=" + UrlEncode(state);
            SendBody(res, 302, BridgeRedirectPage(location), kHtml);
            res.set_header("Location", location);
        });
        server.Get(RegexLiteral(p->authorizePath), [&service, p](const httplib::Request& req,
                                                               httplib::Response& res) {
            std::string state = req.get_param_value("state");
            std::string code = "code=dev" + std::to_string(g_nextToken.load());
            SendHtml(res, ProviderPage(*p, CallbackUrl(service, *p, state, code),
                                       CallbackUrl(service, *p, state, "error=access_denied")));
        });
        server.Get(RegexLiteral(p->callbackPath), [p](const httplib::Request& req,
                                                    httplib::Response& res) {
            SendCallback(res, *p, !req.get_param_value("code").empty());
        });
    }
    // QQ accounts bound automatically come back here instead of the callback.
    server.Get(RegexLiteral("/qzone/extAutoBind.do"), [](const httplib::Request&,
                                                       httplib::Response& res) {
        SendCallback(res, Providers()[0], true);
    });
}

} // namespace

void RegisterRoutes(httplib::Server& server, Service& service)
{
    server.set_pre_routing_handler([&service](const httplib::Request& req, httplib::Response& res) {
        // The service asking itself for the answer a fault misshapes.
        if (req.has_header(kOwnAnswerHeader)) return httplib::Server::HandlerResponse::Unhandled;
        RecordRequest(service, req);
        FaultTable& faults = service.faults();
        const Fault fault = req.path.rfind(kControlPrefix, 0) == 0 ? Fault::None : faults.For(req.path);
        if (fault == Fault::None) return httplib::Server::HandlerResponse::Unhandled;
        AnswerWithFault(fault, req, res, [&] { return FetchOwnAnswer(service.mainPort(), req.target); },
                        [&] { return faults.For(req.path) == fault; }, faults.TrickleGapMs(),
                        service.stopping());
        return httplib::Server::HandlerResponse::Handled;
    });
    server.set_error_handler(httplib::Server::HandlerWithResponse(
        [](const httplib::Request&, httplib::Response& res) {
        // Only answers that have no body of their own (unknown paths) get one here.
        if (!res.body.empty() || res.content_length_ > 0 || res.content_provider_)
            return httplib::Server::HandlerResponse::Unhandled;
        std::string text = std::to_string(res.status) + (res.status == 404 ? " Not Found" : " Error");
        res.set_content(text + "\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    }));
    RegisterReports(server);
    RegisterPages(server, service);
    RegisterUpdate(server, service);
    RegisterNotice(server, service);
    RegisterBridge(server, service);
    RegisterControlRoutes(server, service);
    RegisterMisbehaveRoutes(server, service);
}

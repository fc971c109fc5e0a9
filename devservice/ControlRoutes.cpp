// Endpoints for tests only: the request record, the switches and the check
// listener. Their own requests are not recorded.
#include <httplib.h>

#include "Md5.h"
#include "Respond.h"
#include "Service.h"
#include "Text.h"

namespace {

const char kJson[] = "application/json; charset=utf-8";

std::string Route(const char* name) { return RegexLiteral(std::string(kControlPrefix) + name); }

std::string StateJson(Service& service)
{
    SwitchState s = service.switches().Get();
    std::string exe = service.ExeBytes();
    std::string j = "{";
    j += "\"update\":" + JsonString(ToString(s.update));
    j += ",\"signature\":" + JsonString(ToString(s.signature));
    j += ",\"notice\":" + JsonString(ToString(s.notice));
    j += ",\"charset\":" + JsonString(ToString(s.charset));
    j += ",\"key_override\":" + JsonString(s.keyOverride);
    j += ",\"client_key\":" + JsonString(service.ClientKey());
    j += ",\"current_key\":" + JsonString(service.CurrentKey(s));
    j += ",\"published_key\":" + JsonString(service.PublishedKey(s));
    j += ",\"exe_size\":" + std::to_string(exe.size());
    j += ",\"exe_md5\":" + JsonString(Md5Hex(exe));
    j += ",\"exe_uploaded\":" + std::string(service.HasUploadedExe() ? "true" : "false");
    j += ",\"notice_key\":" + JsonString(s.noticeKey);
    j += ",\"notice_count\":" + std::to_string(s.noticeCount);
    j += ",\"notice_pic_host\":" + JsonString(s.noticePicHost);
    j += ",\"notice_delay\":" + std::to_string(s.noticeDelayMs);
    j += ",\"network\":" + JsonString(service.checkListener().IsUp() ? "up" : "down");
    j += ",\"main_port\":" + std::to_string(service.mainPort());
    j += ",\"check_port\":" + std::to_string(service.checkListener().Port());
    j += ",\"base_url\":" + JsonString(service.baseUrl());
    j += ",\"faults\":" + service.faults().ToJson();
    j += ",\"trickle_gap\":" + std::to_string(service.faults().TrickleGapMs());
    j += "}\n";
    return j;
}

bool PrintableAscii(const std::string& s)
{
    for (char c : s)
        if (c < 0x21 || c > 0x7E) return false;
    return true;
}

void BadRequest(httplib::Response& res, const std::string& why)
{
    SendBody(res, 400, why + "\n", "text/plain; charset=utf-8");
}

} // namespace

void RegisterControlRoutes(httplib::Server& server, Service& service)
{
    server.Get(Route("requests"), [&service](const httplib::Request& req, httplib::Response& res) {
        unsigned long long since = 0;
        if (req.has_param("since") &&
            !ParseBoundedNumber(req.get_param_value("since"), ~0ull, since))
            return BadRequest(res, "bad since");
        SendBody(res, 200, service.record().ToJsonLines(since, req.get_param_value("path")),
                 "application/x-ndjson; charset=utf-8");
    });

    server.Get(Route("reset"), [&service](const httplib::Request&, httplib::Response& res) {
        service.record().Clear();
        SendBody(res, 200, "ok\n", "text/plain");
    });

    server.Get(Route("state"), [&service](const httplib::Request&, httplib::Response& res) {
        SendBody(res, 200, StateJson(service), kJson);
    });

    // Every parameter is checked before any is applied: a bad request changes nothing.
    server.Get(Route("set"), [&service](const httplib::Request& req, httplib::Response& res) {
        SwitchState s = service.switches().Get();
        if (req.has_param("update") && !ParseUpdateMode(req.get_param_value("update"), s.update))
            return BadRequest(res, "bad update: none|published|broken|slow|nokey|missing|error500|mismatch|hang");
        if (req.has_param("signature") && !ParseSignatureMode(req.get_param_value("signature"), s.signature))
            return BadRequest(res,
                              "bad signature: good|none|otherkey|altered|older|otherstatement|malformed|huge");
        if (req.has_param("notice") && !ParseNoticeMode(req.get_param_value("notice"), s.notice))
            return BadRequest(res,
                              "bad notice: none|text|picture|pictext|expired|malformed|toolong|crlf");
        if (req.has_param("charset") &&
            !ParseNoticeCharset(req.get_param_value("charset"), s.charset))
            return BadRequest(res, "bad charset: gbk|utf8");
        if (req.has_param("key")) {
            s.keyOverride = req.get_param_value("key");
            if (s.keyOverride.size() > 63 || !PrintableAscii(s.keyOverride))
                return BadRequest(res, "bad key");
        }
        if (req.has_param("noticekey")) {
            s.noticeKey = req.get_param_value("noticekey");
            if (s.noticeKey.size() > 31 || s.noticeKey.find('|') != std::string::npos ||
                !PrintableAscii(s.noticeKey))
                return BadRequest(res, "bad noticekey");
        }
        if (req.has_param("noticecount")) {
            unsigned long long n = 0;
            if (!ParseBoundedNumber(req.get_param_value("noticecount"), 1000, n))
                return BadRequest(res, "bad noticecount");
            s.noticeCount = static_cast<int>(n);
        }
        if (req.has_param("noticepichost")) {
            s.noticePicHost = req.get_param_value("noticepichost");
            if (s.noticePicHost.size() > 63 || !PrintableAscii(s.noticePicHost) ||
                s.noticePicHost.find_first_of("|/ ") != std::string::npos)
                return BadRequest(res, "bad noticepichost");
        }
        if (req.has_param("noticedelay")) {
            unsigned long long ms = 0;
            if (!ParseBoundedNumber(req.get_param_value("noticedelay"), 60000, ms))
                return BadRequest(res, "bad noticedelay");
            s.noticeDelayMs = static_cast<int>(ms);
        }
        service.switches().Set(s);
        SendBody(res, 200, StateJson(service), kJson);
    });

    // A test's runnable executable in place of the dummy, so a whole update can be played.
    // Only something that starts like a Windows program, and no more than 64 MiB.
    server.Post(Route("exe"), [&service](const httplib::Request& req, httplib::Response& res) {
        const size_t kMaxExe = 64ull * 1024 * 1024;
        if (req.body.size() < 2 || req.body.compare(0, 2, "MZ") != 0)
            return BadRequest(res, "bad exe: the body must start with MZ");
        if (req.body.size() > kMaxExe) return BadRequest(res, "bad exe: more than 64 MiB");
        service.SetUploadedExe(req.body);
        SendBody(res, 200, StateJson(service), kJson);
    });
    server.Delete(Route("exe"), [&service](const httplib::Request&, httplib::Response& res) {
        service.SetUploadedExe(std::string());
        SendBody(res, 200, StateJson(service), kJson);
    });

    // A misbehaviour on one path of the main listener (path=/...) or on the check listener
    // (listener=check); mode=none lifts it, clear=1 lifts all; gap sets the trickle's pause.
    server.Get(Route("fault"), [&service](const httplib::Request& req, httplib::Response& res) {
        FaultTable& faults = service.faults();
        if (req.get_param_value("clear") == "1") {
            faults.Clear();
            return SendBody(res, 200, StateJson(service), kJson);
        }
        unsigned long long gap = 0;
        if (req.has_param("gap") && !ParseBoundedNumber(req.get_param_value("gap"), 600000, gap))
            return BadRequest(res, "bad gap");
        std::string key;
        if (req.get_param_value("listener") == "check") {
            key = kCheckListenerFaultKey;
        } else if (req.has_param("listener")) {
            return BadRequest(res, "bad listener: check");
        } else {
            key = req.get_param_value("path");
            if (key.empty() || key[0] != '/' || key.rfind(kControlPrefix, 0) == 0 || key.size() > 200 ||
                !PrintableAscii(key))
                return BadRequest(res, "bad path: a path of the main listener, not a control one");
        }
        Fault fault = Fault::None;
        if (!ParseFault(req.get_param_value("mode"), fault))
            return BadRequest(res, "bad mode: none|down|404|500|nolength|chunked|short|trickle|hang|drop");
        if (req.has_param("gap")) faults.SetTrickleGapMs(static_cast<int>(gap));
        faults.Set(key, fault);
        SendBody(res, 200, StateJson(service), kJson);
    });

    server.Get(Route("network"), [&service](const httplib::Request& req, httplib::Response& res) {
        std::string up = req.get_param_value("up");
        if (up == "0") {
            service.checkListener().Stop();
        } else if (up == "1") {
            if (!service.checkListener().Start())
                return SendBody(res, 500, "cannot listen on the check port\n", "text/plain");
        } else {
            return BadRequest(res, "bad up: 0|1");
        }
        SendBody(res, 200, StateJson(service), kJson);
    });
}

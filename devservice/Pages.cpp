#include "Pages.h"

#include "Text.h"

namespace {

void ReplaceAll(std::string& s, const std::string& from, const std::string& to)
{
    for (size_t pos = s.find(from); pos != std::string::npos; pos = s.find(from, pos + to.size()))
        s.replace(pos, from.size(), to);
}

const char kHead[] = R"HTML(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<title>{{TITLE}}</title>
)HTML";

// The page is drawn over the login window's artwork: everything magenta is
// transparent there, so the page itself is a magenta sheet with one solid panel.
// Script and styles stay within what the Internet Explorer of Windows XP runs.
const char kLoginPage[] = R"HTML(<style type="text/css">
html, body { margin: 0; padding: 0; width: 100%; height: 100%; overflow: hidden; background: #FF00FF; }
body { font-family: "微软雅黑", "Microsoft YaHei", "SimSun", sans-serif; font-size: 14px; color: #2B2B2B; }
#panel { position: absolute; left: 50%; top: 50%; width: 460px; height: 370px; margin: -185px 0 0 -230px; background: #F6F1E7; border: 2px solid #8C6A3A; }
#title { height: 44px; line-height: 44px; padding-left: 16px; font-size: 20px; color: #FFFFFF; background: #8C6A3A; }
#tools { position: absolute; right: 10px; top: 0; height: 44px; line-height: 44px; }
#tools a { color: #FFFFFF; text-decoration: none; margin-left: 10px; font-size: 14px; }
.row { margin: 16px 30px 0 30px; }
.label { float: left; width: 64px; line-height: 28px; }
#server, #account { width: 300px; height: 28px; font-size: 14px; }
#login { width: 300px; height: 38px; margin-left: 64px; font-size: 16px; color: #FFFFFF; background: #C0392B; border: 1px solid #922B21; cursor: pointer; }
#msg { height: 20px; margin: 8px 30px 0 94px; color: #C0392B; }
#others { margin: 10px 30px 0 30px; padding-top: 10px; border-top: 1px solid #D8CBB3; }
#others a { margin-right: 14px; color: #1F5F99; }
</style>
<script type="text/javascript">
var GAME_URL = "{{BASE}}/game/play";
var authSeen = null;
var authTimer = null;

function byId(id) { return document.getElementById(id); }
function say(text) { byId("msg").innerHTML = text; }
function trim(s) { return s.replace(/^\s+|\s+$/g, ""); }

// Hands the login to the launcher: the record "<server>-<account>" goes
// percent-encoded as UTF-8, the game address follows the "|".
function loadGame(account) {
  var list = byId("server");
  var server = list.options[list.selectedIndex];
  var record = server.text + "-" + account;
  window.location.href = "app://loadgame/" + encodeURIComponent(record) + "|" +
    GAME_URL + "?server=" + server.value + "&account=" + encodeURIComponent(account);
}

function login() {
  var account = trim(byId("account").value);
  if (account == "") { say("请输入账号"); return false; }
  // The launcher takes the text after the last "-" of the record as the account.
  if (account.indexOf("-") >= 0) { say("账号不能包含“-”"); return false; }
  say("");
  loadGame(account);
  return false;
}

function accountKey(e) {
  e = e || window.event;
  if (e.keyCode == 13) { login(); return false; }
  return true;
}

function cookie(name) {
  var parts = document.cookie.split(";");
  for (var i = 0; i < parts.length; i++) {
    var p = trim(parts[i]);
    if (p.indexOf(name + "=") == 0) return p.substring(name.length + 1);
  }
  return "";
}

// The authorisation runs in the launcher's own window; its bridge callback
// leaves the cookie "Pauth" in the shared store. When it appears, log in with it.
function watchAuth() {
  authSeen = cookie("Pauth");
  if (authTimer) clearInterval(authTimer);
  authTimer = setInterval(checkAuth, 500);
  return true;
}

function checkAuth() {
  var token = cookie("Pauth");
  if (token != "" && token != authSeen) {
    clearInterval(authTimer);
    authTimer = null;
    byId("account").value = token;
    say("授权成功，正在进入游戏");
    loadGame(token);
  }
}
</script>
</head>
<body>
<div id="panel">
  <div id="title">QuarnelHalvira</div>
  <div id="tools">
    <a id="portal" href="app://openurls|{{BASE}}/">官网</a>
    <a id="minimize" href="app://minimize">最小化</a>
    <a id="exit" href="app://exitgame">关闭</a>
  </div>
  <div class="row"><span class="label">服务器</span>
    <select id="server">
{{SERVERS}}    </select>
  </div>
  <div class="row"><span class="label">账号</span>
    <input id="account" class="text" type="text" maxlength="32" onkeydown="return accountKey(event)">
  </div>
  <div class="row"><span class="label">密码</span>
    <input id="password" class="text" type="password" maxlength="32" style="width:300px;height:28px">
  </div>
  <div id="msg"></div>
  <div class="row"><input id="login" type="button" value="登录游戏" onclick="return login()"></div>
  <div id="others">其他账号登录：
    <a id="qq" href="{{BASE}}/qzone/redirectToAuthorize.do?params=tov" onclick="return watchAuth()">QQ登录</a>
    <a id="weibo" href="{{BASE}}/weibo/redirectToAuthorize.do?params=tov" onclick="return watchAuth()">微博登录</a>
    <a id="weixin" href="{{BASE}}/weixin/redirectToAuthorize.do?params=tov" onclick="return watchAuth()">微信登录</a>
  </div>
</div>
</body>
</html>
)HTML";

const char kGameStyle[] = R"HTML(<style type="text/css">
html, body { margin: 0; padding: 0; width: 100%; height: 100%; overflow: hidden; background: #17202A; }
body { font-family: "微软雅黑", "Microsoft YaHei", "SimSun", sans-serif; color: #EAECEE; }
#stage { position: absolute; left: 0; top: 0; right: 0; bottom: 0; text-align: center; padding-top: 120px; }
h1 { font-size: 36px; margin: 0 0 20px 0; }
</style>
)HTML";

const char kPlainStyle[] = R"HTML(<style type="text/css">
body { font-family: "微软雅黑", "Microsoft YaHei", "SimSun", sans-serif; font-size: 14px; margin: 24px; color: #2B2B2B; background: #FFFFFF; }
a { color: #1F5F99; }
li { margin: 6px 0; }
</style>
)HTML";

std::string Head(const std::string& title)
{
    std::string s = kHead;
    ReplaceAll(s, "{{TITLE}}", HtmlEscape(title));
    return s;
}

} // namespace

const std::vector<GameServer>& GameServers()
{
    // The last one carries the game title in book-title marks, as some operator
    // server names do.
    static const std::vector<GameServer> servers = {
        {"1", "双线1服"},
        {"2", "双线2服"},
        {"3", "电信3服"},
        {"4", "《QuarnelHalvira》网通4服"},
    };
    return servers;
}

const GameServer* FindGameServer(const std::string& id)
{
    for (const auto& s : GameServers())
        if (id == s.id) return &s;
    return nullptr;
}

const std::vector<Provider>& Providers()
{
    static const std::vector<Provider> providers = {
        {"qq", "QQ", "/qzone/redirectToAuthorize.do", "/qzone/callback.do",
         "/oauth2.0/authorize", false},
        {"weibo", "新浪微博", "/weibo/redirectToAuthorize.do", "/weibo/callback.do",
         "/oauth2/authorize", true},
        {"weixin", "微信", "/weixin/redirectToAuthorize.do", "/weixin/callback.do",
         "/connect/qrconnect", false},
    };
    return providers;
}

std::string LoginPage(const std::string& baseUrl)
{
    std::string servers;
    for (const auto& s : GameServers())
        servers += std::string("      <option value=\"") + s.id + "\">" + HtmlEscape(s.name) +
                   "</option>\n";
    std::string page = Head("QuarnelHalvira 账号登录") + kLoginPage;
    ReplaceAll(page, "{{SERVERS}}", servers);
    ReplaceAll(page, "{{BASE}}", baseUrl);
    return page;
}

std::string GamePage(const std::string& serverName, const std::string& account,
                     bool askBeforeLeave)
{
    std::string page = Head(serverName) + kGameStyle;
    if (askBeforeLeave)
        page += "<script type=\"text/javascript\">\n"
                "window.onbeforeunload = function () { return \"确定要离开游戏吗？\"; };\n"
                "</script>\n";
    page += "</head>\n<body>\n<div id=\"stage\">\n<h1 id=\"server\">" + HtmlEscape(serverName) +
            "</h1>\n";
    if (!account.empty()) page += "<p id=\"account\">账号：" + HtmlEscape(account) + "</p>\n";
    page += "<p>游戏画面（本地开发服务）</p>\n</div>\n</body>\n</html>\n";
    return page;
}

std::string HallPage(const std::string& baseUrl)
{
    std::string page = Head("QuarnelHalvira 游戏大厅") + kPlainStyle +
                       "</head>\n<body>\n<h1>QuarnelHalvira 游戏大厅</h1>\n<ul>\n";
    for (const auto& s : GameServers())
        page += "<li><a href=\"" + baseUrl + "/game/play?server=" + s.id + "\">" +
                HtmlEscape(s.name) + "</a></li>\n";
    page += "</ul>\n</body>\n</html>\n";
    return page;
}

std::string PortalPage(const std::string& baseUrl)
{
    return Head("QuarnelHalvira 官方网站") + kPlainStyle +
           "</head>\n<body>\n<h1>QuarnelHalvira 官方网站</h1>\n<ul>\n"
           "<li><a href=\"" + baseUrl + "/yxtov/wd?wx=1\">账号登录</a></li>\n"
           "<li><a href=\"" + baseUrl + "/webgame.htm\">游戏大厅</a></li>\n"
           "</ul>\n</body>\n</html>\n";
}

std::string NoticeDetailPage()
{
    return Head("公告详情") + kPlainStyle +
           "</head>\n<body>\n<h1>公告详情</h1>\n"
           "<p>这是本地开发服务提供的公告详情页面。</p>\n</body>\n</html>\n";
}

std::string BridgeRedirectPage(const std::string& location)
{
    return Head("正在跳转") + "</head>\n<body>\n<p><a href=\"" + HtmlEscape(location) +
           "\">正在跳转到授权页面……</a></p>\n</body>\n</html>\n";
}

std::string ProviderPage(const Provider& p, const std::string& grantUrl,
                         const std::string& denyUrl)
{
    std::string name = p.displayName;
    return Head(name + "授权登录") + kPlainStyle + "</head>\n<body>\n<h1>" + HtmlEscape(name) +
           "账号授权</h1>\n<p>QuarnelHalvira 申请使用你的" + HtmlEscape(name) +
           "账号信息登录游戏。</p>\n"
           "<p><a id=\"authorize\" href=\"" + HtmlEscape(grantUrl) + "\">授权并登录</a>"
           "&nbsp;&nbsp;<a id=\"deny\" href=\"" + HtmlEscape(denyUrl) + "\">取消</a></p>\n"
           "</body>\n</html>\n";
}

std::string CallbackPage(const Provider& p, bool success)
{
    std::string text = success ? "登录成功" : "授权未完成";
    std::string detail = success ? std::string("已通过") + p.displayName + "账号授权，请返回登录窗口。"
                                 : std::string("没有收到") + p.displayName + "的授权。";
    return Head(text) + kPlainStyle + "</head>\n<body>\n<h1 id=\"result\">" + text +
           "</h1>\n<p>" + HtmlEscape(detail) + "</p>\n</body>\n</html>\n";
}

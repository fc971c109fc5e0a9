#pragma once
#include <string>
#include <vector>

// The HTML of the stand-in operator pages.

struct GameServer {
    const char* id;   // the "server" query value of the game page
    const char* name; // shown in the server list and sent in the login record
};

// The servers of the login page, in list order.
const std::vector<GameServer>& GameServers();
// The server with that id, or null.
const GameServer* FindGameServer(const std::string& id);

// Login bridge providers.
struct Provider {
    const char* key;          // "qq", "weibo", "weixin"
    const char* displayName;  // "QQ", "新浪微博", "微信"
    const char* redirectPath; // bridge redirect, e.g. "/qzone/redirectToAuthorize.do"
    const char* callbackPath; // bridge callback, e.g. "/qzone/callback.do"
    const char* authorizePath;// the stand-in provider's authorise page
    bool stateFirst;          // callback query starts with "state" (Weibo)
};
const std::vector<Provider>& Providers();

std::string LoginPage(const std::string& baseUrl);
// serverName is already resolved; askBeforeLeave adds an onbeforeunload question.
std::string GamePage(const std::string& serverName, const std::string& account,
                     bool askBeforeLeave);
std::string HallPage(const std::string& baseUrl);
std::string PortalPage(const std::string& baseUrl);
std::string NoticeDetailPage();
std::string BridgeRedirectPage(const std::string& location);
std::string ProviderPage(const Provider& p, const std::string& grantUrl,
                         const std::string& denyUrl);
std::string CallbackPage(const Provider& p, bool success);

// Build-time configuration: the operator's hosts and domains and the connection-check
// address. Each build (production, dev, test) links its own values.
#pragma once

namespace config {
extern const wchar_t* const kClientHost;   // reports, version file, notice, default game page
extern const wchar_t* const kAccountHost;  // login page
extern const wchar_t* const kBridgeHost;   // external login bridge (QQ, Weibo, WeChat)
extern const wchar_t* const kPortalHost;   // web-game portal
extern const wchar_t* const kOperatorDomains[3];
extern const wchar_t* const kCheckUrl;     // reachable when the network is up
}  // namespace config

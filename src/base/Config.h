// Build-time configuration: the operator's hosts and domains, the connection-check
// address, how long the network and the notice are waited for, and the release key. Each
// build (production, dev, test) links its own values.
#pragma once

namespace config {
extern const wchar_t* const kClientHost;   // reports, version file, notice, default game page
extern const wchar_t* const kAccountHost;  // login page
extern const wchar_t* const kBridgeHost;   // external login bridge (QQ, Weibo, WeChat)
extern const wchar_t* const kPortalHost;   // web-game portal
extern const wchar_t* const kOperatorDomains[3];
extern const wchar_t* const kCheckUrl;     // reachable when the network is up
extern const unsigned long kConnectTimeoutMs;   // an HTTP connection
extern const unsigned long kTransferTimeoutMs;  // each wait while sending or receiving
extern const unsigned long kNoticeDelayMs;      // first tab to the notice fetch
// The operator's release key (DER SubjectPublicKeyInfo, RSA of at least 3072 bits) that a
// published build must be signed with; a size of 0 for a build made without one, which takes
// a published build on its MD5 key alone.
extern const unsigned char* const kReleaseKey;
extern const unsigned long kReleaseKeySize;
}  // namespace config

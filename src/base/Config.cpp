#include "base/Config.h"

#include "BuildConfig.h"

namespace {
const unsigned char kReleaseKeyBytes[] = {QH_CFG_RELEASE_KEY_BYTES 0};
}  // namespace

namespace config {
const wchar_t* const kClientHost = QH_CFG_CLIENT_HOST;
const wchar_t* const kAccountHost = QH_CFG_ACCOUNT_HOST;
const wchar_t* const kBridgeHost = QH_CFG_BRIDGE_HOST;
const wchar_t* const kPortalHost = QH_CFG_PORTAL_HOST;
const wchar_t* const kOperatorDomains[3] = {QH_CFG_DOMAIN_1, QH_CFG_DOMAIN_2, QH_CFG_DOMAIN_3};
const wchar_t* const kCheckUrl = QH_CFG_CHECK_URL;
const unsigned long kConnectTimeoutMs = QH_CFG_CONNECT_TIMEOUT_MS;
const unsigned long kTransferTimeoutMs = QH_CFG_TRANSFER_TIMEOUT_MS;
const unsigned long kNoticeDelayMs = QH_CFG_NOTICE_DELAY_MS;
const unsigned char* const kReleaseKey = kReleaseKeyBytes;
const unsigned long kReleaseKeySize = QH_CFG_RELEASE_KEY_SIZE;
}  // namespace config

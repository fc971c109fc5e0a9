#include "update/UpdateCheck.h"

#include "base/Paths.h"
#include "base/rules/Version.h"
#include "update/FileMd5.h"
#include "update/rules/UpdateGate.h"
#include "update/rules/VersionKey.h"
#include "update/VersionConfig.h"

namespace {
// Written by the check and read by the download, both on the GUI thread; the menu's check
// thread never touches them.
std::wstring g_address;
std::wstring g_publishedKey;
}  // namespace

std::wstring UpdateAddress() { return g_address; }
std::wstring PublishedKey() { return g_publishedKey; }

std::wstring LocalVersionKey() { return ComposeVersionKey(FileMd5Hex(GetExePath()), kClientVersion); }

namespace {
bool NamesAnotherBuild(const VersionConfig& config) {
    return !config.key.empty() && IsOtherBuildPublished(config.key, LocalVersionKey());
}
}  // namespace

bool IsUpdateAvailable(bool force, int startMode) {
    if (!force && (!GatedCheckAllowedInMode(startMode) || !IsCheckDue())) return false;
    VersionConfig config;
    if (!FetchVersionConfig(config)) return false;
    g_address = config.address;
    g_publishedKey = config.key;
    return NamesAnotherBuild(config);
}

bool IsOtherBuildPublishedNow() {
    VersionConfig config;
    return FetchVersionConfig(config) && NamesAnotherBuild(config);
}

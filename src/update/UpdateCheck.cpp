#include "update/UpdateCheck.h"

#include "base/Paths.h"
#include "base/rules/Version.h"
#include "update/FileMd5.h"
#include "update/rules/UpdateGate.h"
#include "update/rules/VersionKey.h"
#include "update/VersionConfig.h"

namespace {
// Written by the check and read by the download, both on the GUI thread (or by the menu's
// check thread while no download runs).
std::wstring g_address;
std::wstring g_publishedKey;
}  // namespace

std::wstring UpdateAddress() { return g_address; }
std::wstring PublishedKey() { return g_publishedKey; }

std::wstring LocalVersionKey() { return ComposeVersionKey(FileMd5Hex(GetExePath()), kClientVersion); }

bool IsUpdateAvailable(bool force, int startMode) {
    if (!force && (!GatedCheckAllowedInMode(startMode) || !IsCheckDue())) return false;
    VersionConfig config;
    if (!FetchVersionConfig(config)) return false;
    g_address = config.address;
    g_publishedKey = config.key;
    if (config.key.empty()) return false;
    return IsOtherBuildPublished(config.key, LocalVersionKey());
}

#include "update/UpdateCheck.h"

#include "base/Log.h"
#include "base/Paths.h"
#include "base/rules/Version.h"
#include "update/FileDigest.h"
#include "update/ReleaseSignature.h"
#include "update/rules/UpdateGate.h"
#include "update/rules/VersionKey.h"
#include "update/VersionConfig.h"

namespace {
// Written by the check and read by the download, both on the GUI thread; the menu's check
// thread never touches them.
std::wstring g_address;
std::wstring g_publishedKey;
std::optional<ReleaseClaim> g_release;  // what the verified signature promises of the download

struct Judgement {
    bool update = false;
    std::optional<ReleaseClaim> release;
};

// Whether the version file offers a build this launcher may take: another one than its own,
// and where releases must be signed, one whose signature verifies and whose version is newer
// (refused in silence otherwise: the player sees "no update").
Judgement Judge(const VersionConfig& config) {
    Judgement judgement;
    const std::wstring ours = LocalVersionKey();
    const std::wstring compared = L"update check: published " + (config.key.empty() ? L"no key" : config.key) +
                                  L", ours " + (ours.empty() ? L"unknown" : ours);
    if (config.key.empty() || !IsOtherBuildPublished(config.key, ours)) {
        Log(compared + L": no update");
        return judgement;
    }
    if (!ReleasesMustBeSigned()) {
        Log(compared + L": another build (releases unsigned)");
        judgement.update = true;
        return judgement;
    }
    std::wstring refusal;
    judgement.release = VerifiedReleaseClaim(config.key, config.signature, &refusal);
    judgement.update = judgement.release.has_value();
    Log(compared + (judgement.update ? L": another build, signed, version " + judgement.release->version
                                     : L": refused, " + refusal));
    return judgement;
}
}  // namespace

std::wstring UpdateAddress() { return g_address; }
std::wstring PublishedKey() { return g_publishedKey; }
std::optional<ReleaseClaim> VerifiedRelease() { return g_release; }

std::wstring LocalVersionKey() { return ComposeVersionKey(FileMd5Hex(GetExePath()), kClientVersion); }

bool IsUpdateAvailable(bool force, int startMode) {
    if (!force && (!GatedCheckAllowedInMode(startMode) || !IsCheckDue())) return false;
    VersionConfig config;
    if (!FetchVersionConfig(config)) return false;
    Judgement judgement = Judge(config);
    // Where releases are signed, nothing unverified is kept: the download has nowhere to go.
    const bool keep = judgement.update || !ReleasesMustBeSigned();
    g_address = keep ? config.address : std::wstring();
    g_publishedKey = keep ? config.key : std::wstring();
    g_release = std::move(judgement.release);
    return judgement.update;
}

bool IsOtherBuildPublishedNow() {
    VersionConfig config;
    return FetchVersionConfig(config) && Judge(config).update;
}

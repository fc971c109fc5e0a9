// The operator's version file: "/update/ConfigTov.htm" on the client-service host, an INI
// text with the section "VerKey" holding "Tov" (the published build's key) and "UpdAddr"
// (where to download it), and for launchers that verify releases "Sig" (the operator's
// signed claim: update/rules/ReleaseStatement.h).
#pragma once
#include <string>

struct VersionConfig {
    std::wstring key;      // at most 63 characters; empty when the file has none
    std::wstring address;  // at most 511 characters
    std::wstring signature;  // "Sig"; longer than any claim may be when the file held more
};

// Downloads the file beside the executable as "ConfigTov.htm", reads it and deletes it.
// False when the download failed or was short (a partial file is left for the next try to
// overwrite).
bool FetchVersionConfig(VersionConfig& config);

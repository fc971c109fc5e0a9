#include "update/VersionConfig.h"

#include "base/Config.h"
#include "base/Paths.h"
#include "update/HttpFetch.h"
#include "update/rules/ReleaseStatement.h"

#include <windows.h>

bool FetchVersionConfig(VersionConfig& config) {
    const std::wstring url = std::wstring(L"http://") + config::kClientHost + L"/update/ConfigTov.htm";
    const std::wstring file = GetExeDirectory() + L"\\ConfigTov.htm";
    if (!HttpGetToFile(url.c_str(), file.c_str())) return false;

    wchar_t key[64] = {};
    wchar_t address[512] = {};
    // One more than a claim may have: a longer value is seen to be too long, not cut to fit.
    wchar_t signature[kMaxReleaseClaimChars + 2] = {};
    ::GetPrivateProfileStringW(L"VerKey", L"Tov", L"", key, 64, file.c_str());
    ::GetPrivateProfileStringW(L"VerKey", L"UpdAddr", L"", address, 512, file.c_str());
    ::GetPrivateProfileStringW(L"VerKey", L"Sig", L"", signature, kMaxReleaseClaimChars + 2, file.c_str());
    ::DeleteFileW(file.c_str());
    config.key = key;
    config.address = address;
    config.signature = signature;
    return true;
}

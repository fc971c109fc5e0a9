#include "update/UpdateSwap.h"

#include "base/Log.h"
#include "base/Paths.h"
#include "base/rules/PathParts.h"
#include "base/rules/Version.h"
#include "update/FileDigest.h"
#include "update/UpdateDownloadDialog.h"
#include "update/ReleaseSignature.h"
#include "update/rules/SwapPlan.h"
#include "update/rules/VersionKey.h"
#include "update/UpdateCheck.h"

#include <windows.h>

namespace {
class FileMoves : public SwapMoves {
public:
    FileMoves(const std::wstring& exe, const std::wstring& fresh, const std::wstring& old)
        : m_exe(exe), m_new(fresh), m_old(old) {}
    // A running executable may be renamed, not overwritten.
    bool MoveRunningAside() override { return Move(m_exe, m_old); }
    bool MoveNewIntoPlace() override { return Move(m_new, m_exe); }
    bool MoveOldBack() override { return Move(m_old, m_exe); }
    bool CopyOldBack() override {
        const bool copied = ::CopyFileW(m_old.c_str(), m_exe.c_str(), FALSE) != 0;
        Log(std::wstring(L"update: copy the old executable back: ") + (copied ? L"done" : L"failed"));
        return copied;
    }

private:
    static bool Move(const std::wstring& from, const std::wstring& to) {
        const bool moved = ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
        Log(L"update: move " + FileNameOf(from) + L" to " + FileNameOf(to) +
            (moved ? L": done" : L": failed (error " + std::to_wstring(::GetLastError()) + L")"));
        return moved;
    }
    const std::wstring m_exe, m_new, m_old;
};

bool FileSizeIs(const std::wstring& path, std::uint32_t size) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
           data.nFileSizeLow == size;
}

void Discard(const std::wstring& path) {
    // The old executable may still be running: it goes when the machine restarts.
    if (!::MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        Log(L"update: " + FileNameOf(path) + L" not marked for deletion at restart (error " +
            std::to_wstring(::GetLastError()) + L")");
}
}  // namespace

bool SwapDownloadedExecutable(const std::wstring& exePath, const std::wstring& newPath, const std::wstring& oldPath,
                              bool downloaded, const std::wstring& publishedKey,
                              const std::optional<ReleaseClaim>& release) {
    // "Complete" only means as many bytes as announced: an error page or a proxy's answer
    // would pass. The file must be the one the version key names, and the one the signed
    // release names.
    const bool keyMatches = downloaded && DigestMatchesKey(FileMd5Hex(newPath), publishedKey, kClientVersion);
    const bool claimMatches =
        keyMatches && (!release || (FileSizeIs(newPath, release->length) && FileSha256Hex(newPath) == release->sha256));
    const bool verified = keyMatches && claimMatches;
    Log(!downloaded    ? L"update: the download did not complete"
        : !keyMatches  ? L"update: the download is not the build the key names"
        : !claimMatches ? L"update: the download's length or SHA-256 is not the signed one"
                        : L"update: the download is the published build");
    FileMoves moves(exePath, newPath, oldPath);
    const SwapOutcome outcome = RunSwap(downloaded, verified, moves);
    Log(outcome.swapped ? L"update: swapped in; the new build starts" : L"update: the running build stays");
    if (outcome.discard == DiscardFile::Old) Discard(oldPath);
    const bool newExists = ::GetFileAttributesW(newPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (outcome.discard == DiscardFile::New && newExists && !::DeleteFileW(newPath.c_str())) Discard(newPath);
    return outcome.swapped;
}

bool DownloadAndSwap() {
    const std::optional<ReleaseClaim> release = VerifiedRelease();
    if (ReleasesMustBeSigned() && !release) return false;  // nothing verified: nothing to download
    const std::wstring folder = GetExeDirectory();
    UpdateDownloadDialog dialog;
    dialog.m_szUrl = UpdateAddress().substr(0, 511);
    dialog.m_szPath = folder + L"\\NewTov.exe";
    const bool downloaded = dialog.DoModal() == IDOK;
    return SwapDownloadedExecutable(GetExePath(), dialog.m_szPath, folder + L"\\OldTov.exe", downloaded,
                                    PublishedKey(), release);
}

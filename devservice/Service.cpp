#include "Service.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include "Md5.h"
#include "Release.h"
#include "Png.h"

const char kControlPrefix[] = "/__control/";

namespace {

bool ReadFile(const std::string& path, std::string& out)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    out.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

// 48 KiB that start like a PE file; enough for progress to move, not runnable.
std::string MakeDummyExe()
{
    const size_t size = 48 * 1024;
    std::string s(size, '\0');
    s[0] = 'M';
    s[1] = 'Z';
    for (size_t i = 2; i < size; ++i) s[i] = static_cast<char>((i * 7 + 3) % 253);
    return s;
}

} // namespace

Service::Service(const Options& options, int mainPort)
    : m_options(options),
      m_mainPort(mainPort),
      m_baseUrl("http://127.0.0.1:" + std::to_string(mainPort)),
      m_check(options.checkPort > 0 ? options.checkPort : mainPort + 1, m_faults, m_stopping),
      m_dummyExe(MakeDummyExe()),
      m_noticePicture(MakeNoticePicturePng(75, 80))
{
}

void Service::SetUploadedExe(std::string bytes)
{
    std::lock_guard<std::mutex> lock(m_uploadMutex);
    m_uploadedExe = std::move(bytes);
}

bool Service::HasUploadedExe() const
{
    std::lock_guard<std::mutex> lock(m_uploadMutex);
    return !m_uploadedExe.empty();
}

std::string Service::ExeBytes() const
{
    {
        std::lock_guard<std::mutex> lock(m_uploadMutex);
        if (!m_uploadedExe.empty()) return m_uploadedExe;
    }
    std::string bytes;
    if (!m_options.exePath.empty() && ReadFile(m_options.exePath, bytes)) return bytes;
    return m_dummyExe;
}

std::string Service::ClientKey() const
{
    std::string bytes;
    if (m_options.clientExePath.empty() || !ReadFile(m_options.clientExePath, bytes))
        return std::string();
    return VersionKey(Md5Hex(bytes), m_options.clientVersion);
}

std::string Service::CurrentKey(const SwitchState& s) const
{
    if (!s.keyOverride.empty()) return s.keyOverride;
    std::string key = ClientKey();
    if (!key.empty()) return key;
    // Nothing known about the client: a fixed key (tests set the real one).
    return VersionKey(std::string(32, '0'), m_options.clientVersion);
}

std::string Service::PublishedKey(const SwitchState& s) const
{
    std::string key = VersionKey(Md5Hex(ServedExeBytes(s)), PublishedVersion());
    std::string current = CurrentKey(s);
    bool same = key.size() == current.size();
    for (size_t i = 0; same && i < key.size(); ++i)
        same = std::tolower(static_cast<unsigned char>(key[i])) ==
               std::tolower(static_cast<unsigned char>(current[i]));
    if (same) key[0] = key[0] == 'f' ? 'e' : 'f';
    return key;
}

std::string Service::ServedExeBytes(const SwitchState& s) const
{
    std::string bytes = ExeBytes();
    if (s.signature == SignatureMode::Altered && !bytes.empty()) bytes.back() = static_cast<char>(bytes.back() ^ 0x5A);
    return bytes;
}

std::string Service::PublishedVersion() const
{
    return m_options.publishedVersion.empty() ? NextVersion(m_options.clientVersion) : m_options.publishedVersion;
}

std::string Service::ReleaseClaimFor(const SwitchState& s, const std::string& key) const
{
    if (m_options.releaseKeyPath.empty() || s.signature == SignatureMode::None) return std::string();
    if (s.signature == SignatureMode::Malformed) return "3.0.0.9,12,not-a-digest,%%%";
    // The claim is always on the file the service has; "altered" serves another one.
    const std::string bytes = ExeBytes();
    const std::string sha = Sha256Hex(bytes);
    const std::string version = s.signature == SignatureMode::Older ? "1.0.0.0" : PublishedVersion();
    const size_t signedLength = s.signature == SignatureMode::OtherStatement ? bytes.size() + 1 : bytes.size();
    const std::string& keyPath = s.signature == SignatureMode::OtherKey ? m_options.otherKeyPath : m_options.releaseKeyPath;
    std::string claim = ReleaseClaim(version, bytes.size(), sha,
                                     SignBase64(keyPath, ReleaseStatement(key, version, signedLength, sha)));
    if (s.signature == SignatureMode::Huge) claim += std::string(64 * 1024, 'A');
    return claim;
}

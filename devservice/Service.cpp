#include "Service.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include "Md5.h"
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
    std::string key = VersionKey(Md5Hex(ExeBytes()), m_options.clientVersion);
    std::string current = CurrentKey(s);
    bool same = key.size() == current.size();
    for (size_t i = 0; same && i < key.size(); ++i)
        same = std::tolower(static_cast<unsigned char>(key[i])) ==
               std::tolower(static_cast<unsigned char>(current[i]));
    if (same) key[0] = key[0] == 'f' ? 'e' : 'f';
    return key;
}

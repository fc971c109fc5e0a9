#include "Switches.h"

namespace {

template <typename E, size_t N>
bool ParseByName(const std::string& s, const std::pair<const char*, E> (&names)[N], E& out)
{
    for (const auto& n : names) {
        if (s == n.first) {
            out = n.second;
            return true;
        }
    }
    return false;
}

template <typename E, size_t N>
const char* NameOf(E value, const std::pair<const char*, E> (&names)[N])
{
    for (const auto& n : names)
        if (n.second == value) return n.first;
    return "?";
}

const std::pair<const char*, UpdateMode> kUpdateNames[] = {
    {"none", UpdateMode::None},     {"published", UpdateMode::Published},
    {"broken", UpdateMode::Broken}, {"slow", UpdateMode::Slow},
    {"nokey", UpdateMode::NoKey},   {"missing", UpdateMode::Missing},
    {"error500", UpdateMode::Error500}, {"mismatch", UpdateMode::Mismatch},
    {"hang", UpdateMode::Hang},
};

const std::pair<const char*, SignatureMode> kSignatureNames[] = {
    {"good", SignatureMode::Good},       {"none", SignatureMode::None},
    {"otherkey", SignatureMode::OtherKey}, {"altered", SignatureMode::Altered},
    {"older", SignatureMode::Older},     {"otherstatement", SignatureMode::OtherStatement},
    {"malformed", SignatureMode::Malformed}, {"huge", SignatureMode::Huge},
};

const std::pair<const char*, NoticeMode> kNoticeNames[] = {
    {"none", NoticeMode::None},           {"text", NoticeMode::Text},
    {"picture", NoticeMode::Picture},     {"pictext", NoticeMode::PicText},
    {"expired", NoticeMode::Expired},     {"malformed", NoticeMode::Malformed},
    {"toolong", NoticeMode::TooLong},     {"crlf", NoticeMode::LineBreak},
};

const std::pair<const char*, NoticeCharset> kCharsetNames[] = {
    {"gbk", NoticeCharset::Gbk},
    {"utf8", NoticeCharset::Utf8},
};

} // namespace

const char* ToString(UpdateMode m) { return NameOf(m, kUpdateNames); }
const char* ToString(SignatureMode m) { return NameOf(m, kSignatureNames); }
const char* ToString(NoticeMode m) { return NameOf(m, kNoticeNames); }
const char* ToString(NoticeCharset c) { return NameOf(c, kCharsetNames); }

bool ParseUpdateMode(const std::string& s, UpdateMode& out)
{
    return ParseByName(s, kUpdateNames, out);
}

bool ParseSignatureMode(const std::string& s, SignatureMode& out)
{
    return ParseByName(s, kSignatureNames, out);
}

bool ParseNoticeMode(const std::string& s, NoticeMode& out)
{
    return ParseByName(s, kNoticeNames, out);
}

bool ParseNoticeCharset(const std::string& s, NoticeCharset& out)
{
    return ParseByName(s, kCharsetNames, out);
}

SwitchState Switches::Get() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state;
}

void Switches::Set(const SwitchState& s)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_state = s;
}

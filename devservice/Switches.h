#pragma once
#include <mutex>
#include <string>

// What the version file announces.
enum class UpdateMode {
    None,      // the client's own version key: nothing to update
    Published, // another key; UpdAddr names the downloadable executable
    Broken,    // another key; UpdAddr names a download that stops short of its length
    Slow,      // another key; UpdAddr names a download sent slowly (for cancelling)
    NoKey,     // only UpdAddr, no "Tov" key
    Missing,   // the version file answers 404
    Error500,  // another key; UpdAddr names a 500 page with a Content-Length
    Mismatch,  // a key whose digest part is not the download's; UpdAddr names the executable
    Hang,      // the version file's request is taken and never answered
};

// What the version file's "Sig" says when the service has a release key and publishes a build.
enum class SignatureMode {
    Good,           // the published build's claim, signed by the release key
    None,           // no "Sig" at all
    OtherKey,       // signed by a key the launchers do not know
    Altered,        // a good signature, but the download is not the file it names
    Older,          // a good signature for a version older than the client's
    OtherStatement, // a signature over another statement (another length) than the one claimed
    Malformed,      // not a claim at all
    Huge,           // 64 KiB of claim
};

// What the notice file holds.
enum class NoticeMode {
    None,      // 404
    Text,      // title and content, no picture
    Picture,   // picture only (empty content)
    PicText,   // picture and content
    Expired,   // a text notice whose last day has passed
    Malformed, // fewer than six "|"
    TooLong,   // a body of 1024 bytes or more
    LineBreak, // a title holding CR LF and a settings line behind it
};

enum class NoticeCharset { Gbk, Utf8 };

struct SwitchState {
    UpdateMode update = UpdateMode::None;
    SignatureMode signature = SignatureMode::Good;
    NoticeMode notice = NoticeMode::None;
    NoticeCharset charset = NoticeCharset::Gbk;
    std::string keyOverride;    // when set, the "none" key; empty: computed
    std::string noticeKey;      // field 1 of the notice; empty: the mode's own key
    int noticeCount = 2;        // field 7 of the notice
    std::string noticePicHost;  // host of the picture address; empty: the service's own
    int noticeDelayMs = 0;      // the notice file answers only after this pause
};

const char* ToString(UpdateMode m);
const char* ToString(SignatureMode m);
const char* ToString(NoticeMode m);
const char* ToString(NoticeCharset c);
bool ParseUpdateMode(const std::string& s, UpdateMode& out);
bool ParseSignatureMode(const std::string& s, SignatureMode& out);
bool ParseNoticeMode(const std::string& s, NoticeMode& out);
bool ParseNoticeCharset(const std::string& s, NoticeCharset& out);

// The test switches, read by the routes and changed by the control endpoints.
class Switches {
public:
    SwitchState Get() const;
    void Set(const SwitchState& s);

private:
    mutable std::mutex m_mutex;
    SwitchState m_state;
};

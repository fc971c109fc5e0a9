// How each reading variant judges the answers a server can give: error statuses, no
// Content-Length, short and dropped bodies, and the text variant's size limit.
#include "support/HttpSupport.h"
#include "support/Process.h"
#include "update/HttpFetch.h"

#include <gtest/gtest.h>

namespace {
enum class Variant { ToFile, ToFileWithProgress, Text };

struct Outcome {
    bool ok = false;
    std::string body;  // the file's content, or the text narrowed back to bytes
};

const char kStale[] = "content of an earlier download";

class EveryReader : public ::testing::TestWithParam<Variant> {
protected:
    void SetUp() override {
        m_file = TempFolder(L"http_answers") + L"\\NewTov.exe";
        WriteFileContent(m_file, kStale);
    }

    Outcome Fetch(const std::wstring& pathAndQuery) const {
        const std::wstring url = ServiceUrl(pathAndQuery);
        Outcome outcome;
        switch (GetParam()) {
        case Variant::ToFile:
            outcome.ok = HttpGetToFile(url.c_str(), m_file.c_str());
            outcome.body = FileContent(m_file);
            break;
        case Variant::ToFileWithProgress: {
            ProgressRecorder recorder(m_file);
            HttpHandleStore store;
            outcome.ok = HttpGetToFileWithProgress(url.c_str(), m_file.c_str(), recorder.Window(), store);
            outcome.body = FileContent(m_file);
            break;
        }
        case Variant::Text: {
            wchar_t text[kHttpTextLimit];
            outcome.ok = HttpGetText(url.c_str(), text);
            for (const wchar_t* c = text; *c; ++c) outcome.body += static_cast<char>(*c);
            break;
        }
        }
        return outcome;
    }

    bool WritesFile() const { return GetParam() != Variant::Text; }

    std::wstring m_file;
};

TEST_P(EveryReader, AnyStatusButNotFoundIsReadLikeOk) {
    const Outcome error500 = Fetch(L"/test/500");
    EXPECT_TRUE(error500.ok);
    EXPECT_EQ(error500.body, "test 500 body\n");
    for (int code : {200, 302, 403, 503, 599}) {
        const Outcome outcome = Fetch(L"/test/status?code=" + std::to_wstring(code));
        EXPECT_TRUE(outcome.ok) << code;
        EXPECT_EQ(outcome.body, "test " + std::to_string(code) + " body\n") << code;
    }
}

TEST_P(EveryReader, NotFoundFailsBeforeAnyFileIsTouched) {
    const Outcome outcome = Fetch(L"/test/404");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.body, WritesFile() ? kStale : "");
    EXPECT_FALSE(Fetch(L"/no/such/path").ok);
}

TEST_P(EveryReader, AnAnswerWithoutContentLengthFails) {
    const Outcome outcome = Fetch(L"/test/chunked");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.body, WritesFile() ? kStale : "");
}

TEST_P(EveryReader, ABodyShorterThanAnnouncedFails) {
    const Outcome outcome = Fetch(L"/test/short");
    EXPECT_FALSE(outcome.ok);
    if (WritesFile()) {
        // What did arrive stays on disk for the caller to judge.
        EXPECT_EQ(outcome.body.size(), 300u);
    } else {
        EXPECT_EQ(outcome.body, "");
    }
}

TEST_P(EveryReader, ADroppedConnectionFails) {
    const Outcome outcome = Fetch(L"/test/drop");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.body, WritesFile() ? kStale : "");
}

TEST_P(EveryReader, AnEmptyBodyIsComplete) {
    const Outcome outcome = Fetch(L"/test/text?bytes=0");
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.body, "");
}

TEST_P(EveryReader, ABodyBelowTheTextLimitArrivesWhole) {
    const Outcome outcome = Fetch(L"/test/text1023");
    EXPECT_TRUE(outcome.ok);
    ASSERT_EQ(outcome.body.size(), 1023u);
    EXPECT_EQ(outcome.body.substr(0, 3), "abc");
    EXPECT_EQ(outcome.body[63], '\n');
}

TEST_P(EveryReader, AClosedPortFails) {
    const std::wstring url = L"http://127.0.0.1:" + std::to_wstring(ClosedPort()) + L"/x";
    bool ok = true;
    if (GetParam() == Variant::Text) {
        wchar_t text[kHttpTextLimit];
        ok = HttpGetText(url.c_str(), text);
    } else {
        ok = HttpGetToFile(url.c_str(), m_file.c_str());
    }
    EXPECT_FALSE(ok);
    if (WritesFile()) EXPECT_EQ(FileContent(m_file), kStale);
}

INSTANTIATE_TEST_SUITE_P(HttpAnswers, EveryReader,
                         ::testing::Values(Variant::ToFile, Variant::ToFileWithProgress, Variant::Text),
                         [](const auto& info) {
                             return info.param == Variant::ToFile               ? std::string("ToFile")
                                    : info.param == Variant::ToFileWithProgress ? std::string("ToFileWithProgress")
                                                                                : std::string("Text");
                         });

TEST(HttpGetText, ABodyOfTheLimitOrMoreFails) {
    wchar_t text[kHttpTextLimit];
    text[0] = L'x';
    EXPECT_FALSE(HttpGetText(ServiceUrl(L"/test/text1024").c_str(), text));
    EXPECT_EQ(text[0], L'\0');  // no stale text is left for the caller
    EXPECT_FALSE(HttpGetText(ServiceUrl(L"/test/text?bytes=100000").c_str(), text));
}

TEST(HttpGetText, TheTextIsTerminatedAfterTheBody) {
    wchar_t text[kHttpTextLimit];
    std::fill(std::begin(text), std::end(text), L'#');
    ASSERT_TRUE(HttpGetText(ServiceUrl(L"/test/500").c_str(), text));
    EXPECT_EQ(std::wstring(text), L"test 500 body\n");
}

TEST(HttpGetToFile, ALargeBodyArrivesByteForByte) {
    const std::wstring file = TempFolder(L"http_large") + L"\\body";
    const size_t bytes = 3 * 1024 * 1024 + 17;  // not a multiple of the read chunk
    ASSERT_TRUE(HttpGetToFile(ServiceUrl(L"/test/sized?bytes=" + std::to_wstring(bytes)).c_str(), file.c_str()));
    const std::string body = FileContent(file);
    ASSERT_EQ(body.size(), bytes);
    size_t wrong = 0;
    for (size_t i = 0; i < bytes; ++i)
        if (static_cast<unsigned char>(body[i]) != i % 251) ++wrong;
    EXPECT_EQ(wrong, 0u);
}

TEST(HttpGetToFile, ALongerEarlierFileIsReplacedNotOverlaid) {
    const std::wstring file = TempFolder(L"http_truncate") + L"\\body";
    WriteFileContent(file, std::string(100000, 'x'));
    ASSERT_TRUE(HttpGetToFile(ServiceUrl(L"/test/500").c_str(), file.c_str()));
    EXPECT_EQ(FileContent(file), "test 500 body\n");
}

TEST(HttpGetToFile, AFileThatCannotBeCreatedFails) {
    const std::wstring folder = TempFolder(L"http_nofile");
    EXPECT_FALSE(HttpGetToFile(ServiceUrl(L"/test/500").c_str(), (folder + L"\\missing\\body").c_str()));
    EXPECT_FALSE(HttpGetToFile(ServiceUrl(L"/test/500").c_str(), folder.c_str()));  // a folder
    EXPECT_FALSE(HttpGetToFile(ServiceUrl(L"/test/500").c_str(), L""));
    EXPECT_FALSE(HttpGetToFile(ServiceUrl(L"/test/500").c_str(), nullptr));
}

TEST(HttpGetToFile, AFileLockedByAnotherWriterFails) {
    const std::wstring file = TempFolder(L"http_locked") + L"\\body";
    UniqueFile holder(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_FALSE(HttpGetToFile(ServiceUrl(L"/test/500").c_str(), file.c_str()));
}

TEST(HttpFetch, NullAndMalformedAddressesFailQuietly) {
    const std::wstring file = TempFolder(L"http_bad") + L"\\body";
    wchar_t text[kHttpTextLimit];
    HttpHandleStore store;
    for (const wchar_t* url : {static_cast<const wchar_t*>(nullptr), L"", L"h", L"http:", L"http://", L"http:///x",
                               L"http://:80/x", L"http://127.0.0.1:65536/x"}) {
        EXPECT_FALSE(HttpGetToFile(url, file.c_str()));
        EXPECT_FALSE(HttpGetToFileWithProgress(url, file.c_str(), nullptr, store));
        EXPECT_FALSE(HttpGetText(url, text));
    }
    EXPECT_FALSE(FileExists(file));
}
}  // namespace

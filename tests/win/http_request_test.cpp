// What goes out on the wire: the request line, the headers, the cache bypass, and when
// HttpPing sends nothing at all.
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/Process.h"
#include "update/HttpFetch.h"

#include <gtest/gtest.h>

namespace {
enum class Variant { Ping, ToFile, ToFileWithProgress, Text };

std::string Name(Variant v) {
    switch (v) {
    case Variant::Ping: return "Ping";
    case Variant::ToFile: return "ToFile";
    case Variant::ToFileWithProgress: return "ToFileWithProgress";
    case Variant::Text: return "Text";
    }
    return "?";
}

// Runs one variant; the body goes to a scratch file or buffer and is not looked at here.
void Fetch(Variant variant, const std::wstring& url) {
    const std::wstring file = TempFolder(L"http_request") + L"\\body";
    switch (variant) {
    case Variant::Ping: HttpPing(url.c_str()); break;
    case Variant::ToFile: HttpGetToFile(url.c_str(), file.c_str()); break;
    case Variant::ToFileWithProgress: {
        ProgressRecorder recorder(file);
        HttpHandleStore store;
        HttpGetToFileWithProgress(url.c_str(), file.c_str(), recorder.Window(), store);
        break;
    }
    case Variant::Text: {
        wchar_t text[kHttpTextLimit];
        HttpGetText(url.c_str(), text);
        break;
    }
    }
}

class EveryVariant : public ::testing::TestWithParam<Variant> {
protected:
    void SetUp() override { devservice::ResetRequests(); }
};

TEST_P(EveryVariant, SendsTheSameRequestLineAndHeaders) {
    Fetch(GetParam(), ServiceUrl(L"/test/500?a=1&b=%41/x"));
    const std::vector<std::string> requests = RecordedRequestsTo("/test/500");
    ASSERT_EQ(requests.size(), 1u);
    const std::string& r = requests[0];
    EXPECT_EQ(RecordField(r, "request_line"), "GET /test/500?a=1&b=%41/x HTTP/1.1");
    EXPECT_EQ(RecordHeader(r, "User-Agent"), "Jorv");
    EXPECT_EQ(RecordHeader(r, "Accept-Language"), "zh-cn");  // the service trims the trailing blank
    EXPECT_EQ(RecordHeader(r, "Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(RecordHeader(r, "Host"), "127.0.0.1:" + std::to_string(devservice::Port()));
    EXPECT_EQ(RecordHeader(r, "Referer"), "");
}

TEST_P(EveryVariant, AnAddressWithoutPathAsksForTheRoot) {
    Fetch(GetParam(), ServiceUrl(L""));
    const std::vector<std::string> requests = RecordedRequestsTo("/");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(RecordField(requests[0], "request_line"), "GET / HTTP/1.1");
}

TEST_P(EveryVariant, EveryRequestReachesTheServerNeverTheCache) {
    for (int i = 0; i < 3; ++i) Fetch(GetParam(), ServiceUrl(L"/test/text1023"));
    EXPECT_EQ(RecordedRequestsTo("/test/text1023").size(), 3u);
}

TEST_P(EveryVariant, AddressesItRefusesCauseNoTraffic) {
    const std::wstring refused[] = {
        L"https://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/test/500",
        L"ftp://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/test/500",
        L"http:/127.0.0.1/test/500",
        L"",
        L"http://",
        L"http://" + std::wstring(260, L'h') + L"/test/500",
        ServiceUrl(L"/test/500?") + std::wstring(600, L'q'),
        L"http://127.0.0.1:99999/test/500",
    };
    for (const std::wstring& url : refused) Fetch(GetParam(), url);
    EXPECT_EQ(devservice::Requests(), "");
}

INSTANTIATE_TEST_SUITE_P(HttpRequest, EveryVariant,
                         ::testing::Values(Variant::Ping, Variant::ToFile, Variant::ToFileWithProgress, Variant::Text),
                         [](const auto& info) { return Name(info.param); });

class HttpPingTest : public ::testing::Test {
protected:
    void SetUp() override { devservice::ResetRequests(); }
};

TEST_F(HttpPingTest, TheSchemeIsComparedWithoutLetterCase) {
    EXPECT_TRUE(HttpPing((L"HTTP://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/login.htm?x=1").c_str()));
    EXPECT_TRUE(HttpPing((L"hTtP://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/login.htm?x=2").c_str()));
    const std::vector<std::string> requests = RecordedRequestsTo("/login.htm");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(RecordField(requests[0], "target"), "/login.htm?x=1");
    EXPECT_EQ(RecordField(requests[1], "target"), "/login.htm?x=2");
}

TEST_F(HttpPingTest, TheSecureSchemeIsRefusedWithoutAnyRequest) {
    EXPECT_FALSE(HttpPing((L"https://127.0.0.1:" + std::to_wstring(devservice::Port()) + L"/login.htm").c_str()));
    EXPECT_FALSE(HttpPing(nullptr));
    EXPECT_EQ(devservice::Requests(), "");
}

TEST_F(HttpPingTest, AnyAnswerCountsAsSentAndClearsTheLastError) {
    for (const wchar_t* path : {L"/login.htm", L"/test/404", L"/test/500", L"/test/chunked", L"/test/short"}) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        EXPECT_TRUE(HttpPing(ServiceUrl(path).c_str())) << testing::PrintToString(std::wstring(path));
        EXPECT_EQ(::GetLastError(), 0u);
    }
}

TEST_F(HttpPingTest, AFailedConnectionLeavesItsError) {
    ::SetLastError(0);
    const std::wstring closed = L"http://127.0.0.1:" + std::to_wstring(ClosedPort()) + L"/login.htm";
    EXPECT_FALSE(HttpPing(closed.c_str()));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INTERNET_CANNOT_CONNECT));
}

TEST_F(HttpPingTest, AnAddressItCannotSplitClearsTheLastError) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(HttpPing((L"http://" + std::wstring(300, L'h')).c_str()));
    EXPECT_EQ(::GetLastError(), 0u);
    EXPECT_EQ(devservice::Requests(), "");
}
}  // namespace

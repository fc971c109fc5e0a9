#include "login/rules/LoginCommand.h"

#include <gtest/gtest.h>

using namespace login;

namespace {
const std::wstring kBridge = L"connect.quarnel.example";
const std::wstring kShuangXian1 = L"%E5%8F%8C%E7%BA%BF1%E6%9C%8D";  // 双线1服 in UTF-8, escaped
}  // namespace

TEST(PageCommands, NameIsReadAtPositionsSixToThirteen) {
    EXPECT_EQ(ClassifyPageUrl(L"app://exitgame"), PageCommand::ExitGame);
    EXPECT_EQ(ClassifyPageUrl(L"app:xyexitgame"), PageCommand::ExitGame);  // whatever two characters follow "app:"
    EXPECT_EQ(ClassifyPageUrl(L"app://loadgame/x|y"), PageCommand::LoadGame);
    EXPECT_EQ(ClassifyPageUrl(L"app://minimize"), PageCommand::Minimize);
    EXPECT_EQ(ClassifyPageUrl(L"app://openurls|http://x"), PageCommand::OpenUrls);
    EXPECT_EQ(ClassifyPageUrl(L"app://ExitGame"), PageCommand::Other);  // mixed case does nothing
    EXPECT_EQ(ClassifyPageUrl(L"app://exit"), PageCommand::Other);
    EXPECT_EQ(ClassifyPageUrl(L"app:"), PageCommand::Other);
    EXPECT_EQ(ClassifyPageUrl(L"APP://exitgame"), PageCommand::None);  // not a command: loaded
    EXPECT_EQ(ClassifyPageUrl(L"http://app://exitgame"), PageCommand::None);
}

TEST(LoadGameCommand, EscapedUtf8RecordIsDecodedAndTheAddressKept) {
    const LoadGame g = ParseLoadGame(L"app://loadgame/" + kShuangXian1 + L"-alice|http://h/game/play?server=1&a=b|c");
    EXPECT_EQ(g.record, L"双线1服-alice");
    EXPECT_EQ(g.gameUrl, L"http://h/game/play?server=1&a=b|c");
}

TEST(LoadGameCommand, RecordWithoutEscapesIsTakenAsItIs) {
    EXPECT_EQ(ParseLoadGame(L"app://loadgame/s1-abc|u").record, L"s1-abc");
    EXPECT_EQ(ParseLoadGame(L"app://loadgame/双线1服-abc|u").record, L"双线1服-abc");
}

TEST(LoadGameCommand, WithoutBarRecordAndAddressAreEmpty) {
    const LoadGame g = ParseLoadGame(L"app://loadgame/s1-abc");
    EXPECT_EQ(g.record, L"");
    EXPECT_EQ(g.gameUrl, L"");
    EXPECT_EQ(ParseLoadGame(L"app://loadgame").record, L"");
    EXPECT_EQ(ParseLoadGame(L"app://loadgame/|").record, L"");
}

TEST(LoadGameCommand, MalformedEscapesStayLiteral) {
    EXPECT_EQ(PercentDecodeUtf8(L"a%"), L"a%");
    EXPECT_EQ(PercentDecodeUtf8(L"a%4"), L"a%4");
    EXPECT_EQ(PercentDecodeUtf8(L"a%zz-b"), L"a%zz-b");
    EXPECT_EQ(PercentDecodeUtf8(L"%41%42"), L"AB");
}

TEST(LoadGameCommand, InvalidUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(PercentDecodeUtf8(L"%FF-x"), L"\xFFFD-x");
    EXPECT_EQ(PercentDecodeUtf8(L"%E5%8F"), L"\xFFFD\xFFFD");    // cut sequence
    EXPECT_EQ(PercentDecodeUtf8(L"%C0%80"), L"\xFFFD\xFFFD");    // overlong
    EXPECT_EQ(PercentDecodeUtf8(L"%ED%A0%80"), L"\xFFFD\xFFFD\xFFFD");  // a surrogate
}

TEST(LoadGameCommand, LongEscapedRecordIsDecodedWhole) {
    std::wstring escaped;
    std::wstring expected;
    for (int i = 0; i < 200; ++i) {
        escaped += kShuangXian1;
        expected += L"双线1服";
    }
    const LoadGame g = ParseLoadGame(L"app://loadgame/" + escaped + L"-alice|u");
    EXPECT_EQ(g.record, expected + L"-alice");  // 2400 bytes of UTF-8, nothing cut
}

TEST(LoginRecordParts, ServerAndAccountSplitAtTheLastDash) {
    EXPECT_EQ(SplitRecord(L"双线1服-alice").server, L"双线1服");
    EXPECT_EQ(SplitRecord(L"a-b-c").server, L"a-b");
    EXPECT_EQ(SplitRecord(L"a-b-c").account, L"c");
    EXPECT_EQ(SplitRecord(L"alice").server, L"");
    EXPECT_EQ(SplitRecord(L"alice").account, L"alice");
}

TEST(DuplicateMessage, NamesAccountAndShortServer) {
    EXPECT_EQ(DuplicateLoginMessage(L"alice", ShortServerName(L"双线1服")),
              L"账号 alice 已在 双线1服 登录，同一账号不能在一服重复登录");
    EXPECT_EQ(ShortServerName(L"《QuarnelHalvira》双线1服"), L"双线1服");
    EXPECT_EQ(ShortServerName(L"《QuarnelHalvira》网通四服务器"), L"网通四服");  // up to four characters
    EXPECT_EQ(ShortServerName(L"《Q》1"), L"1");
    EXPECT_EQ(ShortServerName(L"双线1服"), L"双线1服");
}

TEST(OpenUrls, AddressFollowsTheFirstBarFromPositionFourteen) {
    EXPECT_EQ(OpenUrlsTarget(L"app://openurls|http://www.quarnel.example/"), std::wstring(L"http://www.quarnel.example/"));
    EXPECT_FALSE(OpenUrlsTarget(L"app://openurls"));
    EXPECT_FALSE(OpenUrlsTarget(L"app://openurlshttp://x"));
    EXPECT_FALSE(OpenUrlsTarget(L"app://openurl|"));  // 14 characters: not examined
    EXPECT_EQ(OpenUrlsTarget(L"app://openurls|"), std::wstring(L""));
}

TEST(OpenUrls, OnlyWebAddressesGoToTheShell) {
    EXPECT_EQ(OpenUrlsWebAddress(L"app://openurls|http://www.quarnel.example/"),
              std::wstring(L"http://www.quarnel.example/"));
    EXPECT_EQ(OpenUrlsWebAddress(L"app://openurls|HTTPS://pay.quarnel.example/a?b=1"),
              std::wstring(L"HTTPS://pay.quarnel.example/a?b=1"));
    EXPECT_EQ(OpenUrlsWebAddress(L"app://openurls|Http://x"), std::wstring(L"Http://x"));
    for (const wchar_t* refused :
         {L"app://openurls|C:\\Windows\\System32\\calc.exe", L"app://openurls|calc", L"app://openurls|file:///C:/x.exe",
          L"app://openurls|javascript:alert(1)", L"app://openurls|\\\\server\\share\\x.exe",
          L"app://openurls| http://x", L"app://openurls|httpx://x", L"app://openurls|http:/x", L"app://openurls|http://",
          L"app://openurls|https://", L"app://openurls|ftp://x", L"app://openurls|", L"app://openurls"}) {
        EXPECT_FALSE(OpenUrlsWebAddress(refused)) << std::wstring(refused).c_str();
    }
}

TEST(AuthBridge, RedirectsChooseTheirTitle) {
    const std::wstring base = L"http://" + kBridge;
    EXPECT_EQ(AuthRedirectTitle(base + L"/qzone/redirectToAuthorize.do?params=tov", kBridge), std::wstring(L"QQ账号安全登录"));
    EXPECT_EQ(AuthRedirectTitle(base + L"/weibo/redirectToAuthorize.do?params=tov", kBridge),
              std::wstring(L"新浪微博账号安全登录"));
    EXPECT_EQ(AuthRedirectTitle(base + L"/weixin/redirectToAuthorize.do?params", kBridge), std::wstring(L"微信账号安全登录"));
    EXPECT_FALSE(AuthRedirectTitle(base + L"/qzone/redirectToAuthorize.do", kBridge));
    EXPECT_FALSE(AuthRedirectTitle(L"http://elsewhere.example/qzone/redirectToAuthorize.do?params=x", kBridge));
    EXPECT_FALSE(AuthRedirectTitle(base + L"/weibo/redirectToAuthorize.do?x=1", kBridge));
    // Only at the start: an address that merely holds the redirect is somebody else's page.
    for (const std::wstring& lookalike : {
             L"http://evil.example/?next=" + base + L"/qzone/redirectToAuthorize.do?params=x",
             L"http://evil.example/" + base + L"/weibo/redirectToAuthorize.do?params=x",
             L"http://" + kBridge + L".evil.example/qzone/redirectToAuthorize.do?params=x",
             L" " + base + L"/weixin/redirectToAuthorize.do?params",
         }) {
        EXPECT_FALSE(AuthRedirectTitle(lookalike, kBridge)) << testing::PrintToString(lookalike);
    }
}

TEST(AuthBridge, CallbacksAreMatchedAtTheStart) {
    const std::wstring base = L"http://" + kBridge;
    EXPECT_TRUE(IsAuthCallback(base + L"/qzone/callback.do?code=1&state=2", kBridge));
    EXPECT_TRUE(IsAuthCallback(base + L"/qzone/extAutoBind.do", kBridge));
    EXPECT_TRUE(IsAuthCallback(base + L"/weibo/callback.do?state=9&code=1", kBridge));
    EXPECT_TRUE(IsAuthCallback(base + L"/weibo/callback.do?stateless", kBridge));  // whatever follows "state"
    EXPECT_TRUE(IsAuthCallback(base + L"/weixin/callback.do?code=7", kBridge));
    EXPECT_FALSE(IsAuthCallback(base + L"/weixin/callback.do?state=7", kBridge));
    EXPECT_FALSE(IsAuthCallback(L"http://x.example/?u=" + base + L"/qzone/callback.do?code=1", kBridge));
}

TEST(AuthBridge, QqAuthorizeEndpointIsMatchedAtTheStart) {
    EXPECT_TRUE(IsQqAuthorizeEndpoint(L"https://graph.qq.com/oauth2.0/authorize?client_id=1"));
    EXPECT_FALSE(IsQqAuthorizeEndpoint(L"http://graph.qq.com/oauth2.0/authorize?client_id=1"));
    EXPECT_FALSE(IsQqAuthorizeEndpoint(L"https://graph.qq.com/oauth2.0/token"));
    EXPECT_FALSE(IsQqAuthorizeEndpoint(L"https://x.example/?next=https://graph.qq.com/oauth2.0/authorize"));
}

TEST(AuthCookie, ValueIsFoundByItsExactName) {
    EXPECT_EQ(CookieValue(L"Pauth=abc", L"Pauth"), L"abc");
    EXPECT_EQ(CookieValue(L"a=1; Pauth=abc; b=2", L"Pauth"), L"abc");
    EXPECT_EQ(CookieValue(L"XPauth=1; Pauth2=2", L"Pauth"), L"");
    EXPECT_EQ(CookieValue(L"pauth=1", L"Pauth"), L"");
    EXPECT_EQ(CookieValue(L"Pauth=", L"Pauth"), L"");
    EXPECT_EQ(CookieValue(L"Pauth=a=b", L"Pauth"), L"a=b");
    EXPECT_EQ(CookieValue(L"", L"Pauth"), L"");
    EXPECT_EQ(CookieValue(L";;; ;Pauth", L"Pauth"), L"");  // a name without a value
    EXPECT_EQ(CookieValue(L"Pauth;x=Pauth=1", L"Pauth"), L"");
}

#include "framework/rules/HandPage.h"
#include "login/rules/LoginCommand.h"

#include <gtest/gtest.h>

namespace {
const hand::Hosts kHosts{L"passport.example", L"connect.example", L"client.example"};

const hand::Command* Find(const std::vector<hand::Command>& commands, const std::wstring& label) {
    for (const hand::Command& command : commands) {
        if (command.label == label) return &command;
    }
    return nullptr;
}
}  // namespace

TEST(HandPage, TheLoginPageOffersEveryCommandItsScriptHas) {
    const auto commands = hand::CommandsFor(L"http://passport.example/yxtov/wd?wx=1", L"s2-bob", kHosts);
    EXPECT_TRUE(hand::TakesRecord(L"http://passport.example/yxtov/wd?wx=1", kHosts));
    ASSERT_EQ(commands.size(), 7u);
    const hand::Command* login = Find(commands, L"登录");
    ASSERT_NE(login, nullptr);
    // The client reads it as the page's own login would be read.
    EXPECT_EQ(login::ClassifyPageUrl(login->address), login::PageCommand::LoadGame);
    const login::LoadGame parsed = login::ParseLoadGame(login->address);
    EXPECT_EQ(parsed.record, L"s2-bob");
    EXPECT_EQ(parsed.gameUrl, L"http://client.example/game/play?server=s2&account=bob");
    EXPECT_EQ(login::ClassifyPageUrl(Find(commands, L"退出")->address), login::PageCommand::ExitGame);
    EXPECT_EQ(login::ClassifyPageUrl(Find(commands, L"最小化")->address), login::PageCommand::Minimize);
    EXPECT_EQ(login::ClassifyPageUrl(Find(commands, L"打开链接")->address), login::PageCommand::OpenUrls);
    EXPECT_EQ(Find(commands, L"QQ")->address, L"http://connect.example/qzone/redirectToAuthorize.do?params=hand");
}

TEST(HandPage, ATypedRecordCannotBreakOutOfTheLoginAddress) {
    const auto commands = hand::CommandsFor(L"http://passport.example/yxtov/wd", L"s1-a|b%c", kHosts);
    const login::LoadGame parsed = login::ParseLoadGame(Find(commands, L"登录")->address);
    EXPECT_EQ(parsed.record, L"s1-a|b%c");
    EXPECT_EQ(parsed.gameUrl, L"http://client.example/game/play?server=s1&account=a_b_c");
}

TEST(HandPage, TheAuthorisationPageOffersItsCallbackWithTheCookie) {
    const auto commands =
        hand::CommandsFor(L"http://connect.example/weibo/redirectToAuthorize.do?params=hand", L"", kHosts);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].address, L"http://connect.example/weibo/callback.do?code=hand");
    EXPECT_EQ(commands[0].cookie, L"Pauth=hand");
}

TEST(HandPage, OtherPagesAndOtherHostsOfferNothing) {
    EXPECT_TRUE(hand::CommandsFor(L"http://client.example/game/play?server=s1", L"s1-a", kHosts).empty());
    EXPECT_TRUE(hand::CommandsFor(L"http://evil.example/yxtov/wd", L"s1-a", kHosts).empty());
    EXPECT_TRUE(hand::CommandsFor(L"http://passport.example.evil/yxtov/wd", L"s1-a", kHosts).empty());
    EXPECT_TRUE(hand::CommandsFor(L"", L"", kHosts).empty());
    EXPECT_FALSE(hand::TakesRecord(L"http://client.example/game/play", kHosts));
}

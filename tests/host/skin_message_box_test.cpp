#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/rules/MessageBoxLayout.h"

namespace skin {
namespace {

const Size kPushStrip{228, 23};  // four states of 57 x 23

MessageMeasure Measure(int textWidth, int textHeight, int lines) {
    MessageMeasure m;
    m.textWidth = textWidth;
    m.textHeight = textHeight;
    m.lines = lines;
    m.buttonStrip = kPushStrip;
    return m;
}

TEST(SkinMessageBoxLayout, LinesAreOneMoreThanTheLineFeeds) {
    EXPECT_EQ(CountMessageLines(L""), 1);
    EXPECT_EQ(CountMessageLines(L"确定要退出吗？"), 1);
    EXPECT_EQ(CountMessageLines(L"第一行\n第二行\n第三行"), 3);
    EXPECT_EQ(CountMessageLines(L"末尾换行\n"), 2);
    EXPECT_EQ(CountMessageLines(L"a\r\nb"), 2);
}

TEST(SkinMessageBoxLayout, NarrowTextGivesTheTwoButtonMinimumWidth) {
    EXPECT_EQ(MessageBoxWindowSize(Measure(80, 16, 1)).cx, 2 * 57 + 60);
    EXPECT_EQ(MessageBoxWindowSize(Measure(174, 16, 1)).cx, 174);  // still within the minimum
    EXPECT_EQ(MessageBoxWindowSize(Measure(175, 16, 1)).cx, 235);
    EXPECT_EQ(MessageBoxWindowSize(Measure(400, 16, 1)).cx, 460);
}

TEST(SkinMessageBoxLayout, EachExtraLineAddsItsHeightAndThreePixels) {
    const int lineHeight = 17;
    const Size one = MessageBoxWindowSize(Measure(100, lineHeight, 1));
    const Size three = MessageBoxWindowSize(Measure(100, 3 * lineHeight, 3));
    EXPECT_EQ(one.cy, 3 + 90 + lineHeight + 23);
    EXPECT_EQ(three.cy - one.cy, 6 + 2 * lineHeight);
}

std::vector<std::wstring> Texts(const std::vector<MessageBoxButton>& buttons) {
    std::vector<std::wstring> t;
    for (const auto& b : buttons) t.push_back(b.text);
    return t;
}

TEST(SkinMessageBoxLayout, ButtonSetsAndTheirTexts) {
    const Size client{174, 132};
    EXPECT_EQ(Texts(MessageBoxButtons(client, kPushStrip, kMsgBoxOk)), (std::vector<std::wstring>{L"确定"}));
    EXPECT_EQ(Texts(MessageBoxButtons(client, kPushStrip, kMsgBoxOkCancel)),
              (std::vector<std::wstring>{L"确定", L"取消"}));
    EXPECT_EQ(Texts(MessageBoxButtons(client, kPushStrip, kMsgBoxYesNo)),
              (std::vector<std::wstring>{L"是", L"否"}));
    for (int other : {2, 3, 5, -1}) EXPECT_EQ(MessageBoxButtons(client, kPushStrip, other).size(), 1u);
}

TEST(SkinMessageBoxLayout, ButtonsStandThirtyPixelsAboveTheBottomAroundTheMiddle) {
    const Size client{174, 132};
    const auto two = MessageBoxButtons(client, kPushStrip, kMsgBoxYesNo);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].id, 5000);
    EXPECT_EQ(two[0].rect, (Rect{20, 79, 77, 102}));
    EXPECT_EQ(two[1].id, 5001);
    EXPECT_EQ(two[1].rect, (Rect{97, 79, 154, 102}));

    const auto one = MessageBoxButtons(Size{301, 132}, kPushStrip, kMsgBoxOk);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].id, 5000);
    EXPECT_EQ(one[0].rect, (Rect{122, 79, 179, 102}));
}

TEST(SkinMessageBoxLayout, TextLinesStartAt55AndStepByLineHeightPlusThree) {
    const MessageMeasure m = Measure(120, 48, 3);
    const auto lines = MessageBoxTextLines(L"一\r\n二\n三", Size{180, 200}, m);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, L"一");
    EXPECT_EQ(lines[1].text, L"二");
    EXPECT_EQ(lines[2].text, L"三");
    EXPECT_EQ(lines[0].rect, (Rect{30, 55, 150, 71}));
    EXPECT_EQ(lines[1].rect.top, 74);
    EXPECT_EQ(lines[2].rect.top, 93);
}

TEST(SkinMessageBoxLayout, ResultsOfTheButtons) {
    EXPECT_EQ(MessageBoxResultForCommand(5000, kMsgBoxYesNo), 6);
    EXPECT_EQ(MessageBoxResultForCommand(5001, kMsgBoxYesNo), 7);
    EXPECT_EQ(MessageBoxResultForCommand(5000, kMsgBoxOkCancel), 1);
    EXPECT_EQ(MessageBoxResultForCommand(5001, kMsgBoxOkCancel), 2);
    EXPECT_EQ(MessageBoxResultForCommand(5000, kMsgBoxOk), 1);
    EXPECT_EQ(MessageBoxResultForCommand(50000, kMsgBoxYesNo), std::nullopt);
    EXPECT_EQ(MessageBoxResultForCommand(1, kMsgBoxOk), std::nullopt);  // Enter does not end the box
}

}  // namespace
}  // namespace skin

#include <gtest/gtest.h>

#include <climits>

#include <string>
#include <vector>

#include "skin/rules/LabelLayout.h"
#include "skin/rules/LabelWrap.h"

namespace skin {
namespace {

// Latin letters 7 px, CJK 12 px, and 'W' absurdly wide (500 px).
class FakeMeasurer : public TextMeasurer {
public:
    int WidthOf(const std::wstring& text) const override {
        ++calls;
        int w = 0;
        for (wchar_t c : text) w += c == L'W' ? 500 : c >= 0x4E00 ? 12 : 7;
        return w;
    }
    mutable int calls = 0;
};

LabelWrapInput Input(const std::wstring& text, int width, int height = 20) {
    LabelWrapInput in;
    in.text = text;
    in.textRect = Rect{0, 0, width, height};
    in.lineHeight = 16;
    in.lineSpacing = 3;
    in.averageCharWidth = 12;
    return in;
}

std::vector<std::wstring> Texts(const std::vector<LabelLine>& lines) {
    std::vector<std::wstring> t;
    for (const auto& l : lines) t.push_back(l.text);
    return t;
}

TEST(SkinLabelWrap, LongLineWrapsAtTheLastCharacterThatFits) {
    FakeMeasurer m;
    const auto lines = WrapLabelText(Input(L"abcdefghij", 30), m);
    EXPECT_EQ(Texts(lines), (std::vector<std::wstring>{L"abcd", L"efgh", L"ij"}));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rect, (Rect{0, 0, 30, 20}));
    EXPECT_EQ(lines[1].rect, (Rect{0, 19, 30, 39}));
    EXPECT_EQ(lines[2].rect, (Rect{0, 38, 30, 58}));
}

TEST(SkinLabelWrap, ExactFitStaysOnTheLine) {
    FakeMeasurer m;
    EXPECT_EQ(Texts(WrapLabelText(Input(L"测试用", 36), m)), (std::vector<std::wstring>{L"测试用"}));
    EXPECT_EQ(Texts(WrapLabelText(Input(L"测试用", 35), m)), (std::vector<std::wstring>{L"测试", L"用"}));
}

TEST(SkinLabelWrap, LineFeedsBreakAndCarriageReturnsVanish) {
    FakeMeasurer m;
    EXPECT_EQ(Texts(WrapLabelText(Input(L"ab\r\ncd", 100), m)), (std::vector<std::wstring>{L"ab", L"cd"}));
    EXPECT_EQ(Texts(WrapLabelText(Input(L"a\n\nb\n", 100), m)),
              (std::vector<std::wstring>{L"a", L"", L"b", L""}));
    EXPECT_EQ(Texts(WrapLabelText(Input(L"", 100), m)), (std::vector<std::wstring>{L""}));
}

TEST(SkinLabelWrap, CharacterWiderThanTheRectangleStandsAloneAndWrapEnds) {
    FakeMeasurer m;
    EXPECT_EQ(Texts(WrapLabelText(Input(L"abWcd", 30), m)), (std::vector<std::wstring>{L"ab", L"W", L"cd"}));
    EXPECT_EQ(Texts(WrapLabelText(Input(L"WW", 30), m)), (std::vector<std::wstring>{L"W", L"W"}));
    EXPECT_EQ(Texts(WrapLabelText(Input(L"W\nx", 30), m)), (std::vector<std::wstring>{L"W", L"x"}));

    // Bounded work even for a long run of such characters.
    const std::wstring wide(1000, L'W');
    m.calls = 0;
    EXPECT_EQ(WrapLabelText(Input(wide, 30), m).size(), 1000u);
    EXPECT_LE(m.calls, 2000);
}

TEST(SkinLabelWrap, RectangleNarrowerThanAnAverageCharacterShowsNothing) {
    FakeMeasurer m;
    EXPECT_TRUE(WrapLabelText(Input(L"测试", 11), m).empty());
    EXPECT_EQ(WrapLabelText(Input(L"测试", 12), m).size(), 2u);
    LabelWrapInput empty = Input(L"a", 0);
    empty.averageCharWidth = 0;
    EXPECT_TRUE(WrapLabelText(empty, m).empty());
}

TEST(SkinLabelWrap, AverageWidthDividesTheSampleByEleven) {
    EXPECT_EQ(AverageCharWidth(132), 12);
    EXPECT_EQ(AverageCharWidth(120), 10);  // 12 if divided by the ten characters
    EXPECT_EQ(std::wstring(kAverageWidthSample).size() + 1, static_cast<size_t>(kAverageWidthSampleCount));
}

TEST(SkinLabelWrap, LabelGrowsToShowEveryLine) {
    EXPECT_EQ(LabelHeightForLines(1, 16, 3), 16);
    EXPECT_EQ(LabelHeightForLines(3, 16, 3), 16 + 2 * 19);
    EXPECT_EQ(GrownLabelHeight(20, 3, 16, 3), 54);
    EXPECT_EQ(GrownLabelHeight(60, 3, 16, 3), 60);
    EXPECT_EQ(GrownLabelHeight(20, 1, 16, 3), 20);

    FakeMeasurer m;
    const auto lines = WrapLabelText(Input(L"abcdefghij", 30, 20), m);
    EXPECT_EQ(GrownLabelHeight(20, static_cast<int>(lines.size()), 16, 3), lines.back().rect.top + 16);
}

TEST(SkinLabelWrap, MeasurementsGoneWildSaturateInsteadOfOverflowing) {
    // A line height and spacing whose sum, and whose multiples, leave the int range.
    FakeMeasurer m;
    LabelWrapInput in = Input(L"abcdefghij", 30);
    in.lineHeight = INT_MAX - 5;
    in.lineSpacing = INT_MAX - 5;
    const auto lines = WrapLabelText(in, m);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].rect.top, INT_MAX);
    EXPECT_EQ(lines[2].rect.top, INT_MAX);
    EXPECT_EQ(LabelHeightForLines(1000, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(LabelHeightForLines(1000, INT_MIN, -5), INT_MIN);
    EXPECT_EQ(GrownLabelHeight(20, INT_MAX, 16, 3), INT_MAX);
}

TEST(SkinLabelLayout, PictureAtTheLeftPushesTheText) {
    const LabelPlacement with = PlaceLabel({100, 20}, {14, 16});
    EXPECT_TRUE(with.hasPicture);
    EXPECT_EQ(with.picture, (Point{3, 2}));
    EXPECT_EQ(with.text, (Rect{20, 0, 100, 20}));

    const LabelPlacement without = PlaceLabel({100, 20}, {0, 0});
    EXPECT_FALSE(without.hasPicture);
    EXPECT_EQ(without.text, (Rect{0, 0, 100, 20}));
}

TEST(SkinLabelLayout, TextFormatFromTheWindowStyle) {
    using namespace draw;
    EXPECT_EQ(LabelTextFormat(0), kWordBreak);
    EXPECT_EQ(LabelTextFormat(0x1), kCenter | kVCenter | kWordBreak);
    EXPECT_EQ(LabelTextFormat(0x2), kRight | kWordBreak);
    EXPECT_EQ(LabelTextFormat(0x200), kWordBreak | kVCenter | kSingleLine);
    EXPECT_EQ(LabelTextFormat(0x100 | 0x1), kCenter | kVCenter | kWordBreak);  // notify style ignored
}

TEST(SkinLabelLayout, EllipsisKindsAreNotConfusedDespiteSharedBits) {
    using namespace draw;
    EXPECT_EQ(LabelTextFormat(0x4000), kWordBreak | kEndEllipsis);
    EXPECT_EQ(LabelTextFormat(0xC000), kWordBreak | kWordEllipsis | kSingleLine);
    EXPECT_EQ(LabelTextFormat(0x8000), kWordBreak);  // path ellipsis is not used by labels
}

}  // namespace
}  // namespace skin

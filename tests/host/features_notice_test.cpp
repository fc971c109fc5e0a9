#include "features/rules/Notice.h"

#include <gtest/gtest.h>

#include <string>

TEST(NoticeParse, SevenFieldsInOrder) {
    const auto notice = ParseNotice(L"k1|2026-12-31|标题|http://a/d|正文|http://a/p.png|3");
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->key, L"k1");
    EXPECT_EQ(notice->lastDay, L"2026-12-31");
    EXPECT_EQ(notice->title, L"标题");
    EXPECT_EQ(notice->detailUrl, L"http://a/d");
    EXPECT_EQ(notice->content, L"正文");
    EXPECT_EQ(notice->pictureUrl, L"http://a/p.png");
    EXPECT_EQ(notice->maxShow, 3);
}

TEST(NoticeParse, MissingSeparatorsGiveNoNotice) {
    EXPECT_FALSE(ParseNotice(L""));
    EXPECT_FALSE(ParseNotice(L"k|2026-1-1"));
    EXPECT_FALSE(ParseNotice(L"k|2026-1-1|t|u|c2"));  // five
    EXPECT_FALSE(ParseNotice(L"|||||"));   // five
    EXPECT_TRUE(ParseNotice(L"||||||"));   // six, all empty
}

TEST(NoticeParse, CountIsTheLeadingDigitsOfTheRest) {
    EXPECT_EQ(ParseNotice(L"k|d|t|u|c|p|12abc")->maxShow, 12);
    EXPECT_EQ(ParseNotice(WithoutFinalLineBreak(L"k|d|t|u|c|p|2\r\n"))->maxShow, 2);  // the file's line end
    EXPECT_EQ(ParseNotice(L"k|d|t|u|c|p|")->maxShow, 0);
    EXPECT_EQ(ParseNotice(L"k|d|t|u|c|p|x5")->maxShow, 0);
    EXPECT_EQ(ParseNotice(L"k|d|t|u|c|p|-4")->maxShow, 0);
    EXPECT_EQ(ParseNotice(L"k|d|t|u|c|p|99999999999999999999")->maxShow, 2147483647);
    // A seventh "|" stays in the rest: the count is read from its front.
    EXPECT_EQ(ParseNotice(L"k|d|t|u|c|p|7|8")->maxShow, 7);
}

TEST(NoticeParse, OverlongFieldsAreCutToTheirLimits) {
    const std::wstring longText(2000, L'x');
    const auto notice = ParseNotice(longText + L"|" + longText + L"|" + longText + L"|" + longText + L"|" + longText +
                                    L"|" + longText + L"|1");
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->key.size(), 31u);
    EXPECT_EQ(notice->lastDay.size(), 31u);
    EXPECT_EQ(notice->title.size(), 63u);
    EXPECT_EQ(notice->detailUrl.size(), 511u);
    EXPECT_EQ(notice->content.size(), 511u);
    EXPECT_EQ(notice->pictureUrl.size(), 511u);
    EXPECT_EQ(notice->maxShow, 1);
}

TEST(NoticeDecision, NewNoticesShowDismissedOnesDoNot) {
    const std::wstring text = L"k|2026-1-1|t|u|c|p|1";
    EXPECT_FALSE(ShouldShowNotice(L"", L"", L""));
    EXPECT_TRUE(ShouldShowNotice(text, L"", L"0"));               // nothing seen yet
    EXPECT_TRUE(ShouldShowNotice(text, L"other|notice", L"0"));   // a different notice
    EXPECT_FALSE(ShouldShowNotice(text, text, L"0"));             // the same one, dismissed
    EXPECT_TRUE(ShouldShowNotice(text, text, L"1"));              // the same one, cycle ended by itself
    EXPECT_TRUE(ShouldShowNotice(text, text, L""));
    EXPECT_TRUE(ShouldShowNotice(text, text, L"00"));             // only exactly "0" dismisses
    EXPECT_FALSE(ShouldShowNotice(text + L"\r\n", text, L"0"));   // stored text within the fetched one
}

TEST(NoticeDates, ComparedPartByPart) {
    EXPECT_EQ(CompareDates(L"2026-12-08", L"2026-12-08"), 0);
    EXPECT_EQ(CompareDates(L"2026-12-8", L"2026-12-08"), 0);
    EXPECT_GT(CompareDates(L"2026-12-07", L"2026-12-08"), 0);  // b later
    EXPECT_LT(CompareDates(L"2026-12-09", L"2026-12-08"), 0);
    EXPECT_GT(CompareDates(L"2025-12-31", L"2026-01-01"), 0);
    EXPECT_LT(CompareDates(L"2026-02-01", L"2026-01-31"), 0);
    EXPECT_EQ(CompareDates(L"2026-12-08 23:59", L"2026-12-08"), 0);  // cut at the blank
}

TEST(NoticeDates, MissingDashesAndJunk) {
    EXPECT_EQ(CompareDates(L"2026-12-08", L"20261208"), -1);  // b without "-"
    EXPECT_EQ(CompareDates(L"", L""), 0);
    EXPECT_EQ(CompareDates(L"20261208", L"2026-12-08"), 1);   // a without "-"
    EXPECT_EQ(CompareDates(L"2026-12", L"2026-12-08"), 1);    // a without its second "-"
    EXPECT_EQ(CompareDates(L"2026-12-08", L"2026-12"), -1);   // b without its second "-"
    EXPECT_EQ(CompareDates(L"abc-def-ghi", L"2026-12-08"), 2026);
    // Only 15 characters count: the day of a padded text is cut away.
    EXPECT_EQ(CompareDates(L"0000000002026-12-31", L"2026-12-08"), 1);
    EXPECT_EQ(CompareDates(L"99999999999-1-1", L"0-1-1"), -2147483647);
}

TEST(NoticeDates, ExpiryKeepsTheLastDay) {
    Notice notice;
    notice.lastDay = L"2026-12-08";
    EXPECT_FALSE(NoticeExpired(notice, L"2026-12-08"));
    EXPECT_FALSE(NoticeExpired(notice, L"2026-12-07"));
    EXPECT_TRUE(NoticeExpired(notice, L"2026-12-09"));
    EXPECT_EQ(FormatNoticeDate(2026, 1, 5), L"2026-01-05");
}

TEST(NoticeLayoutRules, PictureAndContentChooseTheLayout) {
    Notice notice;
    EXPECT_EQ(ChooseNoticeLayout(notice), NoticeLayout::TextOnly);
    notice.content = L"c";
    EXPECT_EQ(ChooseNoticeLayout(notice), NoticeLayout::TextOnly);
    notice.pictureUrl = L"http://x/p";
    EXPECT_EQ(ChooseNoticeLayout(notice), NoticeLayout::PictureAndText);
    notice.content.clear();
    EXPECT_EQ(ChooseNoticeLayout(notice), NoticeLayout::PictureOnly);
    EXPECT_FALSE(LayoutHasPicture(NoticeLayout::TextOnly));
    EXPECT_TRUE(LayoutHasPicture(NoticeLayout::PictureOnly));
}

TEST(NoticeLayoutRules, ContentIsCutAndAlwaysEndsInDots) {
    const std::wstring exactly54(54, L'字');
    EXPECT_EQ(ShortenedContent(exactly54, kPictureLayoutContentChars), exactly54 + L"...");
    EXPECT_EQ(ShortenedContent(exactly54 + L"多", kPictureLayoutContentChars), exactly54 + L"...");
    EXPECT_EQ(ShortenedContent(L"短", kTextLayoutContentChars), L"短...");
    const std::wstring long80(80, L'a');
    EXPECT_EQ(ShortenedContent(long80, kTextLayoutContentChars), std::wstring(71, L'a') + L"...");
}

namespace {
std::vector<unsigned char> Png(unsigned long width, unsigned long height) {
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (unsigned long value : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<unsigned char>(value >> shift));
    return png;
}
}  // namespace

TEST(NoticePictureCheck, EachKindGivesItsSizeFromItsHeader) {
    const std::vector<unsigned char> png = Png(75, 80);
    EXPECT_EQ(PictureDimensions(png.data(), png.size())->width, 75);
    EXPECT_EQ(PictureDimensions(png.data(), png.size())->height, 80);
    const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 0x2C, 0x01, 0xC8, 0x00};
    EXPECT_EQ(PictureDimensions(gif, sizeof gif)->width, 300);
    EXPECT_EQ(PictureDimensions(gif, sizeof gif)->height, 200);
    unsigned char bmp[26] = {'B', 'M'};
    bmp[14] = 40;
    bmp[18] = 10;                                   // width 10
    bmp[22] = 0xF6, bmp[23] = bmp[24] = bmp[25] = 0xFF;  // height -10: stored top-down
    EXPECT_EQ(PictureDimensions(bmp, sizeof bmp)->height, 10);
    // A JPEG's size is in its frame header, after whatever segments come first.
    const unsigned char jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xFF, 0xC2, 0, 11, 8, 0x01, 0x00, 0x02, 0x00};
    EXPECT_EQ(PictureDimensions(jpeg, sizeof jpeg)->width, 512);
    EXPECT_EQ(PictureDimensions(jpeg, sizeof jpeg)->height, 256);
}

TEST(NoticePictureCheck, OnlyAPictureOfASaneSizeIsDecoded) {
    const std::vector<unsigned char> fine = Png(2048, 1);
    EXPECT_TRUE(IsAcceptableNoticePicture(fine.data(), fine.size()));
    for (const auto& huge : {Png(2049, 10), Png(10, 65536), Png(0, 10), Png(0xFFFFFFFF, 0xFFFFFFFF)}) {
        EXPECT_FALSE(IsAcceptableNoticePicture(huge.data(), huge.size()));
    }
    std::vector<unsigned char> large = Png(100, 100);
    large.resize(kMaxNoticePictureBytes + 1);  // more than 1 MiB on disk
    EXPECT_FALSE(IsAcceptableNoticePicture(large.data(), large.size()));
    large.resize(kMaxNoticePictureBytes);
    EXPECT_TRUE(IsAcceptableNoticePicture(large.data(), large.size()));

    // Not a picture, or its header cut short: an error page must not replace the one kept.
    const std::string errorPage = "500 Internal Server Error\n";
    EXPECT_FALSE(IsAcceptableNoticePicture(reinterpret_cast<const unsigned char*>(errorPage.data()), errorPage.size()));
    EXPECT_FALSE(IsAcceptableNoticePicture(fine.data(), 23));
    EXPECT_FALSE(IsAcceptableNoticePicture(nullptr, 0));
    const unsigned char gif90[] = {'G', 'I', 'F', '9', '0', 'a', 1, 0, 1, 0};
    EXPECT_FALSE(IsAcceptableNoticePicture(gif90, sizeof gif90));
    const unsigned char endlessJpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0};  // a segment that cannot be
    EXPECT_FALSE(IsAcceptableNoticePicture(endlessJpeg, sizeof endlessJpeg));
}

TEST(NoticeText, ALineBreakOrAnyControlCharacterRefusesTheWholeNotice) {
    const std::wstring line = L"k|2099-12-31|t|http://h/d|c||1";
    EXPECT_TRUE(ParseNotice(line));
    EXPECT_EQ(WithoutFinalLineBreak(line + L"\r\n"), line);  // a text file's last line end
    EXPECT_EQ(WithoutFinalLineBreak(line + L"\n"), line);
    for (const std::wstring& bad : {std::wstring(L"k|2099-12-31|t\r\nShortKey=0,27|http://h/d|c||1"),
                                    std::wstring(L"k|2099-12-31|t|http://h/d|c\n||1"),
                                    std::wstring(L"k|2099-12-31|t|http://h/d|c||1\r\n"), std::wstring(L"k|2099|t|u|c|\0|1", 17),
                                    std::wstring(L"k|2099-12-31|t\x7f|u|c||1"), std::wstring(L"k|2099-12-31|\tt|u|c||1")}) {
        EXPECT_FALSE(ParseNotice(bad)) << testing::PrintToString(bad);
    }
}

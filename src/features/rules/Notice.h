// The operator's notice: one line of seven "|"-separated fields, whether it may be shown,
// its last day against today, its layout and the texts its labels show.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

// Field limits (characters); longer fields are cut to them.
inline constexpr std::size_t kNoticeKeyLimit = 31;
inline constexpr std::size_t kNoticeDateLimit = 31;
inline constexpr std::size_t kNoticeTitleLimit = 63;
inline constexpr std::size_t kNoticeUrlLimit = 511;
inline constexpr std::size_t kNoticeContentLimit = 511;
// The content label shows this many characters, then "...", in each text layout.
inline constexpr std::size_t kPictureLayoutContentChars = 54;
inline constexpr std::size_t kTextLayoutContentChars = 71;

struct Notice {
    std::wstring key;
    std::wstring lastDay;  // year-month-day
    std::wstring title;
    std::wstring detailUrl;
    std::wstring content;
    std::wstring pictureUrl;
    int maxShow = 0;
};

// The fields of a notice line; nothing when it has fewer than six "|" or holds a control
// character anywhere (the line is stored in the settings file, where a line break would
// write lines of its own). The show count is the leading decimal digits of the rest (none:
// 0; too many: the largest int).
std::optional<Notice> ParseNotice(const std::wstring& text);

// Whether the fetched text may be shown, given the stored "PopInfo" and "PopEnable": a new
// notice (nothing stored, or the stored one no longer within the text) always; the same one
// unless the user dismissed it ("0").
bool ShouldShowNotice(const std::wstring& text, const std::wstring& popInfo, const std::wstring& popEnable);

// Compares two year-month-day texts: positive when b is later than a, negative when
// earlier, 0 when equal. Each is cut to 15 characters and at its first blank; a missing "-"
// makes the text count as no date (see the tests for every case).
int CompareDates(const std::wstring& a, const std::wstring& b);

// "%04d-%02d-%02d".
std::wstring FormatNoticeDate(int year, int month, int day);

// A notice whose last day is before today is over.
bool NoticeExpired(const Notice& notice, const std::wstring& today);

enum class NoticeLayout { PictureAndText, TextOnly, PictureOnly };
NoticeLayout ChooseNoticeLayout(const Notice& notice);
bool LayoutHasPicture(NoticeLayout layout);

// The notice's picture is decoded only when it is at most 1 MiB and its header gives a width
// and height of 1 to 2048 pixels: a huge picture would cost the decoder memory it cannot
// spare, and an error page or an empty answer must not take the place of the picture kept
// from before.
inline constexpr std::size_t kMaxNoticePictureBytes = 1024 * 1024;
inline constexpr int kMaxNoticePictureSide = 2048;

struct PictureSize {
    long width = 0;
    long height = 0;
};
// The width and height the header of a JPEG, PNG, GIF or BMP file gives; nothing for
// anything else or a header cut short.
std::optional<PictureSize> PictureDimensions(const unsigned char* bytes, std::size_t size);
// Whether `size` bytes (the whole file) may be decoded as the notice picture.
bool IsAcceptableNoticePicture(const unsigned char* bytes, std::size_t size);

// The notice text as it came, less the line break a text file may end with.
std::wstring WithoutFinalLineBreak(const std::wstring& text);

// The first `chars` characters of the content followed by "...".
std::wstring ShortenedContent(const std::wstring& content, std::size_t chars);

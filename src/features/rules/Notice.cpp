#include "features/rules/Notice.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>
#include <initializer_list>
#include <vector>

namespace {
std::wstring Cut(std::wstring text, std::size_t limit) {
    if (text.size() > limit) text.resize(limit);
    return text;
}

// Leading decimal digits; none give 0, too many give the largest int.
int LeadingNumber(const std::wstring& text, std::size_t from = 0) {
    long long value = 0;
    for (std::size_t i = from; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

// The text as the date comparison sees it: at most 15 characters, up to the first blank.
std::wstring DateText(const std::wstring& text) {
    std::wstring cut = Cut(text, 15);
    const std::size_t blank = cut.find(L' ');
    if (blank != std::wstring::npos) cut.resize(blank);
    return cut;
}
}  // namespace

std::optional<Notice> ParseNotice(const std::wstring& text) {
    for (wchar_t c : text)
        if (c < 0x20 || c == 0x7F) return std::nullopt;
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (int i = 0; i < 6; ++i) {
        const std::size_t bar = text.find(L'|', start);
        if (bar == std::wstring::npos) return std::nullopt;
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    Notice notice;
    notice.key = Cut(fields[0], kNoticeKeyLimit);
    notice.lastDay = Cut(fields[1], kNoticeDateLimit);
    notice.title = Cut(fields[2], kNoticeTitleLimit);
    notice.detailUrl = Cut(fields[3], kNoticeUrlLimit);
    notice.content = Cut(fields[4], kNoticeContentLimit);
    notice.pictureUrl = Cut(fields[5], kNoticeUrlLimit);
    notice.maxShow = LeadingNumber(text, start);
    return notice;
}

bool ShouldShowNotice(const std::wstring& text, const std::wstring& popInfo, const std::wstring& popEnable) {
    if (text.empty()) return false;
    if (popInfo.empty() || text.find(popInfo) == std::wstring::npos) return true;
    return popEnable != L"0";
}

int CompareDates(const std::wstring& aText, const std::wstring& bText) {
    const std::wstring a = DateText(aText);
    const std::wstring b = DateText(bText);
    std::size_t aAt = 0;
    std::size_t bAt = 0;
    for (int part = 0; part < 3; ++part) {
        if (part < 2) {
            // Each of the first two parts must end in a "-" in both texts.
            const std::size_t aDash = a.find(L'-', aAt);
            const std::size_t bDash = b.find(L'-', bAt);
            if (bDash == std::wstring::npos) return aDash != std::wstring::npos ? -1 : 0;
            if (aDash == std::wstring::npos) return 1;
            const int difference = LeadingNumber(b, bAt) - LeadingNumber(a, aAt);
            if (difference != 0) return difference;
            aAt = aDash + 1;
            bAt = bDash + 1;
        } else {
            return LeadingNumber(b, bAt) - LeadingNumber(a, aAt);
        }
    }
    return 0;
}

std::wstring FormatNoticeDate(int year, int month, int day) {
    wchar_t text[64] = {};
    swprintf(text, 64, L"%04d-%02d-%02d", year, month, day);
    return text;
}

bool NoticeExpired(const Notice& notice, const std::wstring& today) { return CompareDates(notice.lastDay, today) > 0; }

NoticeLayout ChooseNoticeLayout(const Notice& notice) {
    if (notice.pictureUrl.empty()) return NoticeLayout::TextOnly;
    return notice.content.empty() ? NoticeLayout::PictureOnly : NoticeLayout::PictureAndText;
}

bool LayoutHasPicture(NoticeLayout layout) { return layout != NoticeLayout::TextOnly; }

std::wstring ShortenedContent(const std::wstring& content, std::size_t chars) { return Cut(content, chars) + L"..."; }

namespace {
unsigned long BigEndian(const unsigned char* p, int count) {
    unsigned long value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | p[i];
    return value;
}

unsigned long LittleEndian(const unsigned char* p, int count) {
    unsigned long value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

bool StartsWith(const unsigned char* bytes, std::size_t size, std::initializer_list<unsigned char> signature) {
    return bytes && size >= signature.size() && std::equal(signature.begin(), signature.end(), bytes);
}

// The frame header's size, found by walking the segments from the start.
std::optional<PictureSize> JpegDimensions(const unsigned char* bytes, std::size_t size) {
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (bytes[at] != 0xFF) return std::nullopt;
        const unsigned char marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const std::size_t length = BigEndian(bytes + at + 2, 2);
        if (length < 2) return std::nullopt;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > size) return std::nullopt;
            return PictureSize{static_cast<long>(BigEndian(bytes + at + 7, 2)), static_cast<long>(BigEndian(bytes + at + 5, 2))};
        }
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // end, or image data before any frame
        at += 2 + length;
    }
    return std::nullopt;
}
}  // namespace

std::optional<PictureSize> PictureDimensions(const unsigned char* bytes, std::size_t size) {
    if (StartsWith(bytes, size, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) {
        if (size < 24 || !StartsWith(bytes + 12, size - 12, {'I', 'H', 'D', 'R'})) return std::nullopt;
        return PictureSize{static_cast<long>(BigEndian(bytes + 16, 4) & 0x7FFFFFFF),
                           static_cast<long>(BigEndian(bytes + 20, 4) & 0x7FFFFFFF)};
    }
    if (StartsWith(bytes, size, {'G', 'I', 'F', '8', '7', 'a'}) || StartsWith(bytes, size, {'G', 'I', 'F', '8', '9', 'a'})) {
        if (size < 10) return std::nullopt;
        return PictureSize{static_cast<long>(LittleEndian(bytes + 6, 2)), static_cast<long>(LittleEndian(bytes + 8, 2))};
    }
    if (StartsWith(bytes, size, {'B', 'M'})) {
        if (size < 26) return std::nullopt;
        const unsigned long header = LittleEndian(bytes + 14, 4);
        if (header == 12)
            return PictureSize{static_cast<long>(LittleEndian(bytes + 18, 2)), static_cast<long>(LittleEndian(bytes + 20, 2))};
        // Signed: a negative height is a picture stored top-down.
        const long width = static_cast<std::int32_t>(LittleEndian(bytes + 18, 4));
        const long height = static_cast<std::int32_t>(LittleEndian(bytes + 22, 4));
        if (header < 40 || width == INT32_MIN || height == INT32_MIN) return std::nullopt;
        return PictureSize{width < 0 ? -width : width, height < 0 ? -height : height};
    }
    if (StartsWith(bytes, size, {0xFF, 0xD8, 0xFF})) return JpegDimensions(bytes, size);
    return std::nullopt;
}

bool IsAcceptableNoticePicture(const unsigned char* bytes, std::size_t size) {
    if (size > kMaxNoticePictureBytes) return false;
    const std::optional<PictureSize> dimensions = PictureDimensions(bytes, size);
    return dimensions && dimensions->width >= 1 && dimensions->height >= 1 &&
           dimensions->width <= kMaxNoticePictureSide && dimensions->height <= kMaxNoticePictureSide;
}

std::wstring WithoutFinalLineBreak(const std::wstring& text) {
    std::wstring line = text;
    if (!line.empty() && line.back() == L'\n') line.pop_back();
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    return line;
}

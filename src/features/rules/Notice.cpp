#include "features/rules/Notice.h"

#include <algorithm>
#include <climits>
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

bool LooksLikePicture(const unsigned char* bytes, std::size_t size) {
    const auto startsWith = [&](std::initializer_list<unsigned char> signature) {
        return size >= signature.size() && std::equal(signature.begin(), signature.end(), bytes);
    };
    return startsWith({0xFF, 0xD8, 0xFF}) || startsWith({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}) ||
           startsWith({'G', 'I', 'F', '8', '7', 'a'}) || startsWith({'G', 'I', 'F', '8', '9', 'a'}) ||
           startsWith({'B', 'M'});
}

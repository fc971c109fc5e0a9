// The operator's notice line, as the notice service sends it.
#include "FuzzInput.h"
#include "features/rules/Notice.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring line = in.Text();
    const std::wstring today = in.Text();
    const size_t chars = static_cast<size_t>(static_cast<uint32_t>(in.Int()) % 4096);
    const size_t bytes = static_cast<size_t>(static_cast<uint32_t>(in.Int()));
    const std::string picture = in.Bytes();
    IsAcceptableNoticePicture(reinterpret_cast<const unsigned char*>(picture.data()), std::min(bytes, picture.size()));
    const auto notice = ParseNotice(line);
    if (!notice) return 0;
    // Nothing that could start a line of its own in the settings file gets through.
    for (const std::wstring* field : {&notice->key, &notice->lastDay, &notice->title, &notice->detailUrl,
                                      &notice->content, &notice->pictureUrl}) {
        for (wchar_t c : *field) FUZZ_CHECK(c >= 0x20 && c != 0x7F);
    }
    NoticeExpired(*notice, today);
    LayoutHasPicture(ChooseNoticeLayout(*notice));
    const std::wstring shortened = ShortenedContent(notice->content, chars);
    FUZZ_CHECK(shortened.size() <= notice->content.size() + 3);
    return 0;
}

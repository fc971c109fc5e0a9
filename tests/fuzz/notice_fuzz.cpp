// The operator's notice line, as the notice service sends it.
#include "FuzzInput.h"
#include "features/rules/Notice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring line = in.Text();
    const std::wstring today = in.Text();
    const size_t chars = static_cast<size_t>(static_cast<uint32_t>(in.Int()) % 4096);
    const auto notice = ParseNotice(line);
    if (!notice) return 0;
    NoticeExpired(*notice, today);
    LayoutHasPicture(ChooseNoticeLayout(*notice));
    const std::wstring shortened = ShortenedContent(notice->content, chars);
    FUZZ_CHECK(shortened.size() <= notice->content.size() + 3);
    return 0;
}

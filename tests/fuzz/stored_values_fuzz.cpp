// Values read back from Statistic.ini, which anyone may edit: dates, counters, hot keys and
// the notice state.
#include "FuzzInput.h"
#include "app/rules/ActivityStats.h"
#include "features/rules/HotKeys.h"
#include "features/rules/Notice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::wstring date = in.Text();
    if (const auto parsed = ParseStoredDate(date)) {
        // What is written back reads as the same day.
        const auto again = ParseStoredDate(FormatStoredDate(*parsed));
        FUZZ_CHECK(again && DaysBetween(*parsed, *again) == 0);
    }
    StoredUnsigned(in.Text());
    const HotKey key = ParseHotKey(in.Text());
    FUZZ_CHECK(key.modifiers >= 0 && key.vk >= 0);
    FUZZ_CHECK(ParseHotKey(HotKeyToStored(key)) == key);
    FormatHotKey(key.vk, key.modifiers);
    const std::wstring text = in.Text();
    const std::wstring popInfo = in.Text();
    const std::wstring popEnable = in.Text();
    ShouldShowNotice(text, popInfo, popEnable);
    CompareDates(popInfo, popEnable);
    return 0;
}

// The wrapping label with a text, a rectangle and measurements of any kind, hostile ones
// included (negative, zero, enormous widths).
#include "FuzzInput.h"
#include "skin/rules/LabelWrap.h"

#include <vector>

namespace {
class HostileMeasurer : public skin::TextMeasurer {
public:
    explicit HostileMeasurer(std::vector<int> widths) : m_widths(std::move(widths)) {}
    int WidthOf(const std::wstring& text) const override {
        if (m_widths.empty()) return 0;
        return m_widths[(text.size() + m_calls++) % m_widths.size()];
    }

private:
    std::vector<int> m_widths;
    mutable size_t m_calls = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    skin::LabelWrapInput input;
    input.textRect = Rect{in.Int() % 5000, in.Int() % 5000, in.Int() % 5000, in.Int() % 5000};
    input.lineHeight = in.Int();
    input.lineSpacing = in.Int();
    input.averageCharWidth = in.Int();
    std::vector<int> widths;
    for (int i = 0; i < 4; ++i) widths.push_back(in.Int());
    input.text = in.Text();
    const auto lines = skin::WrapLabelText(input, HostileMeasurer(widths));
    // Every character is on at most one line.
    size_t shown = 0;
    for (const auto& line : lines) shown += line.text.size();
    FUZZ_CHECK(shown <= input.text.size());
    skin::LabelHeightForLines(static_cast<int>(lines.size()), input.lineHeight, input.lineSpacing);
    skin::GrownLabelHeight(in.Int(), static_cast<int>(lines.size()), input.lineHeight, input.lineSpacing);
    skin::AverageCharWidth(in.Int());
    return 0;
}

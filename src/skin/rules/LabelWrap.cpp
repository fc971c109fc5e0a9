#include "skin/rules/LabelWrap.h"

#include <climits>

namespace skin {
namespace {

// Sums and products of measurements saturate instead of overflowing: a font or a label
// size gone wild gives a huge label, never undefined arithmetic.
int Saturated(long long value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

class LineBuilder {
public:
    LineBuilder(Rect first, int step) : rect_(first), step_(step) {}

    // Ends the current line (even an empty one: it still takes its height).
    void Break(std::vector<LabelLine>& out) {
        out.push_back({std::move(text_), rect_});
        text_.clear();
        rect_.top = Saturated(static_cast<long long>(rect_.top) + step_);
        rect_.bottom = Saturated(static_cast<long long>(rect_.bottom) + step_);
    }
    std::wstring& text() { return text_; }

private:
    std::wstring text_;
    Rect rect_;
    int step_;
};

}  // namespace

int AverageCharWidth(int sampleWidth) { return sampleWidth / kAverageWidthSampleCount; }

std::vector<LabelLine> WrapLabelText(const LabelWrapInput& in, const TextMeasurer& measure) {
    std::vector<LabelLine> lines;
    const int width = in.textRect.Width();
    if (width < in.averageCharWidth || width <= 0) return lines;

    LineBuilder line(in.textRect, Saturated(static_cast<long long>(in.lineHeight) + in.lineSpacing));
    for (std::size_t i = 0; i < in.text.size();) {
        const wchar_t ch = in.text[i];
        if (ch == L'\r') {
            ++i;
        } else if (ch == L'\n') {
            line.Break(lines);
            ++i;
        } else if (line.text().empty() || measure.WidthOf(line.text() + ch) <= width) {
            // An empty line takes any character, even one wider than the
            // rectangle; otherwise that character would be retried forever.
            line.text() += ch;
            ++i;
        } else {
            line.Break(lines);  // the same character again, on the new line
        }
    }
    line.Break(lines);
    return lines;
}

int LabelHeightForLines(int lines, int lineHeight, int lineSpacing) {
    if (lines <= 0) return 0;
    const int step = Saturated(static_cast<long long>(lineHeight) + lineSpacing);
    return Saturated(lineHeight + static_cast<long long>(lines - 1) * step);
}

int GrownLabelHeight(int currentHeight, int lines, int lineHeight, int lineSpacing) {
    const int needed = LabelHeightForLines(lines, lineHeight, lineSpacing);
    return currentHeight < needed ? needed : currentHeight;
}

}  // namespace skin

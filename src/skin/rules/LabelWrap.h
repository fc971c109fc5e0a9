// The wrapping label: how its text breaks into lines, where each line is
// drawn, and how tall the label must grow to show them all.
#pragma once

#include <string>
#include <vector>

#include "framework/rules/Geometry.h"

namespace skin {

// Width in pixels of a text drawn on one line with the label's font.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int WidthOf(const std::wstring& text) const = 0;
};

// Ten characters measured with a count of 11 (their terminating zero
// included); the width divided by 11 is the average character width and the
// height is the line height.
constexpr const wchar_t* kAverageWidthSample = L"测试用汉字来获取宽度";
constexpr int kAverageWidthSampleCount = 11;

constexpr int kDefaultLineSpacing = 3;

int AverageCharWidth(int sampleWidth);

struct LabelLine {
    std::wstring text;
    Rect rect;  // the text rectangle moved down by the lines above
};

struct LabelWrapInput {
    std::wstring text;
    Rect textRect;
    int lineHeight = 0;
    int lineSpacing = kDefaultLineSpacing;
    int averageCharWidth = 0;
};

// Carriage returns are skipped, line feeds break, and a character that does
// not fit goes to a new line. A character wider than the whole rectangle
// stands alone on its line, so every text wraps in a bounded number of
// lines. An empty rectangle, or one narrower than one average character,
// shows nothing.
std::vector<LabelLine> WrapLabelText(const LabelWrapInput& in, const TextMeasurer& measure);

// Height that shows `lines` lines: the first line plus, for each further
// line, a line and its spacing.
int LabelHeightForLines(int lines, int lineHeight, int lineSpacing);

// The height to grow the label to, or its current height when that suffices.
int GrownLabelHeight(int currentHeight, int lines, int lineHeight, int lineSpacing);

}  // namespace skin

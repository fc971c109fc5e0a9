#include "skin/rules/MessageBoxLayout.h"

#include <algorithm>

#include "skin/rules/ButtonStates.h"

namespace skin {
namespace {

constexpr int kSideMargin = 60;         // total, beside the text or the two buttons
constexpr int kFixedHeight = 90;        // band, text top margin and button margins
constexpr int kLineGap = 3;
constexpr int kFirstLineTop = 55;
constexpr int kButtonBottomMargin = 30;
constexpr int kHalfButtonGap = 10;

bool HasTwoButtons(int type) { return type == kMsgBoxOkCancel || type == kMsgBoxYesNo; }

}  // namespace

FrameMetrics MessageBoxFrameMetrics() {
    FrameMetrics m;
    m.captionHeight = 30;
    m.border = 4;
    m.buttonRight = 0;
    m.buttonTop = 0;
    m.buttonGap = 0;
    return m;
}

int CountMessageLines(const std::wstring& text) {
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), L'\n'));
}

std::vector<std::wstring> SplitMessageLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring::size_type start = 0;
    for (;;) {
        const auto end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (end != std::wstring::npos && !line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::wstring::npos) return lines;
        start = end + 1;
    }
}

Size MessageBoxWindowSize(const MessageMeasure& m) {
    const Size button = StatePictureSize(m.buttonStrip);
    const int twoButtons = 2 * button.cx + kSideMargin;
    const int width = twoButtons >= m.textWidth ? twoButtons : m.textWidth + kSideMargin;
    const int height = kLineGap * m.lines + kFixedHeight + m.textHeight + button.cy;
    return Size{width, height};
}

std::vector<MessageBoxButton> MessageBoxButtons(Size client, Size buttonStrip, int type) {
    const Size b = StatePictureSize(buttonStrip);
    const int top = client.cy - kButtonBottomMargin - b.cy;
    const int middle = client.cx / 2;

    if (!HasTwoButtons(type)) {
        return {{kMsgBoxFirstButtonId, Rect::FromXYWH((client.cx - b.cx) / 2, top, b.cx, b.cy), L"确定"}};
    }
    const bool yesNo = type == kMsgBoxYesNo;
    return {
        {kMsgBoxFirstButtonId, Rect::FromXYWH(middle - kHalfButtonGap - b.cx, top, b.cx, b.cy),
         yesNo ? L"是" : L"确定"},
        {kMsgBoxSecondButtonId, Rect::FromXYWH(middle + kHalfButtonGap, top, b.cx, b.cy),
         yesNo ? L"否" : L"取消"},
    };
}

std::vector<MessageTextLine> MessageBoxTextLines(const std::wstring& text, Size client,
                                                 const MessageMeasure& m) {
    const int lineCount = std::max(m.lines, 1);
    const int lineHeight = m.textHeight / lineCount;
    const int left = (client.cx - m.textWidth) / 2;

    std::vector<MessageTextLine> out;
    int top = kFirstLineTop;
    for (std::wstring& line : SplitMessageLines(text)) {
        out.push_back({std::move(line), Rect::FromXYWH(left, top, m.textWidth, lineHeight)});
        top += kLineGap + lineHeight;
    }
    return out;
}

std::optional<int> MessageBoxResultForCommand(int commandId, int type) {
    const bool yesNo = type == kMsgBoxYesNo;
    if (commandId == kMsgBoxFirstButtonId) return yesNo ? kResultYes : kResultOk;
    if (commandId == kMsgBoxSecondButtonId) return yesNo ? kResultNo : kResultCancel;
    return std::nullopt;
}

}  // namespace skin

// The skinned message box: its size from the measured text, its buttons,
// where each text line goes, and what each way of ending it returns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/rules/Geometry.h"
#include "skin/rules/FrameMetrics.h"

namespace skin {

// Button sets, with the system message box's style values.
constexpr int kMsgBoxOk = 0;
constexpr int kMsgBoxOkCancel = 1;
constexpr int kMsgBoxYesNo = 4;

// Modal results.
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;
constexpr int kResultYes = 6;
constexpr int kResultNo = 7;
// Closing the window, whatever the button set.
constexpr int kResultClosed = kResultCancel;

constexpr int kMsgBoxFirstButtonId = 5000;
constexpr int kMsgBoxSecondButtonId = 5001;

constexpr const wchar_t* kMsgBoxCaption = L"QuarnelHalvira";

FrameMetrics MessageBoxFrameMetrics();

// 1 + the number of line feeds.
int CountMessageLines(const std::wstring& text);

// The lines as drawn, split at line feeds; a carriage return before a line
// feed is dropped so "\r\n" texts draw no stray glyph.
std::vector<std::wstring> SplitMessageLines(const std::wstring& text);

struct MessageMeasure {
    int textWidth = 0;    // the whole text, measured without word wrap
    int textHeight = 0;
    int lines = 1;
    Size buttonStrip;     // the push button's four-state strip
};

Size MessageBoxWindowSize(const MessageMeasure& m);

struct MessageBoxButton {
    int id = 0;
    Rect rect;  // client coordinates
    std::wstring text;
};

// One button for any set but OK/Cancel and Yes/No.
std::vector<MessageBoxButton> MessageBoxButtons(Size client, Size buttonStrip, int type);

struct MessageTextLine {
    std::wstring text;
    Rect rect;  // drawn left-aligned, on one line, inside this rectangle
};

std::vector<MessageTextLine> MessageBoxTextLines(const std::wstring& text, Size client,
                                                 const MessageMeasure& m);

// The result a button command ends the box with; nothing for other commands.
std::optional<int> MessageBoxResultForCommand(int commandId, int type);

}  // namespace skin

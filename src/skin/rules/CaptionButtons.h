// Where the frame's caption buttons (close, maximise, minimise) stand: side
// by side from the window's right edge, in that order.
#pragma once

#include <optional>

#include "framework/rules/Geometry.h"
#include "skin/rules/FrameMetrics.h"

namespace skin {

constexpr int kCloseButtonId = 50000;
constexpr int kMinimizeButtonId = 50001;
constexpr int kMaximizeButtonId = 50002;

constexpr const wchar_t* kCloseTooltip = L"关闭";
constexpr const wchar_t* kMinimizeTooltip = L"最小化";

struct CaptionButtonRects {
    std::optional<Rect> close;
    std::optional<Rect> maximize;
    std::optional<Rect> minimize;
};

// Buttons made from their image strips (one state = a quarter of the strip's
// width). An absent strip makes no button, and the next button takes its place.
CaptionButtonRects LayoutCaptionButtons(int width, const FrameMetrics& metrics,
                                        const std::optional<Size>& closeStrip,
                                        const std::optional<Size>& maximizeStrip,
                                        const std::optional<Size>& minimizeStrip);

// After a size change: the existing buttons keep their size and top and
// follow the new right edge, with the same spacing they were created with.
CaptionButtonRects RelayoutCaptionButtons(int newClientWidth, const FrameMetrics& metrics,
                                          const CaptionButtonRects& existing);

}  // namespace skin

// The wrapping label's picture and text placement, and the text format its
// window style asks for.
#pragma once

#include <cstdint>

#include "framework/rules/Geometry.h"

namespace skin {

constexpr const wchar_t* kLabelFontFace = L"微软雅黑";
constexpr int kLabelDefaultFontHeight = -12;  // used when the owner leaves the height at 0

struct LabelPlacement {
    bool hasPicture = false;
    Point picture;  // top-left of the picture
    Rect text;      // where the text wraps
};

// The picture, when there is one (non-empty size), stands 3 pixels from the
// left, centred vertically; the text's left edge moves right by the
// picture's width plus 6.
LabelPlacement PlaceLabel(Size client, Size picture);

// Static-control styles and text-drawing flags, with the platform's values.
namespace style {
constexpr std::uint32_t kTypeMask = 0x1F;
constexpr std::uint32_t kCenter = 0x1;      // values of the type field, not bits
constexpr std::uint32_t kRight = 0x2;
constexpr std::uint32_t kCenterImage = 0x200;
constexpr std::uint32_t kEllipsisMask = 0xC000;
constexpr std::uint32_t kEndEllipsis = 0x4000;
constexpr std::uint32_t kWordEllipsis = 0xC000;
}  // namespace style

namespace draw {
constexpr std::uint32_t kCenter = 0x1;
constexpr std::uint32_t kRight = 0x2;
constexpr std::uint32_t kVCenter = 0x4;
constexpr std::uint32_t kWordBreak = 0x10;
constexpr std::uint32_t kSingleLine = 0x20;
constexpr std::uint32_t kEndEllipsis = 0x8000;
constexpr std::uint32_t kWordEllipsis = 0x40000;
}  // namespace draw

// Word-break, plus alignment and ellipsis from the style. The ellipsis kinds
// share bits, so they are told apart by the whole ellipsis field.
std::uint32_t LabelTextFormat(std::uint32_t windowStyle);

}  // namespace skin

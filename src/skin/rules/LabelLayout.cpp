#include "skin/rules/LabelLayout.h"

namespace skin {
namespace {

constexpr int kPictureLeft = 3;
constexpr int kTextAfterPicture = 6;

}  // namespace

LabelPlacement PlaceLabel(Size client, Size picture) {
    LabelPlacement p;
    p.text = Rect{0, 0, client.cx, client.cy};
    p.hasPicture = picture.cx > 0 && picture.cy > 0;
    if (p.hasPicture) {
        p.picture = Point{kPictureLeft, (client.cy - picture.cy) / 2};
        p.text.left += picture.cx + kTextAfterPicture;
    }
    return p;
}

std::uint32_t LabelTextFormat(std::uint32_t windowStyle) {
    std::uint32_t format = draw::kWordBreak;
    switch (windowStyle & style::kTypeMask) {
        case style::kCenter: format |= draw::kCenter | draw::kVCenter; break;
        case style::kRight: format |= draw::kRight; break;
        default: break;
    }
    switch (windowStyle & style::kEllipsisMask) {
        case style::kEndEllipsis: format |= draw::kEndEllipsis; break;
        case style::kWordEllipsis: format |= draw::kWordEllipsis | draw::kSingleLine; break;
        default: break;
    }
    if (windowStyle & style::kCenterImage) format |= draw::kVCenter | draw::kSingleLine;
    return format;
}

}  // namespace skin

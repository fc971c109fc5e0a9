#include "skin/rules/ButtonStates.h"

namespace skin {

Size StatePictureSize(Size strip) { return Size{strip.cx / kButtonStateCount, strip.cy}; }

Rect StatePictureSource(Size strip, int index) {
    const Size one = StatePictureSize(strip);
    return Rect::FromXYWH(index * one.cx, 0, one.cx, one.cy);
}

Rect ImageButtonRect(int right, int top, Size strip) {
    const Size one = StatePictureSize(strip);
    return Rect::FromXYWH(right - one.cx, top, one.cx, one.cy);
}

bool PictureNeedsStretch(Size picture, Size button) { return !(picture == button); }

ButtonPicture ButtonMouseState::ChoosePicture(bool disabled, bool selected) {
    if (disabled) return kPictureDisabled;
    if (selected || pressed_) {
        pressed_ = true;
        return kPicturePressed;
    }
    return hover_ ? kPictureHover : kPictureNormal;
}

}  // namespace skin

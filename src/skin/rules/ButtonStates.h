// The image button's rules: four state pictures side by side in one strip,
// which picture a paint shows, and how the mouse moves between them.
#pragma once

#include "framework/rules/Geometry.h"

namespace skin {

enum ButtonPicture { kPictureNormal = 0, kPictureHover = 1, kPicturePressed = 2, kPictureDisabled = 3 };
constexpr int kButtonStateCount = 4;

constexpr unsigned kButtonHoverTimeMs = 10;
constexpr unsigned kButtonTooltipDelayMs = 660;

// One state picture of a strip: a quarter of its width, its full height.
Size StatePictureSize(Size strip);
// Where picture `index` lies in the strip.
Rect StatePictureSource(Size strip, int index);

// A button one picture wide and the strip's height, right edge at `right`.
Rect ImageButtonRect(int right, int top, Size strip);

// A picture of another size than the button is stretched onto it.
bool PictureNeedsStretch(Size picture, Size button);

// Hover, tracking and the pressed latch of one button, driven by its messages.
class ButtonMouseState {
public:
    // Which picture to paint for the item state the platform reports. A
    // selected button latches "pressed" until the left button is released,
    // so sliding off a held button keeps the pressed look.
    ButtonPicture ChoosePicture(bool disabled, bool selected);
    // Disabled text is drawn in the system's grey.
    static bool UsesGrayText(ButtonPicture picture) { return picture == kPictureDisabled; }

    // Mouse move: true when hover/leave notifications should be requested now.
    bool NeedsTracking() const { return !tracking_; }
    void OnTrackingRequested(bool succeeded) { tracking_ = succeeded; }
    void OnHover() { hover_ = true; }
    void OnLeave() { hover_ = false; tracking_ = false; }
    void OnLeftButtonUp() { pressed_ = false; }

    bool hover() const { return hover_; }
    bool pressed() const { return pressed_; }
    bool tracking() const { return tracking_; }

private:
    bool tracking_ = false;
    bool hover_ = false;
    bool pressed_ = false;
};

}  // namespace skin

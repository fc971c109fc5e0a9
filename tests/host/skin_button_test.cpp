#include <gtest/gtest.h>

#include "skin/rules/ButtonStates.h"
#include "skin/rules/ControlBackground.h"

namespace skin {
namespace {

TEST(SkinButtonPicture, DisabledOverridesEveryOtherState) {
    ButtonMouseState s;
    s.OnHover();
    EXPECT_EQ(s.ChoosePicture(true, true), kPictureDisabled);
    EXPECT_TRUE(ButtonMouseState::UsesGrayText(kPictureDisabled));
    EXPECT_FALSE(s.pressed());
}

TEST(SkinButtonPicture, HoverAndNormal) {
    ButtonMouseState s;
    EXPECT_EQ(s.ChoosePicture(false, false), kPictureNormal);
    s.OnHover();
    EXPECT_EQ(s.ChoosePicture(false, false), kPictureHover);
    s.OnLeave();
    EXPECT_EQ(s.ChoosePicture(false, false), kPictureNormal);
    EXPECT_FALSE(ButtonMouseState::UsesGrayText(kPictureHover));
}

TEST(SkinButtonPicture, PressedLookStaysUntilTheMouseButtonIsReleased) {
    ButtonMouseState s;
    s.OnHover();
    EXPECT_EQ(s.ChoosePicture(false, true), kPicturePressed);
    // Dragged off while held: no longer selected, no longer hovered.
    s.OnLeave();
    EXPECT_EQ(s.ChoosePicture(false, false), kPicturePressed);
    s.OnLeftButtonUp();
    EXPECT_EQ(s.ChoosePicture(false, false), kPictureNormal);
}

TEST(SkinButtonMouse, TrackingIsRequestedOnceUntilTheMouseLeaves) {
    ButtonMouseState s;
    EXPECT_TRUE(s.NeedsTracking());
    s.OnTrackingRequested(false);
    EXPECT_TRUE(s.NeedsTracking());  // a failed request is retried on the next move
    s.OnTrackingRequested(true);
    EXPECT_FALSE(s.NeedsTracking());
    s.OnHover();
    s.OnLeave();
    EXPECT_TRUE(s.NeedsTracking());
    EXPECT_FALSE(s.hover());
}

TEST(SkinButtonStrip, StatePicturesAreQuartersOfTheStrip) {
    const Size strip{228, 23};
    EXPECT_EQ(StatePictureSize(strip), (Size{57, 23}));
    EXPECT_EQ(StatePictureSource(strip, kPictureNormal), (Rect{0, 0, 57, 23}));
    EXPECT_EQ(StatePictureSource(strip, kPictureDisabled), (Rect{171, 0, 228, 23}));
    EXPECT_EQ(StatePictureSize({130, 10}), (Size{32, 10}));  // remainder columns unused
}

TEST(SkinButtonStrip, PictureIsStretchedOnlyOntoAButtonOfAnotherSize) {
    const Size picture = StatePictureSize({80, 20});
    EXPECT_FALSE(PictureNeedsStretch(picture, {20, 20}));
    EXPECT_TRUE(PictureNeedsStretch(picture, {30, 20}));
    EXPECT_TRUE(PictureNeedsStretch(picture, {20, 21}));
}

TEST(SkinButtonStrip, ImageButtonHangsLeftOfItsRightEdge) {
    EXPECT_EQ(ImageButtonRect(100, 1, {132, 28}), (Rect{67, 1, 100, 29}));
}

TEST(SkinControlBackground, ParentPaintsShiftedBackByTheControlsOffset) {
    const Rect parent{100, 200, 600, 500};
    const Rect control{130, 250, 230, 280};
    const Point origin = ParentBackgroundOrigin(control, parent);
    EXPECT_EQ(origin, (Point{-30, -50}));
    // The parent's pixel at the control's offset lands at the surface's (0, 0).
    EXPECT_EQ(30 + origin.x, 0);
    EXPECT_EQ(50 + origin.y, 0);
}

}  // namespace
}  // namespace skin

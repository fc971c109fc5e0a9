// Real keyboard and mouse input for Windows tests (SendInput), as a user would give it.
#pragma once
#include <windows.h>

#include <initializer_list>

// A user's events arrive some milliseconds apart; a measurement wants them all at once, so
// that the time it takes is the program's alone.
enum class Pacing { LikeAUser, AtOnce };

// Presses the keys in order, then releases them in reverse order.
void PressKeys(std::initializer_list<WORD> keys, Pacing pacing = Pacing::LikeAUser);
// Moves the mouse to the screen point and clicks the left button.
void ClickAt(POINT screen, Pacing pacing = Pacing::LikeAUser);
// ClickAt the centre of the window.
void ClickCentre(HWND hwnd);
// Moves the mouse to the screen point and clicks the right button.
void RightClickAt(POINT screen);
// Turns the wheel at the screen point by notches (up when positive) with the keys held.
void WheelAt(POINT screen, int notches, std::initializer_list<WORD> held = {});

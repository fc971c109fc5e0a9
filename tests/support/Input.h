// Real keyboard and mouse input for Windows tests (SendInput), as a user would give it.
#pragma once
#include <windows.h>

#include <initializer_list>

// Presses the keys in order, then releases them in reverse order.
void PressKeys(std::initializer_list<WORD> keys);
// Moves the mouse to the centre of the window and clicks the left button.
void ClickCentre(HWND hwnd);

// Game screenshots: what a window shows, as a PNG file in the player's pictures folder and
// as a bitmap on the clipboard.
#pragma once
#include "base/Handles.h"

#include <windows.h>

#include <string>

// What a window and every window inside it show, at the window's full size: each window
// prints itself (so a covered or hidden game still comes out whole), children over their
// parent, a plug-in's own window included. A 32-bit top-down DIB section; null on failure.
UniqueBitmap CaptureWindowImage(HWND window);

// "<Pictures>\QuarnelHalvira"; empty when the system names no pictures folder.
std::wstring ScreenshotFolder();

// Whether `path` is an existing PNG file directly inside ScreenshotFolder(): the one kind of
// path a screenshot reply may carry, since any process can send one.
bool IsSavedScreenshot(const std::wstring& path);

// Writes the bitmap as a PNG: first into a temporary file of the same folder, which then
// takes the name only when complete, so a failed save leaves nothing behind. False when the
// file already exists or anything fails.
bool SaveBitmapAsPng(HBITMAP bitmap, const std::wstring& path);

// Puts a copy of the bitmap on the clipboard, owned by `owner`; false when the clipboard
// stays busy or refuses it.
bool PutBitmapOnClipboard(HWND owner, HBITMAP bitmap);

struct ScreenshotOutcome {
    bool saved = false;
    std::wstring text;  // the saved file's full path, or why nothing was saved
};

// Captures `page`, saves it into `folder` named after `record` and the local time, and puts
// it on the clipboard (a busy clipboard does not undo the saved file).
ScreenshotOutcome TakeScreenshot(HWND page, const std::wstring& record, const std::wstring& folder, HWND clipboardOwner);

// Turning PNG resources and image files into GDI bitmaps for the skinned windows.
#pragma once
#include "base/Handles.h"

#include <windows.h>

#include <memory>

namespace Gdiplus {
class Bitmap;
}

// A "PNG" resource decoded (in the process's GDI+ session); null when missing, empty or
// undecodable.
std::unique_ptr<Gdiplus::Bitmap> LoadPngResource(HMODULE module, int id);

// A "PNG" resource (or a plain bitmap resource of that id) as a bitmap whose transparent
// pixels are magenta; empty when missing or undecodable.
UniqueBitmap LoadSkinImage(HMODULE module, int id);
// A decoded image as a 32-bit bitmap: opaque pixels kept, transparent ones the key colour,
// partly transparent ones composited over white. Null for an empty image.
HBITMAP ImageToKeyedBitmap(Gdiplus::Bitmap* image, COLORREF key);
// An image file drawn on white at full size; width and height are returned too.
HBITMAP LoadImageFileBitmap(const wchar_t* path, int* width, int* height);
// Width and height of a bitmap (0, 0 for null).
SIZE BitmapSize(HBITMAP bitmap);

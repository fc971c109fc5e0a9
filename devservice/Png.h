#pragma once
#include <string>

// The notice picture: a small RGB PNG drawn in code (no image library needed;
// the pixel data is stored in uncompressed deflate blocks).
std::string MakeNoticePicturePng(int width, int height);

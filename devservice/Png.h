#pragma once
#include <string>

// The notice picture: a small RGB PNG drawn in code.
std::string MakeNoticePicturePng(int width, int height);

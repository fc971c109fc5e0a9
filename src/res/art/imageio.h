#pragma once
#include <string>
#include <vector>

#include "canvas.h"

// 8-bit RGBA PNG (colour type 6). Returns false when the file cannot be written.
bool writePng(const std::string& path, const Image& img);

// Windows icon with one BMP-format entry per picture: 32-bit BGRA plus a
// 1-bit AND mask, the form every Windows since XP reads.
bool writeIco(const std::string& path, const std::vector<Image>& sizes);

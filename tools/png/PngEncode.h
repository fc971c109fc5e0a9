// PNG encoding for the native tools (the dev service's notice picture, the artwork
// generator), done by libpng.
#pragma once
#include <cstdint>
#include <string>

// An 8-bit image, rows top to bottom without padding: channels 3 (RGB) or 4 (RGBA).
// Returns the PNG file's bytes; empty when the image is empty or libpng fails.
std::string EncodePng(int width, int height, int channels, const std::uint8_t* pixels);

#include "skin/rules/KeyedPixels.h"

#include <cstring>

namespace skin {
namespace {

// Channel c at alpha a over white: a * (c - 255) / 255 + 255, kept in
// integers as one expression.
std::uint32_t OverWhite(std::uint32_t c, std::uint32_t a) {
    const int value = (static_cast<int>(a) * (static_cast<int>(c) - 255) + 65025) / 255;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::uint32_t KeyedPixel(std::uint32_t argb, std::uint32_t keyColour) {
    const std::uint32_t a = argb >> 24;
    if (a == 255) return argb & 0xFFFFFF;
    if (a == 0) return keyColour & 0xFFFFFF;
    const std::uint32_t r = OverWhite((argb >> 16) & 0xFF, a);
    const std::uint32_t g = OverWhite((argb >> 8) & 0xFF, a);
    const std::uint32_t b = OverWhite(argb & 0xFF, a);
    return (r << 16) | (g << 8) | b;
}

void ConvertToKeyedBottomUp(const void* sourceScan0, std::ptrdiff_t sourceStrideBytes, int width,
                            int height, std::uint32_t* dest, std::uint32_t keyColour) {
    if (width <= 0 || height <= 0) return;
    const auto* source = static_cast<const unsigned char*>(sourceScan0);
    for (int i = 0; i < height; ++i) {
        const unsigned char* row = source + i * sourceStrideBytes;
        std::uint32_t* out = dest + static_cast<std::ptrdiff_t>(height - 1 - i) * width;
        for (int j = 0; j < width; ++j) {
            std::uint32_t argb;
            std::memcpy(&argb, row + j * sizeof argb, sizeof argb);  // rows need not be aligned
            out[j] = KeyedPixel(argb, keyColour);
        }
    }
}

}  // namespace skin

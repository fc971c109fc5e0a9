#include "Png.h"

#include "PngEncode.h"

#include <cstdint>

std::string MakeNoticePicturePng(int width, int height)
{
    // A blue-to-gold gradient with a white frame and a red diagonal band: easy to
    // recognise in a screenshot, no magenta anywhere (the skin's transparent colour).
    std::string raw;
    raw.reserve(static_cast<size_t>(height) * width * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned r, g, b;
            bool frame = x < 3 || y < 3 || x >= width - 3 || y >= height - 3;
            int diag = x - y * width / height;
            if (frame) {
                r = g = b = 255;
            } else if (diag > -6 && diag < 6) {
                r = 200; g = 30; b = 40;
            } else {
                r = 30 + 200 * y / height;
                g = 80 + 120 * y / height;
                b = 200 - 150 * y / height;
            }
            raw += static_cast<char>(r);
            raw += static_cast<char>(g);
            raw += static_cast<char>(b);
        }
    }
    return EncodePng(width, height, 3, reinterpret_cast<const std::uint8_t*>(raw.data()));
}

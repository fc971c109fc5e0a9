// Turning a decoded ARGB image into the colour-keyed form the skinned
// controls draw with: opaque pixels kept, transparent ones set to the key
// colour, partly transparent ones composited over white.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skin {

constexpr std::uint32_t kKeyMagenta = 0xFF00FF;  // 0x00RRGGBB

// One 0xAARRGGBB pixel to the 32-bit value of a DIB pixel (bytes B, G, R, 0
// in memory, i.e. 0x00RRGGBB). Only the key's low 24 bits are used.
std::uint32_t KeyedPixel(std::uint32_t argb, std::uint32_t keyColour = kKeyMagenta);

// A top-down ARGB image (rows `sourceStrideBytes` apart; negative for
// bottom-up data) into a bottom-up 32-bit DIB of width * height pixels, so
// the picture stays upright.
void ConvertToKeyedBottomUp(const void* sourceScan0, std::ptrdiff_t sourceStrideBytes, int width,
                            int height, std::uint32_t* dest, std::uint32_t keyColour = kKeyMagenta);

}  // namespace skin

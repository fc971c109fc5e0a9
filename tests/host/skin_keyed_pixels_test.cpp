#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/rules/KeyedPixels.h"

namespace skin {
namespace {

TEST(SkinKeyedPixel, OpaquePixelsKeepTheirColourWithAZeroFourthByte) {
    EXPECT_EQ(KeyedPixel(0xFF123456u), 0x123456u);
    EXPECT_EQ(KeyedPixel(0xFF000000u), 0x000000u);
    EXPECT_EQ(KeyedPixel(0xFFFF00FFu), 0xFF00FFu);  // opaque magenta is transparent by design
}

TEST(SkinKeyedPixel, TransparentPixelsBecomeTheKeyColour) {
    EXPECT_EQ(KeyedPixel(0x00123456u), 0xFF00FFu);
    EXPECT_EQ(KeyedPixel(0x00FFFFFFu), 0xFF00FFu);
    EXPECT_EQ(KeyedPixel(0x00000000u, 0xAB00FF00u), 0x00FF00u);  // only the key's colour bits
}

TEST(SkinKeyedPixel, PartlyTransparentPixelsAreCompositedOverWhite) {
    EXPECT_EQ(KeyedPixel(0x80000000u), 0x7F7F7Fu);  // (128 * -255 + 65025) / 255 = 127
    EXPECT_EQ(KeyedPixel(0x01000000u), 0xFEFEFEu);
    EXPECT_EQ(KeyedPixel(0xFE000000u), 0x010101u);
    EXPECT_EQ(KeyedPixel(0x80FFFFFFu), 0xFFFFFFu);
    EXPECT_EQ(KeyedPixel(0x80FF0000u), 0xFF7F7Fu);  // channels independent
    EXPECT_EQ(KeyedPixel(0x40204060u), 0xC7CFD7u);
}

TEST(SkinKeyedPixel, NoPartlyTransparentPixelTurnsIntoTheKey) {
    for (std::uint32_t a = 1; a < 255; ++a)
        for (std::uint32_t c : {0x000000u, 0xFF00FFu, 0xFE01FEu, 0x123456u})
            ASSERT_NE(KeyedPixel((a << 24) | c), kKeyMagenta) << a << " " << c;
}

// Source rows as GDI+ would lock them: `stride` bytes apart, padding included.
std::vector<unsigned char> TopDownRows(const std::vector<std::vector<std::uint32_t>>& rows, size_t stride) {
    std::vector<unsigned char> bytes(rows.size() * stride, 0xCD);
    for (size_t i = 0; i < rows.size(); ++i)
        std::memcpy(&bytes[i * stride], rows[i].data(), rows[i].size() * sizeof(std::uint32_t));
    return bytes;
}

TEST(SkinKeyedBuffer, RowsAreFlippedSoThePictureStaysUpright) {
    const auto src = TopDownRows({{0xFF000001u, 0xFF000002u}, {0xFF000003u, 0xFF000004u},
                                  {0x00000000u, 0x80000000u}},
                                 12);  // one pixel of padding per row
    std::vector<std::uint32_t> dest(6, 0xDEADBEEFu);
    ConvertToKeyedBottomUp(src.data(), 12, 2, 3, dest.data());
    EXPECT_EQ(dest, (std::vector<std::uint32_t>{0xFF00FFu, 0x7F7F7Fu, 3u, 4u, 1u, 2u}));
}

TEST(SkinKeyedBuffer, NegativeStrideReadsBottomUpSourceData) {
    // Memory holds the bottom row first; scan0 points at the top row.
    const auto src = TopDownRows({{0xFF000003u}, {0xFF000002u}, {0xFF000001u}}, 4);
    std::vector<std::uint32_t> dest(3, 0);
    ConvertToKeyedBottomUp(src.data() + 8, -4, 1, 3, dest.data());
    EXPECT_EQ(dest, (std::vector<std::uint32_t>{3u, 2u, 1u}));
}

TEST(SkinKeyedBuffer, FullyTransparentImageIsMagentaEverywhere) {
    const int w = 7, h = 5;
    const std::vector<std::uint32_t> src(static_cast<size_t>(w * h), 0x00FFFFFFu);
    std::vector<std::uint32_t> dest(src.size(), 0);
    ConvertToKeyedBottomUp(src.data(), w * 4, w, h, dest.data());
    for (std::uint32_t px : dest) EXPECT_EQ(px, 0xFF00FFu);
}

TEST(SkinKeyedBuffer, EmptyImageWritesNothing) {
    std::uint32_t sentinel = 0x12345678u;
    ConvertToKeyedBottomUp(nullptr, 0, 0, 3, &sentinel);
    ConvertToKeyedBottomUp(nullptr, 0, 3, 0, &sentinel);
    EXPECT_EQ(sentinel, 0x12345678u);
}

}  // namespace
}  // namespace skin

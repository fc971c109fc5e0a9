#include "Png.h"

#include <cstdint>
#include <vector>

namespace {

uint32_t Crc32(const std::string& data)
{
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t(256);
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : data) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutBe32(std::string& s, uint32_t v)
{
    s += static_cast<char>(v >> 24);
    s += static_cast<char>(v >> 16);
    s += static_cast<char>(v >> 8);
    s += static_cast<char>(v);
}

void PutChunk(std::string& png, const char* type, const std::string& data)
{
    PutBe32(png, static_cast<uint32_t>(data.size()));
    std::string typed = std::string(type, 4) + data;
    png += typed;
    PutBe32(png, Crc32(typed));
}

// zlib stream made of stored (uncompressed) deflate blocks.
std::string ZlibStored(const std::string& raw)
{
    std::string z = "\x78\x01";
    size_t pos = 0;
    do {
        size_t n = raw.size() - pos;
        if (n > 65535) n = 65535;
        bool last = pos + n == raw.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(raw, pos, n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBe32(z, (b << 16) | a);
    return z;
}

} // namespace

std::string MakeNoticePicturePng(int width, int height)
{
    // A blue-to-gold gradient with a white frame and a red diagonal band: easy to
    // recognise in a screenshot, no magenta anywhere (the skin's transparent colour).
    std::string raw;
    raw.reserve(static_cast<size_t>(height) * (1 + width * 3));
    for (int y = 0; y < height; ++y) {
        raw += '\0'; // filter: none
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
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    PutBe32(ihdr, static_cast<uint32_t>(width));
    PutBe32(ihdr, static_cast<uint32_t>(height));
    ihdr += '\x08'; // bit depth
    ihdr += '\x02'; // colour type: RGB
    ihdr += '\0';   // compression
    ihdr += '\0';   // filter
    ihdr += '\0';   // interlace
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", ZlibStored(raw));
    PutChunk(png, "IEND", std::string());
    return png;
}

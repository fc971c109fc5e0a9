#include "imageio.h"

#include "PngEncode.h"

#include <cstdio>
#include <cstdlib>

namespace {

void put16le(std::vector<uint8_t>& v, uint32_t n) {
    v.push_back(uint8_t(n)), v.push_back(uint8_t(n >> 8));
}
void put32le(std::vector<uint8_t>& v, uint32_t n) {
    put16le(v, n & 0xFFFF), put16le(v, n >> 16);
}

bool save(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

bool writePng(const std::string& path, const Image& img) {
    const std::string png = EncodePng(img.w, img.h, 4, img.px.data());
    return !png.empty() && save(path, std::vector<uint8_t>(png.begin(), png.end()));
}

bool writeIco(const std::string& path, const std::vector<Image>& images) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const Image& img : images) {
        std::vector<uint8_t> b;
        size_t maskStride = size_t((img.w + 31) / 32) * 4;
        uint32_t imageBytes = uint32_t(img.w * img.h * 4 + maskStride * img.h);
        put32le(b, 40), put32le(b, uint32_t(img.w)), put32le(b, uint32_t(img.h * 2));  // height counts XOR + AND
        put16le(b, 1), put16le(b, 32), put32le(b, 0), put32le(b, imageBytes);
        for (int i = 0; i < 4; ++i) put32le(b, 0);
        for (int y = img.h - 1; y >= 0; --y)  // bottom-up BGRA
            for (int x = 0; x < img.w; ++x) {
                const uint8_t* p = img.at(x, y);
                b.insert(b.end(), {p[2], p[1], p[0], p[3]});
            }
        for (int y = img.h - 1; y >= 0; --y) {  // mask bit set = transparent
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < img.w; ++x)
                if (img.at(x, y)[3] < 128) row[x / 8] |= uint8_t(0x80 >> (x % 8));
            b.insert(b.end(), row.begin(), row.end());
        }
        bodies.push_back(std::move(b));
    }
    std::vector<uint8_t> out;
    put16le(out, 0), put16le(out, 1), put16le(out, uint32_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].w)), out.push_back(uint8_t(images[i].h));  // 256 would be 0
        out.push_back(0), out.push_back(0);
        put16le(out, 1), put16le(out, 32);
        put32le(out, uint32_t(bodies[i].size())), put32le(out, offset);
        offset += uint32_t(bodies[i].size());
    }
    for (auto& b : bodies) out.insert(out.end(), b.begin(), b.end());
    return save(path, out);
}

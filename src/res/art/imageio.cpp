#include "imageio.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

void put32be(std::vector<uint8_t>& v, uint32_t n) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(uint8_t(n >> s));
}
void put16le(std::vector<uint8_t>& v, uint32_t n) {
    v.push_back(uint8_t(n)), v.push_back(uint8_t(n >> 8));
}
void put32le(std::vector<uint8_t>& v, uint32_t n) {
    put16le(v, n & 0xFFFF), put16le(v, n >> 16);
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put32be(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32be(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

int paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Each row gets the filter whose output has the smallest sum of magnitudes,
// the usual cheap heuristic that keeps gradients compact.
std::vector<uint8_t> filtered(const Image& img) {
    size_t stride = size_t(img.w) * 4;
    std::vector<uint8_t> out, zero(stride, 0), cand(stride);
    for (int y = 0; y < img.h; ++y) {
        const uint8_t* cur = img.at(0, y);
        const uint8_t* up = y ? img.at(0, y - 1) : zero.data();
        std::vector<uint8_t> best;
        long bestSum = -1;
        for (int f = 0; f < 5; ++f) {
            long sum = 0;
            for (size_t i = 0; i < stride; ++i) {
                int a = i >= 4 ? cur[i - 4] : 0, b = up[i], c = i >= 4 ? up[i - 4] : 0;
                int pred = f == 0 ? 0 : f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : paeth(a, b, c);
                cand[i] = uint8_t(cur[i] - pred);
                sum += std::abs(int(int8_t(cand[i])));
            }
            if (bestSum < 0 || sum < bestSum) {
                bestSum = sum;
                best.assign(1, uint8_t(f));
                best.insert(best.end(), cand.begin(), cand.end());
            }
        }
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

bool save(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

bool writePng(const std::string& path, const Image& img) {
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> out(sig, sig + 8), hdr;
    put32be(hdr, uint32_t(img.w)), put32be(hdr, uint32_t(img.h));
    hdr.insert(hdr.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    chunk(out, "IHDR", hdr);

    std::vector<uint8_t> raw = filtered(img);
    uLongf len = compressBound(uLong(raw.size()));
    std::vector<uint8_t> z(len);
    if (compress2(z.data(), &len, raw.data(), uLong(raw.size()), 9) != Z_OK) return false;
    z.resize(len);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
    return save(path, out);
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

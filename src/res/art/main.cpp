// artgen OUTDIR — draws the launcher's skin pictures into OUTDIR/png/<id>.png
// and its icons into OUTDIR/icons/{app,fav}.ico. Output is deterministic.
#include <cstdio>
#include <filesystem>
#include <string>

#include "art.h"
#include "imageio.h"

namespace {

int failures = 0;

void fail(int id, const char* what) {
    std::fprintf(stderr, "artgen: %d: %s\n", id, what);
    ++failures;
}

// Colour-keyed pictures must be fully opaque and must not carry colours the
// eye takes for the key but the code does not (or the other way round).
void checkKeyed(int id, const Image& img) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const uint8_t* p = img.at(x, y);
            if (p[3] != 255) return fail(id, "pixel not opaque");
            if (!img.isKey(x, y) && p[0] > 200 && p[1] < 80 && p[2] > 200) return fail(id, "near-magenta pixel");
        }
}

void checkAlpha(int id, const Image& img) {
    int partial = 0;
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) partial += img.at(x, y)[3] > 0 && img.at(x, y)[3] < 255;
    if (img.at(0, 0)[3] || img.at(img.w - 1, img.h - 1)[3]) fail(id, "corners must be fully transparent");
    if (img.at(img.w / 2, img.h / 2)[3] != 255) fail(id, "centre must be opaque");
    if (partial < img.w) fail(id, "no soft shadow");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR   (OUTDIR is the repository's src/res)\n");
        return 2;
    }
    namespace fs = std::filesystem;
    fs::path out = argv[1];
    fs::create_directories(out / "png");
    fs::create_directories(out / "icons");

    std::vector<Artwork> all = skinArtwork();
    all.push_back({129, 1055, 738, loginBackground, true});
    for (const Artwork& a : all) {
        Image img = a.make();
        if (img.w != a.w || img.h != a.h) fail(a.id, "wrong size");
        if (a.realAlpha) checkAlpha(a.id, img);
        else checkKeyed(a.id, img);
        if (!writePng((out / "png" / (std::to_string(a.id) + ".png")).string(), img)) fail(a.id, "cannot write");
    }
    if (!writeIco((out / "icons" / "app.ico").string(), appIcon())) fail(128, "cannot write");
    if (!writeIco((out / "icons" / "fav.ico").string(), favouriteIcon())) fail(155, "cannot write");
    return failures ? 1 : 0;
}

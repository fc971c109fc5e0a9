#pragma once
#include <functional>
#include <vector>

#include "canvas.h"

struct Artwork {
    int id, w, h;
    std::function<Image()> make;
    bool realAlpha;  // false: opaque, transparent parts painted in the key colour
};

std::vector<Artwork> skinArtwork();  // frames, buttons, tabs, bars
Image loginBackground();             // 129, real per-pixel alpha
std::vector<Image> appIcon();        // 16, 32, 48
std::vector<Image> favouriteIcon();  // 16, 32, 48

// Shared brand mark: a gold ring around a four-point star.
void emblem(Canvas& c, float cx, float cy, float r, float opacity = 1);

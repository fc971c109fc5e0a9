// Login splash and the two icons.
#include <cstdint>

#include "art.h"

namespace {

// Fixed-seed generator so every run draws the same sky.
struct Rng {
    uint32_t s = 0x9E3779B9u;
    float next() {
        s ^= s << 13, s ^= s >> 17, s ^= s << 5;
        return float(s >> 8) / float(1u << 24);
    }
    float in(float a, float b) { return a + (b - a) * next(); }
};

Paint faded(Paint p, float k) {
    return [=](float x, float y) { return alpha(p(x, y), k); };
}

Paint radial(float cx, float cy, float r, Col c) {
    return [=](float x, float y) {
        float d = std::hypot(x - cx, y - cy) / r;
        return alpha(c, std::exp(-d * d * 3));
    };
}

Shape ridge(std::function<float(float)> top, float yMin, float yMax) {
    return {[=](float x, float y) { return top(x) - y; }, 0, yMin, 1055, yMax};
}

float farRidge(float x) {
    return 548 + 30 * std::sin(x * 0.011f + 1) + 18 * std::sin(x * 0.027f + 2) + 7 * std::sin(x * 0.07f) -
           95 * std::exp(-std::pow((x - 110) / 120, 2.f)) - 120 * std::exp(-std::pow((x - 950) / 105, 2.f));
}
float nearRidge(float x) {
    return 632 + 26 * std::sin(x * 0.008f + 3) + 16 * std::sin(x * 0.023f) + 6 * std::sin(x * 0.09f + 1) -
           40 * std::exp(-std::pow((x - 200) / 90, 2.f));
}

void pagoda(Canvas& c, float cx, float base, Col body, Col roof) {
    float y = base;
    for (int i = 0; i < 4; ++i) {
        float hw = 26 - i * 5.5f;
        c.fill(rrect(cx - hw + 5, y - 12, cx + hw - 5, y + 1, 0), body);
        for (float wx = cx - hw + 9; wx < cx + hw - 9; wx += 7)
            c.fill(rrect(wx, y - 9, wx + 3, y - 4, 0.5f), rgb(255, 206, 120, 0.85f));
        y -= 12;
        Shape r = polygon({{cx - hw - 8, y - 1}, {cx - hw + 3, y - 8}, {cx + hw - 3, y - 8}, {cx + hw + 8, y - 1},
                           {cx + hw, y + 1}, {cx - hw, y + 1}});
        c.fill(r, roof);
        c.fill(ring(r, 0.9f) & rrect(cx - hw - 9, y - 9, cx + hw + 9, y - 2, 0), rgb(130, 150, 220, 0.6f));  // moonlit eaves
        y -= 8;
    }
    c.fill(segment(cx, y, cx, y - 16, 1.6f), roof);
    c.fill(circle(cx, y - 17, 1.8f), rgb(255, 214, 130));
}

void diamond(Canvas& c, float x, float y, float r, Col col) {
    c.fill(polygon({{x, y - r}, {x + r, y}, {x, y + r}, {x - r, y}}), col);
}

}  // namespace

void emblem(Canvas& c, float cx, float cy, float r, float op) {
    Paint gold = vgrad(cy - r, cy + r, rgb(255, 240, 176), rgb(206, 138, 40));
    if (op >= 1) c.fill(circle(cx, cy, r * 2), radial(cx, cy, r * 2, rgb(255, 200, 110, 0.45f)));
    c.fill(ring(circle(cx, cy, r * 0.8f), std::max(1.f, r * 0.1f)), faded(gold, op));
    c.fill(star(cx, cy, r, r * 0.26f, 4), faded(gold, op));
    c.fill(star(cx, cy, r * 0.56f, r * 0.18f, 4, kPi / 4), rgb(255, 250, 230, 0.85f * op));
    c.fill(circle(cx, cy, std::max(0.8f, r * 0.1f)), rgb(255, 255, 255, op));
}

Image loginBackground() {
    const int W = 1055, H = 738;
    const float cx = W / 2.f;
    Canvas c(W, H);
    Rng rng;
    Shape panel = rrect(22, 16, W - 22, H - 24, 20);
    Shape calm = rrect(250, 150, 805, 620, 12);
    auto inCalm = [](float x, float y, float m) { return x > 250 - m && x < 805 + m && y > 150 - m && y < 620 + m; };

    // Shadow that fades to nothing well inside the picture's edges, then a warm rim glow.
    c.fill(shift(panel, 0, 6), rgb(0, 0, 0, 0.7f), 34);
    c.fill(panel, rgb(236, 186, 92, 0.35f), 8);

    // Night sky: navy to indigo, a cold glow at the top, a warm one on the horizon.
    c.fill(panel, [&](float x, float y) {
        Col sky = vgrad3(16, 400, 714, rgb(6, 10, 30), rgb(26, 32, 88), rgb(12, 12, 32))(x, y);
        float g1 = std::exp(-(std::pow(x - cx, 2.f) + std::pow((y - 60) * 1.4f, 2.f)) / (2 * 280.f * 280.f));
        float g2 = std::exp(-std::pow(x - cx, 2.f) / (2 * 420.f * 420.f) - std::pow(y - 585, 2.f) / (2 * 60.f * 60.f));
        sky = mix(sky, rgb(70, 112, 214), 0.5f * g1);
        return mix(sky, rgb(214, 146, 84), 0.4f * g2);
    });

    for (int i = 0; i < 11; ++i) {  // rays from the emblem
        float a = kPi * (0.05f + 0.9f * i / 10.f), w = 0.035f, L = 620;
        Shape ray = polygon({{cx, 84}, {cx + L * std::cos(a - w), 84 + L * std::sin(a - w)},
                             {cx + L * std::cos(a + w), 84 + L * std::sin(a + w)}});
        c.fill(ray & panel, [&](float x, float y) {
            return rgb(255, 222, 150, 0.07f * std::max(0.f, 1 - std::hypot(x - cx, y - 84) / L));
        }, 6);
    }

    for (int i = 0; i < 260; ++i) {  // stars
        float x = rng.in(40, W - 40), y = rng.in(30, 520), r = rng.in(0.35f, 1.2f), a = rng.in(0.25f, 0.9f);
        if (inCalm(x, y, 4)) continue;
        c.fill(circle(x, y, r), rgb(226, 234, 255, a));
        if (r > 1.1f) c.fill(star(x, y, r * 5, r * 0.5f, 4), rgb(220, 230, 255, a * 0.6f));
    }

    // Mountains: a far misty range with a castle pagoda, then a dark near range.
    c.fill(ridge(farRidge, 360, H) & panel, vgrad(400, 640, rgb(18, 22, 58), rgb(10, 12, 34)));
    c.fill(ring(ridge(farRidge, 360, H), 1.2f) & panel, rgb(120, 140, 214, 0.45f));
    pagoda(c, 950, farRidge(950) + 6, rgb(10, 13, 38), rgb(16, 20, 54));
    c.fill(rrect(22, 560, W - 22, 714, 0) & panel, vgrad(560, 660, rgb(140, 150, 220, 0), rgb(140, 150, 220, 0.12f)));
    c.fill(ridge(nearRidge, 500, H) & panel, vgrad(570, 714, rgb(14, 16, 42), rgb(5, 6, 18)));
    c.fill(ring(ridge(nearRidge, 500, H), 1) & panel, rgb(236, 178, 100, 0.3f));

    for (int i = 0; i < 90; ++i) {  // drifting gold motes, mostly low and at the sides
        float x = rng.in(40, W - 40), y = rng.in(200, 700), r = rng.in(1.2f, 4.5f);
        if (inCalm(x, y, 14)) continue;
        c.fill(circle(x, y, r * 3) & panel, radial(x, y, r * 3, rgb(255, 196, 96, rng.in(0.3f, 0.75f))));
        c.fill(circle(x, y, r * 0.35f), rgb(255, 244, 210, 0.9f));
    }

    // The calm panel under the login form.
    c.fill(shift(calm, 0, 5), rgb(0, 0, 0, 0.5f), 18);
    c.fill(calm, vgrad(150, 620, rgb(14, 20, 50, 0.94f), rgb(8, 11, 30, 0.96f)));
    c.fill(ring(calm, 1.5f), rgb(214, 172, 92, 0.8f));
    c.fill(ring(rrect(256, 156, 799, 614, 8), 1), rgb(255, 255, 255, 0.07f));
    for (auto [x, y] : {std::pair{250.f, 150.f}, {805.f, 150.f}, {250.f, 620.f}, {805.f, 620.f}})
        diamond(c, x, y, 6, rgb(240, 200, 110));

    // Header: emblem with gold rules to both sides.
    emblem(c, cx, 84, 40);
    for (int side = -1; side <= 1; side += 2) {
        float x0 = cx + side * 58, x1 = cx + side * 230;
        c.fill(segment(x0, 84, x1, 84, 1.6f), [=](float x, float) {
            return rgb(226, 182, 94, 0.9f * (1 - std::fabs(x - x0) / std::fabs(x1 - x0)) + 0.1f);
        });
        diamond(c, x1, 84, 5, rgb(226, 182, 94));
        diamond(c, cx + side * 52, 84, 3.5f, rgb(255, 226, 150));
    }

    // Double gold border with bracket ornaments in the corners.
    c.fill(ring(rrect(23, 17, W - 23, H - 25, 19), 2), vgrad(16, H - 24.f, rgb(244, 204, 118), rgb(164, 112, 40)));
    c.fill(ring(rrect(32, 26, W - 32, H - 34, 12), 1), rgb(226, 182, 94, 0.4f));
    for (int sx = 0; sx < 2; ++sx)
        for (int sy = 0; sy < 2; ++sy) {
            float x = sx ? W - 44.f : 44.f, y = sy ? H - 46.f : 38.f, dx = sx ? -1.f : 1.f, dy = sy ? -1.f : 1.f;
            c.fill(segment(x, y, x + dx * 46, y, 1.4f) | segment(x, y, x, y + dy * 46, 1.4f), rgb(232, 190, 104, 0.8f));
            diamond(c, x, y, 5, rgb(250, 216, 140));
        }
    return c.rgba();
}

std::vector<Image> appIcon() {
    std::vector<Image> out;
    for (int s : {16, 32, 48}) {
        float k = s / 48.f;
        Canvas c(s, s);
        // Whole-pixel inset and border width keep the rim crisp at 16 px.
        float in = std::floor(1.5f * k), bw = std::max(1.f, std::round(2.4f * k)), e = in + bw / 2;
        c.fill(rrect(in, in, s - in, s - in, 9 * k), vgrad(0, float(s), rgb(56, 78, 160), rgb(10, 16, 46)));
        c.fill(ring(rrect(e, e, s - e, s - e, 9 * k - bw / 2), bw), vgrad(0, float(s), rgb(250, 214, 130), rgb(176, 116, 36)));
        c.fill(star(24 * k, 24 * k, 17 * k, 4.4f * k, 4), vgrad(7 * k, 41 * k, rgb(255, 246, 200), rgb(222, 150, 44)));
        c.fill(star(24 * k, 24 * k, 9 * k, 2.6f * k, 4, kPi / 4), rgb(255, 252, 236, 0.85f));
        out.push_back(c.rgba());
    }
    return out;
}

std::vector<Image> favouriteIcon() {
    std::vector<Image> out;
    for (int s : {16, 32, 48}) {
        float k = s / 48.f;
        Canvas c(s, s);
        Shape st = star(24 * k, 26 * k, 22.5f * k, 9.5f * k, 5);
        c.fill(st, vgrad(3 * k, 46 * k, rgb(255, 240, 160), rgb(232, 148, 28)));
        c.fill(star(24 * k, 22 * k, 10 * k, 4.2f * k, 5), rgb(255, 255, 240, 0.35f));
        c.fill(ring(st, std::max(1.f, 2 * k)), rgb(150, 86, 14));
        out.push_back(c.rgba());
    }
    return out;
}

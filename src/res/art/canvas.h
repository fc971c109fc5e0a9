// Tiny RGBA canvas for the launcher artwork: shapes are signed distance
// functions, so every edge is anti-aliased without a rasteriser.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

struct Col {
    float r = 0, g = 0, b = 0, a = 0;  // rgb 0..255, alpha 0..1
};
inline Col rgb(float r, float g, float b, float a = 1) { return {r, g, b, a}; }
inline Col mix(Col p, Col q, float t) {
    t = std::clamp(t, 0.f, 1.f);
    return {p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t, p.a + (q.a - p.a) * t};
}
inline Col alpha(Col c, float a) { c.a *= a; return c; }
inline float smooth(float e0, float e1, float x) {
    float t = std::clamp((x - e0) / (e1 - e0), 0.f, 1.f);
    return t * t * (3 - 2 * t);
}

// A shape: distance to its edge (negative inside) and a bounding box.
struct Shape {
    std::function<float(float, float)> d;
    float x0, y0, x1, y1;
};
Shape rrect(float x0, float y0, float x1, float y1, float r);
Shape circle(float cx, float cy, float r);
Shape segment(float ax, float ay, float bx, float by, float width);
Shape polygon(std::vector<std::pair<float, float>> pts, float round = 0);
Shape star(float cx, float cy, float outer, float inner, int points, float rot = 0);
Shape ring(Shape s, float width);          // outline of s, centred on its edge
Shape shift(Shape s, float dx, float dy);
Shape operator|(Shape a, Shape b);         // union
Shape operator&(Shape a, Shape b);         // intersection
Shape operator-(Shape a, Shape b);         // a without b

using Paint = std::function<Col(float x, float y)>;
inline Paint solid(Col c) { return [c](float, float) { return c; }; }
Paint vgrad(float y0, float y1, Col c0, Col c1);
Paint vgrad3(float y0, float ym, float y1, Col c0, Col cm, Col c1);

// 8-bit RGBA picture, the form written to disk.
struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> px;
    Image(int w_, int h_) : w(w_), h(h_), px(size_t(w_) * h_ * 4, 0) {}
    uint8_t* at(int x, int y) { return &px[(size_t(y) * w + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &px[(size_t(y) * w + x) * 4]; }
    void set(int x, int y, Col c);
    void blit(const Image& src, int dx, int dy);
    bool isKey(int x, int y) const;
};

struct Canvas {
    int w, h;
    std::vector<Col> px;
    Canvas(int w_, int h_) : w(w_), h(h_), px(size_t(w_) * h_) {}
    Col& at(int x, int y) { return px[size_t(y) * w + x]; }
    void blend(int x, int y, Col c);  // source-over
    // feather > 1 softens the edge over that many pixels (glows, shadows).
    void fill(const Shape& s, const Paint& p, float feather = 1);
    void fill(const Shape& s, Col c, float feather = 1) { fill(s, solid(c), feather); }
    void paint(const Paint& p);  // whole canvas
    void map(const std::function<Col(Col)>& f);
    // Transparent pixels become the skin's key colour, partly covered ones are
    // composited over `matte` (what will show through around them).
    Image keyed(const Paint& matte) const;
    Image rgba() const;  // keeps real alpha
};

extern const Col kMagenta;
constexpr float kPi = 3.14159265f;

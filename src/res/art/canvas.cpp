#include "canvas.h"

const Col kMagenta = {255, 0, 255, 1};

Shape rrect(float x0, float y0, float x1, float y1, float r) {
    float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    return {[=](float x, float y) {
                float qx = std::fabs(x - cx) - hx + r, qy = std::fabs(y - cy) - hy + r;
                float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
                return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.f) - r;
            },
            x0, y0, x1, y1};
}

Shape circle(float cx, float cy, float r) {
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }, cx - r, cy - r, cx + r, cy + r};
}

Shape segment(float ax, float ay, float bx, float by, float width) {
    float hw = width / 2;
    return {[=](float x, float y) {
                float ex = bx - ax, ey = by - ay, wx = x - ax, wy = y - ay;
                float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.f, 1.f);
                return std::hypot(wx - ex * t, wy - ey * t) - hw;
            },
            std::min(ax, bx) - hw, std::min(ay, by) - hw, std::max(ax, bx) + hw, std::max(ay, by) + hw};
}

Shape polygon(std::vector<std::pair<float, float>> v, float round) {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (auto& p : v) {
        x0 = std::min(x0, p.first), y0 = std::min(y0, p.second);
        x1 = std::max(x1, p.first), y1 = std::max(y1, p.second);
    }
    return {[=](float x, float y) {
                float d = 1e9f, s = 1;
                for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
                    float ex = v[j].first - v[i].first, ey = v[j].second - v[i].second;
                    float wx = x - v[i].first, wy = y - v[i].second;
                    float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.f, 1.f);
                    float bx = wx - ex * t, by = wy - ey * t;
                    d = std::min(d, bx * bx + by * by);
                    bool c1 = y >= v[i].second, c2 = y < v[j].second, c3 = ex * wy > ey * wx;
                    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
                }
                return s * std::sqrt(d) - round;
            },
            x0 - round, y0 - round, x1 + round, y1 + round};
}

Shape star(float cx, float cy, float outer, float inner, int points, float rot) {
    std::vector<std::pair<float, float>> v;
    for (int i = 0; i < points * 2; ++i) {
        float a = rot + kPi * i / points - kPi / 2, r = i % 2 ? inner : outer;
        v.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return polygon(v);
}

Shape ring(Shape s, float width) {
    auto d = s.d;
    float hw = width / 2;
    return {[=](float x, float y) { return std::fabs(d(x, y)) - hw; }, s.x0 - hw, s.y0 - hw, s.x1 + hw, s.y1 + hw};
}

Shape shift(Shape s, float dx, float dy) {
    auto d = s.d;
    return {[=](float x, float y) { return d(x - dx, y - dy); }, s.x0 + dx, s.y0 + dy, s.x1 + dx, s.y1 + dy};
}

Shape operator|(Shape a, Shape b) {
    auto da = a.d, db = b.d;
    return {[=](float x, float y) { return std::min(da(x, y), db(x, y)); }, std::min(a.x0, b.x0),
            std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape operator&(Shape a, Shape b) {
    auto da = a.d, db = b.d;
    return {[=](float x, float y) { return std::max(da(x, y), db(x, y)); }, std::max(a.x0, b.x0),
            std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Shape operator-(Shape a, Shape b) {
    auto da = a.d, db = b.d;
    return {[=](float x, float y) { return std::max(da(x, y), -db(x, y)); }, a.x0, a.y0, a.x1, a.y1};
}

Paint vgrad(float y0, float y1, Col c0, Col c1) {
    return [=](float, float y) { return mix(c0, c1, (y - y0) / (y1 - y0)); };
}

Paint vgrad3(float y0, float ym, float y1, Col c0, Col cm, Col c1) {
    return [=](float, float y) { return y < ym ? mix(c0, cm, (y - y0) / (ym - y0)) : mix(cm, c1, (y - ym) / (y1 - ym)); };
}

static uint8_t byte(float v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

void Image::set(int x, int y, Col c) {
    uint8_t* p = at(x, y);
    p[0] = byte(c.r), p[1] = byte(c.g), p[2] = byte(c.b), p[3] = byte(c.a * 255);
}

void Image::blit(const Image& src, int dx, int dy) {
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x)
            if (x + dx >= 0 && x + dx < w && y + dy >= 0 && y + dy < h)
                std::copy_n(src.at(x, y), 4, at(x + dx, y + dy));
}

bool Image::isKey(int x, int y) const {
    const uint8_t* p = at(x, y);
    return p[0] == 255 && p[1] == 0 && p[2] == 255 && p[3] == 255;
}

void Canvas::blend(int x, int y, Col c) {
    if (c.a <= 0) return;
    Col& d = at(x, y);
    float a = c.a + d.a * (1 - c.a);
    if (a <= 0) return;
    float kd = d.a * (1 - c.a) / a, ks = c.a / a;
    d = {c.r * ks + d.r * kd, c.g * ks + d.g * kd, c.b * ks + d.b * kd, a};
}

void Canvas::fill(const Shape& s, const Paint& p, float feather) {
    int x0 = std::max(0, int(std::floor(s.x0 - feather - 1))), y0 = std::max(0, int(std::floor(s.y0 - feather - 1)));
    int x1 = std::min(w, int(std::ceil(s.x1 + feather + 1))), y1 = std::min(h, int(std::ceil(s.y1 + feather + 1)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float cov = std::clamp(0.5f - s.d(fx, fy) / feather, 0.f, 1.f);
            if (cov > 0) blend(x, y, alpha(p(fx, fy), cov));
        }
}

void Canvas::paint(const Paint& p) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) blend(x, y, p(x + 0.5f, y + 0.5f));
}

void Canvas::map(const std::function<Col(Col)>& f) {
    for (auto& c : px) c = f(c);
}

Image Canvas::keyed(const Paint& matte) const {
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Col c = px[size_t(y) * w + x];
            if (c.a < 0.5f / 255) {
                out.set(x, y, kMagenta);
                continue;
            }
            Col m = matte(x + 0.5f, y + 0.5f);
            out.set(x, y, {m.r + (c.r - m.r) * c.a, m.g + (c.g - m.g) * c.a, m.b + (c.b - m.b) * c.a, 1});
        }
    return out;
}

Image Canvas::rgba() const {
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Col c = px[size_t(y) * w + x];
            out.set(x, y, c.a < 0.5f / 255 ? Col{} : c);
        }
    return out;
}

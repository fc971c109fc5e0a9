// Frames, caption buttons, tabs and bars of the skinned windows.
#include "art.h"

namespace {

const Col kOutline = rgb(10, 15, 34);
const Col kDialogBody = rgb(231, 241, 247);  // also the dialogs' group-box brush
const Col kGold = rgb(206, 162, 74);

// Caption band, row by row: dark outline, a highlight, navy gradient and a gold
// hairline as its last row. Caption buttons use the same rows as their matte,
// so they blend into the band of whichever frame they sit on.
Col bandRow(float fy, int height) {
    int y = int(fy);
    if (y <= 0) return kOutline;
    if (y == 1) return rgb(84, 108, 176);
    if (y >= height - 1) return rgb(178, 140, 68);
    return mix(rgb(50, 70, 134), rgb(18, 27, 62), float(y - 2) / float(std::max(1, height - 4)));
}
Paint band(int height, float dy = 0) {
    return [=](float, float y) { return bandRow(y + dy, height); };
}

Col grey(Col c, float base, float k) {
    float l = (0.3f * c.r + 0.59f * c.g + 0.11f * c.b) * k + base;
    return {l, l, l * 1.02f, c.a};
}

// Magenta outer corner pixels make the window region round; the next diagonal
// takes the outline colour so the curve stays closed.
void cutCorners(Image& img, Col outline) {
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            int cx = std::min(x, img.w - 1 - x), cy = std::min(y, img.h - 1 - y);
            if (cx + cy <= 1) img.set(x, y, kMagenta);
            else if (cx + cy == 2 && cx < 3 && cy < 3) img.set(x, y, outline);
        }
}

struct Frame {
    int band;
    std::vector<Col> border;  // outermost first
    Paint body;
};

// Band across the top, border rings on the other sides. Columns inside the
// band and rows inside the body stay uniform so the stretched nine-part
// drawing shows no seams.
Canvas frame(int w, int h, const Frame& f) {
    Canvas c(w, h);
    int nb = int(f.border.size());
    c.paint([&](float fx, float fy) {
        int x = int(fx), y = int(fy), cx = std::min(x, w - 1 - x);
        if (y < f.band) return cx == 0 ? f.border[0] : bandRow(fy, f.band);
        int d = std::min(cx, h - 1 - y);
        return d < nb ? f.border[d] : f.body(fx, fy);
    });
    return c;
}

Image finish(const Canvas& c) {
    Image img = c.keyed(solid(kOutline));
    cutCorners(img, kOutline);
    return img;
}

// A glyph-only caption button: transparent in the normal state, a soft
// highlight when hovered, sunk and shifted when pressed, dim when disabled.
Image glyphStrip(int cw, int ch, const Shape& glyph, const Paint& matte, float bgX0, float bgX1, bool danger = false) {
    Image strip(cw * 4, ch);
    for (int s = 0; s < 4; ++s) {
        Canvas c(cw, ch);
        Shape bg = rrect(bgX0, 2, bgX1, float(ch - 2), 3);
        if (s == 1) {
            c.fill(bg, danger ? vgrad(2, ch - 2.f, rgb(236, 84, 68), rgb(178, 34, 28)) : solid(rgb(255, 255, 255, 0.16f)));
            c.fill(ring(bg, 1), rgb(255, 255, 255, danger ? 0.25f : 0.2f));
        } else if (s == 2) {
            c.fill(bg, danger ? solid(rgb(138, 26, 22)) : solid(rgb(0, 0, 0, 0.32f)));
        }
        Col gc = s == 0 ? rgb(214, 224, 246) : s == 1 ? rgb(255, 255, 255) : s == 2 ? rgb(196, 206, 228) : rgb(112, 122, 150);
        Shape g = s == 2 ? shift(glyph, 1, 1) : glyph;
        if (s != 3) c.fill(shift(g, 0, 1), rgb(0, 0, 0, 0.35f));  // keeps the glyph legible on any band
        c.fill(g, gc);
        strip.blit(c.keyed(matte), s * cw, 0);
    }
    return strip;
}

Shape cross(float cx, float cy, float r, float width) {
    return segment(cx - r, cy - r, cx + r, cy + r, width) | segment(cx - r, cy + r, cx + r, cy - r, width);
}
// Window-style box: 1-px sides, 2-px top edge.
Shape box(float x0, float y0, float x1, float y1) {
    return rrect(x0, y0, x1, y1, 0.5f) - rrect(x0 + 1, y0 + 2, x1 - 1, y1 - 1, 0);
}
Shape speaker(float dx) {
    return polygon({{7 + dx, 11}, {10 + dx, 11}, {14 + dx, 7.5f}, {14 + dx, 19.5f}, {10 + dx, 16}, {7 + dx, 16}}, 0.4f);
}
Shape wave(float cx, float cy, float r) {
    return ring(circle(cx, cy, r), 1.8f) & rrect(cx + 2.5f, cy - r * 0.8f, cx + r + 2, cy + r * 0.8f, 0);
}

// Four-state strip drawn from one base look: hover brighter, pressed darker,
// disabled grey.
Image toneStrip(int cw, int ch, const std::function<void(Canvas&, int state)>& draw, const Paint& matte, float greyBase,
                float greyK) {
    Image strip(cw * 4, ch);
    for (int s = 0; s < 4; ++s) {
        Canvas c(cw, ch);
        draw(c, s);
        if (s == 1) c.map([](Col p) { return Col{p.r + (255 - p.r) * 0.2f, p.g + (255 - p.g) * 0.2f, p.b + (255 - p.b) * 0.2f, p.a}; });
        if (s == 2) c.map([](Col p) { return Col{p.r * 0.86f, p.g * 0.84f, p.b * 0.82f, p.a}; });
        if (s == 3) c.map([=](Col p) { return grey(p, greyBase, greyK); });
        strip.blit(c.keyed(matte), s * cw, 0);
    }
    return strip;
}

Image pushButton() {
    auto draw = [](Canvas& c, int s) {
        Shape b = rrect(0.5f, 0.5f, 56.5f, 22.5f, 4);
        c.fill(b, s == 2 ? vgrad3(0, 11, 23, rgb(222, 156, 56), rgb(240, 188, 86), rgb(250, 212, 124))
                         : vgrad3(0, 11, 23, rgb(255, 240, 186), rgb(248, 206, 108), rgb(226, 160, 58)));
        c.fill(rrect(2, 1.5f, 55, 11, 3.5f), rgb(255, 255, 255, s == 2 ? 0.08f : 0.3f));  // gloss
        c.fill(ring(b, 1), rgb(146, 96, 26));
    };
    return toneStrip(57, 23, draw, solid(kDialogBody), 120, 0.45f);
}

Image systemButton() {
    auto draw = [](Canvas& c, int) {
        Shape b = rrect(1.5f, 3.5f, 42.5f, 25.5f, 5);
        c.fill(b, vgrad(3.5f, 25.5f, rgb(70, 96, 170), rgb(28, 42, 96)));
        c.fill(rrect(3.5f, 5, 40.5f, 13, 3), rgb(255, 255, 255, 0.12f));
        c.fill(ring(b, 1), rgb(206, 164, 80, 0.9f));
    };
    return toneStrip(44, 28, draw, band(30), 40, 0.5f);
}

Paint tabPaint(int s) {
    const Col top[] = {rgb(186, 200, 230), rgb(228, 236, 252), rgb(255, 249, 226)};
    const Col bottom[] = {rgb(140, 158, 204), rgb(182, 200, 238), rgb(238, 206, 134)};
    return vgrad(0, 22, top[s], bottom[s]);
}

Image tabs() {
    const Col outline[] = {rgb(30, 46, 96), rgb(56, 78, 142), rgb(170, 124, 46)};
    Image strip(567, 22);
    Shape shape = polygon({{9, 5}, {180, 5}, {184, 40}, {5, 40}}, 5);  // rounded top, slanted sides
    for (int s = 0; s < 3; ++s) {
        Canvas c(189, 22);
        c.fill(shape, tabPaint(s));
        c.fill(shape & rrect(0, 1, 189, 2.2f, 0), rgb(255, 255, 255, 0.55f));
        c.fill(ring(shape, 1.1f), outline[s]);
        strip.blit(c.keyed(band(30, 3)), s * 189, 0);  // tabs sit 3 px down the band
    }
    return strip;
}

Image tabClose() {
    const Col fill[] = {rgb(104, 118, 150), rgb(222, 66, 52), rgb(160, 38, 30)};
    Image strip(39, 13);
    Paint hotTab = tabPaint(1);
    for (int s = 0; s < 3; ++s) {
        Canvas c(13, 13);
        c.fill(circle(6.5f, 6.5f, 6), fill[s]);
        float o = s == 2 ? 0.5f : 0;
        c.fill(cross(6.5f + o, 6.5f + o, 2.4f, 1.5f), rgb(255, 255, 255));
        strip.blit(c.keyed(hotTab), s * 13, 0);
    }
    return strip;
}

// A muted tab's mark, one frame a tab look (normal, hot, current): a small speaker with a red
// cross, on the tab's own paint.
Image tabMutedMark() {
    Image strip(42, 12);
    for (int s = 0; s < 3; ++s) {
        Canvas c(14, 12);
        Shape body = polygon({{1, 4}, {3.5f, 4}, {6.5f, 1.2f}, {6.5f, 10.8f}, {3.5f, 8}, {1, 8}}, 0.3f);
        c.fill(body, rgb(44, 58, 98));
        c.fill(cross(10.5f, 6, 2.3f, 1.5f), rgb(214, 52, 40));
        strip.blit(c.keyed(tabPaint(s)), s * 14, 0);
    }
    return strip;
}

Image addAccountIcon() {
    Canvas c(14, 16);
    Shape person = circle(5.5f, 4.6f, 3.3f) | (rrect(0.5f, 9.2f, 10.5f, 20, 4.5f) & rrect(-2, 0, 14, 14.5f, 0));
    Shape plus = rrect(8, 10.5f, 14, 12.5f, 0.3f) | rrect(10, 8.5f, 12, 14.5f, 0.3f);
    c.fill(person - circle(11, 11.5f, 4.2f), rgb(236, 240, 250));
    c.fill(plus, rgb(252, 208, 96));
    return c.keyed(band(30, 7));
}

// Notice pop-ups: a short caption band, light body, small brand diamond.
Canvas noticePanel(int w, int h, int bandH) {
    Canvas c = frame(w, h, {bandH, {kOutline, rgb(58, 80, 146), rgb(150, 170, 206)},
                            vgrad(float(bandH), float(h), rgb(249, 251, 254), rgb(224, 234, 246))});
    Shape top = rrect(1, 1, float(w - 1), float(bandH - 1), 0);
    c.fill(circle(float(w) * 0.72f, 0, float(w) * 0.45f) & top, [=](float x, float y) {
        return rgb(120, 160, 240, 0.22f * (1 - smooth(0, float(w) * 0.45f, std::hypot(x - w * 0.72f, y))));
    });
    float cy = (bandH - 1) / 2.f;
    c.fill(polygon({{12, cy - 5}, {17, cy}, {12, cy + 5}, {7, cy}}), vgrad(cy - 5, cy + 5, rgb(255, 232, 150), rgb(204, 140, 44)));
    c.fill(segment(21, cy, 34, cy, 1.2f), rgb(226, 182, 94));
    return c;
}

Image notice(int h, bool pictureBox) {
    Canvas c = noticePanel(250, h, 25);
    if (pictureBox) {
        c.fill(ring(rrect(14.5f, 66.5f, 90.5f, 147.5f, 0), 1), rgb(172, 188, 216));
        for (float x = 100; x < 236; x += 4) c.fill(rrect(x, 63.5f, x + 2, 64.5f, 0), rgb(186, 200, 224));
    } else {
        for (float x = 18; x < 232; x += 4) c.fill(rrect(x, 61.5f, x + 2, 62.5f, 0), rgb(186, 200, 224));
    }
    return finish(c);
}

Image bar(bool gold) {
    Canvas c(316, 28);
    if (gold) {
        c.paint(vgrad3(0, 13, 28, rgb(255, 238, 180), rgb(232, 182, 82), rgb(170, 112, 36)));
        c.fill(rrect(0, 0, 316, 12, 0), rgb(255, 255, 255, 0.2f));
    } else {
        c.paint(band(28));
        c.fill(circle(158, 14, 120), [](float x, float y) {
            return rgb(110, 150, 240, 0.3f * (1 - smooth(0, 120, std::hypot((x - 158) * 1.0f, (y - 14) * 4.f))));
        }, 1);
    }
    for (float x = 20; x < 316; x += 69) {
        Col d = gold ? rgb(120, 70, 20, 0.5f) : rgb(216, 172, 84, 0.8f);
        c.fill(polygon({{x, 9}, {x + 5, 14}, {x, 19}, {x - 5, 14}}), d);
    }
    return c.keyed(solid(kOutline));
}

Col troughRow(float y) { return mix(mix(rgb(18, 26, 54), rgb(34, 46, 88), y / 5), rgb(56, 72, 116), (y - 5) / 15); }

Image progressTrough() {
    Canvas c(390, 21);
    Shape t = rrect(0.5f, 0.5f, 389.5f, 20.5f, 10);
    c.fill(t, [](float, float y) { return troughRow(y); });
    c.fill(ring(t, 1), rgb(104, 124, 166));
    return c.keyed(solid(kDialogBody));
}

Image progressBar() {
    Canvas c(390, 21);
    Shape b = rrect(2.5f, 2.5f, 387.5f, 18.5f, 8);
    c.fill(b, vgrad3(2.5f, 9, 18.5f, rgb(255, 234, 150), rgb(240, 184, 58), rgb(190, 122, 24)));
    c.fill(b, [](float x, float y) {  // faint diagonal stripes
        return rgb(255, 255, 255, int(std::floor((x + y) / 7)) % 2 ? 0.09f : 0);
    });
    c.fill(rrect(6, 3.5f, 384, 9.5f, 3), vgrad(3.5f, 9.5f, rgb(255, 255, 255, 0.55f), rgb(255, 255, 255, 0.08f)));
    c.fill(ring(b, 1), rgb(140, 84, 18));
    return c.keyed([](float, float y) { return troughRow(y); });  // lies inside the trough
}

Image prompt() {
    Canvas c = frame(284, 150, {30, {kOutline, rgb(60, 82, 146), rgb(150, 170, 206)},
                                vgrad(30, 147, rgb(243, 247, 252), rgb(222, 232, 244))});
    Shape top = rrect(1, 1, 283, 29, 0);
    c.fill(circle(236, 6, 90) & top, [](float x, float y) {
        return rgb(110, 150, 240, 0.3f * (1 - smooth(0, 90, std::hypot(x - 236, (y - 6) * 2))));
    });
    for (auto [x, y, r] : {std::tuple{222.f, 9.f, 3.f}, {252.f, 18.f, 2.2f}, {196.f, 20.f, 1.6f}, {266.f, 8.f, 1.4f}})
        c.fill(star(x, y, r, r * 0.3f, 4), rgb(255, 230, 160, 0.9f));
    emblem(c, 250, 118, 24, 0.1f);  // faint watermark
    return finish(c);
}

Image dialogFrame(bool main) {
    Frame f = main ? Frame{30, {rgb(6, 9, 22), rgb(48, 66, 122), kGold, rgb(22, 32, 66)}, solid(rgb(14, 20, 42))}
                   : Frame{30, {kOutline, rgb(58, 80, 142), rgb(36, 54, 104), rgb(160, 178, 206)}, solid(kDialogBody)};
    return finish(frame(30, 51, f));
}

}  // namespace

std::vector<Artwork> skinArtwork() {
    Paint b28 = band(30);
    return {
        {131, 30, 51, [] { return dialogFrame(false); }, false},
        {132, 132, 28, [=] { return glyphStrip(33, 28, cross(14.5f, 14, 4, 1.9f), b28, 1, 28.5f, true); }, false},
        {133, 228, 23, pushButton, false},
        {134, 30, 51, [] { return dialogFrame(true); }, false},
        {135, 108, 28, [=] { return glyphStrip(27, 28, box(8, 9, 19, 19), b28, 1.5f, 25.5f); }, false},
        {136, 108, 28, [=] { return glyphStrip(27, 28, rrect(8, 14, 19, 16, 0.3f), b28, 1.5f, 25.5f); }, false},
        {137, 108, 28, [=] {
             Shape front = box(8, 11, 17, 19), back = box(11, 8, 20, 16) - rrect(7, 10, 18, 20, 0);
             return glyphStrip(27, 28, front | back, b28, 1.5f, 25.5f);
         }, false},
        {138, 108, 27, [=] {
             Shape g = segment(13.5f, 6.5f, 13.5f, 15, 2) | segment(9.5f, 11, 13.5f, 15, 2) |
                       segment(17.5f, 11, 13.5f, 15, 2) | rrect(8, 18, 19, 20, 0.5f);
             return glyphStrip(27, 27, g, b28, 1.5f, 25.5f);
         }, false},
        {139, 176, 28, systemButton, false},
        {140, 567, 22, tabs, false},
        {141, 39, 13, tabClose, false},
        {142, 14, 16, addAccountIcon, false},
        {143, 250, 191, [] { return notice(191, true); }, false},
        {144, 144, 14, [] { return glyphStrip(36, 14, cross(18, 7, 3, 1.6f), band(25, 3), 6, 30, true); }, false},
        {145, 216, 22, [] { return glyphStrip(54, 22, cross(41, 10.5f, 3.5f, 1.7f), band(22, 1), 30, 52, true); }, false},
        {146, 160, 212, [] {
             Canvas c = noticePanel(160, 212, 22);
             return finish(c);
         }, false},
        {147, 250, 167, [] { return notice(167, false); }, false},
        {148, 108, 27, [=] { return glyphStrip(27, 27, speaker(-1) | cross(19, 13.5f, 2.5f, 1.7f), b28, 1.5f, 25.5f); }, false},
        {149, 108, 27, [=] {
             return glyphStrip(27, 27, speaker(-1) | wave(11, 13.5f, 4.8f) | wave(11, 13.5f, 8.4f), b28, 1.5f, 25.5f);
         }, false},
        {150, 316, 28, [] { return bar(false); }, false},
        {151, 316, 28, [] { return bar(true); }, false},
        {152, 390, 21, progressTrough, false},
        {153, 390, 21, progressBar, false},
        {162, 284, 150, prompt, false},
        {163, 42, 12, tabMutedMark, false},
    };
}

#include "canvas.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

Rgb rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }
Rgb mix(Rgb a, Rgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb scale(Rgb c, float f) { return {c.r * f, c.g * f, c.b * f}; }

Canvas::Canvas(int width, int height) : w(width), h(height), px(static_cast<size_t>(width) * height) {}

Canvas::Canvas(int width, int height, Rgb background) : Canvas(width, height) {
    for (Pixel& p : px) p = {background, 1};
}

void Canvas::setScale(float scale, float x, float y) {
    unit = scale;
    originX = x;
    originY = y;
}

void Canvas::blend(int x, int y, Rgb c, float a) {
    if (!inside(x, y) || a <= 0) return;
    a = std::min(a, 1.0f);
    Pixel& p = at(x, y);
    float outA = a + p.a * (1 - a);
    if (outA <= 0) return;
    float keep = p.a * (1 - a) / outA, add = a / outA;
    p.c = {c.r * add + p.c.r * keep, c.g * add + p.c.g * keep, c.b * add + p.c.b * keep};
    p.a = outA;
}

namespace {
struct PixelRange {
    int x0, y0, x1, y1;
};
PixelRange clip(Box b, int w, int h) {
    return {std::max(0, static_cast<int>(std::floor(b.x0))), std::max(0, static_cast<int>(std::floor(b.y0))),
            std::min(w - 1, static_cast<int>(std::ceil(b.x1))), std::min(h - 1, static_cast<int>(std::ceil(b.y1)))};
}
}  // namespace

void Canvas::shade(Box box, const std::function<Pixel(float, float)>& fn) {
    PixelRange r = clip(toPixels(box), w, h);
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x) {
            Pixel p = fn(designX(x + 0.5f), designY(y + 0.5f));
            blend(x, y, p.c, p.a);
        }
}

void Canvas::fill(Box box, const std::function<bool(float, float)>& inShape,
                  const std::function<Rgb(float, float)>& colour, float opacity) {
    PixelRange r = clip(toPixels(box), w, h);
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inShape(designX(x + (sx + 0.5f) / 4), designY(y + (sy + 0.5f) / 4))) ++hits;
            if (hits) blend(x, y, colour(designX(x + 0.5f), designY(y + 0.5f)), opacity * hits / 16.0f);
        }
}

void Canvas::fill(Box box, const std::function<bool(float, float)>& inShape, Rgb colour, float opacity) {
    fill(box, inShape, [colour](float, float) { return colour; }, opacity);
}

void Canvas::rect(float x0, float y0, float x1, float y1, Rgb c, float opacity) {
    fill({x0, y0, x1, y1}, [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, c, opacity);
}

void Canvas::disc(float cx, float cy, float r, Rgb c, float opacity) { ellipse(cx, cy, r, r, c, opacity); }

void Canvas::ellipse(float cx, float cy, float rx, float ry, Rgb c, float opacity) {
    fill({cx - rx, cy - ry, cx + rx, cy + ry},
         [=](float x, float y) {
             float dx = (x - cx) / rx, dy = (y - cy) / ry;
             return dx * dx + dy * dy <= 1;
         },
         c, opacity);
}

namespace {
bool insidePolygon(const std::vector<float>& xy, float x, float y) {
    bool in = false;
    size_t n = xy.size() / 2;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}
}  // namespace

void Canvas::polygon(const std::vector<float>& xy, Rgb c, float opacity) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        b.x0 = std::min(b.x0, xy[i]);
        b.x1 = std::max(b.x1, xy[i]);
        b.y0 = std::min(b.y0, xy[i + 1]);
        b.y1 = std::max(b.y1, xy[i + 1]);
    }
    fill(b, [&xy](float x, float y) { return insidePolygon(xy, x, y); }, c, opacity);
}

void Canvas::line(float x0, float y0, float x1, float y1, float width, Rgb c, float opacity) {
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy, hw = width / 2;
    Box b{std::min(x0, x1) - hw, std::min(y0, y1) - hw, std::max(x0, x1) + hw, std::max(y0, y1) + hw};
    fill(b,
         [=](float x, float y) {
             float t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f) : 0;
             float ex = x0 + t * dx - x, ey = y0 + t * dy - y;
             return ex * ex + ey * ey <= hw * hw;
         },
         c, opacity);
}

void Canvas::ring(float cx, float cy, float r, float width, Rgb c, float opacity) {
    float outer = r + width / 2, inner = r - width / 2;
    fill({cx - outer, cy - outer, cx + outer, cy + outer},
         [=](float x, float y) {
             float d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
             return d2 <= outer * outer && d2 >= inner * inner;
         },
         c, opacity);
}

void Canvas::glow(float cx, float cy, float r, Rgb c, float strength) {
    shade({cx - r, cy - r, cx + r, cy + r}, [=](float x, float y) {
        float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / r;
        float a = d >= 1 ? 0 : (1 - d) * (1 - d) * strength;
        return Pixel{c, a};
    });
}

void Canvas::grain(Box box, float amount, unsigned seed, float cell) {
    PixelRange r = clip(box, w, h);
    for (int y = r.y0; y <= r.y1; ++y)
        for (int x = r.x0; x <= r.x1; ++x) {
            Pixel& p = at(x, y);
            if (p.a <= 0) continue;
            float n = cell <= 1 ? hash01(x, y, seed) : valueNoise(x, y, cell, seed);
            p.c = scale(p.c, 1 + (n - 0.5f) * 2 * amount);
        }
}

void Canvas::draw(const Canvas& src, int x, int y) {
    for (int sy = 0; sy < src.h; ++sy)
        for (int sx = 0; sx < src.w; ++sx) {
            const Pixel& p = src.at(sx, sy);
            blend(x + sx, y + sy, p.c, p.a);
        }
}

void Canvas::drawRotated(const Canvas& src, float cx, float cy, float angle) {
    float s = std::sin(angle), c = std::cos(angle), reach = std::hypot(src.w, src.h) / 2 + 1;
    for (int y = static_cast<int>(cy - reach); y <= static_cast<int>(cy + reach); ++y)
        for (int x = static_cast<int>(cx - reach); x <= static_cast<int>(cx + reach); ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            int sx = static_cast<int>(std::floor(dx * c + dy * s + src.w / 2.0f));
            int sy = static_cast<int>(std::floor(-dx * s + dy * c + src.h / 2.0f));
            if (!src.inside(sx, sy) || src.at(sx, sy).a < 0.5f) continue;
            blend(x, y, src.at(sx, sy).c, 1);
        }
}

void Canvas::outline(Rgb c, float opacity) {
    std::vector<float> alpha(px.size());
    for (size_t i = 0; i < px.size(); ++i) alpha[i] = px[i].a;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (alpha[y * w + x] >= 0.5f) continue;
            float near = 0;
            for (int k = 0; k < 4; ++k) {
                int nx = x + (k == 0) - (k == 1), ny = y + (k == 2) - (k == 3);
                if (inside(nx, ny)) near = std::max(near, alpha[ny * w + nx]);
            }
            if (near >= 0.5f) {
                Pixel& p = at(x, y);
                p.c = mix(p.c, c, p.a < 0.01f ? 1 : opacity);
                p.a = std::max(p.a, opacity);
            }
        }
}

void Canvas::dropShadow(float dx, float dy, float opacity) {
    Canvas copy = *this;
    for (Pixel& p : px) p = {};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sx = static_cast<int>(std::lround(x - dx)), sy = static_cast<int>(std::lround(y - dy));
            if (copy.inside(sx, sy) && copy.at(sx, sy).a > 0) blend(x, y, Rgb{0, 0, 0}, copy.at(sx, sy).a * opacity);
        }
    draw(copy, 0, 0);
}

#include "dusk_scene.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace {
const int HORIZON = 392;

Rgb skyAt(float y) {
    struct Stop {
        float y;
        Rgb c;
    };
    static const Stop stops[] = {{0, rgb(14, 14, 38)},    {170, rgb(46, 34, 78)},  {270, rgb(118, 62, 92)},
                                 {340, rgb(214, 110, 70)}, {380, rgb(246, 168, 92)}, {HORIZON, rgb(252, 196, 120)}};
    for (size_t i = 1; i < sizeof stops / sizeof stops[0]; ++i)
        if (y <= stops[i].y) return mix(stops[i - 1].c, stops[i].c, (y - stops[i - 1].y) / (stops[i].y - stops[i - 1].y));
    return stops[5].c;
}

void paintSky(Canvas& c) {
    c.shade({0, 0, 800, HORIZON}, [](float x, float y) {
        Rgb sky = skyAt(y);
        // Sunset glow low on the left.
        float d = std::hypot((x - 170) / 420, (y - HORIZON) / 170);
        sky = mix(sky, rgb(255, 190, 110), std::max(0.0f, 0.55f - d * 0.55f));
        // Long thin clouds lit from below.
        float band = fractalNoise(x * 0.35f, y * 2.2f, 90, 4, 7);
        float cloud = std::clamp((band - 0.55f) * 4, 0.0f, 1.0f) * std::clamp((y - 120) / 60, 0.0f, 1.0f) *
                      std::clamp((360 - y) / 40, 0.0f, 1.0f);
        Rgb lit = mix(rgb(70, 40, 80), rgb(255, 150, 100), std::clamp((y - 150) / 200, 0.0f, 1.0f));
        return Pixel{mix(sky, lit, cloud * 0.7f), 1};
    });
    Dice dice(11);
    for (int i = 0; i < 110; ++i) {
        float x = dice.uniform(0, 800), y = dice.uniform(0, 210);
        float bright = dice.uniform(0.3f, 1) * (1 - y / 230);
        c.disc(x, y, dice.uniform(0.5f, 1.1f), rgb(255, 250, 235), bright);
    }
    // Crescent moon.
    c.glow(84, 74, 60, rgb(255, 240, 220), 0.25f);
    c.disc(84, 74, 17, rgb(250, 244, 226));
    c.disc(91, 69, 15, skyAt(69));
}

float ridge(float x, float base, float height, float cell, unsigned seed) {
    return base - fractalNoise(x, 0, cell, 5, seed) * height;
}

void paintHills(Canvas& c) {
    c.fill({0, 250, 800, HORIZON + 1}, [](float x, float y) { return y > ridge(x, 385, 120, 220, 3); },
           [](float, float y) { return mix(rgb(120, 70, 100), rgb(92, 58, 88), (y - 270) / 120); });
    c.fill({0, 300, 800, HORIZON + 1}, [](float x, float y) { return y > ridge(x, 398, 60, 140, 5); },
           [](float, float y) { return mix(rgb(70, 44, 72), rgb(52, 36, 60), (y - 330) / 60); });
}

const Rgb SILHOUETTE = rgb(24, 21, 34);
const Rgb RIM = rgb(230, 130, 80);
const Rgb WINDOW = rgb(255, 206, 128);

void block(Canvas& c, float x0, float y0, float x1, float y1, unsigned seed, bool windows) {
    c.rect(x0, y0, x1, y1, SILHOUETTE);
    c.rect(x0, y0, x1, y0 + 1.5f, RIM, 0.6f);     // roof edge lit by the sunset
    c.rect(x0, y0, x0 + 1.5f, y1, RIM, 0.35f);  // sunset side
    if (!windows) return;
    Dice dice(seed);
    for (float wy = y0 + 8; wy + 5 < y1 - 4; wy += 11)
        for (float wx = x0 + 6; wx + 7 < x1 - 4; wx += 13)
            if (dice.uniform(0, 1) < 0.45f) {
                c.rect(wx, wy, wx + 7, wy + 4, WINDOW, dice.uniform(0.6f, 1));
                c.glow(wx + 3.5f, wy + 2, 9, WINDOW, 0.12f);
            }
}

void paintBase(Canvas& c) {
    // Hangars and labs on the left.
    block(c, 40, 346, 170, HORIZON + 4, 21, true);
    c.polygon({30, 348, 105, 326, 180, 348}, SILHOUETTE);
    c.line(30, 348, 105, 326, 1.5f, RIM, 0.5f);
    block(c, 176, 362, 262, HORIZON + 4, 22, true);
    // Radar dish on its pedestal.
    c.rect(300, 330, 308, HORIZON, SILHOUETTE);
    c.polygon({286, HORIZON, 322, HORIZON, 312, 370, 296, 370}, SILHOUETTE);
    c.fill({260, 280, 350, 345},
           [](float x, float y) {
               float dx = x - 304, dy = y - 312;
               float u = dx * 0.8f + dy * 0.6f, v = -dx * 0.6f + dy * 0.8f;
               return (u * u) / (40.0f * 40) + (v * v) / (14.0f * 14) <= 1 && v > -3;
           },
           SILHOUETTE);
    c.line(304, 312, 322, 290, 2, SILHOUETTE);
    c.disc(322, 290, 3, SILHOUETTE);
    // Domed laboratory.
    block(c, 420, 352, 610, HORIZON + 4, 23, true);
    c.fill({430, 258, 600, 353}, [](float x, float y) {
        float dx = (x - 515) / 82, dy = (y - 353) / 92;
        return dx * dx + dy * dy <= 1 && y <= 353;
    }, [](float x, float y) {
        float light = std::clamp(1 - (x - 433) / 120, 0.0f, 1.0f) * std::clamp(1 - (353 - y) / 120, 0.3f, 1.0f);
        return mix(SILHOUETTE, rgb(96, 60, 70), light * 0.6f);
    });
    for (int i = 1; i < 6; ++i) {
        float t = i / 6.0f, x = 433 + 164 * t;
        c.line(515, 262, x, 353, 1, rgb(60, 44, 58), 0.6f);
    }
    c.disc(515, 262, 4, SILHOUETTE);
    c.glow(515, 258, 24, rgb(140, 220, 255), 0.35f);
    c.disc(515, 258, 2, rgb(200, 240, 255));
    // Lattice mast with its warning light.
    c.line(669, HORIZON, 677, 152, 2, SILHOUETTE);
    c.line(687, HORIZON, 679, 152, 2, SILHOUETTE);
    for (float y = 160; y < HORIZON - 6; y += 14) {
        float half = 1 + (y - 150) / (HORIZON - 150) * 9;
        c.line(678 - half, y, 678 + half, y + 14, 1, SILHOUETTE);
        c.line(678 + half, y, 678 - half, y + 14, 1, SILHOUETTE);
    }
    c.glow(678, 148, 40, rgb(255, 40, 30), 0.5f);
    c.disc(678, 148, 3, rgb(255, 90, 70));
    // Blocks and tanks on the right.
    block(c, 676, 340, 790, HORIZON + 4, 24, true);
    c.rect(610, 372, 680, HORIZON + 4, SILHOUETTE);
    for (float x : {700.0f, 740.0f}) {
        c.rect(x, 318, x + 30, 341, SILHOUETTE);
        c.ellipse(x + 15, 318, 15, 4, SILHOUETTE);
        c.rect(x, 317, x + 1.5f, 341, RIM, 0.3f);
    }
}

void paintGround(Canvas& c) {
    c.shade({0, HORIZON, 800, 600}, [](float x, float y) {
        float t = (y - HORIZON) / (600 - HORIZON);
        Rgb g = mix(rgb(40, 32, 44), rgb(14, 12, 20), std::sqrt(t));
        g = scale(g, 0.85f + 0.3f * fractalNoise(x, y * 2, 40, 4, 9));
        return Pixel{g, 1};
    });
    // Access road toward the gate, lit by floodlights.
    c.polygon({340, HORIZON, 460, HORIZON, 700, 600, 100, 600}, rgb(40, 36, 46));
    c.grain({40, HORIZON, 760, 600}, 0.08f, 13);
    for (float y = HORIZON + 8; y < 600; y += 30) {
        float t = (y - HORIZON) / (600 - HORIZON);
        c.rect(398 - t * 3, y, 402 + t * 3, y + 6 + 10 * t, rgb(200, 170, 90), 0.55f);
    }
    // Floodlight poles with their light pools.
    for (float x : {272.0f, 740.0f}) {
        c.line(x, HORIZON + 40, x, 330, 3, SILHOUETTE);
        c.rect(x - 9, 326, x + 9, 332, SILHOUETTE);
        c.glow(x, HORIZON + 50, 90, rgb(255, 220, 150), 0.2f);
        c.glow(x, 331, 18, rgb(255, 240, 200), 0.8f);
    }
}

void paintFence(Canvas& c) {
    const float top = 455, bottom = 560;
    // Chain link: two sets of thin diagonals.
    c.fill({0, top, 800, bottom}, [](float x, float y) {
        float a = std::fmod(x + y + 800, 12), b = std::fmod(x - y + 1600, 12);
        return a < 0.9f || b < 0.9f;
    }, rgb(70, 66, 80), 0.55f);
    for (float x = 20; x < 800; x += 95) {
        c.rect(x, top - 14, x + 5, bottom + 20, rgb(30, 28, 38));
        c.rect(x, top - 14, x + 1.5f, bottom + 20, RIM, 0.25f);
        c.line(x + 2, top - 14, x + 14, top - 26, 2, rgb(30, 28, 38));
    }
    for (float y : {top - 20.0f, top - 10.0f, top, bottom})
        c.line(0, y, 800, y + 1, 1.4f, rgb(36, 32, 44));
    // Barbed-wire coil.
    for (float x = 0; x < 800; x += 7) c.ring(x, top - 22, 6, 1, rgb(48, 44, 56), 0.8f);
    // Warning sign on the fence.
    c.rect(40, 490, 100, 528, rgb(212, 170, 40));
    for (int i = 0; i < 4; ++i)
        c.polygon({42.0f + i * 16, 526, 50.0f + i * 16, 526, 58.0f + i * 16, 512, 50.0f + i * 16, 512}, rgb(30, 26, 30));
    c.rect(46, 495, 94, 509, rgb(30, 26, 30));
    c.grain({0, 440, 800, 600}, 0.05f, 17);
}
}  // namespace

void paintDuskScene(Canvas& c) {
    paintSky(c);
    paintHills(c);
    paintGround(c);
    paintBase(c);
    paintFence(c);
    c.grain({0, 0, 800, 600}, 0.025f, 19);
}

void frostedPanel(Canvas& c, int x0, int y0, int x1, int y1) {
    // Box blur of radius 5, twice, over the region.
    Canvas blurred = c;
    for (int pass = 0; pass < 4; ++pass) {
        Canvas src = blurred;
        bool horizontal = pass % 2 == 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                Rgb sum{};
                for (int k = -5; k <= 5; ++k) {
                    int sx = std::clamp(horizontal ? x + k : x, 0, c.w - 1), sy = std::clamp(horizontal ? y : y + k, 0, c.h - 1);
                    Rgb p = src.at(sx, sy).c;
                    sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b};
                }
                blurred.at(x, y).c = scale(sum, 1 / 11.0f);
            }
    }
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            Rgb p = mix(blurred.at(x, y).c, rgb(112, 116, 132), 0.3f);
            // Keep the scene visible but hold its brightness in a narrow
            // mid-tone band.
            float l = 0.3f * p.r + 0.59f * p.g + 0.11f * p.b, target = 0.40f + 0.28f * l, shift = target - l;
            c.at(x, y).c = {p.r + shift, p.g + shift, p.b + shift};
        }
    c.grain({static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1 - 1), static_cast<float>(y1 - 1)}, 0.03f, 23);
    Rgb frame = rgb(236, 176, 86);
    c.rect(x0, y0, x1, y0 + 1, rgb(200, 200, 214), 0.5f);
    c.rect(x0, y1 - 1, x1, y1, rgb(10, 10, 16), 0.6f);
    for (int sx : {0, 1})
        for (int sy : {0, 1}) {
            float cx = sx ? x1 - 1 : x0, cy = sy ? y1 - 1 : y0, dx = sx ? -22 : 22, dy = sy ? -22 : 22;
            c.line(cx, cy, cx + dx, cy, 3, frame);
            c.line(cx, cy, cx, cy + dy, 3, frame);
        }
}

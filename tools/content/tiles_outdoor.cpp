// The outdoor tile set: the grounds around the base at dusk.
#include <array>
#include <cmath>

#include "noise.h"
#include "tile_kit.h"
#include "tile_sets.h"

namespace {
const Rgb GRASS = rgb(70, 84, 50), GRASS_DARK = rgb(48, 60, 38), DIRT = rgb(98, 80, 60), GRAVEL = rgb(104, 100, 96),
          SAND = rgb(150, 132, 100), ASPHALT = rgb(52, 52, 58), CONCRETE = rgb(126, 124, 120), WATER = rgb(34, 62, 86),
          ROCK = rgb(92, 86, 82), WOOD = rgb(132, 96, 56), STEEL = rgb(96, 104, 112), PAINT = rgb(214, 178, 60);

void grass(Canvas& t) {
    ground(t, GRASS, GRASS_DARK, 0.7f, 31);
    Dice d(5);
    for (int i = 0; i < 26; ++i) {
        // One draw per variable: argument order is up to the compiler.
        float x = d.uniform(0, 32), y = d.uniform(0, 32), lean = d.uniform(-1, 1), height = d.uniform(1.5f, 3),
              shade = d.uniform(0.7f, 1.3f);
        t.line(x, y, x + lean, y - height, 0.8f, scale(GRASS, shade), 0.8f);
    }
}
void patchyGrass(Canvas& t) {
    grass(t);
    // Patches stay inside the tile, so it mixes freely with plain grass.
    t.fill({3, 3, 29, 29}, [](float x, float y) {
        float edge = std::fmin(std::fmin(x, 32 - x), std::fmin(y, 32 - y));
        return edge > 3 && tileNoise(x, y, 8, 73) + 0.02f * edge > 0.72f;
    }, GRASS_DARK, 0.7f);
}
void dirt(Canvas& t) {
    ground(t, DIRT, rgb(74, 60, 46), 0.8f, 33);
    Dice d(6);
    for (int i = 0; i < 12; ++i) {
        float x = d.uniform(0, 32), y = d.uniform(0, 32), r = d.uniform(0.5f, 1.1f), shade = d.uniform(0.6f, 1.3f);
        t.disc(x, y, r, scale(DIRT, shade));
    }
}
void asphalt(Canvas& t) {
    ground(t, ASPHALT, rgb(40, 40, 46), 0.5f, 35, 4);
    t.grain({0, 0, 31, 31}, 0.08f, 36);
}
void concrete(Canvas& t) {
    ground(t, CONCRETE, rgb(108, 106, 104), 0.5f, 37);
    t.rect(0, 0, 32, 1, scale(CONCRETE, 0.7f));
    t.rect(0, 0, 1, 32, scale(CONCRETE, 0.75f));
}
void water(Canvas& t, int frame) {
    t.shade({0, 0, 32, 32}, [frame](float x, float y) {
        float phase = frame * 10.67f;
        float w = tileNoise(x + phase, y + phase * 0.5f, 8, 41) * 0.6f + tileNoise(x - phase, y, 4, 42) * 0.4f;
        Rgb c = mix(scale(WATER, 0.75f), mix(WATER, rgb(120, 110, 130), 0.35f), w);
        float sparkle = std::max(0.0f, w - 0.78f) * 2;
        return Pixel{mix(c, rgb(230, 160, 120), sparkle), 1};
    });
}
void fence(Canvas& t, bool horizontal) {
    grass(t);
    float c = 16;
    if (horizontal) {
        t.rect(0, c - 1, 32, c + 2, Rgb{0, 0, 0}, 0.3f);
        t.fill({0, c - 3, 32, c + 1}, [](float x, float) { return std::fmod(x, 3) < 1; }, rgb(150, 150, 156), 0.8f);
        t.line(0, c - 3, 32, c - 3, 1, rgb(170, 170, 176));
        t.line(0, c + 1, 32, c + 1, 1, rgb(110, 110, 116));
        roundTop(t, 4, c - 1, 2.2f, STEEL, 2);
    } else {
        t.rect(c - 1, 0, c + 2, 32, Rgb{0, 0, 0}, 0.3f);
        t.fill({c - 3, 0, c + 1, 32}, [](float, float y) { return std::fmod(y, 3) < 1; }, rgb(150, 150, 156), 0.8f);
        t.line(c - 3, 0, c - 3, 32, 1, rgb(170, 170, 176));
        t.line(c + 1, 0, c + 1, 32, 1, rgb(110, 110, 116));
        roundTop(t, c - 1, 4, 2.2f, STEEL, 2);
    }
}
void sandbags(Canvas& t) {
    dirt(t);
    shadowBox(t, 2, 6, 34, 30);
    for (int row = 0; row < 3; ++row)
        for (int i = -1; i < 3; ++i) {
            float x = i * 12 + (row % 2) * 6 + 2, y = 5 + row * 8;
            t.ellipse(x + 6, y + 4, 6.5f, 4.2f, scale(rgb(150, 136, 98), 0.55f));
            t.ellipse(x + 5.5f, y + 3.5f, 5.8f, 3.5f, rgb(150, 136, 98));
            t.ellipse(x + 4.5f, y + 2.5f, 3, 1.5f, rgb(176, 162, 122), 0.7f);
        }
}
void concreteWall(Canvas& t) {
    ground(t, rgb(86, 86, 92), rgb(70, 70, 76), 0.5f, 51, 16);
    t.rect(0, 0, 32, 3, rgb(132, 130, 134));
    t.rect(0, 0, 3, 32, rgb(118, 116, 122));
    t.rect(0, 29, 32, 32, rgb(44, 42, 50));
    t.rect(29, 0, 32, 32, rgb(52, 50, 58));
    t.rect(3, 15, 29, 17, rgb(64, 64, 70));
}
void rockWall(Canvas& t) {
    t.shade({0, 0, 32, 32}, [](float x, float y) {
        float n = tileNoise(x, y, 8, 55) * 0.7f + tileNoise(x, y, 4, 56) * 0.3f;
        float ridge = std::fabs(n - 0.5f) * 2;
        return Pixel{scale(ROCK, 0.55f + ridge * 0.7f), 1};
    });
}
void boulder(Canvas& t) {
    grass(t);
    t.ellipse(19, 19, 12, 10, Rgb{0, 0, 0}, 0.45f);
    t.fill({3, 3, 29, 28}, [](float x, float y) {
        float a = std::atan2(y - 15, x - 16), r = 11.5f + 2 * std::sin(a * 3 + 1) + std::sin(a * 5);
        return std::hypot(x - 16, y - 15) < r;
    }, [](float x, float y) { return scale(ROCK, 1.25f - 0.04f * (x + y - 20) * 0.5f + 0.2f * (tileNoise(x, y, 4, 57) - 0.5f)); });
}
void tree(Canvas& t) {
    grass(t);
    t.ellipse(19, 19, 14, 13, Rgb{0, 0, 0}, 0.5f);
    for (const std::array<float, 3>& crown : {std::array<float, 3>{16, 16, 13}, {12, 12, 7}, {20, 11, 6}, {11, 20, 6}, {20, 20, 7}}) {
        float cx = crown[0], cy = crown[1], r = crown[2];
        t.fill({cx - r, cy - r, cx + r, cy + r}, [=](float x, float y) { return std::hypot(x - cx, y - cy) < r; },
               [=](float x, float y) {
                   float light = 1.15f - 0.35f * ((x - cx) + (y - cy)) / r;
                   return scale(rgb(52, 74, 44), light * (0.8f + 0.4f * tileNoise(x, y, 3, 61)));
               });
    }
}
void bush(Canvas& t) {
    grass(t);
    for (auto [cx, cy, r] : {std::array<float, 3>{13, 14, 7}, {20, 18, 6}, {15, 21, 5}}) roundTop(t, cx, cy, r, rgb(66, 88, 50), 2);
}
void crate(Canvas& t, bool metal) {
    dirt(t);
    Rgb c = metal ? rgb(84, 98, 84) : WOOD;
    raisedBox(t, 4, 4, 27, 27, c, 3);
    t.rect(6, 6, 25, 25, scale(c, 0.85f));
    if (metal) {
        t.rect(6, 15, 25, 17, scale(c, 1.2f));
        t.rect(15, 6, 17, 25, scale(c, 1.2f));
        t.rect(9, 9, 13, 12, PAINT, 0.8f);
    } else {
        t.line(6, 6, 25, 25, 2, scale(c, 1.2f));
        t.line(25, 6, 6, 25, 2, scale(c, 1.1f));
    }
}
void barrel(Canvas& t, Rgb colour, bool hazard) {
    concrete(t);
    roundTop(t, 16, 16, 10, colour, 3);
    t.ring(16, 16, 7, 1, scale(colour, 0.6f));
    t.disc(19, 12, 1.8f, rgb(40, 40, 40));
    if (hazard) {
        t.polygon({16, 12, 20, 19, 12, 19}, rgb(30, 30, 30));
        t.polygon({16, 13.5f, 18.8f, 18.3f, 13.2f, 18.3f}, PAINT);
    }
}
void gate(Canvas& t, bool open) {
    asphalt(t);
    t.rect(0, 12, 32, 20, rgb(44, 44, 50));
    raisedBox(t, 0, 11, 4, 21, STEEL, 2);
    raisedBox(t, 28, 11, 32, 21, STEEL, 2);
    if (open) {
        t.rect(4, 13, 7, 19, rgb(120, 124, 130), 0.9f);
        t.rect(25, 13, 28, 19, rgb(120, 124, 130), 0.9f);
        lamp(t, 2, 9, 1.5f, rgb(80, 255, 120), 1);
    } else {
        shadowBox(t, 5, 15, 29, 21);
        t.rect(4, 13, 28, 19, rgb(120, 124, 130));
        hazardStripes(t, 4, 14, 28, 18, PAINT, rgb(30, 30, 30), 3);
        lamp(t, 2, 9, 1.5f, rgb(255, 60, 40), 1);
    }
}
void controlBox(Canvas& t, bool on) {
    concrete(t);
    raisedBox(t, 7, 6, 25, 26, rgb(88, 94, 104), 3);
    t.rect(10, 9, 22, 23, rgb(50, 54, 62));
    t.rect(14, on ? 10 : 16, 18, on ? 16 : 22, rgb(200, 200, 204));
    lamp(t, 20, 11, 1.4f, on ? rgb(80, 255, 120) : rgb(255, 60, 40), 1);
}
void warningLight(Canvas& t, bool lit) {
    concrete(t);
    roundTop(t, 16, 16, 7, rgb(70, 70, 76), 3);
    lamp(t, 15.5f, 15.5f, 4.5f, rgb(255, 150, 30), lit ? 1.0f : 0.15f);
}
void station(Canvas& t, bool health, bool full) {
    concrete(t);
    raisedBox(t, 6, 4, 26, 28, rgb(190, 192, 196), 3);
    t.rect(9, 7, 23, 25, rgb(60, 64, 72));
    Rgb mark = health ? rgb(230, 50, 50) : rgb(230, 180, 50);
    if (!full) mark = rgb(90, 90, 96);
    if (health) {
        t.rect(14, 9, 18, 23, mark);
        t.rect(10, 14, 22, 18, mark);
    } else {
        for (int i = 0; i < 3; ++i) {
            t.rect(10.5f + i * 4, 12, 13 + i * 4, 23, mark);
            t.polygon({10.5f + i * 4, 12, 13.0f + i * 4, 12, 11.75f + i * 4, 9}, mark);
        }
    }
    lamp(t, 23, 26, 1.2f, full ? rgb(80, 255, 120) : rgb(255, 60, 40), 1);
}
void terminal(Canvas& t, int frame) {
    concrete(t);
    raisedBox(t, 4, 8, 28, 26, rgb(80, 86, 96), 3);
    t.rect(7, 10, 25, 20, rgb(10, 26, 20));
    for (int line = 0; line < 4; ++line) {
        float len = 4 + std::fmod((line * 7 + frame * 5) * 1.7f, 13.0f);
        t.rect(8, 11 + line * 2.3f, 8 + len, 12 + line * 2.3f, rgb(80, 255, 150), 0.85f);
    }
    t.glow(16, 15, 14, rgb(80, 255, 150), 0.12f);
    for (int k = 0; k < 5; ++k) t.rect(8 + k * 3.5f, 22, 10.5f + k * 3.5f, 24, rgb(150, 154, 160));
}
void exitMarker(Canvas& t, int frame) {
    asphalt(t);
    Rgb c = frame ? rgb(120, 255, 150) : rgb(60, 190, 100);
    t.ring(16, 16, 11, 2, c);
    t.polygon({10, 13, 17, 13, 17, 9, 24, 16, 17, 23, 17, 19, 10, 19}, c);
    if (frame) t.glow(16, 16, 16, rgb(120, 255, 150), 0.25f);
}
void lampPost(Canvas& t) {
    grass(t);
    t.glow(16, 16, 16, rgb(255, 220, 150), 0.35f);
    roundTop(t, 16, 16, 4, rgb(60, 60, 66), 5);
    lamp(t, 15, 15, 2.2f, rgb(255, 230, 170), 1);
}
void roadLine(Canvas& t, bool vertical) {
    asphalt(t);
    if (vertical)
        t.rect(15, 4, 17, 28, rgb(220, 200, 120), 0.85f);
    else
        t.rect(4, 15, 28, 17, rgb(220, 200, 120), 0.85f);
}
void helipad(Canvas& t) {
    concrete(t);
    t.ring(16, 16, 13, 2, rgb(230, 230, 220));
    t.rect(10, 9, 13, 23, rgb(230, 230, 220));
    t.rect(19, 9, 22, 23, rgb(230, 230, 220));
    t.rect(13, 15, 19, 17, rgb(230, 230, 220));
}
void barrier(Canvas& t) {
    asphalt(t);
    shadowBox(t, 3, 10, 34, 24);
    t.rect(0, 9, 32, 22, rgb(150, 146, 140));
    t.rect(0, 9, 32, 11, rgb(180, 178, 172));
    t.rect(0, 14, 32, 17, rgb(168, 164, 158));
    hazardStripes(t, 0, 19, 32, 22, rgb(200, 60, 40), rgb(220, 220, 220), 4);
}
void manhole(Canvas& t) {
    asphalt(t);
    t.disc(16, 16, 10, rgb(44, 44, 48));
    t.ring(16, 16, 10, 1.5f, rgb(78, 78, 84));
    for (int i = -2; i <= 2; ++i) t.line(10, 16 + i * 3, 22, 16 + i * 3, 1, rgb(70, 70, 76));
}
void puddle(Canvas& t) {
    dirt(t);
    t.fill({4, 6, 28, 26}, [](float x, float y) { return std::hypot((x - 16) / 11, (y - 16) / 8) + 0.25f * tileNoise(x, y, 8, 71) < 1.05f; },
           [](float, float y) { return mix(rgb(60, 64, 80), rgb(120, 90, 100), y / 32); });
}
void flowers(Canvas& t) {
    grass(t);
    Dice d(8);
    for (int i = 0; i < 7; ++i) {
        float x = d.uniform(3, 29), y = d.uniform(3, 29);
        t.disc(x, y, 1.1f, i % 2 ? rgb(220, 200, 120) : rgb(200, 140, 170));
    }
}
void tracks(Canvas& t) {
    dirt(t);
    for (float x : {9.0f, 22.0f})
        t.fill({x - 3, 0, x + 3, 32}, [x](float px, float py) { return std::fabs(px - x) < 2.5f && std::fmod(py, 4) < 2.6f; },
               scale(DIRT, 0.7f));
}
void crackedConcrete(Canvas& t) {
    concrete(t);
    t.line(3, 8, 12, 14, 1, rgb(80, 78, 76));
    t.line(12, 14, 15, 24, 1, rgb(80, 78, 76));
    t.line(12, 14, 26, 18, 1, rgb(80, 78, 76));
}
}  // namespace

std::vector<TileDef> outdoorTiles() {
    return {
        {"grass", "dusk grass", 0, "", grass},
        {"grass patchy", "grass with dark patches", 0, "", patchyGrass},
        {"grass flowers", "grass with a few flowers", 0, "", flowers},
        {"dirt", "bare earth", 0, "", dirt},
        {"dirt tracks", "earth with tyre tracks (north-south)", 0, "", tracks},
        {"gravel", "grey gravel", 0, "", [](Canvas& t) { ground(t, GRAVEL, rgb(80, 78, 76), 0.9f, 34, 2); }},
        {"sand", "pale sand", 0, "", [](Canvas& t) { ground(t, SAND, rgb(128, 112, 86), 0.5f, 39, 16); }},
        {"asphalt", "dark asphalt", 0, "", asphalt},
        {"road line vertical", "asphalt with a north-south centre line", 0, "", [](Canvas& t) { roadLine(t, true); }},
        {"road line horizontal", "asphalt with an east-west centre line", 0, "", [](Canvas& t) { roadLine(t, false); }},
        {"concrete", "concrete slab", 0, "", concrete},
        {"concrete cracked", "cracked concrete slab", 0, "", crackedConcrete},
        {"helipad", "landing pad marking", 0, "", helipad},
        {"manhole", "manhole cover in asphalt", 0, "", manhole},
        {"puddle", "muddy puddle", 0, "", puddle},
        {"water 1", "water, frame 1 of 3 (units stop, bullets pass)", 1, "water 2", [](Canvas& t) { water(t, 0); }},
        {"water 2", "water, frame 2 of 3", 1, "water 3", [](Canvas& t) { water(t, 1); }},
        {"water 3", "water, frame 3 of 3", 1, "water 1", [](Canvas& t) { water(t, 2); }},
        {"fence east-west", "chain-link fence along the row (units stop, bullets pass)", 1, "", [](Canvas& t) { fence(t, true); }},
        {"fence north-south", "chain-link fence along the column", 1, "", [](Canvas& t) { fence(t, false); }},
        {"sandbags", "low sandbag wall", 1, "", sandbags},
        {"barrier", "concrete road barrier", 1, "", barrier},
        {"bush", "low bush", 1, "", bush},
        {"crate wooden", "wooden crate (grenades fly over)", 2, "", [](Canvas& t) { crate(t, false); }},
        {"crate metal", "military supply crate", 2, "", [](Canvas& t) { crate(t, true); }},
        {"barrel fuel", "red fuel barrel with hazard mark", 2, "", [](Canvas& t) { barrel(t, rgb(168, 52, 40), true); }},
        {"barrel oil", "olive oil drum", 2, "", [](Canvas& t) { barrel(t, rgb(86, 100, 60), false); }},
        {"concrete wall", "tall concrete wall", 3, "", concreteWall},
        {"rock", "rock face", 3, "", rockWall},
        {"boulder", "boulder on grass", 3, "", boulder},
        {"tree", "tree crown", 3, "", tree},
        {"lamp post", "lamp post with light pool", 3, "", lampPost},
        {"gate closed", "barrier gate, closed (red lamp)", 3, "", [](Canvas& t) { gate(t, false); }},
        {"gate open", "barrier gate, open (green lamp)", 0, "", [](Canvas& t) { gate(t, true); }},
        {"switch off", "control box, lever down, red lamp", 3, "", [](Canvas& t) { controlBox(t, false); }},
        {"switch on", "control box, lever up, green lamp", 3, "", [](Canvas& t) { controlBox(t, true); }},
        {"warning light on", "amber warning beacon, lit", 3, "warning light off", [](Canvas& t) { warningLight(t, true); }},
        {"warning light off", "amber warning beacon, dark", 3, "warning light on", [](Canvas& t) { warningLight(t, false); }},
        {"warning light still", "amber warning beacon, switched off (does not blink)", 3, "", [](Canvas& t) { warningLight(t, false); }},
        {"health station full", "first-aid station, red cross", 1, "", [](Canvas& t) { station(t, true, true); }},
        {"health station empty", "first-aid station, used up", 1, "", [](Canvas& t) { station(t, true, false); }},
        {"ammo station full", "ammunition locker, cartridges", 1, "", [](Canvas& t) { station(t, false, true); }},
        {"ammo station empty", "ammunition locker, used up", 1, "", [](Canvas& t) { station(t, false, false); }},
        {"terminal 1", "field terminal, frame 1 of 2", 1, "terminal 2", [](Canvas& t) { terminal(t, 0); }},
        {"terminal 2", "field terminal, frame 2 of 2", 1, "terminal 1", [](Canvas& t) { terminal(t, 1); }},
        {"exit 1", "exit marker, frame 1 of 2", 0, "exit 2", [](Canvas& t) { exitMarker(t, 0); }},
        {"exit 2", "exit marker, frame 2 of 2", 0, "exit 1", [](Canvas& t) { exitMarker(t, 1); }},
    };
}

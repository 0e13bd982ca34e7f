// The indoor tile set: corridors, labs and control rooms of the base.
#include <array>
#include <cmath>

#include "catalogue.h"
#include "noise.h"
#include "tile_kit.h"
#include "tile_sets.h"

namespace {
const Rgb STEEL = rgb(92, 98, 108), LAB = rgb(142, 148, 152), LINO = rgb(120, 128, 122), CARPET = rgb(56, 70, 96),
          WALL = rgb(54, 58, 68), PANEL = rgb(70, 76, 88), DOOR = rgb(120, 130, 140), PAINT = rgb(214, 178, 60),
          SCREEN = rgb(80, 255, 150), GLASS = rgb(150, 200, 220);

void metalFloor(Canvas& t) { plates(t, STEEL, 16, 81, true); }
void wornFloor(Canvas& t) {
    metalFloor(t);
    t.grain({0, 0, 31, 31}, 0.12f, 82, 3);
    t.line(4, 22, 14, 27, 1, scale(STEEL, 1.3f), 0.5f);
}
void labFloor(Canvas& t) { plates(t, LAB, 16, 83, false); }
void dirtyLab(Canvas& t) {
    labFloor(t);
    t.fill({0, 0, 32, 32}, [](float x, float y) { return tileNoise(x, y, 8, 84) > 0.62f; }, rgb(110, 100, 84), 0.45f);
}
void grating(Canvas& t) {
    ground(t, rgb(30, 32, 36), rgb(20, 22, 26), 0.4f, 85);
    for (int i = 0; i < 32; i += 4) {
        t.rect(i, 0, i + 1.5f, 32, rgb(96, 102, 110));
        t.rect(0, i, 32, i + 1, rgb(76, 80, 88));
    }
}
void checker(Canvas& t) {
    t.shade({0, 0, 32, 32}, [](float x, float y) {
        bool dark = (static_cast<int>(x) / 16 + static_cast<int>(y) / 16) % 2;
        return Pixel{dark ? scale(LINO, 0.7f) : LINO, 1};
    });
    t.grain({0, 0, 31, 31}, 0.05f, 86);
}
void carpet(Canvas& t) {
    ground(t, CARPET, scale(CARPET, 0.8f), 0.5f, 87, 4);
    t.grain({0, 0, 31, 31}, 0.1f, 88);
}
void hazardFloor(Canvas& t) {
    metalFloor(t);
    hazardStripes(t, 0, 0, 32, 32, PAINT, rgb(34, 34, 38), 5);
    t.grain({0, 0, 31, 31}, 0.1f, 89, 2);
}
void concreteFloor(Canvas& t) { ground(t, rgb(110, 108, 106), rgb(94, 92, 92), 0.6f, 90); }
void drain(Canvas& t) {
    labFloor(t);
    t.disc(16, 16, 7, rgb(50, 52, 56));
    for (int i = -2; i <= 2; ++i) t.rect(11, 15.5f + i * 2.5f, 21, 16.5f + i * 2.5f, rgb(130, 134, 140));
}
void wall(Canvas& t, Rgb c, bool panel) {
    ground(t, c, scale(c, 0.85f), 0.4f, 91, 16);
    t.rect(0, 0, 32, 2, scale(c, 1.7f));
    t.rect(0, 0, 2, 32, scale(c, 1.5f));
    t.rect(0, 30, 32, 32, scale(c, 0.55f));
    t.rect(30, 0, 32, 32, scale(c, 0.6f));
    if (panel) {
        t.rect(5, 5, 27, 27, scale(c, 0.8f));
        t.rect(6, 6, 27, 27, scale(c, 1.05f));
        for (float x : {8.0f, 24.0f}) t.disc(x, 8, 1, scale(c, 1.5f));
    }
}
void bulkhead(Canvas& t) {
    wall(t, rgb(70, 74, 82), false);
    hazardStripes(t, 3, 3, 29, 8, PAINT, rgb(34, 34, 38), 3);
    t.rect(3, 12, 29, 28, rgb(58, 62, 70));
    t.line(3, 12, 29, 28, 2, rgb(84, 88, 96));
    t.line(29, 12, 3, 28, 2, rgb(84, 88, 96));
}
void glassWall(Canvas& t, bool horizontal) {
    metalFloor(t);
    if (horizontal) {
        t.rect(0, 13, 32, 19, GLASS, 0.45f);
        t.rect(0, 13, 32, 14, rgb(220, 240, 250), 0.8f);
        t.rect(0, 18, 32, 19, rgb(60, 80, 90));
        t.line(6, 17, 12, 14, 1, rgb(240, 250, 255), 0.6f);
    } else {
        t.rect(13, 0, 19, 32, GLASS, 0.45f);
        t.rect(13, 0, 14, 32, rgb(220, 240, 250), 0.8f);
        t.rect(18, 0, 19, 32, rgb(60, 80, 90));
        t.line(17, 6, 14, 12, 1, rgb(240, 250, 255), 0.6f);
    }
}
void railing(Canvas& t) {
    grating(t);
    shadowBox(t, 1, 15, 33, 19, 0.5f);
    t.rect(0, 13, 32, 16, rgb(200, 170, 60));
    t.rect(0, 13, 32, 14, rgb(240, 210, 100));
    for (float x : {4.0f, 20.0f}) roundTop(t, x, 14.5f, 2.2f, rgb(200, 170, 60), 1.5f);
}
void desk(Canvas& t) {
    carpet(t);
    raisedBox(t, 2, 7, 30, 25, rgb(120, 96, 70), 3);
    t.rect(6, 10, 14, 16, rgb(230, 230, 220));
    t.rect(17, 11, 27, 20, rgb(40, 44, 52));
    t.rect(18, 12, 26, 18, rgb(60, 120, 150));
}
void labBench(Canvas& t) {
    labFloor(t);
    raisedBox(t, 2, 6, 30, 26, rgb(200, 204, 208), 3);
    for (auto [x, c] : {std::pair<float, Rgb>{8, rgb(90, 200, 120)}, {15, rgb(120, 140, 230)}, {22, rgb(220, 120, 80)}}) {
        t.disc(x, 14, 2.5f, rgb(230, 240, 245), 0.8f);
        t.disc(x, 14, 1.7f, c);
    }
    t.rect(6, 19, 26, 23, rgb(60, 64, 70));
}
void door(Canvas& t, bool horizontal, bool open, bool secure) {
    metalFloor(t);
    Rgb frame = rgb(60, 64, 72), leaf = secure ? rgb(140, 110, 60) : DOOR;
    auto box = [&](float x0, float y0, float x1, float y1, Rgb c) {
        if (horizontal) t.rect(x0, y0, x1, y1, c);
        else t.rect(y0, x0, y1, x1, c);
    };
    // Jambs as thick as the wall blocks beside them, leaves between.
    box(0, 4, 5, 28, WALL);
    box(27, 4, 32, 28, WALL);
    box(0, 4, 5, 5, scale(WALL, 1.35f));
    box(27, 4, 32, 5, scale(WALL, 1.35f));
    box(0, 27, 5, 28, scale(WALL, 0.6f));
    box(27, 27, 32, 28, scale(WALL, 0.6f));
    box(5, 10, 27, 22, frame);
    if (open) {
        box(5, 11, 8, 21, leaf);
        box(24, 11, 27, 21, leaf);
        box(8, 10, 24, 22, rgb(92, 98, 108));
    } else {
        box(5, 11, 27, 21, leaf);
        box(5, 11, 27, 12, scale(leaf, 1.3f));
        box(15.5f, 11, 16.5f, 21, scale(leaf, 0.55f));
        if (secure) box(8, 13, 13, 19, rgb(34, 34, 38));
    }
    Rgb light = open ? rgb(80, 255, 120) : rgb(255, 60, 40);
    if (horizontal) lamp(t, 1.5f, 7, 1.3f, light, 1);
    else lamp(t, 7, 1.5f, 1.3f, light, 1);
}
void wallSwitch(Canvas& t, bool on) {
    wall(t, WALL, false);
    t.rect(9, 8, 23, 24, rgb(40, 42, 48));
    t.rect(10, 9, 22, 23, rgb(70, 74, 82));
    t.rect(14, on ? 10 : 16, 18, on ? 16 : 22, rgb(210, 210, 214));
    lamp(t, 20, 11, 1.4f, on ? rgb(80, 255, 120) : rgb(255, 60, 40), 1);
}
void station(Canvas& t, bool health, bool full) {
    metalFloor(t);
    raisedBox(t, 5, 4, 27, 28, rgb(200, 202, 206), 3);
    t.rect(8, 7, 24, 25, rgb(60, 64, 72));
    Rgb mark = !full ? rgb(90, 90, 96) : health ? rgb(230, 50, 50) : rgb(230, 180, 50);
    if (health) {
        t.rect(14, 9, 18, 23, mark);
        t.rect(10, 14, 22, 18, mark);
    } else {
        for (int i = 0; i < 3; ++i) {
            t.rect(10.5f + i * 4, 12, 13 + i * 4, 23, mark);
            t.polygon({10.5f + i * 4, 12, 13.0f + i * 4, 12, 11.75f + i * 4, 9}, mark);
        }
    }
    lamp(t, 24, 26, 1.2f, full ? rgb(80, 255, 120) : rgb(255, 60, 40), 1);
}
void crate(Canvas& t) {
    metalFloor(t);
    raisedBox(t, 4, 4, 27, 27, rgb(84, 98, 84), 3);
    t.rect(6, 15, 25, 17, rgb(100, 116, 100));
    t.rect(15, 6, 17, 25, rgb(100, 116, 100));
    t.rect(8, 8, 13, 12, PAINT, 0.8f);
}
void barrel(Canvas& t) {
    metalFloor(t);
    roundTop(t, 16, 16, 10, rgb(60, 120, 160), 3);
    t.ring(16, 16, 7, 1, rgb(40, 80, 110));
    t.polygon({16, 11, 20.5f, 19, 11.5f, 19}, PAINT);
    t.disc(16, 16.5f, 1.5f, rgb(30, 30, 30));
}
void terminal(Canvas& t, int frame) {
    metalFloor(t);
    raisedBox(t, 3, 6, 29, 27, rgb(70, 76, 86), 3);
    t.rect(6, 8, 26, 19, rgb(8, 22, 18));
    if (frame == 2) {
        t.rect(8, 10, 24, 17, SCREEN, 0.25f);
        t.rect(10, 12, 22, 15, SCREEN, 0.9f);
    } else {
        for (int line = 0; line < 4; ++line) {
            float len = 3 + std::fmod((line * 5 + frame * 9) * 1.9f, 15.0f);
            t.rect(7, 9 + line * 2.4f, 7 + len, 10 + line * 2.4f, SCREEN, 0.85f);
        }
    }
    t.glow(16, 13, 15, SCREEN, 0.12f);
    for (int k = 0; k < 6; ++k) t.rect(7 + k * 3.2f, 21, 9 + k * 3.2f, 23, rgb(150, 154, 160));
}
void serverRack(Canvas& t, int frame) {
    wall(t, rgb(44, 48, 56), false);
    for (int row = 0; row < 6; ++row) {
        float y = 4 + row * 4.3f;
        t.rect(4, y, 28, y + 3, rgb(26, 28, 34));
        for (int k = 0; k < 4; ++k) {
            bool on = ((row * 5 + k * 3 + frame * 7) % 4) != 0;
            Rgb c = (row + k) % 3 == 0 ? rgb(80, 200, 255) : rgb(80, 255, 120);
            t.rect(6 + k * 2.5f, y + 1, 7.5f + k * 2.5f, y + 2, c, on ? 1 : 0.2f);
        }
        t.rect(20, y + 1, 26, y + 2, rgb(70, 74, 84));
    }
}
void fan(Canvas& t, int frame) {
    grating(t);
    t.disc(16, 16, 13, rgb(24, 26, 30));
    t.ring(16, 16, 13, 2, rgb(110, 116, 124));
    for (int blade = 0; blade < 4; ++blade) {
        float a = (blade * 90 + frame * 22.5f) * 3.14159265f / 180, s = std::sin(a), c = std::cos(a);
        float tipX = 16 + 11 * c, tipY = 16 + 11 * s, sideX = 16 + 9 * std::cos(a + 0.6f), sideY = 16 + 9 * std::sin(a + 0.6f);
        t.polygon({16, 16, tipX, tipY, sideX, sideY}, rgb(140, 146, 154));
    }
    t.disc(16, 16, 3, rgb(180, 184, 190));
}
void warningLight(Canvas& t, bool lit) {
    wall(t, WALL, false);
    roundTop(t, 16, 16, 7, rgb(60, 60, 66), 2);
    lamp(t, 15.5f, 15.5f, 4.5f, rgb(255, 50, 40), lit ? 1.0f : 0.15f);
}
void exitMarker(Canvas& t, int frame) {
    metalFloor(t);
    Rgb c = frame ? rgb(120, 255, 150) : rgb(60, 190, 100);
    t.rect(3, 3, 29, 29, c, 0.15f);
    t.polygon({8, 13, 17, 13, 17, 8, 25, 16, 17, 24, 17, 19, 8, 19}, c);
    if (frame) t.glow(16, 16, 16, rgb(120, 255, 150), 0.3f);
}
void plant(Canvas& t) {
    labFloor(t);
    roundTop(t, 16, 16, 8, rgb(120, 90, 70), 3);
    for (int i = 0; i < 7; ++i) {
        float a = i * 0.9f;
        t.ellipse(16 + 6 * std::cos(a), 16 + 6 * std::sin(a), 4, 2.5f, rgb(70, 120, 60));
    }
    t.disc(16, 16, 3, rgb(90, 140, 70));
}
void specimenTank(Canvas& t, int frame) {
    labFloor(t);
    roundTop(t, 16, 16, 12, rgb(90, 96, 106), 3);
    t.disc(16, 16, 9.5f, rgb(60, 170, 150));
    t.ellipse(14, 15, 4, 6, rgb(40, 90, 70), 0.8f);
    for (int i = 0; i < 4; ++i) t.disc(12 + i * 3, 22 - std::fmod(i * 5.0f + frame * 6, 14.0f), 1, rgb(220, 255, 240), 0.8f);
    t.disc(12, 11, 2, rgb(255, 255, 255), 0.5f);
}
}  // namespace

std::vector<TileDef> indoorTiles() {
    return {
        {"metal floor", "riveted steel floor plates", 0, "", metalFloor},
        {"metal floor worn", "scuffed steel floor plates", 0, "", wornFloor},
        {"lab floor", "pale laboratory tiles", 0, "", labFloor},
        {"lab floor dirty", "laboratory tiles with stains", 0, "", dirtyLab},
        {"grating", "floor grating over a dark pit", 0, "", grating},
        {"checker", "green-grey checkered linoleum", 0, "", checker},
        {"carpet", "blue office carpet", 0, "", carpet},
        {"hazard floor", "yellow-black hazard striped floor", 0, "", hazardFloor},
        {"concrete floor", "bare concrete floor", 0, "", concreteFloor},
        {"drain", "laboratory tiles with a floor drain", 0, "", drain},
        {"wall", "plain wall block", 3, "", [](Canvas& t) { wall(t, WALL, false); }},
        {"wall panel", "wall with a bolted panel", 3, "", [](Canvas& t) { wall(t, PANEL, true); }},
        {"bulkhead", "reinforced bulkhead with warning stripes", 3, "", bulkhead},
        {"glass east-west", "glass partition along the row (units stop, bullets pass)", 1, "", [](Canvas& t) { glassWall(t, true); }},
        {"glass north-south", "glass partition along the column", 1, "", [](Canvas& t) { glassWall(t, false); }},
        {"railing", "yellow railing over grating", 1, "", railing},
        {"desk", "office desk with papers and a monitor", 1, "", desk},
        {"lab bench", "laboratory bench with flasks", 1, "", labBench},
        {"door closed east-west", "sliding door in a wall running east-west, closed", 3, "", [](Canvas& t) { door(t, true, false, false); }},
        {"door open east-west", "the same door, open", 0, "", [](Canvas& t) { door(t, true, true, false); }},
        {"door closed north-south", "sliding door in a wall running north-south, closed", 3, "", [](Canvas& t) { door(t, false, false, false); }},
        {"door open north-south", "the same door, open", 0, "", [](Canvas& t) { door(t, false, true, false); }},
        {"security door closed", "security door (east-west) with keypad, closed", 3, "", [](Canvas& t) { door(t, true, false, true); }},
        {"security door open", "security door, open", 0, "", [](Canvas& t) { door(t, true, true, true); }},
        {"switch off", "wall switch, lever down, red lamp", 3, "", [](Canvas& t) { wallSwitch(t, false); }},
        {"switch on", "wall switch, lever up, green lamp", 3, "", [](Canvas& t) { wallSwitch(t, true); }},
        {"health station full", "first-aid station, red cross", 1, "", [](Canvas& t) { station(t, true, true); }},
        {"health station empty", "first-aid station, used up", 1, "", [](Canvas& t) { station(t, true, false); }},
        {"ammo station full", "ammunition locker, cartridges", 1, "", [](Canvas& t) { station(t, false, true); }},
        {"ammo station empty", "ammunition locker, used up", 1, "", [](Canvas& t) { station(t, false, false); }},
        {"crate", "supply crate (grenades fly over)", 2, "", crate},
        {"barrel", "blue chemical barrel", 2, "", barrel},
        {"terminal 1", "computer terminal, frame 1 of 3", 1, "terminal 2", [](Canvas& t) { terminal(t, 0); }},
        {"terminal 2", "computer terminal, frame 2 of 3", 1, "terminal 3", [](Canvas& t) { terminal(t, 1); }},
        {"terminal 3", "computer terminal, frame 3 of 3", 1, "terminal 1", [](Canvas& t) { terminal(t, 2); }},
        {"terminal off", "computer terminal, dark screen (does not animate)", 1, "", [](Canvas& t) { terminal(t, 2); t.rect(6, 8, 26, 19, rgb(8, 22, 18)); }},
        {"server rack 1", "server rack with blinking lights, frame 1 of 2", 3, "server rack 2", [](Canvas& t) { serverRack(t, 0); }},
        {"server rack 2", "server rack, frame 2 of 2", 3, "server rack 1", [](Canvas& t) { serverRack(t, 1); }},
        {"fan 1", "floor fan, frame 1 of 4", 1, "fan 2", [](Canvas& t) { fan(t, 0); }},
        {"fan 2", "floor fan, frame 2 of 4", 1, "fan 3", [](Canvas& t) { fan(t, 1); }},
        {"fan 3", "floor fan, frame 3 of 4", 1, "fan 4", [](Canvas& t) { fan(t, 2); }},
        {"fan 4", "floor fan, frame 4 of 4", 1, "fan 1", [](Canvas& t) { fan(t, 3); }},
        {"alarm light on", "red alarm light, lit", 3, "alarm light off", [](Canvas& t) { warningLight(t, true); }},
        {"alarm light off", "red alarm light, dark", 3, "alarm light on", [](Canvas& t) { warningLight(t, false); }},
        {"alarm light still", "red alarm light, switched off (does not blink)", 3, "", [](Canvas& t) { warningLight(t, false); }},
        {"exit 1", "exit marker, frame 1 of 2", 0, "exit 2", [](Canvas& t) { exitMarker(t, 0); }},
        {"exit 2", "exit marker, frame 2 of 2", 0, "exit 1", [](Canvas& t) { exitMarker(t, 1); }},
        {"plant", "potted plant", 1, "", plant},
        {"specimen tank 1", "specimen tank with bubbles, frame 1 of 2", 2, "specimen tank 2", [](Canvas& t) { specimenTank(t, 0); }},
        {"specimen tank 2", "specimen tank, frame 2 of 2", 2, "specimen tank 1", [](Canvas& t) { specimenTank(t, 1); }},
    };
}

void makeTileSets(Catalogue& catalogue) {
    std::string markdown;
    buildTileSet(catalogue, "data/tiles/outdoor.dat", "Outdoor set", outdoorTiles(), markdown);
    buildTileSet(catalogue, "data/tiles/indoor.dat", "Indoor set", indoorTiles(), markdown);
    writeBytes(catalogue.stagingPath("tilesets_tables.md"), std::vector<uint8_t>(markdown.begin(), markdown.end()));
}

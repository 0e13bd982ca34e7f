#include "hud.h"

#include <cmath>
#include <string>

#include "typeface.h"

namespace {
const Rgb OUTLINE = rgb(16, 16, 20), GUNMETAL = rgb(58, 62, 70), STEEL_LIGHT = rgb(150, 156, 166), WOOD = rgb(120, 84, 50),
          OLIVE = rgb(88, 100, 64);

std::string numbered(const char* stem, int i) { return std::string("gfx/") + stem + std::to_string(i) + ".tga"; }

// A vertical streak: hot core, coloured rim, fading tail toward the bottom.
Canvas tracer(int w, int h, Rgb core, Rgb rim) {
    Canvas c(w, h);
    float cx = w / 2.0f;
    c.fill({0, 0, static_cast<float>(w), static_cast<float>(h)},
           [=](float x, float y) {
               float half = w / 2.0f * (y < w / 2.0f ? std::sqrt(std::fmax(0.0f, 1 - (1 - y / (w / 2.0f)) * (1 - y / (w / 2.0f)))) : 1);
               return std::fabs(x - cx) <= half;
           },
           [=](float x, float y) { return mix(core, rim, std::fabs(x - cx) / (w / 2.0f) + y / h * 0.6f); });
    return c;
}
}  // namespace

void makeBullets(Catalogue& catalogue) {
    // Height sets the collision radius (half of it), so each is small.
    Canvas bullets[8] = {tracer(3, 6, rgb(255, 250, 200), rgb(230, 170, 60)),   // pistol
                         Canvas(3, 3),                                          // shotgun pellet
                         tracer(3, 8, rgb(255, 255, 220), rgb(240, 200, 80)),   // rifle
                         tracer(4, 12, rgb(230, 255, 255), rgb(80, 200, 255)),  // heavy rifle
                         Canvas(7, 7),                                          // grenade
                         Canvas(6, 14),                                         // rocket
                         tracer(3, 5, rgb(255, 240, 160), rgb(255, 120, 30)),   // small splinter
                         tracer(4, 7, rgb(255, 220, 120), rgb(220, 60, 20))};   // large splinter
    bullets[1].disc(1.5f, 1.5f, 1.6f, rgb(255, 190, 100));
    bullets[1].at(1, 1) = {rgb(255, 250, 220), 1};
    Canvas& grenade = bullets[4];
    grenade.disc(3.5f, 3.5f, 3.4f, OLIVE);
    grenade.disc(2.6f, 2.6f, 1.3f, rgb(150, 166, 110));
    grenade.rect(3, 0, 4, 2, rgb(40, 40, 40));
    Canvas& rocket = bullets[5];
    rocket.polygon({0, 13, 6, 13, 4.5f, 9, 1.5f, 9}, rgb(70, 74, 80));
    rocket.rect(1.5f, 3, 4.5f, 11, rgb(200, 204, 200));
    rocket.polygon({1.5f, 3, 4.5f, 3, 3, 0}, rgb(200, 60, 40));
    rocket.rect(2, 11, 4, 14, rgb(255, 200, 80));
    for (int i = 0; i < 8; ++i) catalogue.savePicture(numbered("bullet", i), bullets[i], Transparency::masked);
}

namespace {
// Side views of the six weapons, muzzle to the right, 64 x 28.
void barrel(Canvas& c, float x0, float x1, float y, float thick, Rgb colour) {
    c.rect(x0, y - thick / 2, x1, y + thick / 2, colour);
    c.rect(x0, y - thick / 2, x1, y - thick / 2 + 1, scale(colour, 1.5f), 0.8f);
}
void stock(Canvas& c, float x0, float x1, float y0, float y1, Rgb colour) {
    c.polygon({x0, y0 + 2, x1, y0, x1, y1, x0, y1 + 2}, colour);
    c.rect(x0, y0 + 2, x1, y0 + 3, scale(colour, 1.35f), 0.7f);
}
void grip(Canvas& c, float x, float y, Rgb colour) { c.polygon({x, y, x + 5, y, x + 3, y + 9, x - 2, y + 9}, colour); }

Canvas weaponIcon(int weapon) {
    Canvas c(64, 28);
    switch (weapon) {
    case 0:  // pistol
        c.rect(18, 8, 44, 14, GUNMETAL);
        c.rect(18, 8, 44, 9, STEEL_LIGHT);
        grip(c, 20, 14, rgb(50, 40, 34));
        c.ring(28, 16, 2.5f, 1, GUNMETAL);
        break;
    case 1:  // shotgun
        stock(c, 2, 18, 10, 17, WOOD);
        c.rect(18, 9, 32, 16, GUNMETAL);
        barrel(c, 32, 62, 10.5f, 3, GUNMETAL);
        c.rect(34, 13, 52, 16, WOOD);
        grip(c, 22, 16, WOOD);
        break;
    case 2:  // assault rifle
        stock(c, 2, 16, 9, 16, rgb(40, 42, 46));
        c.rect(16, 8, 42, 15, GUNMETAL);
        barrel(c, 42, 62, 10.5f, 2.5f, GUNMETAL);
        c.polygon({28, 15, 34, 15, 36, 25, 31, 25}, rgb(40, 42, 46));
        grip(c, 20, 15, rgb(40, 42, 46));
        c.rect(24, 5, 36, 8, rgb(30, 32, 36));
        break;
    case 3:  // heavy rifle with scope
        stock(c, 1, 14, 10, 17, OLIVE);
        c.rect(14, 9, 36, 16, GUNMETAL);
        barrel(c, 36, 63, 11.5f, 3, GUNMETAL);
        c.rect(20, 4, 34, 8, rgb(26, 28, 32));
        c.disc(34, 6, 2.2f, rgb(60, 140, 200));
        grip(c, 18, 16, OLIVE);
        c.line(48, 14, 44, 22, 1.2f, GUNMETAL);
        c.line(48, 14, 52, 22, 1.2f, GUNMETAL);
        break;
    case 4:  // grenade launcher
        stock(c, 2, 16, 10, 17, OLIVE);
        c.rect(16, 9, 30, 17, GUNMETAL);
        c.rect(30, 7, 56, 17, OLIVE);
        c.rect(30, 7, 56, 8, rgb(130, 146, 100));
        c.disc(56, 12, 4.5f, rgb(30, 32, 30));
        grip(c, 20, 17, GUNMETAL);
        break;
    case 5:  // rocket launcher
        c.rect(4, 8, 58, 17, OLIVE);
        c.rect(4, 8, 58, 9, rgb(130, 146, 100));
        c.polygon({58, 7, 63, 5, 63, 20, 58, 18}, rgb(60, 70, 50));
        c.polygon({4, 8, 0, 6, 0, 19, 4, 17}, rgb(60, 70, 50));
        c.rect(26, 3, 36, 8, rgb(30, 32, 36));
        grip(c, 24, 17, GUNMETAL);
        grip(c, 38, 17, GUNMETAL);
        c.rect(44, 11, 52, 14, rgb(200, 170, 60));
        break;
    }
    c.outline(OUTLINE);
    return c;
}
}  // namespace

void makeWeaponIcons(Catalogue& catalogue) {
    for (int i = 0; i < 6; ++i) catalogue.savePicture(numbered("weapon", i), weaponIcon(i), Transparency::masked);
}

namespace {
// A 200-pixel bar: the game shows its left part by percentage and frames it.
Canvas bar(Rgb colour) {
    Canvas c(200, 12);
    c.shade({0, 0, 200, 12}, [=](float x, float y) {
        float band = 1.25f - std::fabs(y - 4) / 8.0f;
        float segment = std::fmod(x, 10) < 1 ? 0.7f : 1;
        return Pixel{scale(colour, band * segment), 1};
    });
    c.rect(0, 1, 200, 2.5f, rgb(255, 255, 255), 0.35f);
    return c;
}

Canvas arrow() {
    // Points along +x; the objective number is written over its middle.
    Canvas c(40, 32);
    c.polygon({2, 10, 22, 10, 22, 2, 38, 16, 22, 30, 22, 22, 2, 22}, rgb(24, 96, 88));
    c.polygon({2, 10, 22, 10, 22, 2, 38, 16, 36, 16, 22, 4, 22, 12, 2, 12}, rgb(90, 200, 180));
    c.outline(rgb(10, 20, 20));
    return c;
}

Canvas endPicture(const std::string& title, const std::string& subtitle, Rgb accent) {
    Canvas c(440, 120, rgb(26, 28, 34));
    c.shade({0, 0, 440, 120}, [](float, float y) { return Pixel{rgb(44, 48, 58), 0.6f * (1 - y / 120)}; });
    c.grain({0, 0, 439, 119}, 0.05f, 97);
    for (float y : {0.0f, 112.0f})
        c.fill({0, y, 440, y + 8}, [=](float x, float py) { return py >= y && py < y + 8 && x >= 0; },
               [=](float x, float py) { return std::fmod(x + py, 16) < 8 ? accent : rgb(20, 20, 24); });
    Typeface big(DEJAVU_SANS_BOLD, 36), small(DEJAVU_SANS_BOLD, 14);
    big.drawCentred(c, 222, 26, title, rgb(0, 0, 0), 0.7f, 3);
    big.drawCentred(c, 220, 24, title, accent, 1, 3);
    small.drawCentred(c, 220, 78, subtitle, rgb(210, 210, 216), 1, 2);
    // A one-pixel dark frame keeps the masked picture's edge clean.
    c.rect(0, 0, 440, 1, rgb(8, 8, 10));
    c.rect(0, 119, 440, 120, rgb(8, 8, 10));
    return c;
}
}  // namespace

void makeHud(Catalogue& catalogue) {
    catalogue.savePicture("gfx/lifebar.tga", bar(rgb(210, 48, 40)), Transparency::opaque);
    catalogue.savePicture("gfx/armorbar.tga", bar(rgb(60, 130, 230)), Transparency::opaque);
    catalogue.savePicture("gfx/arrow.tga", arrow(), Transparency::masked);
    catalogue.savePicture("gfx/gameover.tga", endPicture("MISSION FAILED", "GAME OVER", rgb(230, 60, 40)),
                          Transparency::masked);
    catalogue.savePicture("gfx/missionsolved.tga",
                          endPicture("MISSION SOLVED", "OBJECTIVES COMPLETE", rgb(110, 220, 110)), Transparency::masked);
}

#include "preview.h"

#include <cmath>
#include <string>

#include "typeface.h"
#include "unit_sprites.h"
#include "units.h"

namespace {
const float TURN = 6.2831853f / 256;  // one facing unit in radians

// Tile numbers by map character; '.' and anything else: ground.
struct Legend {
    char symbol;
    int tile;
};

Canvas frame(const Canvas& strip, const char* const rows[19], const Legend* legend, int legendSize,
             int (*ground)(int column, int row)) {
    Canvas c(800, 600, Rgb{0, 0, 0});
    for (int row = 0; row < 19; ++row)
        for (int col = 0; col < 25; ++col) {
            int tile = ground(col, row);
            for (int k = 0; k < legendSize; ++k)
                if (legend[k].symbol == rows[row][col]) tile = legend[k].tile;
            // The last row is cut by the screen's bottom edge.
            for (int y = 0; y < 32 && row * 32 + y < c.h; ++y)
                for (int x = 0; x < 32; ++x) c.at(col * 32 + x, row * 32 + y) = strip.at(tile * 32 + x, y);
        }
    return c;
}

void hud(Canvas& c, const Catalogue& catalogue, int weapon, int ammo) {
    Typeface menu(DEJAVU_SANS_BOLD, 21), text(DEJAVU_SANS, 14), message(DEJAVU_CONDENSED_BOLD, 14);
    const Canvas& icon = catalogue.find("gfx/weapon" + std::to_string(weapon));
    menu.drawCentred(c, icon.w / 2.0f + 5, 3, std::to_string(ammo), Rgb{0, 0, 0});
    c.draw(icon, 5, 31);
    text.draw(c, 3, 31 + icon.h + 4, "Find the access codes in the laboratory.", Rgb{1, 1, 1});
    message.draw(c, 3, 31 + icon.h + 21, "Alarm! Intruders at the north gate.", Rgb{1, 1, 1});
    const Canvas& life = catalogue.find("gfx/lifebar.tga");
    const Canvas& armor = catalogue.find("gfx/armorbar.tga");
    for (int y = 0; y < life.h; ++y)
        for (int x = 0; x < 152; ++x) c.at(792 - 152 + x, 8 + y) = life.at(x, y);
    for (int y = 0; y < armor.h; ++y)
        for (int x = 0; x < 80; ++x) c.at(792 - 80 + x, life.h + 16 + y) = armor.at(x, y);
    for (float y : {8.0f, life.h + 16.0f}) {
        float h = y == 8 ? life.h : armor.h;
        c.rect(592, y, 793, y + 1, Rgb{0, 0, 0});
        c.rect(592, y + h, 793, y + h + 1, Rgb{0, 0, 0});
        c.rect(592, y, 593, y + h + 1, Rgb{0, 0, 0});
        c.rect(792, y, 793, y + h + 1, Rgb{0, 0, 0});
    }
    const Canvas& arrow = catalogue.find("gfx/arrow.tga");
    c.drawRotated(arrow, 800 - arrow.w / 2.0f - 3, 600 - arrow.h / 2.0f - 3, -40 * TURN);
    text.drawCentred(c, 800 - arrow.w / 2.0f - 3, 600 - arrow.h / 2.0f - 11, "1", Rgb{1, 1, 1});
    c.draw(catalogue.find("gfx/crosshair.tga"), 514, 174);
}

void units(Canvas& c, const Catalogue& catalogue) {
    const std::vector<UnitType> types = unitTypes();
    struct Placed {
        int type, state;
        float x, y;
        int direction;
    };
    const Placed placed[] = {{0, 4, 400, 300, 40},  {1, 2, 560, 210, 160}, {3, 0, 250, 420, 20},  {4, 1, 680, 130, 200},
                             {2, 5, 470, 470, 0},   {5, 3, 130, 520, 64},  {6, 0, 330, 150, 160}};
    for (const Placed& p : placed) c.drawRotated(paintUnit(types[p.type].look, p.state), p.x, p.y, p.direction * TURN);
    for (int i = 0; i < 8; ++i) c.drawRotated(catalogue.find("gfx/bullet" + std::to_string(i)), 430 + i * 18.0f, 262, 40 * TURN);
}

int outdoorGround(int col, int row) { return (col * 7 + row * 3) % 11 == 0 ? 1 : 0; }
int indoorGround(int col, int row) { return col < 12 && row < 6 ? 2 : row > 10 && col > 12 && col < 20 ? 5 : 0; }
}  // namespace

void recordPreviews(Catalogue& catalogue) {
    const char* const outdoor[19] = {
        "RRRRRRRRRRRRRRRRRRRRRRRRR", "R.....T......a....T....RR", "R..........b......,....WR", "R..FFFFFFFFFFGFFFFFFF..WR",
        "R..f......ccccc.....f..WR", "R..f.XX...cHcSc..L..f..WR", "R..f.XX...ccccc.....f..WR", "R..f..........k.....f..WR",
        "R..f...ss...........f..WR", "R..f...........m....f..RR", "R..f..YY............f..RR", "R..FFFFFFFFFFFFFFFFFF...R",
        "R........vvvvvvvvv......R", "R..T.....vvvvvvvvv..T...R", "R.......................R", "R..........b......EE....R",
        "R.....,........,........R", "R.......................R", "RRRRRRRRRRRRRRRRRRRRRRRRR"};
    const Legend outdoorLegend[] = {{'R', 28}, {'T', 30}, {'F', 18}, {'f', 19}, {'G', 33}, {'c', 10}, {'H', 39},
                                    {'S', 41}, {'X', 24}, {'L', 36}, {'s', 20}, {'m', 13}, {'Y', 25}, {'v', 15},
                                    {'E', 45}, {'W', 27}, {'b', 22}, {',', 2},  {'a', 23}, {'k', 34}};
    const char* const indoor[19] = {
        "WWWWWWWWWWWWWWWWWWWWWWWWW", "W...........W..........QW", "W..PP..PP...D..nnnnnn..QW", "W...........W..........QW",
        "W..tt..u....W..LL..LL..WW", "W...........W..........WW", "WWWWWDWWWWWWWggggggggg.WW", "W...........hhhhhhhhhh.WW",
        "W..o..o.....h..........HW", "W...........h..........AW", "W..SS.......WWWWWWWWW..WW", "W..SS.......W.......W..WW",
        "W...........W..K.K..D..EW", "W..c..b.....W.......W..EW", "W...........W..z.z..W..WW", "W..ff..ff...W.......W..WW",
        "W..ff..ff...WWWWWWWWW..WW", "W......................WW", "WWWWWWWWWWWWWWWWWWWWWWWWW"};
    const Legend indoorLegend[] = {{'W', 10}, {'Q', 36}, {'D', 19}, {'P', 17}, {'t', 32}, {'u', 33}, {'L', 16},
                                   {'n', 13}, {'g', 15}, {'h', 7},  {'H', 26}, {'A', 28}, {'S', 30}, {'K', 38},
                                   {'z', 48}, {'o', 47}, {'c', 30}, {'b', 31}, {'f', 4},  {'E', 45}};
    Canvas outside = frame(catalogue.find("data/tiles/outdoor.dat"), outdoor, outdoorLegend,
                           sizeof outdoorLegend / sizeof outdoorLegend[0], outdoorGround);
    units(outside, catalogue);
    hud(outside, catalogue, 2, 120);
    Canvas inside = frame(catalogue.find("data/tiles/indoor.dat"), indoor, indoorLegend,
                          sizeof indoorLegend / sizeof indoorLegend[0], indoorGround);
    units(inside, catalogue);
    hud(inside, catalogue, 1, 24);
    catalogue.record("preview: an outdoor frame (not shipped)", outside, Transparency::opaque);
    catalogue.record("preview: an indoor frame (not shipped)", inside, Transparency::opaque);
}

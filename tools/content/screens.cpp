#include "screens.h"

#include <cmath>
#include <string>

#include "noise.h"
#include "tile_sets.h"
#include "typeface.h"

namespace {
const Rgb PAPER = rgb(214, 208, 192), INK = rgb(40, 38, 36), AMBER = rgb(236, 176, 86), SLATE = rgb(46, 50, 60);

// A plate with a soft vertical gradient, bevel and one-pixel dark rim.
void plate(Canvas& c, Rgb top, Rgb bottom, Rgb rim) {
    c.shade({0, 0, static_cast<float>(c.w), static_cast<float>(c.h)},
            [=](float, float y) { return Pixel{mix(top, bottom, y / c.h), 1}; });
    c.grain({0, 0, static_cast<float>(c.w - 1), static_cast<float>(c.h - 1)}, 0.03f, 101);
    c.rect(1, 1, c.w - 1, 2, scale(top, 1.25f), 0.8f);
    c.rect(1, c.h - 2, c.w - 1, c.h - 1, scale(bottom, 0.7f), 0.8f);
    c.rect(0, 0, c.w, 1, rim);
    c.rect(0, c.h - 1, c.w, c.h, rim);
    c.rect(0, 0, 1, c.h, rim);
    c.rect(c.w - 1, 0, c.w, c.h, rim);
}

Canvas labelledButton(int w, int h, const std::string& label, bool arrow) {
    Canvas c(w, h);
    plate(c, rgb(70, 76, 88), rgb(40, 44, 52), rgb(12, 12, 16));
    c.rect(4, 4, 8, h - 4, AMBER);
    Typeface face(DEJAVU_SANS_BOLD, 16);
    face.drawCentred(c, w / 2.0f + (arrow ? -6 : 2), (h - face.lineHeight()) / 2.0f, label, rgb(240, 232, 218), 1, 2);
    if (arrow) c.polygon({w - 24.0f, h / 2.0f - 7, w - 12.0f, h / 2.0f, w - 24.0f, h / 2.0f + 7}, AMBER);
    return c;
}
}  // namespace

void makeMissionScreen(Catalogue& catalogue) {
    Canvas page(800, 600);
    // Briefing paper with soft stains; black text is written over it.
    page.shade({0, 0, 800, 600}, [](float x, float y) {
        float n = fractalNoise(x, y, 120, 4, 111);
        Rgb c = mix(PAPER, rgb(190, 182, 162), n * 0.8f);
        float edge = std::fmin(std::fmin(x, 800 - x), std::fmin(y, 600 - y));
        return Pixel{scale(c, 0.86f + 0.14f * std::fmin(1.0f, edge / 40)), 1};
    });
    page.grain({0, 0, 799, 599}, 0.03f, 113);
    // Header strip and column rule.
    Typeface small(DEJAVU_SANS_BOLD, 10);
    page.rect(0, 0, 520, 18, SLATE);
    small.draw(page, 10, 3, "KORVALT OPERATIONS  //  MISSION BRIEFING", rgb(220, 214, 200), 1, 2);
    page.rect(520, 0, 522, 600, rgb(150, 140, 120));
    page.rect(30, 30 + 32, 490, 31 + 32, INK, 0.5f);
    // Picture box (270 x 230, top right): dark frame with a shadow.
    page.rect(524, 232, 800, 236, rgb(0, 0, 0), 0.25f);
    page.rect(528, 0, 800, 232, rgb(24, 26, 30));
    page.rect(530, 0, 800, 230, rgb(36, 40, 46));
    // Objectives area: a ruled card.
    page.rect(530, 244, 790, 246 + 24, rgb(184, 174, 150));
    for (int i = 0; i < 6; ++i) page.rect(532, 300 + i * 20.0f, 788, 301 + i * 20.0f, rgb(150, 140, 120), 0.6f);
    // Faint stamp, far from the text columns' first lines.
    Typeface stamp(DEJAVU_SANS_BOLD, 34);
    stamp.drawCentred(page, 660, 436, "CLASSIFIED", rgb(170, 40, 30), 0.16f, 2);
    page.rect(548, 424, 772, 428, rgb(170, 40, 30), 0.16f);
    page.rect(548, 482, 772, 486, rgb(170, 40, 30), 0.16f);
    catalogue.savePicture("gfx/missionscreen.tga", page, Transparency::opaque);
}

void makeButtons(Catalogue& catalogue) {
    // Menu buttons, 300 x 44: the selected one is bright (black label),
    // the others dark (grey label, white when disabled).
    Canvas selected(300, 44), other(300, 44);
    plate(selected, rgb(246, 206, 128), rgb(214, 150, 66), rgb(60, 40, 16));
    selected.rect(6, 6, 10, 38, rgb(60, 40, 16), 0.6f);
    selected.rect(290, 6, 294, 38, rgb(60, 40, 16), 0.6f);
    plate(other, rgb(64, 68, 80), rgb(34, 36, 44), rgb(12, 12, 16));
    other.rect(6, 6, 10, 38, AMBER, 0.5f);
    catalogue.savePicture("gfx/button.tga", selected, Transparency::opaque);
    catalogue.savePicture("gfx/buttonpressed.tga", other, Transparency::opaque);

    // In-game menu buttons, 220 x 22 (four fit into 100 pixels): white
    // label on the selected one, grey on the others.
    Canvas inSelected(220, 22), inOther(220, 22);
    plate(inSelected, rgb(92, 80, 60), rgb(60, 50, 36), AMBER);
    plate(inOther, rgb(50, 54, 64), rgb(30, 32, 38), rgb(10, 10, 14));
    catalogue.savePicture("gfx/ingamebutton.tga", inSelected, Transparency::opaque);
    catalogue.savePicture("gfx/ingamebuttonpressed.tga", inOther, Transparency::opaque);

    catalogue.savePicture("gfx/buttonContinue.tga", labelledButton(160, 40, "CONTINUE", true), Transparency::opaque);
    catalogue.savePicture("gfx/buttonSave.tga", labelledButton(160, 40, "SAVE", false), Transparency::opaque);
}

void makeCampaignPicture(Catalogue& catalogue) {
    // A reconnaissance photo of the base: outdoor tiles seen from above,
    // tinted and framed.
    std::vector<TileDef> tiles = outdoorTiles();
    auto tile = [&](const std::string& name) -> const TileDef& {
        for (const TileDef& t : tiles)
            if (t.name == name) return t;
        return tiles[0];
    };
    const char* layout[] = {"GGGFGGGRGTGGB", "GTGFGGGRGGGBG", "GGGFCCCRCCCGG", "FFFFCWCRCHCFF", "GGBFCCCRCCCGG",
                            "GGGFGGGRGGGTG", "GTGFGGGRGGGGG", "GGGFGGGRGGGBG"};
    Canvas photo(270, 230, rgb(0, 0, 0));
    for (int row = 0; row < 8; ++row)
        for (int col = 2; col < 11; ++col) {
            std::string name = "grass";
            switch (layout[row][col]) {
            case 'T': name = "tree"; break;
            case 'B': name = "bush"; break;
            case 'F': name = row == 3 ? "fence east-west" : "fence north-south"; break;
            case 'R': name = "road line vertical"; break;
            case 'C': name = "concrete"; break;
            case 'W': name = "crate metal"; break;
            case 'H': name = "helipad"; break;
            default: break;
            }
            Canvas t(32, 32, rgb(0, 0, 0));
            tile(name).paint(t);
            photo.draw(t, (col - 2) * 32 - 9, row * 32 - 13);
        }
    // Dusk tint, vignette, target mark and caption.
    photo.shade({0, 0, 270, 230}, [](float x, float y) {
        float d = std::hypot((x - 135) / 135, (y - 115) / 115);
        return Pixel{rgb(40, 20, 50), std::fmin(0.8f, 0.25f + 0.45f * d * d)};
    });
    photo.ring(103, 99, 22, 2, rgb(230, 60, 40));
    photo.line(75, 99, 131, 99, 1, rgb(230, 60, 40));
    photo.line(103, 71, 103, 127, 1, rgb(230, 60, 40));
    Typeface small(DEJAVU_MONO_BOLD, 10);
    small.draw(photo, 6, 214, "RECON K-7  19:42", rgb(240, 232, 218));
    catalogue.savePicture("gfx/campaign.tga", photo, Transparency::opaque);
}

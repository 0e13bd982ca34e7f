#include "startup_assets.h"

#include <array>

#include "datafile_packer.h"
#include "dusk_scene.h"
#include "typeface.h"

void makeFonts(Catalogue& catalogue) {
    // Item 0 menus (bold), item 1 help, version and description text,
    // item 2 in-game messages (condensed bold, to stand out from item 1).
    struct FontItem {
        const char* stem;
        const char* face;
        int size;
    };
    const FontItem fonts[] = {{"menu", DEJAVU_SANS_BOLD, 21}, {"text", DEJAVU_SANS, 14}, {"message", DEJAVU_CONDENSED_BOLD, 14}};
    std::vector<DatafileItem> items;
    for (int i = 0; i < 3; ++i) {
        std::string file = itemFile(i, fonts[i].stem, "bmp");
        Typeface(fonts[i].face, fonts[i].size).writeGlyphGrid(catalogue.stagingPath(file));
        items.push_back({"FONT", file});
    }
    packDatafile(catalogue.gamePath("data/data.dat"), catalogue.staging(), items);

    // A specimen of each font for the contact sheet.
    Canvas sample(520, 90, rgb(112, 116, 132));
    int y = 4;
    for (int i = 0; i < 3; ++i) {
        Typeface face(fonts[i].face, fonts[i].size);
        face.draw(sample, 6, y, std::string("#") + char('0' + i) + " The quick brown fox 0123456789", rgb(255, 255, 255));
        y += face.lineHeight() + 4;
    }
    catalogue.record("data/data.dat #0-2 (fonts)", sample, Transparency::opaque);
}

void makeMainMenu(Catalogue& catalogue) {
    Canvas menu(800, 600);
    paintDuskScene(menu);
    // The buttons, options rows and key list are drawn in the middle.
    frostedPanel(menu, 150, 34, 650, 548);
    menu.shade({0, 532, 800, 600}, [](float, float y) { return Pixel{rgb(8, 6, 12), (y - 532) / 68 * 0.75f}; });
    Typeface title(DEJAVU_SANS_BOLD, 34), subtitle(DEJAVU_SANS_BOLD, 11);
    title.draw(menu, 22, 549, "KORVALT", rgb(0, 0, 0), 0.6f, 6);
    title.draw(menu, 20, 547, "KORVALT", rgb(240, 232, 218), 1, 6);
    menu.rect(22, 588, 200, 590, rgb(236, 176, 86));
    subtitle.draw(menu, 206, 583, "RESEARCH BASE K-7", rgb(236, 176, 86), 1, 2);
    catalogue.savePicture("gfx/mainmenu.tga", menu, Transparency::opaque);
}

void makeCrosshair(Catalogue& catalogue) {
    // 13 x 13: the mission loop draws it at the mouse position minus 6.
    Canvas cross(13, 13);
    Rgb dark = rgb(20, 20, 20), bright = rgb(120, 255, 140);
    for (auto [x0, y0, x1, y1] : {std::array<float, 4>{0, 5, 5, 8}, {8, 5, 13, 8}, {5, 0, 8, 5}, {5, 8, 8, 13}})
        cross.rect(x0, y0, x1, y1, dark);
    cross.rect(0, 6, 4, 7, bright);
    cross.rect(9, 6, 13, 7, bright);
    cross.rect(6, 0, 7, 4, bright);
    cross.rect(6, 9, 7, 13, bright);
    cross.rect(6, 6, 7, 7, bright);
    catalogue.savePicture("gfx/crosshair.tga", cross, Transparency::masked);
}

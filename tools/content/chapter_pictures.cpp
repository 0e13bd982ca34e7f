#include "chapter_pictures.h"

#include <cmath>
#include <string>

#include "dusk_scene.h"
#include "tile_sets.h"
#include "typeface.h"

namespace {

const TileDef& tileNamed(const std::vector<TileDef>& tiles, const std::string& name) {
    for (const TileDef& t : tiles)
        if (t.name == name) return t;
    return tiles[0];
}

void caption(Canvas& photo, const char* text) {
    Typeface small(DEJAVU_MONO_BOLD, 10);
    small.draw(photo, 6, 214, text, rgb(240, 232, 218));
}

// Chapter 2: a security camera still of the lower level, indoor tiles
// seen from above in a green monitor tint with scan lines.
void cameraStill(Catalogue& catalogue) {
    std::vector<TileDef> tiles = indoorTiles();
    const char* layout[] = {"WWWWWDWWWW", "WLLLLLLLTW", "WLBLLLLBLW", "WLLLLLLLLW",
                            "WWWDWWWGWW", "WFFFFFFFRW", "WFFCFFFFRW", "WWWWWWWWWW"};
    Canvas photo(270, 230, rgb(0, 0, 0));
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 10; ++col) {
            std::string name = "metal floor";
            switch (layout[row][col]) {
            case 'W': name = "wall"; break;
            case 'D': name = "door open east-west"; break;
            case 'L': name = "lab floor"; break;
            case 'T': name = "terminal 1"; break;
            case 'B': name = "lab bench"; break;
            case 'G': name = "security door closed"; break;
            case 'R': name = "server rack 1"; break;
            case 'C': name = "crate"; break;
            default: break;
            }
            Canvas t(32, 32, rgb(0, 0, 0));
            tileNamed(tiles, name).paint(t);
            photo.draw(t, col * 32 - 25, row * 32 - 13);
        }
    photo.shade({0, 0, 270, 230}, [](float x, float y) {
        const float d = std::hypot((x - 135) / 135, (y - 115) / 115);
        const float line = static_cast<int>(y) % 3 == 0 ? 0.2f : 0.0f;
        return Pixel{rgb(20, 60, 30), std::fmin(0.85f, 0.35f + line + 0.35f * d * d)};
    });
    photo.ring(214, 148, 18, 2, rgb(230, 60, 40));
    caption(photo, "CAM 04  LEVEL -2  23:17");
    catalogue.savePicture("gfx/chapter2.tga", photo, Transparency::opaque);
}

// Epilogue: the base at dusk from outside the fence, cut to the picture
// box, with the extraction time.
void extraction(Catalogue& catalogue) {
    Canvas scene(800, 600, rgb(0, 0, 0));
    paintDuskScene(scene);
    Canvas photo(270, 230, rgb(0, 0, 0));
    photo.draw(scene, -300, -260);
    photo.shade({0, 0, 270, 230}, [](float x, float y) {
        const float d = std::hypot((x - 135) / 135, (y - 115) / 115);
        return Pixel{rgb(30, 14, 24), std::fmin(0.7f, 0.1f + 0.4f * d * d)};
    });
    caption(photo, "EXTRACTION  05:58");
    catalogue.savePicture("gfx/epilogue.tga", photo, Transparency::opaque);
}

}  // namespace

void makeChapterPictures(Catalogue& catalogue) {
    cameraStill(catalogue);
    extraction(catalogue);
}

#include "intro.h"

#include <cmath>

#include "datafile_packer.h"
#include "dusk_scene.h"
#include "sound_effects.h"
#include "typeface.h"

namespace {
const Rgb AMBER = rgb(236, 176, 86), PALE = rgb(240, 232, 218);

Canvas background() {
    Canvas c(800, 600);
    paintDuskScene(c);
    // Darken toward the edges and behind the title line (white text near
    // y = 435); the footer is light for the black version lines.
    c.shade({0, 0, 800, 600}, [](float x, float y) {
        float d = std::hypot((x - 400) / 480, (y - 300) / 360);
        return Pixel{rgb(6, 4, 12), std::fmin(0.85f, 0.15f + 0.6f * d * d)};
    });
    c.shade({0, 380, 800, 560}, [](float, float y) { return Pixel{rgb(6, 4, 12), 0.55f * std::sin((y - 380) / 180 * 3.14159f)}; });
    c.shade({0, 556, 800, 600}, [](float, float y) { return Pixel{mix(rgb(196, 190, 178), rgb(170, 164, 152), (y - 556) / 44), 1}; });
    c.rect(0, 556, 800, 558, AMBER);
    return c;
}

Canvas logo() {
    // 440 x 150, masked: the name in steel letters on an amber bar.
    Canvas c(440, 150);
    Typeface title(DEJAVU_SANS_BOLD, 72), sub(DEJAVU_SANS_BOLD, 14);
    c.polygon({20, 104, 420, 104, 404, 122, 36, 122}, AMBER);
    sub.drawCentred(c, 220, 106, "RESEARCH BASE K-7", rgb(30, 24, 16), 1, 5);
    Canvas letters(440, 150);
    title.drawCentred(letters, 220, 8, "KORVALT", PALE, 1, 6);
    // Steel gradient over the letters, darker toward their feet.
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 440; ++x) {
            Pixel& p = letters.at(x, y);
            if (p.a > 0) p.c = mix(rgb(250, 246, 236), rgb(120, 130, 146), std::fmin(1.0f, std::fmax(0.0f, (y - 20) / 80.0f)));
        }
    letters.outline(rgb(20, 20, 26));
    letters.dropShadow(3, 3, 0.7f);
    c.draw(letters, 0, 0);
    return c;
}

Canvas badge() {
    // 64 x 64 unit badge for the corner: a shield with a tower and a star.
    Canvas c(64, 64, rgb(196, 190, 178));
    c.polygon({8, 6, 56, 6, 56, 34, 32, 60, 8, 34}, rgb(30, 34, 44));
    c.polygon({11, 9, 53, 9, 53, 33, 32, 56, 11, 33}, rgb(58, 66, 86));
    c.rect(29, 18, 35, 46, PALE);
    c.line(26, 46, 32, 14, 2, PALE);
    c.line(38, 46, 32, 14, 2, PALE);
    c.disc(32, 14, 3, rgb(255, 70, 50));
    c.rect(14, 40, 50, 43, AMBER);
    return c;
}
}  // namespace

void makeIntro(Catalogue& catalogue) {
    catalogue.stagePicture(itemFile(0, "intro_background", "tga"), "data/intro.dat #0", background(), Transparency::opaque);
    catalogue.stagePicture(itemFile(1, "intro_logo", "tga"), "data/intro.dat #1", logo(), Transparency::masked);
    writeWav(catalogue.stagingPath(itemFile(2, "intro_impact", "wav")), introImpact());
    catalogue.stagePicture(itemFile(3, "intro_badge", "tga"), "data/intro.dat #3", badge(), Transparency::opaque);
    packDatafile(catalogue.gamePath("data/intro.dat"), catalogue.staging(),
                 {{"BMP", itemFile(0, "intro_background", "tga")},
                  {"BMP", itemFile(1, "intro_logo", "tga")},
                  {"SAMP", itemFile(2, "intro_impact", "wav")},
                  {"BMP", itemFile(3, "intro_badge", "tga")}});
}

// Content generator: korvalt_content GAME_DIR writes every generated asset
// of the game into GAME_DIR. Intermediate files (datafile sources) go to
// GAME_DIR/../content_work, the contact sheet to GAME_DIR/../contact_sheet.png.
#include <cstdio>
#include <exception>
#include <string>

#include "catalogue.h"
#include "chapter_pictures.h"
#include "contact_sheet.h"
#include "hud.h"
#include "intro.h"
#include "music.h"
#include "preview.h"
#include "sound_effects.h"
#include "screens.h"
#include "startup_assets.h"
#include "tile_sets.h"
#include "units.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_DIR\n", argv[0]);
        return 1;
    }
    try {
        std::string game = argv[1];
        Catalogue catalogue(game, game + "/../content_work");
        makeFonts(catalogue);
        makeMainMenu(catalogue);
        makeCrosshair(catalogue);
        makeTileSets(catalogue);
        makeUnits(catalogue);
        makeBullets(catalogue);
        makeWeaponIcons(catalogue);
        makeHud(catalogue);
        makeMissionScreen(catalogue);
        makeButtons(catalogue);
        makeCampaignPicture(catalogue);
        makeChapterPictures(catalogue);
        makeSoundEffects(catalogue);
        makeMusic(catalogue);
        makeIntro(catalogue);
        recordPreviews(catalogue);
        writeContactSheet(catalogue, game + "/../contact_sheet.png");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvalt_content: %s\n", e.what());
        return 1;
    }
    return 0;
}

#include <gtest/gtest.h>

#include "game/mission_variables.h"
#include "game/shot_sound.h"
#include "mission_fixture.h"
#include "support/pixels.h"
#include "support/test_files.h"

using namespace gametest;

namespace {

// Player (armour 0) at (48, 48); enemies A and B and civilian C in a row.
missionFiles crowd() {
    missionFiles files;
    files.characters = "1 me 4 100 0 10 20 30 40 50 u.dat\n1 foe 2 40 0 0 0 -1 u.dat\n1 pal 1 20 0 u.dat\n";
    files.units = {{0, 48, 48}, {1, 200, 300}, {1, 300, 300}, {2, 400, 300}};
    return files;
}

}  // namespace

using MissionRules = missionTest;

TEST_F(MissionRules, RequestsShotsAndBurstsAgainstPlayerAndUnits) {
    write(crowd());
    enum who { PLAYER = -1, A = 0, B = 1, C = 2, NOBODY = 9 };
    // What it checks, the caller, whose team the request is, where to, god
    // mode, whether it is declined, and the lives of the player, A, B and C.
    const std::vector<std::tuple<const char*, int, who, float, float, bool, bool, std::vector<int>>> rows = {
        {"player's bullet at the muzzle passes", -2, PLAYER, 48, 48, false, false, {100, 40, 40, 20}},
        {"enemy bullet hits the player", -2, A, 48, 48, false, true, {95, 40, 40, 20}},
        {"an enemy's bullet passes the enemy", -2, A, 200, 300, false, false, {100, 40, 40, 20}},
        {"enemy bullet stops at another enemy unharmed", -2, A, 300, 300, false, true, {100, 40, 40, 20}},
        {"enemy bullet hurts a civilian", -2, A, 400, 300, false, true, {100, 40, 40, 15}},
        {"player bullet hurts an enemy", -2, PLAYER, 200, 300, false, true, {100, 35, 40, 20}},
        {"splinter spares the player in god mode", -8, NOBODY, 48, 48, true, true, {100, 40, 40, 20}},
        {"splinter hurts an enemy", -8, NOBODY, 300, 300, false, true, {100, 40, 20, 20}},
        {"a unit is stopped by the player", A, NOBODY, 50, 50, false, true, {100, 40, 40, 20}},
        {"the player is stopped by a unit", PLAYER, NOBODY, 205, 300, false, true, {100, 40, 40, 20}},
        {"a unit doesn't stop itself", A, NOBODY, 201, 300, false, false, {100, 40, 40, 20}},
        {"a box edge touching counts", A, NOBODY, 300 - 12, 300, false, true, {100, 40, 40, 20}},
        {"so does the other edge", A, NOBODY, 300 + 12, 300, false, true, {100, 40, 40, 20}},
        {"boxes a pixel apart pass", A, NOBODY, 300 - 13, 300, false, false, {100, 40, 40, 20}},
    };
    for (const auto& [checks, caller, shooter, x, y, god, declined, lives] : rows) {
        auto game = load();
        game->godMode = god;
        void* team = shooter == PLAYER   ? static_cast<void*>(&game->player)
                     : shooter == NOBODY ? nullptr
                                         : static_cast<void*>(game->units[shooter].get());
        moveRequest request;
        request.set(0, 0, x, y, 0, 1, 6);
        game->handleMoveRequest(&request, game->machine, caller, team, 0);
        EXPECT_EQ(request.wasDeclined(), declined) << checks;
        const auto& u = game->units;
        EXPECT_EQ((std::vector<int>{var(*game, MV_LIFE), u[A]->life, u[B]->life, u[C]->life}), lives) << checks;
    }
    // Other units' shots are placed around the player (where, the player's
    // direction, volume and pan) and bursts hurt it.
    for (auto [checks, x, y, facing, volume, pan] :
         {std::tuple{"right", 100.0f, 0.0f, 0, 200, 255}, {"behind right", 100, 100, 0, 160, 191},
          {"behind", 0, 100, 0, 160, 127}, {"left", -100, 0, 0, 200, 0},
          {"facing right, shot ahead", 100, 0, 64, 200, 127}}) {
        const shotPlacement p = placeShotSound(x, y, 0, 0, facing, 200);
        EXPECT_EQ(std::pair(p.volume, p.pan), std::pair(volume, pan)) << checks;
    }
    auto game = load();
    global.complexSfx = 1;
    bulletRequest shot;
    shot.set(300, 48, 0, 0, game->units[0].get());
    game->addBullets(&shot);
    EXPECT_EQ(bulletSounds[0].pan, 255) << "an enemy to the right";
    shot.team = &game->player;
    game->addBullets(&shot);
    EXPECT_EQ(bulletSounds[0].pan, 127) << "the player's own shot is centred";
    global.complexSfx = 0;
    // How a burst scatters is the bullet pool's rule; here its splinters hurt the player.
    bulletRequest burst;
    burst.set(60, 60, 0, 6, nullptr);  // weapon 4's splinters, every 7th direction
    game->explosion(burst);
    game->step();
    EXPECT_LT(var(*game, MV_LIFE), 100);
}

// A script names a map at its third step; the countdown that follows
// spares the player, and an enemy the player shot at the start has faced
// the shot and run its onKill event.
TEST_F(MissionRules, ANamedMapEndsTheMissionAfterTheCountdownWithItsPicture) {
    writeFileText("scripts/guard.ukv", "event onKill\ninc %41\nend\n");
    for (const std::string name : {"GO", "next"}) {
        missionFiles files = crowd();
        files.units = {{0, 48, 48}, {1, 48, 100, 0, "scripts/guard.ukv"}};
        files.globalScript = "event global\ninc %40\nequal %40 3\nif ZFLAG\ngoto " + name + "\nendif\nend\n";
        write(files);
        auto game = load();
        bulletRequest shot;
        shot.set(48, 60, 128, 3, &game->player);
        game->addBullets(&shot);
        int steps = 1;
        while (game->step()) {
            if (++steps == 10) {
                moveRequest splinter;
                splinter.set(0, 0, 48, 48, 0, 1, 2);
                game->handleMoveRequest(&splinter, game->machine, -8, nullptr, 0);
            }
        }
        EXPECT_EQ(steps, 3 + END_COUNTDOWN + 1) << name;
        EXPECT_EQ(game->result, 1);
        EXPECT_EQ(game->nextMap, name);
        EXPECT_EQ(game->endPicture, name == "GO" ? game->gameOverPicture : game->solvedPicture);
        EXPECT_EQ(var(*game, MV_LIFE), 100) << "a splinter during the countdown doesn't hurt";
        EXPECT_EQ(game->units[0]->direction, 0);
        EXPECT_TRUE(var(*game, 41) == 1 && var(*game, MV_ENEMYDEAD) == 1 && var(*game, MV_ENEMIESLEFT) == 0);
    }
}

// A mission with two objectives, the first done at once: the review marks
// it blue with a success line, number keys choose objectives that exist,
// cheats and the in-game menu answer, and walking onto a scripted tile
// runs its event.
TEST_F(MissionRules, ReviewKeysMenuAndATileEventInOneMission) {
    missionFiles files;
    files.units = {{0, 48, 48, 64}};  // facing right
    files.description = "-first\n-second\nT\n2 2 5 5\n";
    files.globalScript = "event global\nset OBJECTIVE1 1\nend\n";
    files.tileScripts = {{16 * 1 + 3, "event onEnter\nset %45 THISX\nend\n"}};
    write(files);
    pointer = {800, 48};  // straight right of the player on screen
    auto game = load();
    game->step();
    tap(global.keys[SLOT_DESCRIPTION], *game);
    // 16 x 16 tiles in the 270 x 230 box: 14 pixels a tile, at (553, 3).
    EXPECT_EQ(getpixel(game->page, 553 + 28, 3 + 28), makecol(0, 0, 255));
    EXPECT_EQ(getpixel(game->page, 553 + 70, 3 + 70), makecol(255, 0, 0));
    EXPECT_EQ(getpixel(game->page, 553 + 14, 3 + 14), makecol(0, 255, 0)) << "the player";
    const int green = makecol(0, 170, 0), y = game->objectiveLineY;
    EXPECT_TRUE(holdsColour(game->page, 700, y, 100, 8, green));
    EXPECT_FALSE(holdsColour(game->page, 700, y + text_height(font) + 3, 100, 8, green));
    for (auto [code, active] : {std::pair{KEY_5, 2}, {KEY_1, 1}, {KEY_2, 2}}) {
        tap(code, *game);
        EXPECT_EQ(var(*game, MV_ACTIVEOBJECTIVE), active) << "key " << code - KEY_0 << " of 2 objectives";
    }
    tap(KEY_F11, *game);
    for (int i = 0; i < AMMO_WEAPONS; ++i) EXPECT_EQ(var(*game, MV_W1AMMO + i), 999);
    tap(KEY_F12, *game);
    EXPECT_TRUE(game->godMode);
    tap(KEY_F10, *game);  // the scene started with blood off
    EXPECT_EQ(global.bloodMode, 1);
    global.bloodMode = 0;
    // The in-game menu reviews the description, opens the options, then quits.
    menuChoices = {1, 2, 7, 0, 3};  // the last answer comes at the second Esc
    tap(KEY_ESC, *game);
    EXPECT_EQ(screensShown, 3) << "the description at the start, on its key and from the menu";
    EXPECT_EQ(optionsShown, 1);
    worldtest::hold(SLOT_FORWARD);
    for (int i = 0; i < 20 && var(*game, 45) == 0; ++i) game->step();
    worldtest::hold(SLOT_FORWARD, false);
    EXPECT_EQ(var(*game, 45), 3);
    EXPECT_TRUE(game->running);
    tap(KEY_ESC, *game);
    EXPECT_FALSE(game->running);
    EXPECT_EQ(game->result, 0);
}


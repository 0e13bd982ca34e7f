// A scratch mission for the game tests: every file a mission reads, written
// into a temporary working directory (tile set, unit graphics, bullets,
// pictures, character set, map, description), a memory screen, and hooks
// that stand in for the blocking screens.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "../map/map_test_files.h"
#include "../world/world_fixtures.h"
#include "game/single_player_game.h"
#include "map/map_file.h"
#include "support/test_files.h"

namespace gametest {

// One placed unit of a test map.
struct placed {
    int type;
    float x, y;
    int direction = 0;
    std::string script = "";  // source path, "" for none
};

// A 16 x 16 map of floor tiles (tile 1 blocks everything) with its units and, per
// tile index, script sources.
struct missionFiles {
    std::vector<placed> units = {{0, 48, 48}};
    std::map<int, std::string> tileScripts;  // tile index, source text
    std::string globalScript;              // source text, "" none
    std::string description = "-Reach the door\nTest mission\n3 4\nBriefing line\n";
    std::string characters = "1 me 4 100 50 1 10 20 30 40 50 u.dat\n1 foe 2 40 0 2 10 1000 u.dat\n1 pal 1 20 0 u.dat\n";
};

class missionTest : public testing::Test {
protected:
    void SetUp() override {
        oldScreen = screen;
        screen = create_bitmap(800, 600);
        global.menuFont = global.textFont = global.messageFont = font;
        global.crosshair = create_bitmap(13, 13);
        clear_to_color(global.crosshair, makecol(0, 255, 0));
        global.complexSfx = global.vsync = global.videoBitmaps = 0;
        global.maxFrameSkip = 4;
        global.sfxVolume = 200;
        std::srand(1);
        for (const char* folder : {"maps", "scripts"}) std::filesystem::create_directories(folder);
        maptest::writeTileset("t.dat", {0, 3}, {0, 1});
        ASSERT_TRUE(worldtest::writeUnitDatafile("u.dat", 6));
        worldtest::writeBulletFiles();
        std::vector<std::tuple<std::string, int, int>> pictures = {
            {"lifebar", 200, 12},       {"armorbar", 200, 12},       {"arrow", 40, 32},
            {"gameover", 440, 120},     {"missionsolved", 440, 120}, {"missionscreen", 800, 600},
            {"buttonContinue", 160, 40}, {"buttonSave", 160, 40}};
        for (int i = 0; i < WEAPON_ICONS; ++i) pictures.push_back({"weapon" + std::to_string(i), 64, 28});
        for (const auto& [name, w, h] : pictures) {
            BITMAP* b = create_bitmap(w, h);
            clear_to_color(b, makecol(200, 200, 190));
            save_bitmap(("gfx/" + name + ".tga").c_str(), b, nullptr);
            destroy_bitmap(b);
        }
        hooks.runScreen = [this](pacedScreen& s) {
            ++screensShown;
            s.draw();
            for (int code : screenKeys) {
                key[code] = 1;
                EXPECT_EQ(s.step(), code != KEY_ENTER) << "Enter, and only Enter, leaves the screen";
                key[code] = 0;
                keyStates.resetAll();
            }
        };
        hooks.inGameMenu = [this](BITMAP*) { return menuAt < menuChoices.size() ? menuChoices[menuAt++] : 0; };
        hooks.options = [this] { ++optionsShown; };
        hooks.chooseSlot = [this] { return slotChoice; };
    }
    void TearDown() override {
        destroy_bitmap(screen);
        screen = oldScreen;
        destroy_bitmap(global.crosshair);
        global.crosshair = nullptr;
    }

    // Writes "maps/<name>.kvm", its description and "chars.txt"; tile and
    // global scripts go to "scripts/".
    void write(const missionFiles& files, const std::string& name = "m") {
        maptest::mapBytes map;
        map.header('S', "t.dat", 16, 16);
        int plain = 0;  // the first tile not written yet
        for (const auto& [i, source] : files.tileScripts) {
            const std::string path = "scripts/tile" + std::to_string(i) + ".ukv";
            writeFileText(path, source);
            map.plainTiles(i - plain).byte(0).byte(SCRIPT_SOURCE).text(path);
            plain = i + 1;
        }
        map.plainTiles(16 * 16 - plain);
        if (!files.globalScript.empty()) writeFileText("scripts/" + name + "global.ukv", files.globalScript);
        map.byte(0).byte(0).text("chars.txt").int32(static_cast<int32_t>(files.units.size()));
        for (const placed& u : files.units) {
            map.byte(u.type).float32(u.x).float32(u.y).byte(u.direction).byte(0);
            if (u.script.empty()) map.byte(SCRIPT_NONE);
            else map.byte(SCRIPT_SOURCE).text(u.script);
        }
        map.write("maps/" + name + ".kvm");
        writeFileText("maps/" + name + ".kvd", files.description);
        writeFileText("chars.txt", files.characters);
    }

    std::unique_ptr<singlePlayerGame> load(const std::string& name = "m", int heal = 0, int ammo = 0) {
        auto game = std::make_unique<singlePlayerGame>(name, heal, ammo, hooks);
        game->player.pointer = [this] { return pointer; };
        game->start();
        return game;
    }

    // Presses a key for one logic step.
    void tap(int code, singlePlayerGame& game) {
        key[code] = 1;
        game.step();
        key[code] = 0;
        keyStates.resetAll();
    }
    int& var(singlePlayerGame& game, int index) { return game.machine.variables[index]; }

    scopedWorkDir dir;
    worldtest::worldScene scene;
    missionHooks hooks;
    int screensShown = 0;
    int slotChoice = -1;
    std::vector<int> screenKeys = {KEY_ENTER};  // pressed on a description screen
    std::vector<int> menuChoices;  // answers of the in-game menu, in order
    std::size_t menuAt = 0;        // the next answer
    int optionsShown = 0;
    BITMAP* oldScreen = nullptr;
    pointerInput pointer;
};

}  // namespace gametest

#include "app/main_menu_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "support/test_files.h"

namespace {

// Scripted answers of the menus and missions; every call is written into
// the trace. An exhausted script answers "Exit" and mission code 0.
struct scriptedFrontEnd {
    std::deque<int> main, newGame, difficulty, skip, serverClient, slots;
    std::deque<bool> options;
    std::deque<std::pair<int, std::string>> missions;
    bool savegameExists = false;
    bool savegameReadable = true;
    std::string trace;

    static int next(std::deque<int>& q, int fallback) {
        if (q.empty()) return fallback;
        const int v = q.front();
        q.pop_front();
        return v;
    }
    void log(const std::string& s) { trace += (trace.empty() ? "" : " ") + s; }

    frontEndCalls calls() {
        frontEndCalls c;
        c.mainMenu = [this](int start) { log("main(" + std::to_string(start) + ")"); return next(main, 4); };
        c.newGameMenu = [this] { log("new"); return next(newGame, 2); };
        c.getDifficulty = [this] { log("difficulty"); return next(difficulty, 0); };
        c.skipTutorial = [this] { log("skip"); return next(skip, 1); };
        c.serverClient = [this] { log("serverClient"); return next(serverClient, 2); };
        c.savegameSelect = [this](bool load) { log(load ? "load" : "save"); return next(slots, -1); };
        c.loadSavegame = [this](int slot, savegame& out) {
            log("read(" + std::to_string(slot) + ")");
            if (savegameReadable) out = {"gate", 4, 3};
            return savegameReadable;
        };
        c.options = [this](bool full) {
            log(full ? "options" : "options(mission)");
            const bool restart = !options.empty() && options.front();
            if (!options.empty()) options.pop_front();
            return restart;
        };
        c.savegameExists = [this] { return savegameExists; };
        c.playMission = [this](std::string& map, int heal, int ammo) {
            log("play(" + map + "," + std::to_string(heal) + "," + std::to_string(ammo) + ")");
            if (missions.empty()) return 0;
            const auto [code, next] = missions.front();
            missions.pop_front();
            map = next;
            return code;
        };
        c.hostGame = [this] { log("host"); };
        c.joinGame = [this](const std::string& address) { log("join(" + address + ")"); };
        return c;
    }
};

TEST(MainMenuLoop, ChoicesStartMissionsMultiplayerAndOptions) {
    struct row {
        const char* what;
        scriptedFrontEnd script;
        const char* trace;
        bool restart;
    };
    auto with = [](auto change) {
        scriptedFrontEnd s;
        change(s);
        return s;
    };
    const row rows[] = {
        {"Exit ends the loop", with([](auto&) {}), "main(0)", false},
        {"Easy without the tutorial plays the campaign's first map",
         with([](auto& s) { s.main = {0}; s.newGame = {0}; s.difficulty = {0}; s.skip = {1}; }),
         "main(0) new difficulty skip play(first,4,3) main(0)", false},
        {"Hard with the tutorial plays it",
         with([](auto& s) { s.main = {0}; s.newGame = {0}; s.difficulty = {2}; s.skip = {0}; }),
         "main(0) new difficulty skip play(tutorial,0,0) main(0)", false},
        {"a difficulty outside the table, above or below, gives no bonus",
         with([](auto& s) { s.main = {0, 0}; s.newGame = {0, 0}; s.difficulty = {7, -1}; s.skip = {1, 1}; }),
         "main(0) new difficulty skip play(first,0,0) main(0) new difficulty skip play(first,0,0) main(0)", false},
        {"the shooting range keeps the last bonuses",
         with([](auto& s) { s.main = {0, 0}; s.newGame = {0, 3}; s.difficulty = {1}; }),
         "main(0) new difficulty skip play(first,2,1) main(0) new play(range,2,1) main(0)", false},
        {"Cancel goes back to the main menu", with([](auto& s) { s.main = {0}; s.newGame = {2}; }),
         "main(0) new main(0)", false},
        {"after the tutorial, a skipped tutorial starts the campaign",
         with([](auto& s) { s.main = {0, 0}; s.newGame = {4, 0}; s.difficulty = {1}; s.skip = {1}; }),
         "main(0) new play(tutorial,0,0) main(0) new difficulty skip play(first,2,1) main(0)", false},
        {"a mission naming the next map runs it at once",
         with([](auto& s) { s.main = {0}; s.newGame = {3}; s.missions = {{1, "second"}, {1, "third"}, {0, ""}}; }),
         "main(0) new play(range,0,0) play(second,0,0) play(third,0,0) main(0)", false},
        {"GS leads back to the main menu",
         with([](auto& s) { s.main = {0}; s.newGame = {3}; s.missions = {{1, "GS"}}; }),
         "main(0) new play(range,0,0) main(0)", false},
        {"GO with a savegame opens the load dialog at once",
         with([](auto& s) { s.main = {0}; s.newGame = {3}; s.missions = {{1, "GO"}}; s.savegameExists = true; }),
         "main(0) new play(range,0,0) load main(1)", false},
        {"GO without a savegame shows the main menu on New Game",
         with([](auto& s) { s.main = {0}; s.newGame = {3}; s.missions = {{1, "GO"}}; }),
         "main(0) new play(range,0,0) main(0)", false},
        {"a loaded slot starts its mission with its bonuses",
         with([](auto& s) { s.main = {1}; s.slots = {2}; }), "main(0) load read(2) play(gate,4,3) main(0)", false},
        {"a refused savegame leaves the menu on Load Game",
         with([](auto& s) { s.main = {1}; s.slots = {2}; s.savegameReadable = false; }),
         "main(0) load read(2) main(1)", false},
        {"cancelling the load dialog goes back", with([](auto& s) { s.main = {1}; }), "main(0) load main(1)", false},
        {"Server hosts the test map", with([](auto& s) { s.main = {2}; s.serverClient = {0}; }),
         "main(0) serverClient host main(2)", false},
        {"Client joins the address of server.txt", with([](auto& s) { s.main = {2}; s.serverClient = {1}; }),
         "main(0) serverClient join(10.0.0.7) main(2)", false},
        {"Options without a restart go back", with([](auto& s) { s.main = {3}; s.options = {false}; }),
         "main(0) options main(3)", false},
        {"Options that need a restart end the loop", with([](auto& s) { s.main = {3}; s.options = {true}; }),
         "main(0) options", true},
    };
    scopedWorkDir dir;
    std::filesystem::create_directories("maps");
    writeFileText("maps/default", "first\r\nsecond\n");
    writeFileText("server.txt", "10.0.0.7 port\n");
    for (row r : rows) {
        const bool restart = runMainMenuLoop(r.script.calls());
        EXPECT_EQ(r.script.trace, r.trace) << r.what;
        EXPECT_EQ(restart, r.restart) << r.what;
    }
}

}  // namespace

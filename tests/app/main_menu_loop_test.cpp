#include "app/main_menu_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <sstream>

#include "support/test_files.h"

namespace {

// Scripted answers of the menus and missions, written "kind:a,b,..." per
// kind of call; every call is written into the trace. Used-up answers are
// "Exit", Cancel, no restart and mission code 0. "next" names the map each
// mission ends with (code 1); "saved" makes a savegame exist, "unreadable"
// makes the chosen one refused.
struct scriptedFrontEnd {
    std::map<std::string, std::deque<std::string>> answers;
    std::string trace;

    explicit scriptedFrontEnd(const std::string& script) {
        std::istringstream words(script);
        for (std::string word; words >> word;) {
            const auto colon = word.find(':');
            std::istringstream values(word.substr(colon + 1));
            for (std::string v; std::getline(values, v, ',');) answers[word.substr(0, colon)].push_back(v);
        }
    }
    std::string next(const std::string& kind, const std::string& fallback) {
        std::deque<std::string>& q = answers[kind];
        if (q.empty()) return fallback;
        const std::string v = q.front();
        q.pop_front();
        return v;
    }
    void log(const std::string& s) { trace += (trace.empty() ? "" : " ") + s; }
    int answer(const std::string& call, const std::string& kind, int fallback) {
        log(call);
        return std::stoi(next(kind, std::to_string(fallback)));
    }

    frontEndCalls calls() {
        frontEndCalls c;
        c.mainMenu = [this](int start) { return answer("main(" + std::to_string(start) + ")", "main", 4); };
        c.newGameMenu = [this] { return answer("new", "new", 2); };
        c.getDifficulty = [this] { return answer("difficulty", "difficulty", 0); };
        c.skipTutorial = [this] { return answer("skip", "skip", 1); };
        c.serverClient = [this] { return answer("serverClient", "serverClient", 2); };
        c.savegameSelect = [this](bool load) { return answer(load ? "load" : "save", "slot", -1); };
        c.loadSavegame = [this](int slot, savegame& out) {
            log("read(" + std::to_string(slot) + ")");
            if (!answers.count("unreadable")) out = {"gate", 4, 3};
            return !answers.count("unreadable");
        };
        c.options = [this](bool full) { return answer(full ? "options" : "options(mission)", "options", 0) != 0; };
        c.savegameExists = [this] { return answers.count("saved") > 0; };
        c.playMission = [this](std::string& map, int heal, int ammo) {
            log("play(" + map + "," + std::to_string(heal) + "," + std::to_string(ammo) + ")");
            map = next("next", "");
            return map.empty() ? 0 : 1;
        };
        c.hostGame = [this] { log("host"); };
        c.joinGame = [this](const std::string& address) { log("join(" + address + ")"); };
        return c;
    }
};

TEST(MainMenuLoop, ChoicesStartMissionsMultiplayerAndOptions) {
    const struct { const char* what; const char* script; const char* trace; bool restart; } rows[] = {
        {"Exit ends the loop", "", "main(0)", false},
        {"Easy without the tutorial plays the campaign's first map", "main:0 new:0 difficulty:0 skip:1",
         "main(0) new difficulty skip play(first,4,3) main(0)", false},
        {"Hard with the tutorial plays it", "main:0 new:0 difficulty:2 skip:0",
         "main(0) new difficulty skip play(tutorial,0,0) main(0)", false},
        {"a difficulty outside the table, above or below, gives no bonus", "main:0,0 new:0,0 difficulty:7,-1 skip:1,1",
         "main(0) new difficulty skip play(first,0,0) main(0) new difficulty skip play(first,0,0) main(0)", false},
        {"the shooting range keeps the last bonuses", "main:0,0 new:0,3 difficulty:1",
         "main(0) new difficulty skip play(first,2,1) main(0) new play(range,2,1) main(0)", false},
        {"Cancel goes back to the main menu", "main:0 new:2", "main(0) new main(0)", false},
        {"after the tutorial, a skipped tutorial starts the campaign", "main:0,0 new:4,0 difficulty:1 skip:1",
         "main(0) new play(tutorial,0,0) main(0) new difficulty skip play(first,2,1) main(0)", false},
        {"a mission naming the next map runs it at once", "main:0 new:3 next:second,third",
         "main(0) new play(range,0,0) play(second,0,0) play(third,0,0) main(0)", false},
        {"GS leads back to the main menu", "main:0 new:3 next:GS", "main(0) new play(range,0,0) main(0)", false},
        {"GO with a savegame opens the load dialog at once", "main:0 new:3 next:GO saved",
         "main(0) new play(range,0,0) load main(1)", false},
        {"GO without a savegame shows the main menu on New Game", "main:0 new:3 next:GO",
         "main(0) new play(range,0,0) main(0)", false},
        {"a loaded slot starts its mission with its bonuses", "main:1 slot:2",
         "main(0) load read(2) play(gate,4,3) main(0)", false},
        {"a refused savegame leaves the menu on Load Game", "main:1 slot:2 unreadable", "main(0) load read(2) main(1)",
         false},
        {"cancelling the load dialog goes back", "main:1", "main(0) load main(1)", false},
        {"Server hosts the test map", "main:2 serverClient:0", "main(0) serverClient host main(2)", false},
        {"Client joins the address of server.txt", "main:2 serverClient:1",
         "main(0) serverClient join(10.0.0.7) main(2)", false},
        {"Options without a restart go back", "main:3 options:0", "main(0) options main(3)", false},
        {"Options that need a restart end the loop", "main:3 options:1", "main(0) options", true},
    };
    scopedWorkDir dir;
    std::filesystem::create_directories("maps");
    writeFileText("maps/default", "first\r\nsecond\n");
    writeFileText("server.txt", "10.0.0.7 port\n");
    for (const auto& r : rows) {
        scriptedFrontEnd script(r.script);
        EXPECT_EQ(runMainMenuLoop(script.calls()), r.restart) << r.what;
        EXPECT_EQ(script.trace, r.trace) << r.what;
    }
}

}  // namespace

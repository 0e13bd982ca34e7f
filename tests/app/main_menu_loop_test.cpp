#include "app/main_menu_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "support/test_files.h"

// A stand-in for the menus and missions. Each call takes the next answer
// of a script and is written into a trace as "call=answer" ("call" alone
// for an empty answer). A mission's answer is the map it names next (none:
// code 0); reading a savegame answers 1 (it is "gate" with bonuses 4 and
// 3) or 0 (refused).
struct scriptedFrontEnd {
    std::deque<std::string> answers;
    std::string trace;

    std::string answer(const std::string& call) {
        if (answers.empty()) throw std::logic_error("no answer left for " + call);
        const std::string a = answers.front();
        answers.pop_front();
        trace += (trace.empty() ? "" : " ") + call + (a.empty() ? "" : "=" + a);
        return a;
    }
    int number(const std::string& call) { return std::stoi(answer(call)); }

    frontEndCalls calls() {
        frontEndCalls c;
        c.mainMenu = [this](int start) { return number("main(" + std::to_string(start) + ")"); };
        c.newGameMenu = [this] { return number("new"); };
        c.getDifficulty = [this] { return number("difficulty"); };
        c.skipTutorial = [this] { return number("skip"); };
        c.serverClient = [this] { return number("serverClient"); };
        c.savegameSelect = [this](bool load) { return number(load ? "load" : "save"); };
        c.loadSavegame = [this](int slot, savegame& out) {
            out = {"gate", 4, 3};  // a refused one leaves it unused
            return number("read(" + std::to_string(slot) + ")") != 0;
        };
        c.options = [this](bool full) { return number(full ? "options" : "options(mission)") != 0; };
        c.savegameExists = [this] { return number("exists") != 0; };
        c.playMission = [this](std::string& map, int heal, int ammo) {
            map = answer("play(" + map + "," + std::to_string(heal) + "," + std::to_string(ammo) + ")");
            return map.empty() ? 0 : 1;
        };
        c.hostGame = [this] { answer("host"); };
        c.joinGame = [this](const std::string& address) { answer("join(" + address + ")"); };
        return c;
    }
};

// Each row is the expected trace; its answers are the script. The loop
// ends at Exit, or when options need a restart.
TEST(MainMenuLoop, ChoicesStartMissionsMultiplayerAndOptions) {
    const struct { const char* what; std::string trace; } rows[] = {
        {"Easy without the tutorial: the first map", "main(0)=0 new=0 difficulty=0 skip=1 play(first,4,3) main(0)=4"},
        {"a difficulty outside the table, above or below, gives no bonus; not skipping plays the tutorial",
         "main(0)=0 new=0 difficulty=7 skip=0 play(tutorial,0,0) main(0)=0 new=0 difficulty=-1 skip=1 play(first,0,0) "
         "main(0)=4"},
        {"Cancel goes back to the main menu", "main(0)=0 new=2 main(0)=4"},
        {"the tutorial from the new-game menu", "main(0)=0 new=4 play(tutorial,0,0) main(0)=4"},
        {"a mission naming the next map runs it at once",
         "main(0)=0 new=3 play(range,0,0)=second play(second,0,0)=third play(third,0,0) main(0)=4"},
        {"GS leads back to the main menu", "main(0)=0 new=3 play(range,0,0)=GS main(0)=4"},
        {"GO: load dialog at once with a savegame", "main(0)=0 new=3 play(range,0,0)=GO exists=1 load=-1 main(1)=4"},
        {"GO: the menu on New Game without one", "main(0)=0 new=3 play(range,0,0)=GO exists=0 main(0)=4"},
        {"cancel or a refused savegame: menu on Load Game; a loaded slot plays with its bonuses",
         "main(0)=1 load=-1 main(1)=1 load=2 read(2)=0 main(1)=1 load=2 read(2)=1 play(gate,4,3) main(0)=4"},
        {"Server hosts, Client joins the address of server.txt",
         "main(0)=2 serverClient=0 host main(2)=2 serverClient=1 join(10.0.0.7) main(2)=4"},
        {"Options without a restart go back, with one end the loop", "main(0)=3 options=0 main(3)=3 options=1"},
    };
    scopedWorkDir dir;
    std::filesystem::create_directories("maps");
    writeFileText("maps/default", "first\r\nsecond\n");
    writeFileText("server.txt", "10.0.0.7 port\n");
    for (const auto& r : rows) {
        scriptedFrontEnd script;
        std::istringstream calls(r.trace);
        for (std::string call; calls >> call;)
            script.answers.push_back(call.find('=') == std::string::npos ? "" : call.substr(call.find('=') + 1));
        const bool restart = r.trace.size() > 9 && r.trace.substr(r.trace.size() - 9) == "options=1";
        EXPECT_EQ(runMainMenuLoop(script.calls()), restart) << r.what;
        EXPECT_EQ(script.trace, r.trace) << r.what;
    }
}

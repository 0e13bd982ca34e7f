// Drives a paced screen tick by tick with scripted input: keys written into
// Allegro's key array, the pointer position and clicks; the wheel stays still.
//
// A script is a list of words, each one or more ticks:
//   <key name>       the key (as keyNames spells it) down for a tick, then up for a tick
//   hold:<key>:<n>   the key held for n ticks, then up for a tick
//   ptr:<x>:<y>      the pointer moves to (x, y), one tick
//   click            a click, one tick
//   idle:<n>         n ticks without input
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/input.h"
#include "app/pacer.h"

namespace menuScript {

struct tick {
    int held = 0, x = -1, y = -1;  // a held key code; the pointer, -1 where it stays
    bool click = false;
};

inline int codeOf(const std::string& name) {
    for (int code = 1; code < KEY_CODE_COUNT; code++)
        if (keyNames[code] == name) return code;
    ADD_FAILURE() << "no key named " << name;
    return 0;
}

inline std::vector<tick> parse(const std::string& script) {
    std::vector<tick> ticks;
    std::istringstream words(script);
    for (std::string word; words >> word;) {
        std::vector<std::string> p;
        std::istringstream fields(word);
        for (std::string f; std::getline(fields, f, ':');) p.push_back(f);
        tick t;
        int times = 1;
        if (p[0] == "ptr") t.x = std::stoi(p[1]), t.y = std::stoi(p[2]);
        else if (p[0] == "click") t.click = true;
        else if (p[0] == "idle") times = std::stoi(p[1]);
        else if (p[0] == "hold") t.held = codeOf(p[1]), times = std::stoi(p[2]);
        else t.held = codeOf(p[0]);
        ticks.insert(ticks.end(), times, t);
        if (t.held) ticks.push_back({});  // a key is let go for a tick
    }
    return ticks;
}

inline void apply(const tick& t) {
    for (int code = 0; code < KEY_CODE_COUNT; code++) key[code] = 0;
    if (t.held) key[t.held] = 1;
    if (t.x >= 0) mouse_x = t.x, mouse_y = t.y;
    click = t.click;
    mouseZDiff = 0;
}

// Runs the script's ticks, one logic step each, until the screen ends.
// Returns true when it ended.
inline bool run(pacedScreen& screen, const std::string& script) {
    bool ended = false;
    for (const tick& t : parse(script)) {
        apply(t);
        if ((ended = !screen.step())) break;
    }
    apply({});
    return ended;
}

}  // namespace menuScript

// Settings in force and a back buffer as the menus expect them, with Allegro's
// own 8-pixel font for all three fonts; input cleared before (a script
// clears it after its last tick).
class menuTest : public testing::Test {
protected:
    void SetUp() override {
        global.setDefaults(32);
        global.buffer = create_bitmap(800, 600);
        global.mainMenu = create_bitmap(800, 600);
        clear_bitmap(global.mainMenu);
        global.menuFont = global.textFont = global.messageFont = font;
        menuScript::apply({});
        mouse_x = mouse_y = 0;
        keyStates.resetAll();
    }
    void TearDown() override {
        destroy_bitmap(global.buffer);
        destroy_bitmap(global.mainMenu);
        global.buffer = global.mainMenu = nullptr;
        global.menuFont = global.textFont = global.messageFont = nullptr;
    }
};

// An editor built from files in a scratch folder and stepped tick by tick
// with injected keys, a memory screen and dialogues answered from a script.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/input.h"
#include "editor/map_editor.h"
#include "map/map_test_files.h"
#include "support/test_files.h"
#include "world/world_fixtures.h"

namespace edtest {

// Answers alerts with the queued button numbers and file selectors with
// the queued paths ("" cancels); remembers every alert's lines. An
// unexpected question fails the test and is declined.
class scriptedDialogs : public editorDialogs {
public:
    std::deque<int> buttons;
    std::deque<std::string> files;
    std::vector<std::vector<std::string>> asked;

    int alert(const std::vector<std::string>& lines, const std::vector<std::string>& choices) override {
        asked.push_back(lines);
        EXPECT_FALSE(buttons.empty()) << "unexpected alert: " << lines[0];
        const int b = buttons.empty() ? static_cast<int>(choices.size()) : buttons.front();
        if (!buttons.empty()) buttons.pop_front();
        return b;
    }
    bool selectFile(const std::string& title, std::string& path, const std::string&, int, int) override {
        EXPECT_FALSE(files.empty()) << "unexpected file selector: " << title;
        path = files.empty() ? "" : files.front();
        if (!files.empty()) files.pop_front();
        return !path.empty();
    }
    void queue(std::deque<int> answers, std::deque<std::string> paths = {}) {
        buttons = std::move(answers);
        files = std::move(paths);
    }
};

// A placed unit as a map file stores it.
struct unitAt { int type; float x, y; int direction; std::string script; };

class EditorTest : public testing::Test {
public:
    void SetUp() override {
        // The editor's unit look file, made once with Allegro's dat tool.
        static const std::vector<unsigned char> lookFile = [] {
            scopedWorkDir scratch;
            EXPECT_TRUE(worldtest::writeUnitDatafile("look.dat", 8));
            return readFileBytes("look.dat");
        }();
        oldScreen = screen;
        screen = create_bitmap(800, 600);
        global.buffer = create_bitmap(800, 600);
        global.menuFont = global.textFont = global.messageFont = font;
        global.vsync = 0;  // no screen to wait for; earlier tests may have set the default
        std::memcpy(global.keys, DEFAULT_KEYS, sizeof global.keys);
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
        keyStates.resetAll();
        for (const char* folder : {"data", "maps", "scripts"}) std::filesystem::create_directories(folder);
        writeFileBytes("data/editorgr.dat", lookFile);
        maptest::writeTileset("t.dat", {0, 0, 0, 0}, {0, 0, 0, 0});
        // 1 player, 3 enemy types, 2 civilian types.
        const std::string e = "e 2 40 0 2 8 400 e.dat\n", c = "c 1.5 20 0 c.dat\n";
        writeFileText("chars.txt", "1\np 3 100 0 60 40 8 5 2 p.dat\n3\n" + e + e + e + "2\n" + c + c);
        writeFileText("scripts/door.ukv", "event onUse\nadd %40 1\nend\n");
        writeFileText("scripts/guard.ukv", "event onKill\nadd %41 1\nend\n");
    }
    void TearDown() override {
        editor.reset();
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
        keyStates.resetAll();
        destroy_bitmap(global.buffer);
        global.buffer = nullptr;
        destroy_bitmap(screen);
        screen = oldScreen;
    }

    // "maps/level.kvm": a w x h map of tile 0 with the given units.
    static void writeMap(int w, int h, const std::vector<unitAt>& units = {}, int globalFlag = 0) {
        maptest::mapBytes m;
        m.header('S', "t.dat", w, h).plainTiles(w * h).byte(globalFlag).byte(0).text("chars.txt");
        m.int32(static_cast<int>(units.size()));
        for (const unitAt& u : units) {
            m.byte(u.type).float32(u.x).float32(u.y).byte(u.direction).byte(0).byte(u.script.empty() ? 0 : 2);
            if (!u.script.empty()) m.text(u.script);
        }
        m.write("maps/level.kvm");
    }
    void open(int w, int h, const std::vector<unitAt>& units = {}) {
        writeMap(w, h, units);
        editor = std::make_unique<mapEditor>("maps/level.kvm", dialogs);
    }

    // Holds the keys for steps logic steps, then releases them; false when the editor ended.
    bool hold(std::vector<int> codes, int steps = 1) {
        for (int c : codes) key[c] = 1;
        bool running = true;
        for (int i = 0; i < steps; ++i) running = editor->step();
        for (int c : codes) {
            key[c] = 0;
            keyStates.setState(c, 0);
        }
        return running;
    }
    // The same for binding slots; shifted holds the aiming help (Shift) too.
    void holdSlot(int slot, int steps = 1) { hold({DEFAULT_KEYS[slot]}, steps); }
    void shifted(int slot, int steps = 1) { hold({DEFAULT_KEYS[SLOT_AIMING_HELP], DEFAULT_KEYS[slot]}, steps); }
    // Saves plain to path through the editor's own save and gives the bytes.
    std::vector<unsigned char> saved(const std::string& path = "maps/out.kvm") {
        dialogs.files.push_back(path);
        EXPECT_TRUE(editor->save(false));
        return readFileBytes(path);
    }
    edUnit& unit(int i) { return editor->units.units[i]; }

    scopedWorkDir dir;
    BITMAP* oldScreen = nullptr;
    scriptedDialogs dialogs;
    std::unique_ptr<mapEditor> editor;
};

}  // namespace edtest

// Shared set-up for the world tests: unit sprites built in memory, the
// bullet sprite and sound files in a temporary working directory, a back
// buffer and the default key bindings, and helpers to drive input.
#pragma once

#include <allegro.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"
#include "platform/test_tone.h"
#include "support/test_files.h"
#include "world/unit.h"

namespace worldtest {

constexpr int UNIT_RADIUS = 6;
constexpr float UNIT_SPEED = 2.0f;
// Bullet sprites are 2 x (2 + 2N) pixels for weapon N, so their radius is
// 1 + N and tells the weapons apart.
inline int bulletHeight(int weapon) { return 2 + 2 * weapon; }

// Six 10 x 12 sprites, each filled with its own colour (state s: red
// s + 1), and the radius byte, as a loaded unit datafile would hold them.
class memoryUnitDatafile {
public:
    explicit memoryUnitDatafile(signed char radius = UNIT_RADIUS) : radiusByte(radius) {
        for (int s = 0; s < UNIT_SPRITES; s++) {
            BITMAP* b = create_bitmap(10, 12);
            clear_to_color(b, makecol(s + 1, 0, 0));
            items[s] = {b, DAT_BITMAP, 0, nullptr};
        }
        items[UNIT_SPRITES] = {&radiusByte, DAT_DATA, 1, nullptr};
        items[UNIT_DATAFILE_ITEMS] = {nullptr, DAT_END, 0, nullptr};
    }
    ~memoryUnitDatafile() {
        for (int s = 0; s < UNIT_SPRITES; s++) destroy_bitmap(static_cast<BITMAP*>(items[s].dat));
    }
    DATAFILE* get() { return items; }

private:
    signed char radiusByte;
    DATAFILE items[UNIT_DATAFILE_ITEMS + 1];
};

// The colour a unit sprite of state s was filled with.
inline int stateColour(int s) { return makecol(s + 1, 0, 0); }

// A scratch 800 x 600 back buffer and the default key bindings, with all
// keys up; restores the old buffer afterwards.
class worldScene {
public:
    worldScene() : old(global.buffer) {
        global.buffer = create_bitmap(800, 600);
        clear_bitmap(global.buffer);
        std::memcpy(global.keys, DEFAULT_KEYS, sizeof global.keys);
        global.bloodMode = 0;
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        keyStates.resetAll();
    }
    ~worldScene() {
        destroy_bitmap(global.buffer);
        global.buffer = old;
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
    }

private:
    BITMAP* old;
};

inline void hold(int slot, bool down = true) { key[DEFAULT_KEYS[slot]] = down ? 1 : 0; }

// "gfx/bulletN.tga" and "sfx/weaponN.wav" for the eight weapons in the
// current working directory.
inline void writeBulletFiles() {
    for (const char* folder : {"gfx", "sfx"}) std::filesystem::create_directories(folder);
    for (int w = 0; w < 8; w++) {
        BITMAP* b = create_bitmap(2, bulletHeight(w));
        clear_to_color(b, makecol(255, 255, 0));
        save_bitmap(("gfx/bullet" + std::to_string(w) + ".tga").c_str(), b, nullptr);
        destroy_bitmap(b);
        writeFileBytes("sfx/weapon" + std::to_string(w) + ".wav", testTone::sineWav(0.0, 0.01, 11025, 1));
    }
}

// Writes a unit datafile with Allegro's dat tool: sprites of 8 + s x 6
// pixels filled with red 10 x s, and the radius byte.
inline bool writeUnitDatafile(const std::string& name, unsigned char radius) {
    std::string sprites;
    for (int s = 0; s < UNIT_SPRITES; s++) {
        BITMAP* b = create_bitmap(8 + s, 6);
        clear_to_color(b, makecol(10 * s, 0, 0));
        const std::string file = "u" + std::to_string(s) + ".bmp";
        save_bitmap(file.c_str(), b, nullptr);
        destroy_bitmap(b);
        sprites += " " + file;
    }
    writeFileBytes("u6.raw", {radius, 0x33});
    return std::system(("dat -a -bpp 32 -t BMP " + name + sprites + " >/dev/null").c_str()) == 0 &&
           std::system(("dat -a -t DATA " + name + " u6.raw >/dev/null").c_str()) == 0;
}

// A template with 100 life loaded from memory sprites and a unit of class T
// copying it, placed at (400, 300) facing right.
template <class T>
struct placedUnit {
    memoryUnitDatafile data;
    Unit type;
    T unit;
    explicit placedUnit(int weapon = 0, int triggerDist = 10000, int shootFreq = 0) {
        type.speed = UNIT_SPEED;
        type.maxLife = 100;
        type.weapon = weapon;
        type.triggerDist = triggerDist;
        type.shootFreq = shootFreq;
        type.loadSprites(data.get());
        unit.basetypeGet(type);
        unit.initialise(400, 300, 64, 0);
    }
};

}  // namespace worldtest

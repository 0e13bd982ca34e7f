// A mission under load: the player, 256 units and 1024 flying bullets on a
// 256 x 256 map with every 32nd tile scripted and a global script. One
// logic step, and one frame with the whole heads-up display into an
// 800 x 600 x 32 memory bitmap.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/input.h"
#include "game/single_player_game.h"

namespace {

constexpr int SIDE = 256;
constexpr int UNITS = 256;
constexpr float CENTRE = SIDE * 16;

// onEnter: inc %40; duringTouch: inc %41.
const unsigned char TILE_SCRIPT[] = {0x01, 0x01, 0x04, 0x0F, 0x28, 0xFE, 0x01, 0x04, 0x04, 0x0F, 0x29, 0xFE, 0xFF};
// global: inc %42.
const unsigned char GLOBAL_SCRIPT[] = {0x01, 0x09, 0x04, 0x0F, 0x2A, 0xFE, 0xFF};

using bytes = std::vector<unsigned char>;

void put32(bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void putBig(bytes& b, uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void putText(bytes& b, const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    b.push_back(13);
}
void writeFile(const std::string& name, const bytes& b) {
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
}
void writeText(const std::string& name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }

// An uncompressed Allegro datafile of 32-bit bitmaps (w x h, one colour)
// and raw data items.
struct datafileBuilder {
    std::vector<bytes> objects;
    void bitmap(int w, int h) {
        bytes o = {'B', 'M', 'P', ' '};
        const uint32_t size = 6 + 3u * w * h;
        putBig(o, size, 4);
        putBig(o, size, 4);
        putBig(o, 32, 2);
        putBig(o, w, 2);
        putBig(o, h, 2);
        for (int i = 0; i < w * h; ++i) o.insert(o.end(), {40, static_cast<unsigned char>(60 + i % 50), 90});
        objects.push_back(o);
    }
    void data(const bytes& d) {
        bytes o = {'D', 'A', 'T', 'A'};
        putBig(o, d.size(), 4);
        putBig(o, d.size(), 4);
        o.insert(o.end(), d.begin(), d.end());
        objects.push_back(o);
    }
    void write(const std::string& name) {
        const std::string magic = "slh.ALL.";
        bytes b(magic.begin(), magic.end());
        putBig(b, objects.size(), 4);
        for (const bytes& o : objects) b.insert(b.end(), o.begin(), o.end());
        writeFile(name, b);
    }
};

void savePicture(const std::string& name, int w, int h, int colour) {
    BITMAP* b = create_bitmap(w, h);
    clear_to_color(b, colour);
    save_bitmap(name.c_str(), b, nullptr);
    destroy_bitmap(b);
}

void writeMission() {
    std::filesystem::create_directories("maps");
    std::filesystem::create_directories("gfx");
    std::filesystem::create_directories("sfx");
    std::filesystem::create_directories("save");
    datafileBuilder tiles;
    tiles.data({0, 0, 1, 1});  // two floor tiles, 0 and 1 animate into each other
    tiles.bitmap(64, 32);
    tiles.write("t.dat");
    datafileBuilder unit;
    for (int s = 0; s < 6; ++s) unit.bitmap(40, 40);
    unit.data({10});
    unit.write("u.dat");
    const bytes wav = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                       16, 0, 0, 0, 1, 0, 1, 0, 0x11, 0x2b, 0, 0, 0x11, 0x2b, 0, 0,
                       1, 0, 8, 0, 'd', 'a', 't', 'a', 4, 0, 0, 0, 128, 128, 128, 128};
    for (int w = 0; w < 8; ++w) {
        savePicture("gfx/bullet" + std::to_string(w) + ".tga", 3, 8, makecol(255, 255, 0));
        writeFile("sfx/weapon" + std::to_string(w) + ".wav", wav);
    }
    savePicture("gfx/lifebar.tga", 200, 12, makecol(210, 48, 40));
    savePicture("gfx/armorbar.tga", 200, 12, makecol(60, 130, 230));
    savePicture("gfx/arrow.tga", 40, 32, makecol(40, 160, 160));
    for (int i = 0; i < 6; ++i) savePicture("gfx/weapon" + std::to_string(i) + ".tga", 64, 28, makecol(90, 90, 90));
    savePicture("gfx/gameover.tga", 440, 120, makecol(30, 30, 40));
    savePicture("gfx/missionsolved.tga", 440, 120, makecol(30, 30, 40));
    savePicture("gfx/missionscreen.tga", 800, 600, makecol(220, 215, 200));
    savePicture("gfx/buttonContinue.tga", 160, 40, makecol(40, 40, 50));
    savePicture("gfx/buttonSave.tga", 160, 40, makecol(40, 40, 50));
    writeText("chars.txt", "1 me 3 100 50 1 60 40 8 5 2 u.dat\n1 foe 2 40 0 2 8 1000 u.dat\n1 pal 1.5 20 0 u.dat\n");
    writeText("maps/bench.kvd", "-Reach the far corner\nBench\n255 255\nA crowded map.\n");

    bytes m = {0, 6, 'A', 'S'};
    putText(m, "t.dat");
    put32(m, SIDE);
    put32(m, SIDE);
    for (int i = 0; i < SIDE * SIDE; ++i) {
        m.push_back(i % 7 == 0 ? 1 : 0);
        const bool scripted = i % 32 == 0;
        m.push_back(scripted ? 1 : 0);
        if (scripted) m.insert(m.end(), std::begin(TILE_SCRIPT), std::end(TILE_SCRIPT));
    }
    m.push_back(1);
    m.insert(m.end(), std::begin(GLOBAL_SCRIPT), std::end(GLOBAL_SCRIPT));
    m.push_back(0);
    putText(m, "chars.txt");
    put32(m, UNITS + 1);
    auto place = [&m](int type, float x, float y) {
        m.push_back(static_cast<unsigned char>(type));
        uint32_t v;
        std::memcpy(&v, &x, 4);
        put32(m, v);
        std::memcpy(&v, &y, 4);
        put32(m, v);
        m.insert(m.end(), {0, 0, 0});
    };
    place(0, CENTRE, CENTRE);
    // Units in a 16 x 16 grid 48 pixels apart around the player, most of
    // them on screen; every eighth a civilian.
    for (int i = 0; i < UNITS; ++i)
        place(i % 8 == 7 ? 2 : 1, CENTRE - 384 + (i % 16) * 48 + 24, CENTRE - 384 + (i / 16) * 48 + 24);
    writeFile("maps/bench.kvm", m);
}

// The mission, loaded once in a scratch directory.
singlePlayerGame& mission() {
    static singlePlayerGame* game = [] {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        char pattern[] = "/tmp/korvalt-mission-bench-XXXXXX";
        if (!mkdtemp(pattern) || chdir(pattern) != 0) std::abort();
        global.buffer = create_bitmap(800, 600);
        screen = create_bitmap(800, 600);
        global.menuFont = global.textFont = global.messageFont = font;
        global.crosshair = create_bitmap(13, 13);
        clear_to_color(global.crosshair, makecol(255, 0, 255));
        std::memcpy(global.keys, DEFAULT_KEYS, sizeof global.keys);
        writeMission();
        missionHooks hooks = defaultMissionHooks();
        hooks.runScreen = [](pacedScreen& s) {
            key[KEY_ENTER] = 1;
            s.step();
            key[KEY_ENTER] = 0;
        };
        auto* g = new singlePlayerGame("bench", 2, 1, hooks);
        g->player.pointer = [] {
            pointerInput p;
            p.x = 500;
            p.y = 300;
            return p;
        };
        g->start();
        g->godMode = true;
        g->messages->sendText("A line of text in the message box.");
        g->messages->output();
        return g;
    }();
    return *game;
}

// Fills every free bullet slot with a pistol bullet flying over open
// ground away from the units, so that each one is judged against them all.
void fillBullets(singlePlayerGame& game) {
    int n = 0;
    for (bullet& b : game.bullets->slots) {
        ++n;
        if (b.active) continue;
        const float x = 200 + (n % 32) * 100;
        const float y = 200 + (n / 32) * 100;
        b.init(0, n % 256, x, y, &game.player, true);
    }
}

int activeBullets(singlePlayerGame& game) {
    int active = 0;
    for (bullet& b : game.bullets->slots) active += b.active;
    return active;
}

void BM_MissionLogicStep(benchmark::State& state) {
    singlePlayerGame& game = mission();
    for (auto _ : state) {
        state.PauseTiming();
        fillBullets(game);
        state.ResumeTiming();
        game.step();
    }
    int alive = 0;
    for (auto& u : game.units) alive += u->isAlife();
    state.counters["units_alive"] = alive;
    state.counters["scripted_tiles"] = static_cast<double>(game.map.events.size());
}
BENCHMARK(BM_MissionLogicStep)->Unit(benchmark::kMicrosecond);

void BM_MissionFrame(benchmark::State& state) {
    singlePlayerGame& game = mission();
    fillBullets(game);
    for (auto _ : state) game.renderFrame();
    state.counters["bullets"] = activeBullets(game);
}
BENCHMARK(BM_MissionFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

// Cost of the world model alone: one logic step with a full bullet pool and
// 256 engaged units (no map, no drawing), and drawing 256 rotated units.
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "world/bullet_pool.h"
#include "world/enemy.h"
#include "world/unit.h"

namespace {

constexpr int UNITS = 256;
constexpr int PLAYER_X = 2000;
constexpr int PLAYER_Y = 2000;

void startAllegro() {
    static bool started = false;
    if (started) return;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    started = true;
}

// A bullet pool, whose first bullet loads the sprites and sounds written
// to a scratch directory.
std::unique_ptr<bulletPool> makePool() {
    const std::filesystem::path old = std::filesystem::current_path();
    char pattern[] = "/tmp/korvalt-bench-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    std::filesystem::current_path(pattern);
    std::filesystem::create_directories("gfx");
    std::filesystem::create_directories("sfx");
    // 44-byte RIFF WAVE header for 4 silent 8-bit mono samples, then the samples.
    const unsigned char wav[48] = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                   16, 0, 0, 0, 1, 0, 1, 0, 0x11, 0x2b, 0, 0, 0x11, 0x2b, 0, 0,
                                   1, 0, 8, 0, 'd', 'a', 't', 'a', 4, 0, 0, 0, 128, 128, 128, 128};
    for (int w = 0; w < WEAPON_COUNT; w++) {
        BITMAP* b = create_bitmap(3, 8);
        clear_to_color(b, makecol(255, 255, 0));
        save_bitmap(("gfx/bullet" + std::to_string(w) + ".tga").c_str(), b, nullptr);
        destroy_bitmap(b);
        std::FILE* f = std::fopen(("sfx/weapon" + std::to_string(w) + ".wav").c_str(), "wb");
        std::fwrite(wav, 1, sizeof wav, f);
        std::fclose(f);
    }
    auto pool = std::make_unique<bulletPool>();
    std::filesystem::current_path(old);
    std::filesystem::remove_all(pattern);
    return pool;
}

// A unit type with 24 x 24 sprites.
struct unitType : Unit {
    unitType() {
        for (int s = 0; s < UNIT_SPRITES; s++) {
            sprites[s] = create_bitmap(24, 24);
            clear_to_color(sprites[s], makecol(40 * s, 200, 80));
            rectfill(sprites[s], 8, 0, 15, 5, makecol(255, 0, 255));
        }
        radius = 10;
        speed = 2.5f;
        maxLife = 100;
        triggerDist = 100000;
    }
};

// Three enemies to one civilian, spread round the player between 100 and
// 600 pixels, all engaged and on screen.
std::vector<std::unique_ptr<Unit>> placeUnits(unitType& type) {
    std::vector<std::unique_ptr<Unit>> units;
    for (int i = 0; i < UNITS; i++) {
        std::unique_ptr<Unit> u;
        if (i % 4 == 3) {
            u = std::make_unique<Civilian>();
        } else {
            auto e = std::make_unique<Enemy>();
            e->onScreen = true;
            u = std::move(e);
        }
        u->basetypeGet(type);
        u->weapon = i % 4 == 3 ? 0 : i % 4;
        const facingOffset at = offsetAt(100 + (i * 37) % 500, (i * 53) & 255);
        u->initialise(static_cast<float>(PLAYER_X + at.dx), static_cast<float>(PLAYER_Y + at.dy), (i * 11) & 255, 2);
        units.push_back(std::move(u));
    }
    return units;
}

void fillPool(bulletPool& pool) {
    for (int i = 0; i < BULLET_POOL_SIZE; i++) {
        bullet& b = pool.slots[i];
        if (!b.active) b.init(i % 4, (i * 7) & 255, PLAYER_X, PLAYER_Y, nullptr, true);
    }
}

void BM_WorldStep(benchmark::State& state) {
    startAllegro();
    auto pool = makePool();
    std::srand(1);
    unitType type;
    auto units = placeUnits(type);
    const shotSoundPlayer silent = [](const bulletRequest&) {};
    const bulletJudge passAll = [](moveRequest*, const bullet&) {};
    for (auto _ : state) {
        state.PauseTiming();
        fillPool(*pool);
        state.ResumeTiming();
        for (auto& u : units) {
            moveRequest* move = u->getMoveRequest(PLAYER_X, PLAYER_Y);
            bulletRequest* shot = u->getBulletRequest();
            if (shot) pool->addBullets(*shot, silent);
            u->takeRequests(move, shot);
        }
        pool->fly(passAll, silent);
    }
}
BENCHMARK(BM_WorldStep)->Unit(benchmark::kMicrosecond);

void BM_DrawUnits(benchmark::State& state) {
    startAllegro();
    BITMAP* buffer = create_bitmap(800, 600);
    BITMAP* old = global.buffer;
    global.buffer = buffer;
    unitType type;
    auto units = placeUnits(type);
    for (int i = 0; i < UNITS; i++) {
        units[i]->initialise(static_cast<float>((i * 97) % 800), static_cast<float>((i * 61) % 600), (i * 13) & 255, 0);
        units[i]->state = i % 5;
        units[i]->walkCounter = i % 16;
    }
    for (auto _ : state) {
        clear_bitmap(buffer);
        for (auto& u : units) u->draw(0, 0);
        benchmark::DoNotOptimize(buffer->line[0][0]);
    }
    global.buffer = old;
    destroy_bitmap(buffer);
}
BENCHMARK(BM_DrawUnits)->Unit(benchmark::kMicrosecond);

}  // namespace

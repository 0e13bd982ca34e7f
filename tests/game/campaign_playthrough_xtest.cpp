// Play-throughs of the shipped missions: each is loaded from a scratch copy
// of the game folder and played tick by tick by a driver that only holds
// keys and moves the pointer (no cheats, seeded random generator, no
// timer): it walks a route of tiles, fights every enemy it can see on the
// way, uses switches and stations where the route says so, and must reach
// "mission solved" with the map name the mission leads to. A second run
// per mission lets the player die and expects "GO".
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "game/mission_variables.h"
#include "mission_fixture.h"
#include "world/weapons.h"

using namespace gametest;

namespace {

enum class act { walk, use, weapon, lob, wait };

// One step of a route: walk to the centre of a tile, press Use there,
// select a weapon, fire at a tile until a variable is set, or wait.
struct stepOf {
    act what;
    int column = 0, row = 0;  // weapon: the weapon number; wait: ticks
    int untilVariable = -1;   // lob: fire until this variable is non-zero
};
stepOf walk(int c, int r) { return {act::walk, c, r}; }
stepOf use() { return {act::use}; }
stepOf weapon(int w) { return {act::weapon, w}; }
stepOf lob(int c, int r, int variable) { return {act::lob, c, r, variable}; }

constexpr int SIGHT = 330;       // pixels within which the driver fights
constexpr int MAX_TICKS = 32 * 60 * 6;

class driver {
public:
    driver(singlePlayerGame& game, pointerInput& pointer, std::vector<stepOf> route, bool fight)
        : g(game), pointer(pointer), route(std::move(route)), fight(fight) {}

    // Plays until the mission ends; the return value is the map it names.
    std::string play() {
        for (int t = 0; t < MAX_TICKS && g.running; ++t) tick();
        return g.running ? "(still running at step " + std::to_string(next) + ", player at " +
                               std::to_string(static_cast<int>(g.player.getPosX())) + " " +
                               std::to_string(static_cast<int>(g.player.getPosY())) + ", life " +
                               std::to_string(*g.player.getLife()) + ")"
                         : g.nextMap;
    }

private:
    singlePlayerGame& g;
    pointerInput& pointer;
    std::vector<stepOf> route;
    bool fight;
    std::size_t next = 0;
    int waited = 0;

    void release() {
        for (int slot : {SLOT_FORWARD, SLOT_SHOOT, SLOT_USE, SLOT_NEXT_WEAPON}) key[global.keys[slot]] = 0;
        pointer.leftDown = false;
    }
    void aimAt(float x, float y) {
        pointer.x = static_cast<int>(x) - g.viewX;
        pointer.y = static_cast<int>(y) - g.viewY;
    }
    // The player faces (x, y) closely enough to walk there without
    // drifting off the route while still turning.
    bool facing(float x, float y) {
        const double a = std::atan2(static_cast<double>(g.player.getPosX() - x), static_cast<double>(g.player.getPosY() - y));
        const int target = static_cast<int>(-std::trunc(a * 128 / PI)) & 255;
        const int off = std::abs(((target - g.player.direction) & 255) - 128);
        return off > 128 - 8;
    }
    // No tile that stops bullets on the line to (x, y), nor on the lines
    // 4 pixels to either side (the spread of a shot).
    bool clearShot(float x, float y) {
        const float px = g.player.getPosX(), py = g.player.getPosY();
        const float d = std::hypot(x - px, y - py);
        if (d < 1) return true;
        const float nx = -(y - py) / d * 4, ny = (x - px) / d * 4;
        for (float side = -1; side <= 1; ++side)
            for (float s = 0; s < d; s += 2) {
                const float sx = px + (x - px) * s / d + side * nx, sy = py + (y - py) * s / d + side * ny;
                if (g.map.solidityAt(static_cast<int>(sx) / 32, static_cast<int>(sy) / 32) >= 2) return false;
            }
        return true;
    }
    // The nearest living enemy in sight, or none.
    Unit* enemyInSight() {
        Unit* best = nullptr;
        float bestD = SIGHT;
        for (auto& u : g.units) {
            if (!u->isAlife() || !u->isEnemy()) continue;
            const float d = std::hypot(u->getPosX() - g.player.getPosX(), u->getPosY() - g.player.getPosY());
            if (d < bestD && clearShot(u->getPosX(), u->getPosY())) {
                best = u.get();
                bestD = d;
            }
        }
        return best;
    }

    void tick() {
        if (std::getenv("KORVALT_TRACE") && g.ticks % 16 == 0)
            std::printf("t%d step %zu pos %d %d dir %d life %d weapon %d ptr %d %d view %d %d\n", g.ticks, next,
                        g.player.getPosX(), g.player.getPosY(), g.player.direction, *g.player.getLife(),
                        g.player.getCurWeapon(), pointer.x, pointer.y, g.viewX, g.viewY);
        g.renderFrame();
        release();
        Unit* enemy = fight ? enemyInSight() : nullptr;
        if (enemy) {
            if (g.player.getCurWeapon() != 2 && g.player.getCurWeapon() != 1 && g.player.getCurWeapon() != 0)
                key[global.keys[SLOT_NEXT_WEAPON]] = 1;
            aimAt(enemy->getPosX(), enemy->getPosY());
            key[global.keys[SLOT_SHOOT]] = 1;
        } else if (next < route.size()) {
            follow(route[next]);
        }
        g.step();
        keyStates.resetAll();
    }

    void follow(const stepOf& s) {
        const float x = s.column * 32 + 16.0f, y = s.row * 32 + 16.0f;
        switch (s.what) {
        case act::walk:
            aimAt(x, y);
            if (std::hypot(x - g.player.getPosX(), y - g.player.getPosY()) < 4) ++next;
            else if (facing(x, y)) key[global.keys[SLOT_FORWARD]] = 1;
            break;
        case act::use:
            key[global.keys[SLOT_USE]] = 1;
            ++next;
            break;
        case act::weapon:
            if (g.player.getCurWeapon() == s.column) ++next;
            else if (++waited % 2) key[global.keys[SLOT_NEXT_WEAPON]] = 1;
            break;
        case act::lob:
            aimAt(x, y);
            if (g.machine.variables[s.untilVariable]) ++next;
            else key[global.keys[SLOT_SHOOT]] = 1;
            break;
        case act::wait:
            if (++waited >= s.column) {
                waited = 0;
                ++next;
            }
            break;
        }
    }
};

struct missionRoute {
    const char* map;
    const char* leadsTo;
    std::vector<stepOf> route;
    std::vector<stepOf> deathRoute;  // walked without fighting until the player dies
};




const std::vector<missionRoute>& routes() {
    static const std::vector<missionRoute> all = {
        {"tutorial", "GS",
         {walk(9, 6), walk(12, 6), walk(19, 6), walk(22, 6), weapon(4), lob(27, 6, MV_OBJECTIVE1), weapon(2),
          walk(22, 10), walk(29, 10), walk(33, 10), walk(33, 2), walk(37, 2), use(), walk(37, 6), walk(45, 6)},
         {walk(9, 6), walk(9, 2), weapon(4), lob(9, 0, MV_OBJECTIVE1 + 4)}},
    };
    return all;
}

class CampaignPlaythrough : public missionTest {
protected:
    void SetUp() override {
        struct stat info;
        if (stat(KORVALT_GAME_DIR, &info) != 0) GTEST_SKIP() << "no game folder at " << KORVALT_GAME_DIR;
        missionTest::SetUp();
        namespace fs = std::filesystem;
        fs::copy(KORVALT_GAME_DIR, ".", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }

    std::string run(const missionRoute& m, bool dying) {
        std::srand(7);
        auto game = load(m.map, 4, 3);
        driver d(*game, pointer, dying ? m.deathRoute : m.route, !dying);
        return d.play();
    }
};

}  // namespace

TEST_F(CampaignPlaythrough, EveryMissionIsSolvedByItsRoute) {
    for (const missionRoute& m : routes()) EXPECT_EQ(run(m, false), m.leadsTo) << m.map;
}

TEST_F(CampaignPlaythrough, EveryMissionEndsWithGameOverWhenThePlayerDies) {
    for (const missionRoute& m : routes()) EXPECT_EQ(run(m, true), "GO") << m.map;
}

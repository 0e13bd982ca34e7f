// Play-throughs of the shipped missions: each is loaded from a scratch copy
// of the game folder and played tick by tick by a driver that only holds
// keys and moves the pointer (no cheats, seeded random generator, no
// timer) on "Easy": it walks a route of tiles (finding its way around
// walls), fights every enemy it can see on the way, uses switches and fires
// where the route says so, and must reach "mission solved" with the map
// name the mission leads to.
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "app/helpers.h"
#include "game/mission_variables.h"
#include "mission_fixture.h"

using namespace gametest;

namespace {

// One step of a route: {column, row} walks to the centre of that tile,
// {column, row, variable, value} fires at it until the variable reaches
// the value, {USE} presses Use, {WEAPON, w} selects weapon w and {WAIT, t}
// waits t ticks.
struct step {
    int column, row = 0, variable = -1, value = 1;
};
constexpr int USE = -1, WEAPON = -2, WAIT = -3;
constexpr int MAX_TICKS = 32 * 60 * 6;

struct driver {
    singlePlayerGame& g;
    pointerInput& pointer;
    std::vector<step> route;
    std::size_t next = 0;
    int waited = 0;

    bool passable(int c, int r) const {
        return c >= 0 && r >= 0 && c < g.map.width && r < g.map.height && g.map.solidityAt(c, r) <= 0;
    }
    // No tile that stops(column, row) on the line from the player to
    // (x, y), nor on the lines `side` pixels to either side; the line ends
    // shortBy pixels before (x, y), or at it for 0.
    template <class stops>
    bool lineClear(float x, float y, float side, float step, float shortBy, stops blocked) const {
        const float px = g.player.getPosX(), py = g.player.getPosY(), d = std::hypot(x - px, y - py);
        if (d < 1) return true;
        const float nx = -(y - py) / d * side, ny = (x - px) / d * side;
        for (float k = -1; k <= 1; ++k)
            for (float s = 0; shortBy ? s < d - shortBy : s <= d; s += step) {
                const float sx = px + (x - px) * s / d + k * nx, sy = py + (y - py) * s / d + k * ny;
                if (blocked(static_cast<int>(sx) / 32, static_cast<int>(sy) / 32)) return false;
            }
        return true;
    }
    // Tiles from the player's tile to (c, r), found breadth first over
    // tiles the player may enter.
    std::vector<std::pair<int, int>> findPath(int c, int r) const {
        const int w = g.map.width, h = g.map.height;
        std::vector<int> from(w * h, -1);
        const int start = g.player.getPosY() / 32 * w + g.player.getPosX() / 32, goal = r * w + c;
        std::deque<int> open{start};
        from[start] = start;
        while (!open.empty() && from[goal] < 0) {
            const int at = open.front();
            open.pop_front();
            for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nc = at % w + dc, nr = at / w + dr;
                if (!passable(nc, nr) || from[nr * w + nc] >= 0) continue;
                from[nr * w + nc] = at;
                open.push_back(nr * w + nc);
            }
        }
        std::vector<std::pair<int, int>> tiles;
        if (from[goal] < 0) return {{c, r}};
        for (int at = goal; at != start; at = from[at]) tiles.insert(tiles.begin(), {at % w, at / w});
        return tiles;
    }
    // The player faces (x, y) closely enough to walk there without
    // drifting off the route while still turning.
    bool facing(float x, float y) const {
        const double a =
            std::atan2(static_cast<double>(g.player.getPosX() - x), static_cast<double>(g.player.getPosY() - y));
        const int target = static_cast<int>(-std::trunc(a * 128 / PI)) & 255;
        return std::abs(((target - g.player.direction) & 255) - 128) > 128 - 8;
    }

    // One tick: fight the nearest enemy in sight, else take the route's
    // next step.
    void tick() {
        g.renderFrame();
        for (int slot : {SLOT_FORWARD, SLOT_SHOOT, SLOT_USE, SLOT_NEXT_WEAPON}) key[global.keys[slot]] = 0;
        auto press = [](int slot) { key[global.keys[slot]] = 1; };
        auto aimAt = [this](float x, float y) {
            pointer.x = static_cast<int>(x) - g.viewX;
            pointer.y = static_cast<int>(y) - g.viewY;
        };
        const step s = next < route.size() ? route[next] : step{WAIT, MAX_TICKS};
        float x = s.column * 32 + 16.0f, y = s.row * 32 + 16.0f;
        // The nearest living enemy within 440 pixels that a shot (4 pixels
        // of spread, ended by the target's radius of 10) reaches.
        Unit* enemy = nullptr;
        float nearest = 440;
        for (auto& u : g.units) {
            const float d = std::hypot(u->getPosX() - g.player.getPosX(), u->getPosY() - g.player.getPosY());
            if (u->isAlife() && u->isEnemy() && d < nearest &&
                lineClear(u->getPosX(), u->getPosY(), 4, 2, 10,
                          [this](int c, int r) { return g.map.solidityAt(c, r) >= 2; })) {
                enemy = u.get();
                nearest = d;
            }
        }
        // Weapon keys are pressed every other tick so that each press counts.
        if (enemy) {
            aimAt(enemy->getPosX(), enemy->getPosY());
            // The rifle while it has rounds.
            if (g.player.getCurWeapon() != 2 && g.machine.variables[MV_W1AMMO + 1] > 0) {
                if (g.ticks % 2) press(SLOT_NEXT_WEAPON);
            } else {
                press(SLOT_SHOOT);
            }
        } else if (s.column == USE) {
            press(SLOT_USE);
            ++next;
        } else if (s.column == WEAPON) {
            if (g.player.getCurWeapon() == s.row) ++next;
            else if (g.ticks % 2) press(SLOT_NEXT_WEAPON);
        } else if (s.column == WAIT) {
            if (++waited >= s.row) {
                waited = 0;
                ++next;
            }
        } else if (s.variable >= 0) {
            aimAt(x, y);
            if (g.machine.variables[s.variable] >= s.value) ++next;
            else if (facing(x, y)) press(SLOT_SHOOT);
        } else if (std::hypot(x - g.player.getPosX(), y - g.player.getPosY()) < 4) {
            ++next;
        } else {
            // Heads for the farthest tile of the path it can walk to in a
            // straight line, keeping its radius off every tile that stops it.
            const auto path = findPath(s.column, s.row);
            auto stops = [this](int c, int r) { return !passable(c, r); };
            for (auto it = path.rbegin(); it != path.rend() && !lineClear(x, y, 11, 4, 0, stops); ++it) {
                x = it->first * 32 + 16.0f;
                y = it->second * 32 + 16.0f;
            }
            aimAt(x, y);
            if (facing(x, y)) press(SLOT_FORWARD);
        }
        g.step();
        keyStates.resetAll();
    }
};

constexpr int TARGETS = 51;  // scripts/names.inc: things a mission's scripts count

// Each mission, the map it leads to and its route.
const std::vector<std::tuple<const char*, const char*, std::vector<step>>> ROUTES = {
    {"tutorial", "GS", {{9, 6}, {12, 6}, {19, 6}, {22, 6}, {WEAPON, 4}, {27, 6, MV_OBJECTIVE1}, {WEAPON, 2}, {22, 10},
     {29, 10}, {33, 10}, {33, 2}, {37, 2}, {USE}, {37, 6}, {45, 6}}},
    {"range", "GS", {{3, 15}, {9, 15}, {15, 15}, {21, 15}, {27, 15}, {27, 19}}},
    {"outpost", "depot", {{8, 23}, {13, 23}, {13, 16}, {23, 16}, {23, 10}, {USE}, {23, 16}, {30, 16}, {30, 21},
     {34, 21}, {USE}, {30, 21}, {30, 1}}},
    {"depot", "labs", {{21, 15}, {16, 15}, {13, 14}, {13, 11}, {USE}, {8, 11}, {USE}, {13, 14}, {16, 14}, {21, 14},
     {25, 15}, {28, 15}, {28, 18}, {WEAPON, 5}, {28, 11, TARGETS, 1}, {WAIT, 24}, {28, 20}, {35, 20}, {35, 19},
     {WEAPON, 5}, {35, 12, TARGETS, 2}, {WAIT, 24}, {35, 13}, {31, 13}, {31, 12}, {WEAPON, 5}, {31, 19, TARGETS, 3},
     {WAIT, 24}, {31, 14}, {23, 14}, {21, 14}, {21, 1}}},
    {"labs", "servers", {{19, 11}, {22, 11}, {34, 11}, {34, 9}, {34, 3}, {35, 2}, {USE}, {34, 3}, {34, 11}, {2, 11},
     {2, 1}, {USE}, {2, 11}, {13, 11}, {13, 13}, {13, 17}, {13, 11}, {26, 11}, {26, 13}, {26, 17}, {26, 11}, {2, 11},
     {2, 1}, {USE}, {2, 11}, {36, 11}, {36, 13}, {36, 17}, {36, 11}, {38, 11}}},
    {"servers", "yard", {{5, 20}, {5, 14}, {5, 2}, {USE}, {5, 14}, {5, 18}, {7, 18}, {USE}, {5, 18}, {5, 10}, {11, 10},
     {19, 10}, {7, 18}, {USE}, {19, 10}, {19, 7}, {7, 18}, {USE}, {19, 7}, {19, 4}, {22, 3}, {22, 2}, {USE}, {22, 4},
     {19, 4}, {19, 7}, {19, 14}, {28, 14}, {29, 13}, {33, 13}, {33, 12}, {USE}, {33, 13}, {29, 13}, {28, 14}, {19, 14},
     {19, 7}, {19, 4}, {34, 4}}},
    {"yard", "core", {{9, 27}, {20, 27}, {20, 18}, {30, 18}, {30, 12}, {37, 12}, {37, 7}, {38, 7}, {38, 5}, {38, 7},
     {22, 8}, {8, 8}, {8, 14}, {20, 14}, {21, 1}}},
    {"core", "debriefing", {{19, 21}, {4, 21}, {4, 12}, {7, 12}, {9, 12}, {9, 9}, {USE}, {9, 12}, {4, 12}, {3, 11},
     {3, 4}, {12, 4}, {12, 3}, {USE}, {12, 5}, {35, 5}, {35, 12}, {30, 12}, {30, 9}, {USE}, {30, 12}, {35, 12}, {35, 5},
     {20, 5}, {20, 9}, {20, 11}, {15, 12}, {15, 16}, {19, 16}}},
};

class CampaignPlaythrough : public missionTest {
protected:
    void SetUp() override {
        // The base set-up runs first: its TearDown runs even after a skip.
        missionTest::SetUp();
        if (!std::filesystem::exists(KORVALT_GAME_DIR)) GTEST_SKIP() << "no game folder at " << KORVALT_GAME_DIR;
        namespace fs = std::filesystem;
        fs::copy(KORVALT_GAME_DIR, ".", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
};

}  // namespace

TEST_F(CampaignPlaythrough, EveryMissionIsSolvedByItsRoute) {
    for (const auto& [map, leadsTo, route] : ROUTES) {
        std::srand(7);
        auto game = load(map, 4, 3);
        driver d{*game, pointer, route};
        d.route.insert(d.route.begin(), {WEAPON, 2});  // the rifle
        for (int t = 0; t < MAX_TICKS && game->running; ++t) d.tick();
        EXPECT_EQ(game->nextMap, leadsTo)
            << map << " (at step " << d.next << ", life " << *game->player.getLife() << ")";
    }
}

// The last mission (the debriefing) ends by itself in the game's own loop,
// paced by the tick interrupt, which frees the end pictures.
TEST_F(CampaignPlaythrough, TheLastMissionEndsInTheRealLoop) {
    install_int_ex(timerCounterUpdater, BPS_TO_TIMER(TIMER_FPS));
    singlePlayerGame game("debriefing", 4, 3, hooks);
    std::string name = "debriefing";
    EXPECT_EQ(game(name), 1);
    EXPECT_EQ(name, "GS");
    EXPECT_EQ(game.gameOverPicture, nullptr);
    remove_int(timerCounterUpdater);
    timerCounter = 0;
}

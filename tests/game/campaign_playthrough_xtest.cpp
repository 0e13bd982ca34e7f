// Play-throughs of the shipped missions: each is loaded from a scratch copy
// of the game folder and played tick by tick by a driver that only holds
// keys and moves the pointer (no cheats, seeded random generator, no
// timer) on "Easy": it walks a route of tiles (finding its way around
// walls), fights every enemy it can see on the way, uses switches and fires
// where the route says so, goes back to a health station when hurt, and
// must reach "mission solved" with the map name the mission leads to. A
// second run per mission doesn't fight (or blows itself up) and expects
// "GO".
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "game/mission_variables.h"
#include "mission_fixture.h"

using namespace gametest;

namespace {

enum class act { walk, use, weapon, lob, wait };

// One step of a route: walk to the centre of a tile (a bare column and
// row), press Use there, select a weapon, fire at a tile until a variable
// is set, or wait.
struct stepOf {
    stepOf(int column, int row) : stepOf(act::walk, column, row) {}
    stepOf(act what, int column = 0, int row = 0, int untilVariable = -1, int untilValue = 1)
        : what(what), column(column), row(row), untilVariable(untilVariable), untilValue(untilValue) {}
    act what;
    int column, row;    // weapon: the weapon number; wait: ticks
    int untilVariable;  // lob: fire until this variable reaches untilValue
    int untilValue;
};
stepOf use() { return {act::use}; }
stepOf weapon(int w) { return {act::weapon, w}; }
stepOf wait(int ticks) { return {act::wait, ticks}; }
stepOf lob(int c, int r, int variable, int value = 1) { return {act::lob, c, r, variable, value}; }

constexpr int SIGHT = 440;  // pixels within which the driver fights
constexpr int MAX_TICKS = 32 * 60 * 6;

struct driver {
    singlePlayerGame& g;
    pointerInput& pointer;
    std::vector<stepOf> route;
    bool fight;
    std::vector<std::pair<int, int>> stations;  // tiles south of health stations
    std::size_t next = 0;
    int waited = 0, healTrips = 0;
    std::vector<std::pair<int, int>> path = {};  // tiles to the current walk target
    int pathFor = -1;                            // the route step the path was found for

    // Plays until the mission ends; the return value is the map it names.
    std::string play() {
        for (int t = 0; t < MAX_TICKS && g.running; ++t) tick();
        if (!g.running) return g.nextMap;
        return "(still running at step " + std::to_string(next) + ", player at " + std::to_string(g.player.getPosX()) +
               " " + std::to_string(g.player.getPosY()) + ", life " + std::to_string(*g.player.getLife()) + ")";
    }

    void release() {
        for (int slot : {SLOT_FORWARD, SLOT_SHOOT, SLOT_USE, SLOT_NEXT_WEAPON}) key[global.keys[slot]] = 0;
        pointer.leftDown = false;
    }
    void aimAt(float x, float y) {
        pointer.x = static_cast<int>(x) - g.viewX;
        pointer.y = static_cast<int>(y) - g.viewY;
    }
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
    // A straight walk keeps a unit's radius off every tile that stops it.
    bool straightWalk(float x, float y) const {
        return lineClear(x, y, 11, 4, 0, [this](int c, int r) { return !passable(c, r); });
    }
    // A shot's spread is 4 pixels; the target's own body (radius 10) ends
    // the line.
    bool clearShot(float x, float y) const {
        return lineClear(x, y, 4, 2, 10, [this](int c, int r) { return g.map.solidityAt(c, r) >= 2; });
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
            const int ac = at % w, ar = at / w;
            for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nc = ac + dc, nr = ar + dr;
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
    // The farthest tile of the path the player can walk to in a straight
    // line.
    std::pair<float, float> steerPoint(float x, float y) const {
        std::pair<float, float> best{x, y};
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            best = {it->first * 32 + 16.0f, it->second * 32 + 16.0f};
            if (straightWalk(best.first, best.second)) break;
        }
        return best;
    }

    // The player faces (x, y) closely enough to walk there without
    // drifting off the route while still turning.
    bool facing(float x, float y) {
        const double a = std::atan2(static_cast<double>(g.player.getPosX() - x), static_cast<double>(g.player.getPosY() - y));
        const int target = static_cast<int>(-std::trunc(a * 128 / PI)) & 255;
        const int off = std::abs(((target - g.player.direction) & 255) - 128);
        return off > 128 - 8;
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
        g.renderFrame();
        release();
        Unit* enemy = fight ? enemyInSight() : nullptr;
        if (enemy) {
            // The rifle while it has rounds: the next-weapon key, pressed
            // every other step so that each press counts.
            aimAt(enemy->getPosX(), enemy->getPosY());
            if (g.player.getCurWeapon() != 2 && g.machine.variables[MV_W1AMMO + 1] > 0) {
                if (g.ticks % 2) key[global.keys[SLOT_NEXT_WEAPON]] = 1;
            } else {
                key[global.keys[SLOT_SHOOT]] = 1;
            }
        } else if (next < route.size()) {
            if (*g.player.getLife() < 60 && healTrips < 8 && !stations.empty() && route[next].what == act::walk) {
                // Off to the nearest health station, then on with the route.
                ++healTrips;
                auto distance = [this](std::pair<int, int> st) {
                    return std::hypot(st.first * 32 - g.player.getPosX(), st.second * 32 - g.player.getPosY());
                };
                auto nearest = *std::min_element(stations.begin(), stations.end(),
                                                 [&](auto a, auto b) { return distance(a) < distance(b); });
                route.insert(route.begin() + static_cast<long>(next), {{nearest.first, nearest.second}, use()});
                pathFor = -1;
            }
            follow(route[next]);
        }
        g.step();
        keyStates.resetAll();
    }

    void follow(const stepOf& s) {
        const float x = s.column * 32 + 16.0f, y = s.row * 32 + 16.0f;
        switch (s.what) {
        case act::walk: {
            if (std::hypot(x - g.player.getPosX(), y - g.player.getPosY()) < 4) {
                ++next;
                break;
            }
            if (pathFor != static_cast<int>(next) || g.ticks % 32 == 0) {
                path = findPath(s.column, s.row);
                pathFor = static_cast<int>(next);
            }
            const auto [tx, ty] = straightWalk(x, y) ? std::pair{x, y} : steerPoint(x, y);
            aimAt(tx, ty);
            if (facing(tx, ty)) key[global.keys[SLOT_FORWARD]] = 1;
            break;
        }
        case act::use:
            key[global.keys[SLOT_USE]] = 1;
            ++next;
            break;
        case act::weapon:
            if (g.player.getCurWeapon() == s.column) {
                waited = 0;
                ++next;
            } else if (++waited % 2) {
                key[global.keys[SLOT_NEXT_WEAPON]] = 1;
            }
            break;
        case act::lob:
            aimAt(x, y);
            if (g.machine.variables[s.untilVariable] >= s.untilValue) ++next;
            else if (facing(x, y)) key[global.keys[SLOT_SHOOT]] = 1;
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
    std::vector<std::pair<int, int>> stations;  // the floor south of each health station
    std::vector<stepOf> route;
    std::vector<stepOf> deathRoute;  // walked without fighting until the player dies; empty: the route
};

constexpr int TARGETS = 51;  // scripts/names.inc: things a mission's scripts count
constexpr int NEVER = MV_OBJECTIVE1 + 4;  // objective 5, which no mission sets

const std::vector<missionRoute>& routes() {
    static const std::vector<missionRoute> all = {
        {"tutorial", "GS", {{40, 2}}, {{9, 6}, {12, 6}, {19, 6}, {22, 6}, weapon(4), lob(27, 6, MV_OBJECTIVE1),
         weapon(2), {22, 10}, {29, 10}, {33, 10}, {33, 2}, {37, 2}, use(), {37, 6}, {45, 6}}, {{9, 6}, {9, 2},
         weapon(4), lob(9, 0, NEVER)}},
        {"range", "GS", {{5, 19}}, {{3, 15}, {9, 15}, {15, 15}, {21, 15}, {27, 15}, {27, 19}}, {{15, 20}, weapon(4),
         lob(15, 21, NEVER)}},
        {"outpost", "depot", {{34, 21}}, {{8, 23}, {13, 23}, {13, 16}, {23, 16}, {23, 10}, use(), {23, 16}, {30, 16},
         {30, 21}, {34, 21}, use(), {30, 21}, {30, 1}}, {}},
        {"depot", "labs", {{8, 11}}, {{21, 15}, {16, 15}, {13, 14}, {13, 11}, use(), {8, 11}, use(), {13, 14},
         {16, 14}, {21, 14}, {25, 15}, {28, 15}, {28, 18}, weapon(5), lob(28, 11, TARGETS, 1), wait(24), {28, 20},
         {35, 20}, {35, 19}, weapon(5), lob(35, 12, TARGETS, 2), wait(24), {35, 13}, {31, 13}, {31, 12}, weapon(5),
         lob(31, 19, TARGETS, 3), wait(24), {31, 14}, {23, 14}, {21, 14}, {21, 1}}, {}},
        {"labs", "servers", {{2, 1}}, {{19, 11}, {22, 11}, {34, 11}, {34, 9}, {34, 3}, {35, 2}, use(), {34, 3},
         {34, 11}, {2, 11}, {2, 1}, use(), {2, 11}, {13, 11}, {13, 13}, {13, 17}, {13, 11}, {26, 11}, {26, 13},
         {26, 17}, {26, 11}, {2, 11}, {2, 1}, use(), {2, 11}, {36, 11}, {36, 13}, {36, 17}, {36, 11}, {38, 11}}, {}},
        {"servers", "yard", {{7, 18}}, {{5, 20}, {5, 14}, {5, 2}, use(), {5, 14}, {5, 18}, {7, 18}, use(), {5, 18},
         {5, 10}, {11, 10}, {19, 10}, {19, 7}, {19, 4}, {22, 3}, {22, 2}, use(), {22, 4}, {19, 4}, {19, 7}, {19, 14},
         {28, 14}, {29, 13}, {33, 13}, {33, 12}, use(), {33, 13}, {29, 13}, {28, 14}, {19, 14}, {19, 7}, {19, 4},
         {34, 4}}, {}},
        {"yard", "core", {{2, 24}, {21, 13}}, {{9, 27}, {20, 27}, {20, 18}, {30, 18}, {30, 12}, {37, 12}, {37, 7},
         {38, 7}, {38, 5}, {38, 7}, {22, 8}, {8, 8}, {8, 14}, {20, 14}, {21, 1}}, {}},
        {"core", "debriefing", {{17, 23}, {11, 9}}, {{19, 21}, {4, 21}, {4, 12}, {7, 12}, {9, 12}, {9, 9}, use(),
         {9, 12}, {4, 12}, {3, 11}, {3, 4}, {12, 4}, {12, 3}, use(), {12, 5}, {35, 5}, {35, 12}, {30, 12}, {30, 9},
         use(), {30, 12}, {35, 12}, {35, 5}, {20, 5}, {20, 9}, {20, 11}, {15, 12}, {15, 16}, {19, 16}}, {}},
        {"debriefing", "GS", {}, {}, {}},
    };
    return all;
}

class CampaignPlaythrough : public missionTest {
protected:
    void SetUp() override {
        // The base set-up runs first: its TearDown runs even after a skip.
        missionTest::SetUp();
        struct stat info;
        if (stat(KORVALT_GAME_DIR, &info) != 0) GTEST_SKIP() << "no game folder at " << KORVALT_GAME_DIR;
        namespace fs = std::filesystem;
        fs::copy(KORVALT_GAME_DIR, ".", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }

    std::string run(const missionRoute& m, bool dying) {
        std::srand(7);
        auto game = load(m.map, 4, 3);
        std::vector<stepOf> route = dying && !m.deathRoute.empty() ? m.deathRoute : m.route;
        if (!dying) route.insert(route.begin(), weapon(2));  // the rifle
        return driver{*game, pointer, route, !dying, dying ? std::vector<std::pair<int, int>>{} : m.stations}.play();
    }
};

}  // namespace

// KORVALT_MISSION=<map> plays that mission alone.
TEST_F(CampaignPlaythrough, EveryMissionIsSolvedByItsRouteAndEndsWithGameOverWhenThePlayerDies) {
    const char* only = std::getenv("KORVALT_MISSION");
    for (const missionRoute& m : routes()) {
        if (only && std::string(only) != m.map) continue;
        EXPECT_EQ(run(m, false), m.leadsTo) << m.map;
        if (std::string(m.leadsTo) != "GS" || !m.deathRoute.empty()) {  // else nothing to die of
            EXPECT_EQ(run(m, true), "GO") << m.map << " lost";
        }
    }
}

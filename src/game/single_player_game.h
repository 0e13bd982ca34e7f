// A single-player mission: constructed from a map name and the two
// difficulty bonuses (loading the map, its scripts, the unit types, the
// units, the heads-up display and the mission description), run once by
// operator() and destroyed.
//
// The game loop only paces: step() is one logic step and draw() one frame,
// so a test steps a mission tick by tick with injected key states (Allegro's
// key array and keyStates), an injected pointer (player.pointer) and a
// seeded random generator. The one random rule of a mission, the spread of
// single shots, draws from std::rand (bulletPool), so std::srand seeds it.
// The screens that block (description, review, in-game menu, options, slot
// choice, message archive) are reached through missionHooks.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/pacer.h"
#include "game/mission_description.h"
#include "game/unit_box_index.h"
#include "map/sp_map.h"
#include "script/bytecode.h"
#include "script/virtual_machine.h"
#include "ui/message.h"
#include "world/bullet_pool.h"
#include "world/enemy.h"
#include "world/player_unit.h"

struct BITMAP;
class mapFileReader;
struct unitRecord;
struct characterSet;

constexpr int END_COUNTDOWN = 128;  // ticks the end picture stays (4 seconds)
constexpr int WEAPON_ICONS = 6;

// The screens a mission opens and waits for. The defaults are the real
// menus and runPaced; tests hand in their own.
struct missionHooks {
    // Runs a description or review screen until it ends.
    std::function<void(pacedScreen&)> runScreen;
    // The in-game menu over a copy of the frame: 0 continue, 1 description,
    // 2 options, 3 quit to the main menu.
    std::function<int(BITMAP*)> inGameMenu;
    // The options screen of a running game.
    std::function<void()> options;
    // The savegame slot chosen to save into; negative when cancelled.
    std::function<int()> chooseSlot;
    // The archive of old messages.
    std::function<void(messageClass&)> archive;
};
missionHooks defaultMissionHooks();

// The scripts of a listed unit. Units whose script source is the same file
// (among the five compiled last) share one copy.
struct unitScripts {
    bytecode onKill;
    // Kept as loaded but run by nothing: no rule of the game calls a unit,
    // and a Use press reaches tile scripts only. The event stays readable so
    // that a later rule (for example Use next to a civilian) can run it.
    bytecode onCall;
};

class singlePlayerGame : public pacedScreen {
public:
    singlePlayerGame(std::string mapName, int healBonus, int ammoBonus);
    singlePlayerGame(std::string mapName, int healBonus, int ammoBonus, missionHooks hooks);
    ~singlePlayerGame() override;
    singlePlayerGame(const singlePlayerGame&) = delete;
    singlePlayerGame& operator=(const singlePlayerGame&) = delete;

    // Runs the mission: 0 when the player quit through the in-game menu, 1
    // when a script named the next map, which then replaces mapName ("GO"
    // failed, "GS" solved and back to the menu).
    int operator()(std::string& mapName);

    // The loop's parts: start() before the first frame, then step() per
    // tick and draw() per frame, finish() at the end.
    void start();
    bool step() override;
    void draw() override;
    // The frame into the back buffer, without showing it.
    void renderFrame();
    void finish();

    void handleMoveRequest(moveRequest* request, VirtualMachine& machine, int caller, void* team, int direction);
    void addBullets(bulletRequest* request);
    void explosion(bulletRequest request);
    static bool collides(int x1, int y1, int x2, int y2, int X1, int Y1, int X2, int Y2);

    void showMissionDescription(std::string name, bool campaign);
    void reviewMissionDescription();

    // Mission state, public for the tests.
    missionHooks hooks;
    std::string missionName;
    int healBonus = 0;
    int ammoBonus = 0;
    VirtualMachine machine;
    std::unique_ptr<messageClass> messages;
    std::unique_ptr<bulletPool> bullets;
    SPmapClass map;
    playerUnit player;
    std::vector<std::unique_ptr<Enemy>> enemyTypes;
    std::vector<std::unique_ptr<Civilian>> civilianTypes;
    std::vector<std::unique_ptr<Unit>> units;
    std::vector<std::shared_ptr<unitScripts>> scripts;  // per listed unit; none without scripts
    // The listed units' boxes as the judge sees them: rebuilt at the start
    // of each step and kept up to date when a unit moves or is hit.
    unitBoxIndex boxes;
    bytecode globalScript;                              // length 0: none

    BITMAP* lifeBar = nullptr;
    BITMAP* armorBar = nullptr;
    BITMAP* arrow = nullptr;
    BITMAP* weaponIcons[WEAPON_ICONS] = {};

    // What the description screen fixed.
    int objectiveCount = 0;
    std::vector<objectiveTile> objectives;  // tile column and row
    int objectiveLineY = 0;
    BITMAP* page = nullptr;
    bool saveFailed = false;

    // The running loop.
    bool running = true;
    int result = 0;
    std::string nextMap;
    int viewX = 0;
    int viewY = 0;
    int endCountdown = -1;
    BITMAP* gameOverPicture = nullptr;
    BITMAP* solvedPicture = nullptr;
    BITMAP* endPicture = nullptr;
    bool godMode = false;
    int ticks = 0;  // logic steps run

private:
    void load(const std::string& path);
    void loadGlobalScript(mapFileReader& in);
    void loadCharacters(const std::string& path, const std::string& setName);
    void loadUnits(mapFileReader& in, const std::string& path);
    unitBox boxOf(int index) const;
    void refreshBoxes();
    void playerStep();
    void unitsStep();
    void endCheck();
    void keys();
    void inGameMenu();
    void saveToSlot(int slot);
    void drawHud();
    void drawArrow();
};

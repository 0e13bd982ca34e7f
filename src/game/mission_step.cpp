// The running mission: the loop, one logic step in its fixed order, the
// mission keys, the cheats and the in-game menu.
#include <allegro.h>

#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"
#include "game/mission_variables.h"
#include "game/single_player_game.h"
#include "ui/menu.h"

namespace {

enum inGameChoice { MENU_CONTINUE, MENU_DESCRIPTION, MENU_OPTIONS, MENU_QUIT };

// The key bound to a slot was pressed since it was last seen up.
bool slotPressed(int slot) {
    const int code = global.keys[slot];
    return isKeyCode(code) && keyStates[code];
}

void menuPacing(pacedScreen& screen) { runPaced(screen, pacing{1, 1, true}); }

}  // namespace

missionHooks defaultMissionHooks() {
    missionHooks hooks;
    hooks.runScreen = menuPacing;
    hooks.inGameMenu = menu::inGameMenu;
    hooks.options = [] { menu::options(false); };
    hooks.chooseSlot = [] { return menu::savegameSelect(false); };
    hooks.archive = [](messageClass& messages) { messages.showArchive(); };
    return hooks;
}

int singlePlayerGame::operator()(std::string& mapName) {
    start();
    draw();
    runPaced(*this, pacing{global.maxFrameSkip, 3, false});
    finish();
    if (result == 1) mapName = nextMap;
    return result;
}

void singlePlayerGame::start() {
    running = true;
    result = 0;
    endCountdown = -1;
    endPicture = nullptr;
    gameOverPicture = loadBitmap("gfx/gameover.tga");
    solvedPicture = loadBitmap("gfx/missionsolved.tga");
    machine.variables[MV_ACTIVEOBJECTIVE] = 1;
    refreshBoxes();
}

void singlePlayerGame::finish() {
    for (BITMAP** picture : {&gameOverPicture, &solvedPicture}) {
        if (*picture) destroy_bitmap(*picture);
        *picture = nullptr;
    }
    endPicture = nullptr;
}

bool singlePlayerGame::step() {
    ++ticks;
    refreshBoxes();
    playerStep();
    bullets->fly(
        [this](moveRequest* request, const bullet& b) {
            map.handleMoveRequest(request, machine, 0);
            handleMoveRequest(request, machine, -2 - b.type, b.team, b.direction);
        },
        playShotSound);
    unitsStep();
    if (globalScript.getLength() > 0) machine.compute(globalScript);
    endCheck();
    messages->poll();
    map.poll();
    machine.pollSounds();
    keys();
    if (endCountdown > 0) godMode = true;
    return running;
}

void singlePlayerGame::playerStep() {
    if (!player.isAlife()) return;
    moveRequest* request = player.getMoveRequest(viewX, viewY);
    // The request has read the Use key already, so a press reaches the
    // tiles once, through the request's use flag.
    map.handleMoveRequest(request, machine, slotPressed(SLOT_USE));
    handleMoveRequest(request, machine, -1, nullptr, 0);
    bulletRequest* shot = player.getBulletRequest();
    addBullets(shot);
    player.takeRequests(request, shot);
}

void singlePlayerGame::unitsStep() {
    int* vars = machine.variables;
    vars[MV_ENEMYDEAD] = 1;
    vars[MV_ENEMIESLEFT] = 0;
    const bool playerAlive = player.isAlife();
    const int targetX = playerAlive ? player.getPosX() : -1;
    const int targetY = playerAlive ? player.getPosY() : -1;
    for (int i = 0; i < static_cast<int>(units.size()); ++i) {
        Unit& unit = *units[i];
        if (!unit.isAlife()) continue;
        if (unit.isEnemy()) {
            ++vars[MV_ENEMIESLEFT];
            vars[MV_ENEMYDEAD] = 0;
        }
        moveRequest* request = unit.getMoveRequest(targetX, targetY);
        map.handleMoveRequest(request, machine, 0);
        handleMoveRequest(request, machine, i, nullptr, 0);
        bulletRequest* shot = playerAlive ? unit.getBulletRequest() : nullptr;
        addBullets(shot);
        unit.takeRequests(request, shot);
        boxes.move(i, boxOf(i));
    }
}

void singlePlayerGame::endCheck() {
    if (endCountdown == 0) {
        running = false;
    } else if (endCountdown == -1 && machine.needNextMap()) {
        nextMap = machine.getMapString();
        result = 1;
        endCountdown = END_COUNTDOWN;
        endPicture = nextMap == "GO" ? gameOverPicture : solvedPicture;
    } else if (endCountdown > 0) {
        --endCountdown;
    }
}

void singlePlayerGame::keys() {
    if (slotPressed(SLOT_DESCRIPTION)) reviewMissionDescription();
    if (slotPressed(SLOT_OLD_MESSAGES)) hooks.archive(*messages);
    int& active = machine.variables[MV_ACTIVEOBJECTIVE];
    for (int n = 1; n <= MAX_OBJECTIVES; ++n) {
        if (!keyStates[KEY_1 + n - 1]) continue;
        active = n;
        if (active > objectiveCount) active = objectiveCount;
        if (active < 1) active = 1;
    }
    if (keyStates[KEY_ESC]) inGameMenu();
    auto say = [this](const char* text) {
        messages->sendText(text);
        messages->output();
    };
    if (keyStates[KEY_F10]) {
        global.bloodMode = !global.bloodMode;
        say(global.bloodMode ? "Blood cheat activated" : "Blood cheat deactivated");
    }
    if (keyStates[KEY_F11]) {
        for (int i = 0; i < AMMO_WEAPONS; ++i) machine.variables[MV_W1AMMO + i] = 999;
        say("Ammo cheat used");
    }
    if (keyStates[KEY_F12]) {
        godMode = !godMode;
        say(godMode ? "God mode activated" : "God mode deactivated");
    }
}

void singlePlayerGame::inGameMenu() {
    BITMAP* copy = createBitmap(global.buffer->w, global.buffer->h);
    blit(global.buffer, copy, 0, 0, 0, 0, copy->w, copy->h);
    for (;;) {
        const int choice = hooks.inGameMenu(copy);
        if (choice == MENU_CONTINUE) break;
        if (choice == MENU_DESCRIPTION) reviewMissionDescription();
        if (choice == MENU_OPTIONS) {
            hooks.options();
            machine.updateSoundVol();
        }
        if (choice == MENU_QUIT) {
            running = false;
            result = 0;
            break;
        }
    }
    destroy_bitmap(copy);
}

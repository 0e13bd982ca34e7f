// The client's logic tick: the connection attempt, every message from the
// server (each checked before it is used), keep-alives and the player's
// input.
#include <allegro.h>

#include <fstream>

#include "app/constants.h"
#include "app/errors.h"
#include "app/globals.h"
#include "app/input.h"
#include "app/savegame.h"
#include "net/client_game.h"
#include "net/messages.h"
#include "net/mp_display.h"
#include "net/transport.h"
#include "ui/message.h"
#include "world/weapons.h"

void clientMultiplayerGame::exeLogic() {
    if (!connected) {
        if (checkConnection() == 0) {
            ++silentTicks;
        } else {
            connected = true;
            buildJoin(messageBuffer, joinMessage{MAJOR_VERSION, MINOR_VERSION, VERSION_LETTER, ""});
            messageBuffer.send(conn);
            silentTicks = 0;
            log("Connection established!");
        }
    } else {
        bool heard = false;
        while (messageBuffer.receive(conn) != 0) {
            heard = true;
            silentTicks = 0;
            handleMessage();
        }
        if (!heard) ++silentTicks;
        if (--keepAliveCountdown <= 0) {
            buildSignal(messageBuffer, KEEP_ALIVE);
            messageBuffer.send(conn);
            keepAliveCountdown = KEEP_ALIVE_TICKS;
        }
    }
    if (myId >= 0) readInput();
    messages->poll();
}

void clientMultiplayerGame::handleMessage() {
    switch (messageBuffer.get()) {
        case WELCOME:
            takeWelcome();
            break;
        case SERVER_FULL:
            quitRequested = true;
            log("Server is full!");
            break;
        case WRONG_VERSION:
            log("The server is running a different Korvalt version!");
            quitRequested = true;
            break;
        case PLAYER_INFO:
            takePlayerInfo();
            break;
        case PLAYER_LEFT:
            takePlayerLeft();
            break;
        case QUIT:
            quitRequested = true;
            log("Server was shut down!");
            break;
        case PLAYER_STATES:
            takePlayerStates();
            break;
        default:
            break;
    }
}

// Only the first WELCOME counts; the map must lie inside "mpmaps/".
void clientMultiplayerGame::takeWelcome() {
    welcomeMessage welcome;
    if (myId >= 0 || !parseWelcome(messageBuffer, welcome) || !isPlainMapName(welcome.mapName)) return;
    myId = welcome.slot;
    maxPlayers = welcome.slots;
    armor = maxArmor = welcome.armour;
    life = maxLife = welcome.life;
    players.reset(new mpcUnit[maxPlayers]);
    for (int slot = 0; slot < maxPlayers; ++slot) players[slot].setSprites(sprites);
    mapName = welcome.mapName;
    loadMap();
}

void clientMultiplayerGame::loadMap() {
    const std::string path = "mpmaps/" + mapName + ".kvm";
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        sendExitPacket();
        errors::mapLoadError(path, "File not found");
    }
    mapLoaded = map.loadMap(file, mapName);
}

void clientMultiplayerGame::takePlayerInfo() {
    playerInfoMessage info;
    if (!parsePlayerInfo(messageBuffer, info) || !slotInRange(info.slot, maxPlayers)) return;
    players[info.slot].join(info.name, info.points);
    if (info.slot != myId) log(info.justJoined ? "New player:" : "Player on server:", info.name);
}

void clientMultiplayerGame::takePlayerLeft() {
    int slot = 0;
    if (!parsePlayerLeft(messageBuffer, slot) || !slotInRange(slot, maxPlayers)) return;
    log("Player left:", players[slot].getName());
    players[slot].leave();
}

// Positions are limited to the map before anything converts them; a state
// outside the six sprites becomes standing.
void clientMultiplayerGame::takePlayerStates() {
    playerStatesMessage states;
    if (myId < 0 || !parsePlayerStates(messageBuffer, states) || (states.mask >> maxPlayers) != 0) return;
    for (int slot = 0; slot < maxPlayers; ++slot) {
        if (!(states.mask & (1 << slot))) continue;
        const playerRecord& r = states.records[slot];
        mpcUnit& p = players[slot];
        p.posX = clampToMap(r.x, map.getMapWidth());
        p.posY = clampToMap(r.y, map.getMapHeight());
        p.state = clampState(r.state);
        p.direction = r.direction;
        p.phase = r.phase;
    }
}

// Strafe keys turn the player (faster with the modifier key, slower with
// the aiming help and a weapon without spread); the move keys walk.
void clientMultiplayerGame::readInput() {
    mpcUnit& me = players[myId];
    me.updatePhase();
    bool changed = false;
    int flags = 0;
    const bool aiming = keyHeld(SLOT_AIMING_HELP);
    const bool fast = !aiming && keyHeld(SLOT_EXTRA);
    const bool fine = aiming && SPREAD[weapon] == 0;
    if (keyHeld(SLOT_STRAFE_LEFT)) {
        me.direction -= 2 + (fast ? 3 : 0) - (fine ? 1 : 0);
        me.state = 0;
        changed = true;
    }
    if (keyHeld(SLOT_STRAFE_RIGHT)) {
        me.direction += 2 + (fast ? 3 : 0) - (fine ? 1 : 0);
        me.state = 0;
        changed = true;
    }
    me.direction &= 255;
    if (keyHeld(SLOT_FORWARD) || keyHeld(SLOT_BACKWARD)) {
        flags = keyHeld(SLOT_BACKWARD) ? INPUT_WALK | INPUT_BACKWARDS : INPUT_WALK;
        me.state = 3;
        changed = true;
    }
    if (!changed && me.state != 0) {
        me.state = 0;
        changed = true;
    }
    if (changed) {
        buildInput(messageBuffer, inputMessage{flags, me.phase, me.direction, me.state});
        messageBuffer.send(conn);
    }
}

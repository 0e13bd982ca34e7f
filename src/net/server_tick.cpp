// One server tick: new connections, the local client, every slot's
// messages (QUIT, JOIN, INPUT), silence, keep-alives and the positions of
// the players that changed.
#include <allegro.h>

#include <algorithm>
#include <cmath>

#include "app/constants.h"
#include "app/helpers.h"
#include "app/input.h"
#include "net/client_game.h"
#include "net/mp_rules.h"
#include "net/server_game.h"
#include "net/transport.h"
#include "ui/message.h"

namespace {

// Two players block each other when both distances of their integer
// positions are at most twice the unit radius (their squares touch).
bool squaresTouch(int x1, int y1, int x2, int y2) {
    return std::abs(x1 - x2) <= 2 * RADIUS && std::abs(y1 - y2) <= 2 * RADIUS;
}

float squaredDistance(float x1, float y1, float x2, float y2) {
    const float dx = x1 - x2, dy = y1 - y2;
    return dx * dx + dy * dy;
}

// A name as shown in the log and the tables: bytes that aren't printable
// ASCII become '?', so a name can't forge log lines or control codes.
std::string printableName(const std::string& name) {
    std::string shown = name;
    for (char& c : shown)
        if (c < 32 || c > 126) c = '?';
    return shown;
}

}  // namespace

bool serverMultiplayerGame::step() {
    if (ended) return false;
    checkConnections();
    if (client) client->exeLogic();
    int mask = 0;
    for (int slot = 0; slot < maxPlayers; ++slot) handleSlot(slot, mask);
    if (mask != 0) {
        playerStatesMessage states;
        states.mask = mask;
        for (int slot = 0; slot < maxPlayers; ++slot) {
            if (!(mask & (1 << slot))) continue;
            const mpUnit& p = players[slot];
            states.records[slot] = playerRecord{p.posX, p.posY, p.state, p.direction, p.phase};
        }
        buildPlayerStates(outPacket, states);
        serverBroadcast();
    }
    map.poll();
    if (dedicated) messages->poll();

    if (keyStates[KEY_ESC]) {
        if (escWindow == 0)
            escWindow = ESC_WINDOW_TICKS;
        else
            stopRequested = true;
    } else if (escWindow > 0) {
        --escWindow;
    }
    if (drawDelay > 0) --drawDelay;
    countPassForSlowWarning();
    if (stopRequested) {
        shutdown();
        return false;
    }
    return true;
}

// The pacer runs at most maxSteps ticks before a frame and drops the rest
// of the backlog. Only a pass that really leaves ticks behind counts
// towards the warning (the pacer takes this tick off after the step), so a
// frame-skip limit of 1 on a machine that keeps up never warns.
void serverMultiplayerGame::countPassForSlowWarning() {
    if (++stepsThisPass < maxSteps || timerCounter <= 1) return;
    if (--slowWarnCountdown > 0) return;
    slowWarnCountdown = 20;
    log("Your computer is not fast enough to be server.\nPlease consider using a faster computer as server.");
}

void serverMultiplayerGame::checkConnections() {
    NET_CONN* conn = net_poll_listen(listenConn);
    if (!conn) return;
    for (int slot = 0; slot < maxPlayers; ++slot) {
        if (players[slot].isActive()) continue;
        players[slot].getConnected(conn);
        // A new player starts with a clean record, whatever the last one
        // in this slot left behind.
        silentTicks[slot] = 0;
        return;
    }
    buildSignal(outPacket, SERVER_FULL);
    outPacket.send(conn);
    net_closeconn(conn);
}

void serverMultiplayerGame::handleSlot(int slot, int& mask) {
    mpUnit& p = players[slot];
    if (!p.isActive()) {
        silentTicks[slot] = 0;
        return;
    }
    bool heard = false;
    while (p.isActive() && outPacket.receive(p.getConnection()) != 0) {
        heard = true;
        silentTicks[slot] = 0;
        handleMessage(slot, mask);
    }
    if (!heard && ++silentTicks[slot] > SILENCE_LIMIT) {
        leaveAndAnnounce(slot);
        log("Lost connection to player " + std::to_string(slot + 1) + " (" + printableName(p.name) + ")");
        return;
    }
    if (--keepAliveCountdown <= 0) {
        buildSignal(outPacket, KEEP_ALIVE);
        serverBroadcast();
    }
}

void serverMultiplayerGame::handleMessage(int slot, int& mask) {
    switch (outPacket.get()) {
        case QUIT:
            log(printableName(players[slot].name) + " left the server.");
            leaveAndAnnounce(slot);
            break;
        case JOIN:
            handleJoin(slot, mask);
            break;
        case INPUT:
            if (handleInput(slot)) mask |= 1 << slot;
            break;
        default:
            break;
    }
}

void serverMultiplayerGame::leaveAndAnnounce(int slot) {
    players[slot].leaveServer();
    buildPlayerLeft(outPacket, slot);
    serverBroadcast();
}

void serverMultiplayerGame::handleJoin(int slot, int& mask) {
    mpUnit& p = players[slot];
    joinMessage join;
    if (!parseJoin(outPacket, join)) return;
    if (join.major != MAJOR_VERSION || join.minor != MINOR_VERSION || join.letter != VERSION_LETTER) {
        buildSignal(outPacket, WRONG_VERSION);
        outPacket.send(p.getConnection());
        p.leaveServer();
        return;
    }
    assignPosition(slot);
    bool taken = join.name.empty();
    for (int other = 0; other < maxPlayers; ++other)
        if (other != slot && players[other].name == join.name) taken = true;
    p.name = taken ? "Player " + std::to_string(slot + 1) : join.name;

    buildWelcome(outPacket, welcomeMessage{slot, maxPlayers, START_ARMOUR, START_LIFE, mapName});
    outPacket.send(p.getConnection());
    const char* peer = net_getpeer(p.getConnection());
    log("New player joined: " + printableName(p.name) + " (" + (peer ? peer : "") + ")");
    buildPlayerInfo(outPacket, playerInfoMessage{slot, 0, p.name, 1});
    serverBroadcast();
    for (int other = 0; other < maxPlayers; ++other) {
        if (other == slot || !players[other].isActive()) continue;
        buildPlayerInfo(outPacket, playerInfoMessage{other, players[other].points, players[other].name, 0});
        outPacket.send(p.getConnection());
    }
    for (int other = 0; other < maxPlayers; ++other)
        if (players[other].isActive()) mask |= 1 << other;
}

bool serverMultiplayerGame::handleInput(int slot) {
    mpUnit& p = players[slot];
    inputMessage input;
    if (!parseInput(outPacket, input)) return false;
    p.phase = input.phase;
    p.state = clampState(input.state);
    p.direction = input.direction;
    if (!(input.flags & INPUT_WALK)) return true;
    facingOffset step = offsetAt(WALK_SPEED, input.direction & 255);
    if (input.flags & INPUT_BACKWARDS) {
        step.dx *= BACKWARDS_FACTOR;
        step.dy *= BACKWARDS_FACTOR;
    }
    float newX = static_cast<float>(p.posX + step.dx);
    float newY = static_cast<float>(p.posY + step.dy);
    if (map.handleMoveRequest(newX, newY, p.posX, p.posY)) handleMoveRequest(newX, newY, p.posX, p.posY, slot);
    p.posX = clampToMap(newX, map.getMapWidth());
    p.posY = clampToMap(newY, map.getMapHeight());
    return true;
}

// Players apart stop dead where their squares would touch: a step that
// ends with both distances at most 16 is refused, so walking players stop
// 17 to 19 pixels apart. Players that already touch (two placed on one
// spawn point) may still move as long as the move doesn't bring them
// closer, so that they can walk apart.
bool serverMultiplayerGame::handleMoveRequest(float& x, float& y, float oldX, float oldY, int slot) {
    const int requestedX = static_cast<int>(clampToMap(x, map.getMapWidth()));
    const int requestedY = static_cast<int>(clampToMap(y, map.getMapHeight()));
    for (int other = 0; other < maxPlayers; ++other) {
        const mpUnit& o = players[other];
        if (other == slot || !o.isActive() || !o.isAlife()) continue;
        if (!squaresTouch(requestedX, requestedY, o.getPosX(), o.getPosY())) continue;
        const bool touching = squaresTouch(static_cast<int>(clampToMap(oldX, map.getMapWidth())),
                                           static_cast<int>(clampToMap(oldY, map.getMapHeight())), o.getPosX(),
                                           o.getPosY());
        if (touching && squaredDistance(x, y, o.posX, o.posY) >= squaredDistance(oldX, oldY, o.posX, o.posY))
            continue;
        x = oldX;
        y = oldY;
        return false;
    }
    return true;
}

void serverMultiplayerGame::assignPosition(int slot) {
    spawnCursor = (spawnCursor + 1) % static_cast<int>(spawns.size());
    const spawnPoint& spawn = spawns[spawnCursor];
    players[slot].posX = clampToStandable(spawn.x, map.getMapWidth());
    players[slot].posY = clampToStandable(spawn.y, map.getMapHeight());
    players[slot].direction = spawn.direction;
}

void serverMultiplayerGame::serverBroadcast() {
    for (int slot = 0; slot < maxPlayers; ++slot)
        if (players[slot].isActive()) outPacket.send(players[slot].getConnection());
    keepAliveCountdown = KEEP_ALIVE_TICKS;
}

void serverMultiplayerGame::shutdown() {
    buildSignal(outPacket, QUIT);
    serverBroadcast();
    for (int slot = 0; slot < maxPlayers; ++slot)
        if (players[slot].isActive()) players[slot].leaveServer();
    ended = true;
}

// Each line of the text becomes one line of the log.
void serverMultiplayerGame::log(const std::string& text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        messages->sendText(line);
        messages->output();
        if (logSink) logSink(line);
        start = end + 1;
    }
}

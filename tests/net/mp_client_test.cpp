// The multiplayer client against a scripted server: its input, its
// time-outs, and what it does with every message it is sent.
#include <cmath>
#include <limits>

#include "mp_rig.h"

TEST_F(Multiplayer, ClientTurnsAndWalksByTheBoundKeysAndSendsOneStopWhenReleased) {
    struct row {
        const char* what;
        std::initializer_list<int> keys;
        int weapon, direction, flags, state;
    } rows[] = {
        {"strafe left turns by 2", {SLOT_STRAFE_LEFT}, 0, 254, 0, 0},
        {"with the modifier key by 5", {SLOT_STRAFE_LEFT, SLOT_EXTRA}, 0, 251, 0, 0},
        {"aiming help and a weapon without spread: 1", {SLOT_STRAFE_LEFT, SLOT_AIMING_HELP}, 3, 255, 0, 0},
        {"aiming help, spread weapon: 2, not 5", {SLOT_STRAFE_RIGHT, SLOT_EXTRA, SLOT_AIMING_HELP}, 0, 2, 0, 0},
        {"strafe right with the modifier key", {SLOT_STRAFE_RIGHT, SLOT_EXTRA}, 0, 5, 0, 0},
        {"forward walks", {SLOT_FORWARD}, 0, 0, 1, 3},
        {"backward walks backwards", {SLOT_BACKWARD}, 0, 0, 3, 3},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        auto c = clientOfScriptedServer();
        welcome(*c, 0, 2);
        c->weapon = r.weapon;
        for (int slot : r.keys) key[global.keys[slot]] = 1;
        c->exeLogic();
        const std::vector<inputMessage> inputs = received(scripted.receiveAll(), INPUT, parseInput);
        ASSERT_EQ(inputs.size(), 1u);
        EXPECT_EQ(inputs[0].direction & 255, r.direction);
        EXPECT_EQ(std::make_pair(inputs[0].flags, inputs[0].state), std::make_pair(r.flags, r.state));
        // Released: one stop after walking, then nothing while it stands.
        releaseAllKeys();
        for (int t = 0; t < 40; ++t) c->exeLogic();
        const std::vector<inputMessage> after = received(scripted.receiveAll(), INPUT, parseInput);
        ASSERT_EQ(after.size(), r.state ? 1u : 0u);
        for (const inputMessage& stop : after) EXPECT_EQ(std::make_pair(stop.state, stop.flags), std::make_pair(0, 0));
    }
}

// What the message parsers refuse is in messages_test.cpp; one row per
// message type shows the client drops it too.
TEST_F(Multiplayer, ClientDropsMessagesThatDontFitItsState) {
    mpfiles::writeMap("../x", 20, 15, TEST_SPAWNS);  // there, but outside mpmaps
    struct row {
        const char* what;
        bool afterWelcome;
        std::string bytes;
    } rows[] = {
        {"WELCOME with 0 slots", false, std::string("\x01\x00\x00\x64\x64" "testmap", 13)},
        {"WELCOME naming a map in another folder", false, std::string("\x01\x00\x02\x64\x64" "../x", 10)},
        {"PLAYER_STATES before WELCOME", false, std::string("\x09\x01", 2) + std::string(11, '\0')},
        {"a second WELCOME", true, std::string("\x01\x01\x04\x64\x64" "testmap", 13)},
        {"PLAYER_INFO for slot 5 of 2", true, std::string("\x04\x05\x00" "someone\0\x01", 12)},
        {"PLAYER_LEFT for slot 3 of 2", true, std::string("\x05\x03", 2)},
        {"PLAYER_STATES naming slot 2 of 2", true, std::string("\x09\x04", 2) + std::string(11, '\0')},
        {"PLAYER_INFO shorter than its layout", true, std::string("\x04\x01", 2)},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        auto c = clientOfScriptedServer();
        if (r.afterWelcome) welcome(*c, 0, 2);
        const int lines = c->messages->count;
        const int myId = c->myId;
        scripted.sendBytes(r.bytes);
        c->exeLogic();
        EXPECT_EQ(c->myId, myId);  // a WELCOME sets the slot count with it
        EXPECT_EQ(c->messages->count, lines);
        for (int slot = 0; r.afterWelcome && slot < 2; ++slot) EXPECT_FALSE(c->players[slot].isActive());
    }
}

// A welcome below 100 sets the bars' full length; received positions are
// held to the map and states to the client's six sprites. A server that
// then falls silent is given up at the 65th tick, the game ending at the
// 128th; one that never answers at the 97th and the 160th.
TEST_F(Multiplayer, ClientHoldsWhatItIsSentToWhatItDrawsAndGivesUpOnASilentServer) {
    auto c = clientOfScriptedServer();
    welcome(*c, 0, 2, 30, 50);
    EXPECT_EQ(std::make_pair(c->getLifePercentage(), c->getArmorPercentage()), std::make_pair(100, 100));
    c->life = 25;
    EXPECT_EQ(c->getLifePercentage(), 50);
    playerStatesMessage states;
    states.mask = 3;
    states.records[0] = playerRecord{1e30f, std::numeric_limits<float>::quiet_NaN(), 7, 10, 3};
    states.records[1] = playerRecord{-4e9f, 1e12f, -1, 20, 9};
    packet p;
    buildPlayerStates(p, states);
    p.send(scripted.conn);
    c->exeLogic();
    EXPECT_EQ((std::vector<float>{c->players[0].posX, c->players[0].posY, c->players[1].posX, c->players[1].posY}),
              (std::vector<float>{640, 0, 0, 480}));
    EXPECT_EQ(std::make_pair(c->players[0].state, c->players[1].state), std::make_pair(0, 0));
    c->players[1].active = true;
    c->exeGraphic();  // draws every player and the bars without leaving the sprites

    // The tick of the notice and the one at which the game ends.
    const auto ticksTo = [](clientMultiplayerGame& game, const char* notice) {
        int noticeTick = 0, tick = 0;
        while (game.step() && tick < 1000)
            if (++tick, noticeTick == 0 && logHolds(*game.messages, notice)) noticeTick = tick;
        return std::make_pair(noticeTick, tick + 1);
    };
    EXPECT_EQ(ticksTo(*c, "Lost connection to server!"), std::make_pair(65, 128));
    rawPeer deaf;
    auto unanswered = joinClient(deaf.port());
    EXPECT_EQ(ticksTo(*unanswered, "Connection attempt timed out!"), std::make_pair(97, 160));
}

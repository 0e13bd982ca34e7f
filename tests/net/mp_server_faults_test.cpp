// What the server does with players and maps that would break the rules
// as first written: hostile values, short messages, spawn points off the
// map, names with control codes.
#include "mp_rig.h"

// The one spawn point lies just off the map; the player joins with a name
// of control codes, then sends INPUTs of hostile values.
TEST_F(Multiplayer, ServerPlacesPlayersOnTheMapKeepsControlCodesOutOfNamesAndHoldsInputToItsLayout) {
    struct row {
        const char* what;
        std::string bytes;  // INPUT: flags, phase, direction, state
        bool relayed;
        int state;
        bool moved;
    } rows[] = {
        {"a state of 9 is relayed as 0", std::string("\x08\x00\x00\x00\x09", 5), true, 0, false},
        {"a state of -1 is relayed as 0", std::string("\x08\x00\x00\x00\xff", 5), true, 0, false},
        {"an INPUT cut after its flags is dropped", std::string{INPUT, 1}, false, 0, false},
        {"a state of 5 stays", std::string("\x08\x00\x00\x00\x05", 5), true, 5, false},
        {"a walk away from the corner moves", std::string("\x08\x01\x00\xc0\x03", 5), true, 3, true},
    };
    mpfiles::writeMap("far", 20, 15, {{660.0f, -20.0f, 0}});
    auto server = startServer(1, true, "far");
    rawEnd mover;
    joinRaw(*server, mover, "a\nb\x1b");
    EXPECT_EQ(std::make_pair(server->players[0].posX, server->players[0].posY), std::make_pair(632.0f, 8.0f))
        << "inside the edges, where a player can walk";
    EXPECT_TRUE(serverLogged("New player joined: a?b? ("));
    mover.receiveAll();
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        const float x = server->players[0].posX;
        mover.sendBytes(r.bytes);
        server->step();
        const auto states = received(mover.receiveAll(), PLAYER_STATES, parsePlayerStates);
        ASSERT_EQ(states.size(), r.relayed ? 1u : 0u);
        for (const auto& s : states) EXPECT_EQ(s.records[0].state, r.state);
        EXPECT_EQ(server->players[0].state, r.state);
        EXPECT_EQ(server->players[0].posX != x, r.moved);
    }
}

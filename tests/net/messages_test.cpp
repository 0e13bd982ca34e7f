#include "net/messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Rewinds a built message and reads its type byte, as a receiver does.
int readType(packet& p) {
    p.rewind();
    return p.get();
}

std::string bytesOf(const packet& p) { return std::string(p.data, static_cast<std::size_t>(p.position)); }

}  // namespace

TEST(Messages, JoinHasTheExactLayout) {
    packet p;
    buildJoin(p, joinMessage{0, 6, 'A', ""});
    EXPECT_EQ(bytesOf(p), std::string("\x00\x00\x06" "A" "\0\0\0\0\0\0\0\0", 12));
    ASSERT_EQ(readType(p), JOIN);
    joinMessage m;
    ASSERT_TRUE(parseJoin(p, m));
    EXPECT_EQ(m.minor, 6);
    EXPECT_EQ(m.letter, 'A');
    EXPECT_EQ(m.name, "");
}

TEST(Messages, NameOfEightCharactersTravelsWithoutTerminator) {
    packet p;
    buildPlayerInfo(p, playerInfoMessage{0, 3, "Player 1", 1});
    ASSERT_EQ(p.position, 12);
    EXPECT_EQ(std::string(p.data + 3, 8), "Player 1");
    EXPECT_EQ(p.data[11], 1);
    ASSERT_EQ(readType(p), PLAYER_INFO);
    playerInfoMessage m;
    ASSERT_TRUE(parsePlayerInfo(p, m));
    EXPECT_EQ(m.name, "Player 1");
    EXPECT_EQ(m.points, 3);
    EXPECT_EQ(m.justJoined, 1);

    buildPlayerInfo(p, playerInfoMessage{2, 0, "TooLongAName", 0});  // cut to 8
    readType(p);
    ASSERT_TRUE(parsePlayerInfo(p, m));
    EXPECT_EQ(m.name, "TooLongA");
}

TEST(Messages, WelcomeCarriesTheMapNameWithItsZero) {
    packet p;
    buildWelcome(p, welcomeMessage{1, 4, 100, 100, "arena"});
    EXPECT_EQ(p.position, 6 + 5);
    EXPECT_EQ(p.data[10], 0);
    ASSERT_EQ(readType(p), WELCOME);
    welcomeMessage m;
    ASSERT_TRUE(parseWelcome(p, m));
    EXPECT_EQ(m.slot, 1);
    EXPECT_EQ(m.slots, 4);
    EXPECT_EQ(m.armour, 100);
    EXPECT_EQ(m.life, 100);
    EXPECT_EQ(m.mapName, "arena");
}

TEST(Messages, LongestMapNameFitsAndOneMoreDoesNot) {
    packet p;
    buildWelcome(p, welcomeMessage{0, 8, 100, 100, std::string(506, 'm')});
    EXPECT_TRUE(p.ok());
    EXPECT_EQ(p.position, PACKET_SIZE);
    buildWelcome(p, welcomeMessage{0, 8, 100, 100, std::string(507, 'm')});
    EXPECT_FALSE(p.ok());
}

TEST(Messages, SignalsAreTheTypeByteAlone) {
    packet p;
    for (messageType type : {SERVER_FULL, WRONG_VERSION, QUIT, KEEP_ALIVE}) {
        buildSignal(p, type);
        EXPECT_EQ(p.position, 1);
        EXPECT_EQ(readType(p), type);
    }
}

TEST(Messages, PlayerLeftAndInputRoundTrip) {
    packet p;
    buildPlayerLeft(p, 7);
    EXPECT_EQ(p.position, 2);
    ASSERT_EQ(readType(p), PLAYER_LEFT);
    int slot = -1;
    ASSERT_TRUE(parsePlayerLeft(p, slot));
    EXPECT_EQ(slot, 7);

    buildInput(p, inputMessage{3, 15, 200, 3});
    EXPECT_EQ(bytesOf(p), std::string("\x08\x03\x0f\xc8\x03", 5));
    ASSERT_EQ(readType(p), INPUT);
    inputMessage m;
    ASSERT_TRUE(parseInput(p, m));
    EXPECT_EQ(m.flags, 3);
    EXPECT_EQ(m.phase, 15);
    EXPECT_EQ(m.direction, -56);  // 200 read back as a signed byte
    EXPECT_EQ(m.state, 3);
}

TEST(Messages, PlayerStatesCarryTheMaskedSlotsInOrder) {
    playerStatesMessage out;
    out.mask = 0x81;  // slots 0 and 7
    out.records[0] = playerRecord{1.5f, -2.25f, 3, 200, 15};
    out.records[7] = playerRecord{640.0f, 480.5f, 0, 64, 0};
    out.records[3] = playerRecord{9, 9, 9, 9, 9};  // not in the mask, not sent
    packet p;
    buildPlayerStates(p, out);
    ASSERT_EQ(p.position, 2 + 2 * 11);
    // x = 1.5f is 0x3fc00000, least significant byte first.
    EXPECT_EQ(std::string(p.data + 2, 4), std::string("\x00\x00\xc0\x3f", 4));
    EXPECT_EQ(p.data[10], 3);  // state, direction, phase
    EXPECT_EQ(static_cast<unsigned char>(p.data[11]), 200);
    EXPECT_EQ(p.data[12], 15);

    ASSERT_EQ(readType(p), PLAYER_STATES);
    playerStatesMessage in;
    ASSERT_TRUE(parsePlayerStates(p, in));
    EXPECT_EQ(in.mask, 0x81);
    EXPECT_EQ(in.records[0].x, 1.5f);
    EXPECT_EQ(in.records[0].y, -2.25f);
    EXPECT_EQ(in.records[0].direction, -56);
    EXPECT_EQ(in.records[7].x, 640.0f);
    EXPECT_EQ(in.records[7].y, 480.5f);
    EXPECT_EQ(in.records[7].direction, 64);
}

TEST(Messages, FullPlayerStatesIsNinetyBytes) {
    playerStatesMessage m;
    m.mask = 0xff;
    packet p;
    buildPlayerStates(p, m);
    EXPECT_EQ(p.position, 90);
}

TEST(Messages, ShortMessagesAreMalformed) {
    packet p;
    joinMessage join;
    p.assign("\x00\x00\x06" "A" "name", 8);
    p.get();
    EXPECT_FALSE(parseJoin(p, join));

    welcomeMessage welcome;
    p.assign("\x01\x00\x04\x64\x64" "map", 8);  // no zero after the map name
    p.get();
    EXPECT_FALSE(parseWelcome(p, welcome));

    playerInfoMessage info;
    p.assign("\x04\x01\x00" "abcdefgh", 11);  // the just-joined byte is missing
    p.get();
    EXPECT_FALSE(parsePlayerInfo(p, info));

    int slot = 0;
    p.assign("\x05", 1);
    p.get();
    EXPECT_FALSE(parsePlayerLeft(p, slot));

    inputMessage input;
    p.assign("\x08\x01\x02\x03", 4);
    p.get();
    EXPECT_FALSE(parseInput(p, input));

    playerStatesMessage states;
    packet full;
    playerStatesMessage two;
    two.mask = 0x03;
    buildPlayerStates(full, two);
    p.assign(full.data, full.position - 1);  // second record one byte short
    p.get();
    EXPECT_FALSE(parsePlayerStates(p, states));
    p.assign(full.data, full.position);
    p.get();
    EXPECT_TRUE(parsePlayerStates(p, states));
}

TEST(Messages, SlotsOutsideTheTableAreMalformed) {
    packet p;
    int slot = 0;
    buildPlayerLeft(p, 8);
    readType(p);
    EXPECT_FALSE(parsePlayerLeft(p, slot));
    buildPlayerLeft(p, -1);
    readType(p);
    EXPECT_FALSE(parsePlayerLeft(p, slot));

    playerInfoMessage info;
    buildPlayerInfo(p, playerInfoMessage{9, 0, "x", 1});
    readType(p);
    EXPECT_FALSE(parsePlayerInfo(p, info));

    welcomeMessage welcome;
    buildWelcome(p, welcomeMessage{4, 4, 100, 100, "m"});  // slot beyond the slot count
    readType(p);
    EXPECT_FALSE(parseWelcome(p, welcome));
    buildWelcome(p, welcomeMessage{0, 9, 100, 100, "m"});
    readType(p);
    EXPECT_FALSE(parseWelcome(p, welcome));
}

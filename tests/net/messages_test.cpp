// The game messages: their layouts, what the parsers refuse, and the packet they are built in.
#include "net/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytesOf(const packet& p) { return std::string(p.data, static_cast<std::size_t>(p.position)); }

template <class message, class builder>
std::string rebuilt(packet& p, bool (*parse)(packet&, message&), builder build) {
    message m{};
    if (!parse(p, m)) return "";
    build(p, m);
    return bytesOf(p);
}

// Parses a message as a receiver does and builds it again from what was
// read; "" if the parser refused it.
std::string reparsed(const std::string& bytes) {
    packet p;
    p.assign(bytes.data(), static_cast<int>(bytes.size()));
    switch (p.get()) {
    case JOIN: return rebuilt(p, parseJoin, buildJoin);
    case WELCOME: return rebuilt(p, parseWelcome, buildWelcome);
    case PLAYER_INFO: return rebuilt(p, parsePlayerInfo, buildPlayerInfo);
    case PLAYER_LEFT: return rebuilt(p, parsePlayerLeft, buildPlayerLeft);
    case INPUT: return rebuilt(p, parseInput, buildInput);
    case PLAYER_STATES: return rebuilt(p, parsePlayerStates, buildPlayerStates);
    default: return bytes;  // signals are the type byte alone
    }
}

template <class builder, class message>
std::string built(builder build, const message& m) {
    packet p;
    build(p, m);
    return bytesOf(p);
}

}  // namespace

TEST(Messages, EveryMessageHasItsLayoutParsesBackUnchangedOrIsRefusedAndFitsThePacketThatNeverPassesItsEnd) {
    playerStatesMessage states;
    states.mask = 0x81;  // slots 0 and 7; the record of slot 3 is not sent
    states.records[0] = playerRecord{1.5f, -2.25f, 3, 200, 15};
    states.records[3] = playerRecord{9, 9, 9, 9, 9};
    states.records[7] = playerRecord{640.0f, 480.5f, 0, 64, 0};
    const struct {
        const char* name;
        std::string bytes, expected;  // as built, and the layout
    } cases[] = {
        {"join", built(buildJoin, joinMessage{0, 6, 'A', ""}), std::string("\x00\x00\x06" "A" "\0\0\0\0\0\0\0\0", 12)},
        {"welcome", built(buildWelcome, welcomeMessage{1, 4, 100, 100, "arena"}),
         std::string("\x01\x01\x04\x64\x64" "arena", 11)},
        {"player info, the name cut to 8", built(buildPlayerInfo, playerInfoMessage{2, 3, "TooLongAName", 1}),
         std::string("\x04\x02\x03" "TooLongA" "\x01", 12)},
        {"player left", built(buildPlayerLeft, 7), "\x05\x07"},
        {"input", built(buildInput, inputMessage{3, 15, 200, 3}), "\x08\x03\x0f\xc8\x03"},
        // Floats least significant byte first, then state, direction, phase.
        {"player states", built(buildPlayerStates, states),
         std::string("\x09\x81" "\x00\x00\xc0\x3f" "\x00\x00\x10\xc0" "\x03\xc8\x0f"
                     "\x00\x00\x20\x44" "\x00\x40\xf0\x43" "\x00\x40\x00", 24)},
        {"server full", built(buildSignal, SERVER_FULL), "\x02"},
        {"wrong version", built(buildSignal, WRONG_VERSION), "\x03"},
        {"quit", built(buildSignal, QUIT), "\x06"},
        {"keep alive", built(buildSignal, KEEP_ALIVE), "\x07"},
        // Short messages and slots outside the table: not built, refused.
        {"welcome map name without zero", "", std::string("\x01\x00\x04\x64\x64" "map", 8)},
        {"welcome slot beyond slot count", "", std::string("\x01\x04\x04\x64\x64" "m", 7)},
        {"welcome more than 8 slots", "", std::string("\x01\x00\x09\x64\x64" "m", 7)},
        {"player info without just-joined", "", std::string("\x04\x01\x00" "abcdefgh", 11)},
        {"player info slot 9", "", std::string("\x04\x09\x00" "x\0\0\0\0\0\0\0" "\x01", 12)},
        {"player left without slot", "", "\x05"},
        {"player left slot 8", "", "\x05\x08"},
        {"player left slot -1", "", "\x05\xff"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.bytes.empty() ? c.expected : c.bytes, c.expected) << c.name;
        EXPECT_EQ(reparsed(c.expected), c.bytes) << c.name;
    }
    // Read as received: a direction above 127 comes back negative.
    packet p;
    p.assign("\x08\x03\x0f\xc8\x03", 5);
    p.get();
    inputMessage input;
    ASSERT_TRUE(parseInput(p, input));
    EXPECT_EQ(input.direction, -56);

    // The largest messages fill the packet and no more.
    states.mask = 0xff;
    EXPECT_EQ(built(buildPlayerStates, states).size(), 90u);
    buildWelcome(p, welcomeMessage{0, 8, 100, 100, std::string(506, 'm')});
    EXPECT_TRUE(p.ok());
    EXPECT_EQ(p.position, PACKET_SIZE);
    buildWelcome(p, welcomeMessage{0, 8, 100, 100, std::string(507, 'm')});
    EXPECT_FALSE(p.ok());

    // Reads stop at the message's end, writes and assigns at the buffer's end.
    ASSERT_TRUE(p.assign("\x01\x02\x03", 3));
    p.get();
    char bytes[3] = {9, 9, 9};
    p.read(bytes, 3);  // one byte more than is left
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(p.position, 3);

    const std::string full(PACKET_SIZE + 1, 'x');
    EXPECT_FALSE(p.assign(full.data(), PACKET_SIZE + 1));
    EXPECT_EQ(p.length, 0);
    p.write(full.data(), PACKET_SIZE);
    EXPECT_TRUE(p.ok());
    p.put('y');
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(p.position, PACKET_SIZE);
    EXPECT_EQ(p.receive(nullptr), 0);
}

#include "net/messages.h"

#include <cstdint>
#include <cstring>

namespace {

// Bytes travel signed and are widened to int.
int getByte(packet& p) { return static_cast<signed char>(p.get()); }

void putByte(packet& p, int value) { p.put(static_cast<char>(value)); }

void putName(packet& p, const std::string& name) {
    char bytes[NAME_BYTES] = {};
    std::memcpy(bytes, name.data(), name.size() < NAME_BYTES ? name.size() : NAME_BYTES);
    p.write(bytes, NAME_BYTES);
}

std::string getName(packet& p) {
    char bytes[NAME_BYTES + 1] = {};
    p.read(bytes, NAME_BYTES);
    return std::string(bytes);
}

// Little-endian on the wire whatever the host's byte order.
void putFloat(packet& p, float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) p.put(static_cast<char>(bits >> (8 * i)));
}

float getFloat(packet& p) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= uint32_t(static_cast<unsigned char>(p.get())) << (8 * i);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool validSlot(int slot) { return slot >= 0 && slot < MAX_SLOTS; }

}  // namespace

void buildJoin(packet& p, const joinMessage& m) {
    p.reset();
    p.put(JOIN);
    putByte(p, m.major);
    putByte(p, m.minor);
    putByte(p, m.letter);
    putName(p, m.name);
}

void buildWelcome(packet& p, const welcomeMessage& m) {
    p.reset();
    p.put(WELCOME);
    putByte(p, m.slot);
    putByte(p, m.slots);
    putByte(p, m.armour);
    putByte(p, m.life);
    p.write(m.mapName.c_str(), static_cast<int>(m.mapName.size()) + 1);
}

void buildSignal(packet& p, messageType type) {
    p.reset();
    p.put(type);
}

void buildPlayerInfo(packet& p, const playerInfoMessage& m) {
    p.reset();
    p.put(PLAYER_INFO);
    putByte(p, m.slot);
    putByte(p, m.points);
    putName(p, m.name);
    putByte(p, m.justJoined);
}

void buildPlayerLeft(packet& p, int slot) {
    p.reset();
    p.put(PLAYER_LEFT);
    putByte(p, slot);
}

void buildInput(packet& p, const inputMessage& m) {
    p.reset();
    p.put(INPUT);
    putByte(p, m.flags);
    putByte(p, m.phase);
    putByte(p, m.direction);
    putByte(p, m.state);
}

void buildPlayerStates(packet& p, const playerStatesMessage& m) {
    p.reset();
    p.put(PLAYER_STATES);
    putByte(p, m.mask);
    for (int slot = 0; slot < MAX_SLOTS; ++slot) {
        if (!(m.mask & (1 << slot))) continue;
        const playerRecord& r = m.records[slot];
        putFloat(p, r.x);
        putFloat(p, r.y);
        putByte(p, r.state);
        putByte(p, r.direction);
        putByte(p, r.phase);
    }
}

bool parseJoin(packet& p, joinMessage& m) {
    m.major = getByte(p);
    m.minor = getByte(p);
    m.letter = getByte(p);
    m.name = getName(p);
    return p.ok();
}

bool parseWelcome(packet& p, welcomeMessage& m) {
    m.slot = getByte(p);
    m.slots = getByte(p);
    m.armour = getByte(p);
    m.life = getByte(p);
    m.mapName.clear();
    for (char c = p.get(); c != 0 && p.ok(); c = p.get()) m.mapName += c;
    return p.ok() && m.slots >= 1 && m.slots <= MAX_SLOTS && validSlot(m.slot) && m.slot < m.slots;
}

bool parsePlayerInfo(packet& p, playerInfoMessage& m) {
    m.slot = getByte(p);
    m.points = getByte(p);
    m.name = getName(p);
    m.justJoined = getByte(p);
    return p.ok() && validSlot(m.slot);
}

bool parsePlayerLeft(packet& p, int& slot) {
    slot = getByte(p);
    return p.ok() && validSlot(slot);
}

bool parseInput(packet& p, inputMessage& m) {
    m.flags = getByte(p);
    m.phase = getByte(p);
    m.direction = getByte(p);
    m.state = getByte(p);
    return p.ok();
}

bool parsePlayerStates(packet& p, playerStatesMessage& m) {
    m.mask = getByte(p) & 0xff;
    for (int slot = 0; slot < MAX_SLOTS; ++slot) {
        if (!(m.mask & (1 << slot))) continue;
        playerRecord& r = m.records[slot];
        r.x = getFloat(p);
        r.y = getFloat(p);
        r.state = getByte(p);
        r.direction = getByte(p);
        r.phase = getByte(p);
    }
    return p.ok();
}

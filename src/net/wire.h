// Datagrams of the reliable-message transport, each sent as one UDP datagram:
//
//   connection request  12 bytes   0..7  "connect" and a zero byte
//                                  8..11 connection id, most significant byte first
//   connection reply   136 bytes   0..7  zero
//                                  8..   address of the server's new socket for this
//                                        connection as zero-terminated text, rest zero
//   data               4 + n bytes 0..3  sequence number, least significant byte first, >= 1
//                                  4..   payload: one message of 1 to NET_MAX_MESSAGE bytes;
//                                        an empty or longer one is acknowledged and its
//                                        message discarded, so the messages behind it flow
//   acknowledgement      8 bytes   0..3  zero
//                                  4..7  the sequence bytes of the acknowledged data
//                                        datagram exactly as received
//
// Anything else arriving on a transport socket is dropped without a reply.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t REQUEST_SIZE = 12;
constexpr std::size_t REPLY_SIZE = 136;
constexpr std::size_t REPLY_ADDRESS_OFFSET = 8;
constexpr std::size_t SEQUENCE_SIZE = 4;
constexpr std::size_t ACK_SIZE = 8;
constexpr char REQUEST_MAGIC[8] = {'c', 'o', 'n', 'n', 'e', 'c', 't', 0};

// Largest payload of one message, and so the largest datagram any transport
// socket takes in; longer datagrams are dropped whole.
constexpr int NET_MAX_MESSAGE = 1020;
constexpr std::size_t MAX_DATAGRAM = SEQUENCE_SIZE + NET_MAX_MESSAGE;

// Sequence numbers count up from 1 and wrap around past 0, which is never a
// message's number; they are compared by their distance modulo 2^32, so a
// connection keeps going after 2^32 messages.
inline uint32_t nextSequence(uint32_t sequence) { return sequence == 0xffffffffu ? 1 : sequence + 1; }

// True when `a` comes before `b` (less than half the number space behind it).
inline bool sequenceBefore(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) < 0; }

inline uint32_t readLittle32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void writeLittle32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline uint32_t readBig32(const unsigned char* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

inline void writeBig32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

// The reliable channel of a connection: the out queue with its send window
// and resending, the in queue that puts messages back in order, and the
// acknowledgements between them. Datagram layouts are in net/wire.h.
#include <algorithm>
#include <cstring>

#include "net/transport_state.h"

namespace {

constexpr int DATAGRAMS_PER_POLL = 10;

void sendAck(netConnState& state, const unsigned char* sequenceBytes) {
    unsigned char ack[ACK_SIZE] = {};
    std::memcpy(ack + SEQUENCE_SIZE, sequenceBytes, SEQUENCE_SIZE);
    udpSendTo(state.socket, state.target, ack, sizeof ack);
}

// Only a sequence number in flight (out base to out next - 1) whose slot
// really holds it counts; anything else is a stray acknowledgement that
// would otherwise mark an unrelated slot and stop its resending.
void handleAck(netConnState& state, uint32_t sequence) {
    if (sequence - state.outBase >= state.outNext - state.outBase) return;
    const std::size_t size = state.out.size();
    outSlot& slot = state.out[sequence % size];
    if (!slot.used || slot.sequence != sequence) return;
    slot.acknowledged = true;
    for (std::size_t i = 0; i < size; ++i) {
        outSlot& base = state.out[state.outBase % size];
        if (!base.used || !base.acknowledged) break;
        base.used = false;
        base.datagram.clear();
        state.outBase = nextSequence(state.outBase);
    }
}

// Moves in expected over discarded messages, so that the slot it names
// never holds one.
void skipDiscarded(netConnState& state) {
    for (std::size_t i = 0; i < state.in.size(); ++i) {
        inSlot& slot = state.in[state.inExpected % state.in.size()];
        if (!slot.full || !slot.payload.empty()) return;
        slot.full = false;
        state.inExpected = nextSequence(state.inExpected);
    }
}

// A message that is empty or larger than NET_MAX_MESSAGE can't be taken in,
// but is acknowledged all the same and stored as discarded: left
// unacknowledged, the peer would resend it for ever and nothing behind it
// would ever be delivered.
void handleData(netConnState& state, const unsigned char* bytes, std::size_t size, uint32_t sequence) {
    if (sequenceBefore(sequence, state.inExpected)) {
        sendAck(state, bytes);  // a duplicate: its acknowledgement was lost
        return;
    }
    // Too far ahead to store: dropped unacknowledged, the sender resends it.
    if (sequence - state.inExpected >= state.in.size()) return;
    inSlot& slot = state.in[sequence % state.in.size()];
    if (!slot.full) {
        if (size <= MAX_DATAGRAM) slot.payload.assign(bytes + SEQUENCE_SIZE, bytes + size);
        slot.full = true;
    }
    sendAck(state, bytes);
    skipDiscarded(state);
}

}  // namespace

void channelResendDue(netConnState& state) {
    const uint32_t now = netNow();
    for (outSlot& slot : state.out) {
        if (!slot.used || slot.acknowledged) continue;
        if (slot.everSent && now - slot.lastSent <= transport.config.resendRate) continue;
        udpSendTo(state.socket, state.target, slot.datagram.data(), slot.datagram.size());
        slot.everSent = true;
        slot.lastSent = now;
    }
}

void channelHandleDatagram(netConnState& state, const unsigned char* bytes, std::size_t size,
                           const netAddress& from, bool acceptData) {
    if (from != state.target || size < SEQUENCE_SIZE) return;
    const uint32_t sequence = readLittle32(bytes);
    if (sequence == 0) {
        if (size == ACK_SIZE) handleAck(state, readLittle32(bytes + SEQUENCE_SIZE));
        return;
    }
    if (acceptData) handleData(state, bytes, size, sequence);
}

void channelPoll(netConnState& state) {
    channelResendDue(state);
    channelRead(state, true);
}

void channelRead(netConnState& state, bool acceptData) {
    unsigned char buffer[MAX_DATAGRAM];
    for (int i = 0; i < DATAGRAMS_PER_POLL; ++i) {
        netAddress from;
        const long n = udpReceive(state.socket, buffer, sizeof buffer, from);
        if (n < 0) break;
        channelHandleDatagram(state, buffer, static_cast<std::size_t>(n), from, acceptData);
    }
}

int channelSend(netConnState& state, const void* bytes, int size) {
    if (!bytes || size <= 0 || size > NET_MAX_MESSAGE) return -1;
    const std::size_t slots = state.out.size();
    // A full window first takes in what acknowledgements have arrived, so a
    // side that only sends is not refused for acknowledgements it never read.
    if (state.outNext - state.outBase >= slots - 1) channelPoll(state);
    if (state.outNext - state.outBase >= slots - 1) return -1;
    outSlot& slot = state.out[state.outNext % slots];
    slot.sequence = state.outNext;
    slot.used = true;
    slot.acknowledged = false;
    slot.everSent = false;
    slot.datagram.resize(SEQUENCE_SIZE + static_cast<std::size_t>(size));
    writeLittle32(slot.datagram.data(), state.outNext);
    std::memcpy(slot.datagram.data() + SEQUENCE_SIZE, bytes, static_cast<std::size_t>(size));
    state.outNext = nextSequence(state.outNext);
    channelPoll(state);
    return 0;
}

int channelQuery(const netConnState& state) {
    const inSlot& slot = state.in[state.inExpected % state.in.size()];
    return slot.full ? static_cast<int>(slot.payload.size()) : 0;
}

// A message larger than the caller's buffer can never be received whole, so
// it is discarded after its first `capacity` bytes have been copied; left in
// place it would block every message behind it for good.
int channelReceive(netConnState& state, void* buffer, int capacity) {
    inSlot& slot = state.in[state.inExpected % state.in.size()];
    if (!slot.full) return 0;
    const int size = static_cast<int>(slot.payload.size());
    const int copied = std::min(size, std::max(capacity, 0));
    if (copied > 0) std::memcpy(buffer, slot.payload.data(), static_cast<std::size_t>(copied));
    slot.full = false;
    slot.payload.clear();
    state.inExpected = nextSequence(state.inExpected);
    skipDiscarded(state);
    return size > capacity ? -1 : size;
}

bool channelAllAcknowledged(const netConnState& state) { return state.outBase == state.outNext; }

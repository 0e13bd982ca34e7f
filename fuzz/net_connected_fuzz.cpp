// Feeds a connected connection's datagram handler, interleaved with sends,
// receives and clock steps, and checks the queue bookkeeping after each
// step. Input: records of an operation byte, a 2-byte little-endian length
// and that many bytes. Every reply goes to a sink socket of our own on
// 127.0.0.1.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "net_fuzz_support.h"

namespace {

struct setup {
    int sink;
    netAddress sinkAddress;
    setup() {
        net_init();
        net_setclock(readFakeClock);
        sink = openLoopbackSocket();
        sinkAddress = udpLocalAddress(sink);
    }
};

void check(bool condition) {
    if (!condition) std::abort();
}

void checkInvariants(const netConnState& s) {
    check(s.outNext - s.outBase < s.out.size());
    for (const outSlot& slot : s.out) {
        if (slot.used) check(slot.sequence - s.outBase < s.outNext - s.outBase);
    }
    // The slot of the next message to deliver never holds a discarded one.
    const inSlot& next = s.in[s.inExpected % s.in.size()];
    check(!next.full || !next.payload.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static setup once;
    NET_CONN* conn = newConnection(openLoopbackSocket());
    conn->status = NET_CONN_CONNECTED;
    conn->data->target = once.sinkAddress;
    conn->data->server = once.sinkAddress;
    netConnState& state = *conn->data;

    std::size_t at = 0;
    while (at + 3 <= size) {
        const int op = data[at] % 6;
        std::size_t length = data[at + 1] | std::size_t(data[at + 2]) << 8;
        at += 3;
        if (length > size - at) length = size - at;
        const uint8_t* bytes = data + at;
        at += length;
        char buffer[1024];
        switch (op) {
            case 0: channelHandleDatagram(state, bytes, length, once.sinkAddress, true); break;
            case 1: channelHandleDatagram(state, bytes, length, netAddress{0x7f000001, 9}, true); break;
            case 2: net_send_rdm(conn, bytes, static_cast<int>(length)); break;
            case 3: channelReceive(state, buffer, length > sizeof buffer ? static_cast<int>(sizeof buffer)
                                                                         : static_cast<int>(length));
                    break;
            case 4: fakeNow += static_cast<uint32_t>(length) * 10; channelResendDue(state); break;
            case 5: {
                // The reply a connecting connection waits for; the state goes back afterwards.
                conn->status = NET_CONN_CONNECTING;
                connectorHandleDatagram(conn, bytes, length);
                conn->status = NET_CONN_CONNECTED;
                state.target = once.sinkAddress;
                break;
            }
        }
        checkInvariants(state);
    }
    drain(once.sink);
    // Freed directly: a closed connection would linger and keep its socket.
    delete conn->data;
    delete conn;
    return 0;
}

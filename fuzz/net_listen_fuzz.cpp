// Feeds a listening connection's datagram handler with datagrams from a few
// senders and clock steps, then closes whatever it accepted. Input: records
// of an operation byte (sender or clock step), a length byte and that many
// bytes. The senders are sink sockets of our own on 127.0.0.1, so replies
// never leave the process.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "net_fuzz_support.h"

namespace {

constexpr int SENDERS = 4;

struct setup {
    int sinks[SENDERS];
    netAddress addresses[SENDERS];
    setup() {
        net_init();
        net_setclock(readFakeClock);
        for (int i = 0; i < SENDERS; ++i) {
            sinks[i] = openLoopbackSocket();
            addresses[i] = udpLocalAddress(sinks[i]);
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static setup once;
    NET_CONN* listener = newConnection(openLoopbackSocket());
    listener->status = NET_CONN_LISTENING;
    std::vector<NET_CONN*> accepted;

    std::size_t at = 0;
    while (at + 2 <= size) {
        const int op = data[at] % (SENDERS + 1);
        std::size_t length = data[at + 1];
        at += 2;
        if (length > size - at) length = size - at;
        const uint8_t* bytes = data + at;
        at += length;
        if (op == SENDERS) {
            fakeNow += static_cast<uint32_t>(length) * 100;
            continue;
        }
        if (NET_CONN* conn = listenerHandleDatagram(listener, bytes, length, once.addresses[op])) {
            if (conn->status != NET_CONN_CONNECTED || conn->data->listener != listener) std::abort();
            accepted.push_back(conn);
        }
        if (listener->data->accepted.size() > 64) std::abort();
    }
    for (int i = 0; i < SENDERS; ++i) drain(once.sinks[i]);
    for (NET_CONN* conn : accepted) net_closeconn(conn);
    net_closeconn(listener);
    return 0;
}

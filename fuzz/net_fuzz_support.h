// Shared by the transport fuzz targets: a clock the input steps, and
// sink sockets of our own on 127.0.0.1 that take every reply.
#pragma once

#include <cstdint>

#include "net/transport_state.h"

inline uint32_t fakeNow = 1000;
inline uint32_t readFakeClock() { return fakeNow; }

inline int openLoopbackSocket() { return udpOpen(netAddress{0x7f000001, 0}, false); }

// Throws away whatever the transport sent to a sink.
inline void drain(int sink) {
    unsigned char buffer[2048];
    netAddress from;
    while (udpReceive(sink, buffer, sizeof buffer, from) >= 0) {
    }
}

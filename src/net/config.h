// Transport settings and the reader of "libnet.cfg".
//
// The file: lines of at most 1023 characters. A section starts at a line that
// is exactly "[name]" and ends at the next line starting with "[". Inside,
// "key = value" lines (spaces around key and value ignored); lines starting
// with "#" and lines without "=" are skipped. Sections read, in this order:
//   [conns]        conn_outqueue_size, conn_inqueue_size, conn_resend_rate
//   [internet]     port, forceport, disable, then the conn_* keys again,
//                  overriding those of [conns]
//   [winsock_win]  disable only
#pragma once

#include <cstdint>
#include <istream>
#include <string>

constexpr uint16_t NET_DEFAULT_PORT = 24785;

// Queue sizes are rounded up to a power of two and kept within these bounds:
// below 2 no message could ever be sent (the window is the size minus one),
// and above 1024 a hand-edited file could make every connection claim
// memory for no gain at the game's message rate.
constexpr int NET_MIN_QUEUE = 2;
constexpr int NET_MAX_QUEUE = 1024;

struct netConfig {
    int outQueueSize = 16;
    int inQueueSize = 16;
    uint32_t resendRate = 500;  // milliseconds
    uint16_t port = NET_DEFAULT_PORT;
    bool forcePort = false;
    bool disabled = false;
};

// Applies the settings of a configuration file, read to its end, to `config`.
void readNetConfig(std::istream& in, netConfig& config);
void readNetConfig(const std::string& text, netConfig& config);

// The smallest power of two at least `value`, within the queue bounds.
int roundQueueSize(long value);

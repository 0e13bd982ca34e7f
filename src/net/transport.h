// Reliable messages over UDP/IPv4: connections that deliver whole messages
// once, in order and without loss, driven by polling from the game loops (no
// threads; no call waits except the look-up of a host given by name).
//
// A server opens a connection on the configured port, listens, and takes one
// newly accepted connection per net_poll_listen; each accepted connection
// gets a socket of its own. A client opens a connection on any free port,
// connects and polls until connected. Both then send and receive messages of
// 1 to NET_MAX_MESSAGE bytes. Settings come from the optional "libnet.cfg".
#pragma once

#include <cstdint>

#include "net/wire.h"

constexpr int NET_CLASS_INET = 1;  // the "Internet" class of drivers

constexpr int NET_DRIVER_NONE = 0;
constexpr int NET_DRIVER_SOCKETS = 1;  // the system's UDP/IPv4 socket service

enum {
    NET_CONN_IDLE = 1,
    NET_CONN_LISTENING = 2,
    NET_CONN_CONNECTING = 3,
    NET_CONN_CONNECTED = 4,
};

constexpr int NET_PEER_SIZE = 128;

struct netDriver {
    const char* name;
    int netClass;
};

// The drivers found working, one bit per driver number.
struct NET_DRIVERLIST {
    unsigned drivers = 0;
};

struct NET_DRIVERNAME {
    int num;
    const char* name;
};

struct netConnState;

struct NET_CONN {
    int type = NET_DRIVER_NONE;
    const netDriver* driver = nullptr;
    int status = NET_CONN_IDLE;
    char peer[NET_PEER_SIZE] = {};
    netConnState* data = nullptr;
};

int net_init();
// Reads the configuration file (null: "libnet.cfg"); non-zero when absent.
int net_loadconfig(const char* file);
NET_DRIVERLIST net_detectdrivers(int netClass);
// A new array of (number, name) pairs ending with (-1, null); delete[] it.
NET_DRIVERNAME* net_getdrivernames(NET_DRIVERLIST list);
int net_initdriver(int driver);

// Local address: null binds any free port, "" the configured port; a
// leading "+" or "-" switches address reuse on or off for this socket.
NET_CONN* net_openconn(int driver, const char* address);
int net_listen(NET_CONN* conn);
NET_CONN* net_poll_listen(NET_CONN* conn);
int net_connect(NET_CONN* conn, const char* address);
int net_poll_connect(NET_CONN* conn);

int net_send_rdm(NET_CONN* conn, const void* bytes, int size);
int net_query_rdm(NET_CONN* conn);
// The size delivered, 0 when nothing waits, -1 when the next message is
// larger than `capacity`: its first `capacity` bytes are copied and it is
// discarded, so that it can't block the messages behind it.
int net_receive_rdm(NET_CONN* conn, void* buffer, int capacity);
const char* net_getpeer(NET_CONN* conn);
int net_closeconn(NET_CONN* conn);
// Advances every closed connection that still lingers (resending its last
// unacknowledged messages, taking in acknowledgements) once, and returns how
// many still linger. Called in a short loop on the way out, until 0 or a
// time-out, so that the last messages of a game reach their peers.
int net_poll_lingering();

// The local port of the connection's socket (0 for none).
int net_getlocalport(NET_CONN* conn);

// Replaces the millisecond clock (null: the monotonic system clock), so that
// resend and expiry timing can be driven by tests.
void net_setclock(uint32_t (*clock)());

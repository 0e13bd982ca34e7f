// Internal state of the transport: the reliable-message state of each
// connection and the process-wide settings. Used by the transport's own
// files and by its fuzz targets.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "net/config.h"
#include "net/transport.h"
#include "platform/net_udp.h"

struct outSlot {
    uint32_t sequence = 0;
    bool used = false;
    bool acknowledged = false;
    bool everSent = false;  // a new datagram goes out at the first poll
    uint32_t lastSent = 0;
    std::vector<unsigned char> datagram;  // sequence header and payload
};

// A full slot with an empty payload holds a discarded message (one that was
// empty or too large): it takes up its sequence number and is skipped on
// delivery, since every message delivered has at least one byte.
struct inSlot {
    bool full = false;
    std::vector<unsigned char> payload;
};

// An accepted connection request, kept so that a repeated request gets the
// same reply instead of a second connection.
struct acceptedRequest {
    netAddress from;
    uint32_t id = 0;
    NET_CONN* conn = nullptr;  // null once that connection was closed
    uint16_t port = 0;         // port of that connection's socket
    uint32_t lastSeen = 0;
};

struct netConnState {
    int socket = NO_SOCKET;
    netAddress target;  // where this channel sends

    std::vector<outSlot> out;
    uint32_t outBase = 1;
    uint32_t outNext = 1;
    std::vector<inSlot> in;
    uint32_t inExpected = 1;

    std::vector<acceptedRequest> accepted;  // on a listening connection
    NET_CONN* listener = nullptr;           // on an accepted connection

    unsigned char request[REQUEST_SIZE] = {};  // on a connecting connection
    uint32_t requestSent = 0;
    netAddress server;  // the address given to net_connect

    netConnState(int socket, const netConfig& config);
    ~netConnState();
    netConnState(const netConnState&) = delete;
    netConnState& operator=(const netConnState&) = delete;
};

struct netTransport {
    netConfig config;
    uint32_t (*clock)() = nullptr;
    uint32_t attempts = 0;  // connection attempts made so far
};

extern netTransport transport;

uint32_t netNow();

// Reliable channel (channel.cpp).
// Resends what is due, then reads at most 10 datagrams.
void channelPoll(netConnState& state);
void channelResendDue(netConnState& state);
void channelRead(netConnState& state, bool acceptData);
// Handles one datagram that arrived on a connected channel. `size` is the
// datagram's full length; `bytes` holds at least its first
// min(size, MAX_DATAGRAM) bytes (a longer one was cut on reading). With
// `acceptData` false (a closed connection that lingers) only
// acknowledgements count.
void channelHandleDatagram(netConnState& state, const unsigned char* bytes, std::size_t size,
                           const netAddress& from, bool acceptData);
int channelSend(netConnState& state, const void* bytes, int size);
int channelQuery(const netConnState& state);
int channelReceive(netConnState& state, void* buffer, int capacity);
bool channelAllAcknowledged(const netConnState& state);

// Accepting (listener.cpp).
NET_CONN* listenerPoll(NET_CONN* listener);
// Handles one datagram that arrived on a listening socket; returns the
// connection it accepted, if any.
NET_CONN* listenerHandleDatagram(NET_CONN* listener, const unsigned char* bytes, std::size_t size,
                                 const netAddress& from);
void listenerForget(NET_CONN* listener, NET_CONN* accepted);
void listenerRelease(NET_CONN* listener);

// Connecting (connector.cpp).
int connectorStart(NET_CONN* conn, const char* address);
int connectorPoll(NET_CONN* conn);
// True when the datagram was a valid reply and the connection is connected.
bool connectorHandleDatagram(NET_CONN* conn, const unsigned char* bytes, std::size_t size);

// Connections and lingering closes (transport.cpp).
NET_CONN* newConnection(int socket);
void serviceClosing();

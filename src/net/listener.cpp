// Accepting connections on a listening connection. A valid connection request
// (net/wire.h) from a new (address, id) pair gets a socket of its own and a
// reply naming it; a repeated request gets the same reply again.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "net/address.h"
#include "net/transport_state.h"

namespace {

constexpr int DATAGRAMS_PER_LISTEN_POLL = 32;

// Every accepted request opens a socket, so the list of them is bounded
// against a flood from many source ports: an entry not seen for 10 seconds
// is forgotten (a client still waiting for its reply repeats its request
// every resend interval, far more often), and at most 64 are kept, the
// least recently seen giving way. Forgetting an entry leaves its connection
// open; only a late repeat of that request would then be taken as new.
constexpr uint32_t ACCEPTED_EXPIRY_MS = 10000;
constexpr std::size_t MAX_ACCEPTED = 64;

void sendReply(netConnState& listening, const netAddress& to, uint16_t port) {
    unsigned char reply[REPLY_SIZE] = {};
    const std::string address = formatNetAddress(netAddress{0, port});
    std::memcpy(reply + REPLY_ADDRESS_OFFSET, address.c_str(), address.size());
    udpSendTo(listening.socket, to, reply, sizeof reply);
}

void unlink(acceptedRequest& entry) {
    if (entry.conn) entry.conn->data->listener = nullptr;
}

void expireAccepted(netConnState& listening) {
    const uint32_t now = netNow();
    auto stale = [now](acceptedRequest& entry) {
        if (now - entry.lastSeen <= ACCEPTED_EXPIRY_MS) return false;
        unlink(entry);
        return true;
    };
    auto& list = listening.accepted;
    list.erase(std::remove_if(list.begin(), list.end(), stale), list.end());
}

void makeRoom(netConnState& listening) {
    auto& list = listening.accepted;
    if (list.size() < MAX_ACCEPTED) return;
    const uint32_t now = netNow();
    auto oldest = std::max_element(list.begin(), list.end(), [now](const acceptedRequest& a, const acceptedRequest& b) {
        return now - a.lastSeen < now - b.lastSeen;
    });
    unlink(*oldest);
    list.erase(oldest);
}

}  // namespace

NET_CONN* listenerHandleDatagram(NET_CONN* listener, const unsigned char* bytes, std::size_t size,
                                 const netAddress& from) {
    if (size != REQUEST_SIZE || std::memcmp(bytes, REQUEST_MAGIC, sizeof REQUEST_MAGIC) != 0) return nullptr;
    netConnState& listening = *listener->data;
    const uint32_t id = readBig32(bytes + sizeof REQUEST_MAGIC);
    for (acceptedRequest& entry : listening.accepted) {
        if (entry.from == from && entry.id == id) {
            entry.lastSeen = netNow();
            sendReply(listening, from, entry.port);
            return nullptr;
        }
    }

    const int socket = udpOpen(netAddress{}, false);
    if (socket == NO_SOCKET) return nullptr;
    makeRoom(listening);
    NET_CONN* conn = newConnection(socket);
    conn->status = NET_CONN_CONNECTED;
    std::snprintf(conn->peer, sizeof conn->peer, "%s", formatNetAddress(from).c_str());
    conn->data->target = from;
    conn->data->listener = listener;
    listening.target = from;

    acceptedRequest entry;
    entry.from = from;
    entry.id = id;
    entry.conn = conn;
    entry.port = udpLocalAddress(socket).port;
    entry.lastSeen = netNow();
    listening.accepted.push_back(entry);
    sendReply(listening, from, entry.port);
    return conn;
}

NET_CONN* listenerPoll(NET_CONN* listener) {
    netConnState& listening = *listener->data;
    expireAccepted(listening);
    unsigned char buffer[REPLY_SIZE];  // room for anything a request could be mistaken for
    for (int i = 0; i < DATAGRAMS_PER_LISTEN_POLL; ++i) {
        netAddress from;
        const long n = udpReceive(listening.socket, buffer, sizeof buffer, from);
        if (n < 0) break;
        if (static_cast<std::size_t>(n) > sizeof buffer) continue;
        if (NET_CONN* accepted = listenerHandleDatagram(listener, buffer, static_cast<std::size_t>(n), from)) {
            return accepted;
        }
    }
    return nullptr;
}

void listenerForget(NET_CONN* listener, NET_CONN* accepted) {
    auto& list = listener->data->accepted;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [accepted](const acceptedRequest& entry) { return entry.conn == accepted; }),
               list.end());
}

void listenerRelease(NET_CONN* listener) {
    for (acceptedRequest& entry : listener->data->accepted) unlink(entry);
    listener->data->accepted.clear();
}

// A UDP forwarder on 127.0.0.1 between one client and one transport server
// that drops, duplicates and reorders datagrams with a seeded generator.
//
// The client connects to port(). Requests go on to the server's listening
// port; a connection reply is rewritten to name a relay port of its own that
// forwards to the server socket the reply named, so that the whole exchange,
// handshake included, passes through the relay. Everything towards the
// server leaves from one back socket, which the server then takes as the
// client's address.
#pragma once

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "net/address.h"
#include "net/wire.h"
#include "platform/net_udp.h"

class lossyRelay {
public:
    lossyRelay(uint16_t listenPort, unsigned seed, double loss, double duplicate, double reorder)
        : back(udpOpen(netAddress{0x7f000001, 0}, false)), random(seed), loss(loss), duplicate(duplicate),
          reorder(reorder) {
        addPipe(listenPort);
    }
    ~lossyRelay() {
        for (pipe& p : pipes) udpClose(p.front);
        udpClose(back);
    }
    lossyRelay(const lossyRelay&) = delete;
    lossyRelay& operator=(const lossyRelay&) = delete;

    uint16_t port() const { return udpLocalAddress(pipes[0].front).port; }

    // Releases held datagrams whose delay ran out and forwards what is
    // waiting (a bounded number per socket and call).
    void pump() {
        for (held& h : delayed) --h.delay;
        const auto due = std::stable_partition(delayed.begin(), delayed.end(), [](const held& h) { return h.delay > 0; });
        for (auto h = due; h != delayed.end(); ++h) udpSendTo(h->socket, h->to, h->bytes.data(), h->bytes.size());
        delayed.erase(due, delayed.end());

        std::vector<unsigned char> bytes;
        netAddress from;
        for (std::size_t i = 0; i < pipes.size(); ++i) {
            for (int n = 0; n < 200 && next(pipes[i].front, bytes, from); ++n) {
                client = from;
                impair(back, netAddress{0x7f000001, pipes[i].serverPort}, bytes);
            }
        }
        for (int n = 0; n < 200 && next(back, bytes, from); ++n) {
            if (from.port == pipes[0].serverPort && bytes.size() == REPLY_SIZE) rewriteReply(bytes);
            for (const pipe& p : pipes) {
                if (p.serverPort == from.port) impair(p.front, client, bytes);
            }
        }
    }

    int dropped = 0;
    int duplicated = 0;
    int reordered = 0;

private:
    struct pipe {
        int front;
        uint16_t serverPort;
    };
    struct held {
        int socket;
        netAddress to;
        std::vector<unsigned char> bytes;
        int delay;
    };

    int back;
    netAddress client;
    std::vector<pipe> pipes;
    std::vector<held> delayed;
    std::mt19937 random;
    double loss, duplicate, reorder;

    void addPipe(uint16_t serverPort) { pipes.push_back(pipe{udpOpen(netAddress{0x7f000001, 0}, false), serverPort}); }

    static bool next(int socket, std::vector<unsigned char>& bytes, netAddress& from) {
        bytes.resize(2048);
        const long size = udpReceive(socket, bytes.data(), bytes.size(), from);
        if (size < 0 || size > static_cast<long>(bytes.size())) return false;
        bytes.resize(static_cast<std::size_t>(size));
        return true;
    }

    void rewriteReply(std::vector<unsigned char>& reply) {
        uint16_t serverPort = 0;
        if (!parseNetPort(reinterpret_cast<const char*>(reply.data()) + REPLY_ADDRESS_OFFSET, serverPort)) return;
        auto found = std::find_if(pipes.begin(), pipes.end(), [&](const pipe& p) { return p.serverPort == serverPort; });
        if (found == pipes.end()) {
            addPipe(serverPort);
            found = pipes.end() - 1;
        }
        const std::string named = ":" + std::to_string(udpLocalAddress(found->front).port);
        std::fill(reply.begin() + REPLY_ADDRESS_OFFSET, reply.end(), 0);
        std::memcpy(reply.data() + REPLY_ADDRESS_OFFSET, named.c_str(), named.size());
    }

    void impair(int socket, const netAddress& to, const std::vector<unsigned char>& bytes) {
        std::uniform_real_distribution<double> chance(0.0, 1.0);
        if (chance(random) < loss) {
            ++dropped;
            return;
        }
        const int copies = chance(random) < duplicate ? 2 : 1;
        duplicated += copies - 1;
        for (int c = 0; c < copies; ++c) {
            if (chance(random) < reorder) {
                ++reordered;
                delayed.push_back(held{socket, to, bytes, 1 + static_cast<int>(random() % 4)});
            } else {
                udpSendTo(socket, to, bytes.data(), bytes.size());
            }
        }
    }
};

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

    // Forwards what is waiting (a bounded number per call) and releases
    // held datagrams whose delay ran out.
    void pump() {
        for (held& h : delayed) --h.delay;
        std::vector<held> due;
        for (auto it = delayed.begin(); it != delayed.end();) {
            if (it->delay <= 0) {
                due.push_back(*it);
                it = delayed.erase(it);
            } else {
                ++it;
            }
        }
        for (const held& h : due) udpSendTo(h.socket, h.to, h.bytes.data(), h.bytes.size());

        unsigned char buffer[2048];
        netAddress from;
        for (std::size_t i = 0; i < pipes.size(); ++i) {
            for (int n = 0; n < 200; ++n) {
                const long size = udpReceive(pipes[i].front, buffer, sizeof buffer, from);
                if (size < 0 || size > static_cast<long>(sizeof buffer)) break;
                client = from;
                impair(back, netAddress{0x7f000001, pipes[i].serverPort},
                       std::vector<unsigned char>(buffer, buffer + size));
            }
        }
        for (int n = 0; n < 200; ++n) {
            const long size = udpReceive(back, buffer, sizeof buffer, from);
            if (size < 0 || size > static_cast<long>(sizeof buffer)) break;
            std::vector<unsigned char> bytes(buffer, buffer + size);
            if (from.port == pipes[0].serverPort && bytes.size() == REPLY_SIZE) rewriteReply(bytes);
            for (pipe& p : pipes) {
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

    void addPipe(uint16_t serverPort) {
        pipes.push_back(pipe{udpOpen(netAddress{0x7f000001, 0}, false), serverPort});
    }

    void rewriteReply(std::vector<unsigned char>& reply) {
        uint16_t serverPort = 0;
        if (!parseNetPort(reinterpret_cast<const char*>(reply.data()) + REPLY_ADDRESS_OFFSET, serverPort)) return;
        const pipe* found = nullptr;
        for (const pipe& p : pipes) {
            if (p.serverPort == serverPort) found = &p;
        }
        if (!found) {
            addPipe(serverPort);
            found = &pipes.back();
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

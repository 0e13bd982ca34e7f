// A server and its clients in one process, stepped tick by tick over the
// real transport on loopback, in a scratch folder with the files they read
// (tests/net/mp_files.h). Raw peers stand in for a client or a server
// where a test needs to send exactly what it wants.
#pragma once

#include <allegro.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/input.h"
#include "net/client_game.h"
#include "net/messages.h"
#include "net/server_game.h"
#include "net_test_support.h"
#include "mp_files.h"
#include "support/test_files.h"
#include "ui/message.h"

// The test map: 20 x 15 tiles, spawn points 1 to 3 as listed.
const std::vector<mpfiles::spawn> TEST_SPAWNS = {{100, 100, 64}, {200, 100, 192}, {300, 300, 0}};

inline void releaseAllKeys() {
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
}

inline bool logHolds(const messageClass& log, const std::string& text) {
    return std::any_of(log.lines.begin(), log.lines.begin() + log.count,
                       [&](const message& line) { return line.text.find(text) != std::string::npos; });
}

// The messages of one type among the given ones, as the parser reads them.
template <class message>
std::vector<message> received(const std::vector<std::string>& messages, char type, bool (*parse)(packet&, message&)) {
    std::vector<message> all;
    packet p;
    for (const std::string& m : messages) {
        p.assign(m.data(), static_cast<int>(m.size()));
        message parsed;
        if (p.get() == type && parse(p, parsed)) all.push_back(parsed);
    }
    return all;
}

class Multiplayer : public NetTransport {
protected:
    scopedWorkDir dir;
    std::vector<std::string> serverLog;

    void SetUp() override {
        NetTransport::SetUp();
        mpfiles::writeTileset();
        mpfiles::writeClientPictures();
        mpfiles::writeMap("testmap", 20, 15, TEST_SPAWNS);
        global.netDriver = NET_DRIVER_SOCKETS;
        std::copy(std::begin(DEFAULT_KEYS), std::end(DEFAULT_KEYS), global.keys);
        global.buffer = create_bitmap(800, 600);
        global.menuFont = global.textFont = global.messageFont = font;
        releaseAllKeys();
        keyStates.resetAll();
    }
    void TearDown() override {
        releaseAllKeys();
        destroy_bitmap(global.buffer);
        global.buffer = nullptr;
        global.menuFont = global.textFont = global.messageFont = nullptr;
        NetTransport::TearDown();
    }

    std::unique_ptr<serverMultiplayerGame> startServer(int slots, bool dedicated = true,
                                                       const std::string& map = "testmap", int minimum = 1,
                                                       const char* address = nullptr) {
        serverOptions options;
        options.mapName = map;
        options.maxPlayers = slots;
        options.minPlayers = minimum;
        options.dedicated = dedicated;
        options.headless = true;
        options.listenAddress = address;
        options.logSink = [this](const std::string& line) { serverLog.push_back(line); };
        return std::make_unique<serverMultiplayerGame>(options);
    }
    // How many server log lines hold the text.
    long serverLogged(const std::string& text) const {
        return std::count_if(serverLog.begin(), serverLog.end(),
                             [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }

    std::unique_ptr<clientMultiplayerGame> joinClient(int port) {
        auto c = std::make_unique<clientMultiplayerGame>(loopbackAddress(port));
        c->setMessageClass(nullptr);
        return c;
    }

    // Ticks: every client's logic, then the server's.
    void run(serverMultiplayerGame& s, const std::vector<clientMultiplayerGame*>& clients, int ticks) {
        for (int t = 0; t < ticks; ++t) {
            for (clientMultiplayerGame* c : clients) c->exeLogic();
            s.step();
        }
    }

    // A raw client connected to the server (accepted into a slot).
    void connectRaw(serverMultiplayerGame& s, rawEnd& peer) {
        peer.conn = net_openconn(NET_DRIVER_SOCKETS, nullptr);
        net_connect(peer.conn, loopbackAddress(s.listenPort()).c_str());
        for (int t = 0; t < 10 && net_poll_connect(peer.conn) != 1; ++t) s.step();
    }
    // The same client after its JOIN of the given minor version.
    void joinRaw(serverMultiplayerGame& s, rawEnd& peer, const std::string& name = "", int minor = 6) {
        connectRaw(s, peer);
        packet p;
        buildJoin(p, joinMessage{0, minor, 'A', name});
        p.send(peer.conn);
        s.step();
    }

    // A scripted server: a listener that accepts the client's connection
    // and lets the test send whatever it wants. A new one replaces the last.
    NET_CONN* listener = nullptr;
    rawEnd scripted;
    std::unique_ptr<clientMultiplayerGame> clientOfScriptedServer() {
        net_closeconn(scripted.conn);
        net_closeconn(listener);
        listener = openListener();
        auto c = joinClient(net_getlocalport(listener));
        scripted.conn = net_poll_listen(listener);
        c->exeLogic();  // connected, JOIN sent
        return c;
    }
    void welcome(clientMultiplayerGame& c, int slot, int slots, int armour = 100, int life = 100) {
        packet p;
        buildWelcome(p, welcomeMessage{slot, slots, armour, life, "testmap"});
        p.send(scripted.conn);
        c.exeLogic();
        scripted.receiveAll();  // the JOIN
    }
    ~Multiplayer() override { net_closeconn(listener); }
};

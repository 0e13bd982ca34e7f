// The multiplayer server with real clients and raw peers over loopback.
#include "app/helpers.h"
#include "mp_rig.h"

TEST_F(Multiplayer, EightClientsJoinTakeSlotsAndSpawnsInRotationSeeEachOtherAndAreToldOfTheShutdown) {
    auto server = startServer(8);
    std::vector<std::unique_ptr<clientMultiplayerGame>> owned;
    std::vector<clientMultiplayerGame*> clients;
    for (int i = 0; i < 8; ++i) {
        owned.push_back(joinClient(server->listenPort()));
        clients.push_back(owned.back().get());
        run(*server, clients, 3);  // one joins before the next connects
    }
    run(*server, clients, 3);
    for (int slot = 0; slot < 8; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(clients[slot]->myId, slot);
        EXPECT_EQ(clients[slot]->maxPlayers, 8);
        // Spawn points 1, 2, 0, 1, ... in the order of joining.
        const mpfiles::spawn& spawn = TEST_SPAWNS[(slot + 1) % 3];
        EXPECT_EQ(server->players[slot].posX, spawn.x);
        EXPECT_EQ(server->players[slot].posY, spawn.y);
        for (int other = 0; other < 8; ++other) {
            EXPECT_TRUE(clients[slot]->players[other].isActive()) << "client " << slot << " lacks " << other;
            EXPECT_EQ(clients[slot]->players[other].getName(), "Player " + std::to_string(other + 1));
        }
    }
    EXPECT_TRUE(logHolds(*clients[0]->messages, "New player: Player 8"));
    EXPECT_TRUE(logHolds(*clients[7]->messages, "Player on server: Player 1"));

    auto ninth = joinClient(server->listenPort());
    run(*server, {ninth.get()}, 4);
    EXPECT_TRUE(ninth->wantsExit());
    EXPECT_TRUE(logHolds(*ninth->messages, "Server is full!"));
    EXPECT_EQ(server->occupiedSlots(), 8);

    server->requestStop();
    EXPECT_FALSE(server->step());
    EXPECT_EQ(server->occupiedSlots(), 0);
    for (clientMultiplayerGame* c : clients) {
        c->exeLogic();
        EXPECT_TRUE(c->wantsExit());
        EXPECT_TRUE(logHolds(*c->messages, "Server was shut down!"));
    }
}

// A hosted server plays through its own client in slot 0. A silent player
// is dropped at the 65th tick; a JOIN of another version is refused and
// frees the slot again, one cut short gets no answer and keeps its slot.
TEST_F(Multiplayer, HostedServerDropsSilentPlayersAndRefusesJoinsItCannotTake) {
    auto server = startServer(4, false);
    auto watcher = joinClient(server->listenPort());
    run(*server, {watcher.get()}, 5);
    ASSERT_TRUE(server->client);
    EXPECT_EQ(watcher->myId, 1);  // the server's own client has slot 0
    EXPECT_TRUE(server->client->players[1].isActive());
    EXPECT_TRUE(logHolds(*server->messages, "New player joined: Player 2"));
    rawEnd silent, other, cut;
    joinRaw(*server, silent, "quiet");
    silent.receiveAll();
    run(*server, {watcher.get()}, 64);
    EXPECT_TRUE(server->players[2].isActive());
    run(*server, {watcher.get()}, 1);
    EXPECT_FALSE(server->players[2].isActive());
    EXPECT_TRUE(serverLogged("Lost connection to player 3 (quiet)"));
    run(*server, {watcher.get()}, 1);
    EXPECT_TRUE(logHolds(*watcher->messages, "Player left: quiet"));

    joinRaw(*server, other, "", 5);
    EXPECT_EQ(other.receiveAll(), std::vector<std::string>{std::string(1, WRONG_VERSION)});
    // Real clients only send keep-alives while they stand, and stay.
    auto next = joinClient(server->listenPort());
    run(*server, {watcher.get(), next.get()}, 200);
    EXPECT_EQ(next->myId, 2);
    connectRaw(*server, cut);
    cut.sendBytes(std::string{JOIN, 0, 6});
    server->step();
    EXPECT_TRUE(cut.receiveAll().empty());
    EXPECT_EQ(server->occupiedSlots(), 4);
}

// A move whose end is at most 16 away on both axes is refused, unless the
// two already touch and the move doesn't bring them closer.
TEST_F(Multiplayer, PlayerAgainstPlayerTest) {
    struct row {
        const char* what;
        float oldX, oldY, newX, newY;
        bool otherActive, allowed;
    } rows[] = {
        {"19 apart, a step to 16 apart is refused", 119, 100, 116, 100, true, false},
        {"20 apart, a step to 17 apart is allowed", 120, 100, 117, 100, true, true},
        {"16 apart on x, 17 on y is apart", 116, 120, 116, 117, true, true},
        {"a free slot never blocks", 116, 100, 100, 100, false, true},
        {"overlapping, stepping away is allowed", 105, 100, 108, 100, true, true},
        {"overlapping, a step round it at the same distance is allowed", 105, 100, 100, 105, true, true},
        {"overlapping, stepping closer is refused", 105, 100, 102, 100, true, false},
    };
    auto server = startServer(2);
    server->players[1].life = 100;
    server->players[1].posX = server->players[1].posY = 100;
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        server->players[1].active = r.otherActive;
        float x = r.newX, y = r.newY;
        EXPECT_EQ(server->handleMoveRequest(x, y, r.oldX, r.oldY, 0), r.allowed);
        EXPECT_EQ(std::make_pair(x, y), r.allowed ? std::make_pair(r.newX, r.newY) : std::make_pair(r.oldX, r.oldY));
    }
    server->players[1].active = false;
}

// A second Esc within 64 ticks quits the server, within 96 a client; a
// later one only shows the hint again and restarts the window.
TEST_F(Multiplayer, EscWindowOfServerAndClient) {
    for (bool onServer : {true, false})
        for (int late : {0, 1}) {
            SCOPED_TRACE(std::string(onServer ? "server" : "client") + (late ? ", one tick late" : ", in time"));
            const int window = onServer ? 64 : 96;
            auto server = startServer(2);
            auto c = joinClient(server->listenPort());
            pacedScreen& screen = onServer ? static_cast<pacedScreen&>(*server) : *c;
            auto tick = [&](bool esc) {
                key[KEY_ESC] = 0;  // the server's Esc stays out of the client's runs
                if (!onServer) server->step();
                key[KEY_ESC] = esc;
                return screen.step();
            };
            EXPECT_TRUE(tick(true));
            for (int t = 1; t < window + late; ++t) EXPECT_TRUE(tick(false));
            EXPECT_EQ(tick(true), late == 1);
            EXPECT_EQ(late ? (onServer ? server->escWindow : c->escWindow) : window, window);
            key[KEY_ESC] = 0;
            keyStates.resetAll();
        }
}

TEST_F(Multiplayer, SlowMachineWarningAtTheFifthDroppedBacklogThenEveryTwentieth) {
    auto server = startServer(2);
    server->maxSteps = 2;
    const pacing how{2, 0};
    // Warnings so far, after `n` passes that each find `waiting` ticks.
    const auto passes = [&](int n, int waiting) {
        for (int pass = 0; pass < n; ++pass) {
            timerCounter = waiting;
            pacedPass(*server, how, [](int) {});
        }
        return serverLogged("not fast enough");
    };
    EXPECT_EQ(passes(4, 5), 0);  // more ticks waiting than a pass may run
    EXPECT_EQ(passes(1, 5), 1);
    EXPECT_EQ(passes(19, 5), 1);
    EXPECT_EQ(passes(1, 5), 2);
    passes(1, 1);  // a pass that keeps up doesn't count
    timerCounter = 0;
    EXPECT_EQ(server->slowWarnCountdown, 20);
}

TEST_F(Multiplayer, ServerRefusesToStartWithTheReason) {
    mpfiles::writeMap("empty", 20, 15, {});
    NET_CONN* taken = openListener();
    const std::string takenAddress = loopbackAddress(net_getlocalport(taken));
    struct row {
        const char* what;
        int slots, minimum;
        const char *map, *address;
        std::string line;
    } rows[] = {
        {"nine slots", 9, 1, "testmap", nullptr, "A maximum of 8 players is allowed!"},
        {"minimum above maximum", 4, 5, "testmap", nullptr, "Minimum players is higher than maximum players!"},
        {"no slots", 0, 0, "testmap", nullptr, "At least 1 player slot is needed!"},
        {"missing map", 4, 1, "none", nullptr, "Could not load map \"mpmaps/none.kvm\": Failed to open file"},
        {"no spawn points", 4, 1, "empty", nullptr, "Could not load map \"mpmaps/empty.kvm\": No spawn points on map!"},
        {"port in use", 4, 1, "testmap", takenAddress.c_str(), "Cannot open listening connection!"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        try {
            startServer(r.slots, true, r.map, r.minimum, r.address);
            ADD_FAILURE() << "the server started";
        } catch (const serverStartFault& fault) {
            EXPECT_EQ(fault.line(), r.line);
        }
    }
    net_closeconn(taken);
}

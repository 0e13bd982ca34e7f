// The multiplayer server with real clients and raw peers over loopback.
#include "app/helpers.h"
#include "mp_rig.h"

TEST_F(Multiplayer, EightClientsJoinTakeSlotsAndSpawnsInRotationSeeEachOtherAndAreToldOfTheShutdown) {
    auto server = startServer(8);
    std::vector<std::unique_ptr<clientMultiplayerGame>> owned;
    std::vector<clientMultiplayerGame*> clients;
    for (int i = 0; i < 8; ++i) {
        owned.push_back(joinClient(*server));
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

    auto ninth = joinClient(*server);
    clients.push_back(ninth.get());
    run(*server, clients, 4);
    EXPECT_TRUE(ninth->wantsExit());
    EXPECT_TRUE(logHolds(*ninth->messages, "Server is full!"));
    EXPECT_EQ(server->occupiedSlots(), 8);

    clients.pop_back();
    server->requestStop();
    EXPECT_FALSE(server->step());
    EXPECT_EQ(server->occupiedSlots(), 0);
    for (clientMultiplayerGame* c : clients) {
        c->exeLogic();
        EXPECT_TRUE(c->wantsExit());
        EXPECT_TRUE(logHolds(*c->messages, "Server was shut down!"));
    }
}

TEST_F(Multiplayer, JoinOfAnotherVersionIsRefusedAndAShortOneDropped) {
    packet wrongVersion;
    buildJoin(wrongVersion, joinMessage{0, 5, 'A', ""});
    struct row {
        const char* what;
        std::string join;
        std::vector<std::string> answer;
        int slotsHeld;
    } rows[] = {
        {"another version is refused and frees the slot", std::string(wrongVersion.data, wrongVersion.position),
         {std::string(1, WRONG_VERSION)}, 0},
        {"a JOIN cut short gets no answer and keeps the slot", std::string{JOIN, 0, 6}, {}, 1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        auto server = startServer(2);
        rawEnd peer;
        connectRaw(*server, peer);
        ASSERT_EQ(server->occupiedSlots(), 1);
        peer.sendBytes(r.join);
        server->step();
        EXPECT_EQ(server->occupiedSlots(), r.slotsHeld);
        EXPECT_EQ(peer.receiveAll(), r.answer);
    }
}

TEST_F(Multiplayer, SilentPlayerIsDroppedAtTheSixtyFifthTickOthersAreToldAndTheSlotIsFree) {
    auto server = startServer(2);
    auto watcher = joinClient(*server);
    run(*server, {watcher.get()}, 3);
    rawEnd silent;
    joinRaw(*server, silent, "quiet");
    silent.receiveAll();
    run(*server, {watcher.get()}, 64);
    EXPECT_TRUE(server->players[1].isActive());
    run(*server, {watcher.get()}, 1);
    EXPECT_FALSE(server->players[1].isActive());
    EXPECT_TRUE(serverLogged("Lost connection to player 2 (quiet)"));
    run(*server, {watcher.get()}, 1);
    EXPECT_TRUE(logHolds(*watcher->messages, "Player left: quiet"));
    EXPECT_FALSE(watcher->players[1].isActive());
    // A newcomer in the freed slot starts without the silence of the last;
    // real clients only send keep-alives while they stand, and stay.
    auto next = joinClient(*server);
    run(*server, {watcher.get(), next.get()}, 200);
    EXPECT_EQ(next->myId, 1);
    EXPECT_TRUE(server->players[0].isActive());
    EXPECT_TRUE(server->players[1].isActive());
}

TEST_F(Multiplayer, PlayersWalkingIntoEachOtherStopWhereTheirSquaresWouldTouch) {
    mpfiles::writeMap("duel", 20, 15, {{200, 100, 192}, {100, 100, 64}});
    auto server = startServer(2, true, "duel");
    auto a = joinClient(*server);
    auto b = joinClient(*server);
    run(*server, {a.get(), b.get()}, 4);
    key[global.keys[SLOT_FORWARD]] = 1;
    run(*server, {a.get(), b.get()}, 40);
    const float gap = server->players[1].posX - server->players[0].posX;
    EXPECT_GT(gap, 16.0f);
    EXPECT_LE(gap, 16.0f + 2 * 3);
    EXPECT_EQ(a->players[0].posX, server->players[0].posX);
    EXPECT_EQ(b->players[0].posX, server->players[0].posX);
}

TEST_F(Multiplayer, PlayerAgainstPlayerTest) {
    struct row {
        const char* what;
        float otherX, otherY, oldX, oldY, newX, newY;
        bool otherActive;
        bool allowed;
    } rows[] = {
        {"16 apart, a step closer is refused", 100, 100, 116, 100, 115, 100, true, false},
        {"19 apart, a step to 16 apart is refused", 100, 100, 119, 100, 116, 100, true, false},
        {"20 apart, a step to 17 apart is allowed", 100, 100, 120, 100, 117, 100, true, true},
        {"16 apart on x, 17 on y is apart", 100, 100, 116, 120, 116, 117, true, true},
        {"a free slot never blocks", 100, 100, 116, 100, 100, 100, false, true},
        {"on one spot, stepping away is allowed", 100, 100, 100, 100, 103, 100, true, true},
        {"overlapping, stepping away is allowed", 100, 100, 105, 100, 108, 100, true, true},
        {"overlapping, stepping closer is refused", 100, 100, 105, 100, 102, 100, true, false},
    };
    auto server = startServer(2);
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        server->players[1].active = r.otherActive;
        server->players[1].life = 100;
        server->players[1].posX = r.otherX;
        server->players[1].posY = r.otherY;
        float x = r.newX, y = r.newY;
        EXPECT_EQ(server->handleMoveRequest(x, y, r.oldX, r.oldY, 0), r.allowed);
        EXPECT_EQ(x, r.allowed ? r.newX : r.oldX);
        EXPECT_EQ(y, r.allowed ? r.newY : r.oldY);
    }
    server->players[1].active = false;
}

TEST_F(Multiplayer, HostedServerPlaysThroughItsOwnClient) {
    auto server = startServer(4, false);
    auto guest = joinClient(*server);
    run(*server, {guest.get()}, 5);
    ASSERT_TRUE(server->client);
    EXPECT_EQ(server->client->myId, 0);
    EXPECT_EQ(guest->myId, 1);
    EXPECT_TRUE(server->client->players[1].isActive());
    EXPECT_TRUE(logHolds(*server->messages, "New player joined: Player 2"));
}

TEST_F(Multiplayer, EscWindowOfServerAndClient) {
    struct row {
        const char* what;
        bool server;
        int gap;  // ticks from the first press to the second
        bool ends;
    } rows[] = {
        {"server, second press 64 ticks later quits", true, 64, true},
        {"server, 65 ticks later only shows the hint", true, 65, false},
        {"client, second press 96 ticks later quits", false, 96, true},
        {"client, 97 ticks later only shows the hint", false, 97, false},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        auto server = startServer(2);
        auto c = joinClient(*server);
        pacedScreen& screen = r.server ? static_cast<pacedScreen&>(*server) : *c;
        auto tick = [&](bool esc) {
            key[KEY_ESC] = 0;  // the server's Esc stays out of the client's rows
            if (!r.server) server->step();
            key[KEY_ESC] = esc;
            return screen.step();
        };
        EXPECT_TRUE(tick(true));
        for (int t = 1; t < r.gap; ++t) EXPECT_TRUE(tick(false));
        EXPECT_EQ(tick(true), !r.ends);
        const int window = r.server ? server->escWindow : c->escWindow;
        EXPECT_EQ(window, r.ends ? window : (r.server ? ESC_WINDOW_TICKS : CLIENT_ESC_WINDOW_TICKS));
        key[KEY_ESC] = 0;
        keyStates.resetAll();
    }
}

TEST_F(Multiplayer, SlowMachineWarningAtTheFifthDroppedBacklogThenEveryTwentieth) {
    auto server = startServer(2);
    pacing how;
    how.maxSteps = 2;
    how.restMs = 0;
    server->maxSteps = how.maxSteps;
    auto warnings = [&] {
        return std::count_if(serverLog.begin(), serverLog.end(),
                             [](const std::string& line) { return line.find("not fast enough") != std::string::npos; });
    };
    struct row {
        int passes;
        long warned;
    } rows[] = {{4, 0}, {1, 1}, {19, 1}, {1, 2}};
    for (const row& r : rows) {
        for (int pass = 0; pass < r.passes; ++pass) {
            timerCounter = 5;  // more ticks waiting than a pass may run
            pacedPass(*server, how, [](int) {});
        }
        EXPECT_EQ(warnings(), r.warned) << "after " << r.passes << " more passes";
    }
    timerCounter = 1;  // a pass that keeps up doesn't count
    pacedPass(*server, how, [](int) {});
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
        const char* map;
        const char* address;
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
        serverOptions options;
        options.mapName = r.map;
        options.maxPlayers = r.slots;
        options.minPlayers = r.minimum;
        options.headless = true;
        options.listenAddress = r.address;
        try {
            serverMultiplayerGame server(options);
            ADD_FAILURE() << "the server started";
        } catch (const serverStartFault& fault) {
            EXPECT_EQ(fault.line(), r.line);
        }
    }
    net_closeconn(taken);
}

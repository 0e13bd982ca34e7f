// A multiplayer game of eight players over the real transport on loopback,
// every player walking (so every client sends INPUT every tick): one server
// tick, one client tick, and one frame of a client's view.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "../fuzz/mp_fuzz_setup.h"
#include "app/input.h"
#include "net/client_game.h"
#include "net/server_game.h"

namespace {

struct game {
    std::unique_ptr<serverMultiplayerGame> server;
    std::vector<std::unique_ptr<clientMultiplayerGame>> clients;

    void clientTicks(std::size_t from) {
        for (std::size_t i = from; i < clients.size(); ++i) clients[i]->exeLogic();
    }
};

// Set up once in a scratch folder; the working directory is given back.
game& eightPlayers() {
    static game g = [] {
        char cwd[4096];
        if (!getcwd(cwd, sizeof cwd)) std::abort();
        mpfuzz::setUp();
        std::copy(std::begin(DEFAULT_KEYS), std::end(DEFAULT_KEYS), global.keys);
        game made;
        serverOptions options;
        options.headless = true;
        options.listenAddress = nullptr;
        made.server = std::make_unique<serverMultiplayerGame>(options);
        const std::string address = "127.0.0.1:" + std::to_string(made.server->listenPort());
        for (int i = 0; i < MAX_SLOTS; ++i) {
            made.clients.push_back(std::make_unique<clientMultiplayerGame>(address));
            made.clients.back()->setMessageClass(nullptr);
            for (int t = 0; t < 3; ++t) {
                made.clientTicks(0);
                made.server->step();
            }
        }
        key[global.keys[SLOT_FORWARD]] = 1;
        if (chdir(cwd) != 0) std::abort();
        return made;
    }();
    return g;
}

void BM_ServerTickEightWalkingPlayers(benchmark::State& state) {
    game& g = eightPlayers();
    for (auto _ : state) {
        g.clientTicks(0);
        const auto start = std::chrono::steady_clock::now();
        g.server->step();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_ServerTickEightWalkingPlayers)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_ClientTickEightWalkingPlayers(benchmark::State& state) {
    game& g = eightPlayers();
    for (auto _ : state) {
        g.clientTicks(1);
        g.server->step();
        const auto start = std::chrono::steady_clock::now();
        g.clients[0]->exeLogic();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_ClientTickEightWalkingPlayers)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_ClientFrame(benchmark::State& state) {
    game& g = eightPlayers();
    for (auto _ : state) g.clients[0]->exeGraphic();
}
BENCHMARK(BM_ClientFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

// Feeds arbitrary messages to the server's handling of its slots: the first
// byte of each message picks the slot (of four, every one occupied), the
// rest is the message; one server tick follows every input, so that the
// positions and states the messages left are sent on.
#include <cstddef>
#include <cstdint>

#include "mp_fuzz_setup.h"
#include "net/server_game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static serverMultiplayerGame* server = [] {
        mpfuzz::setUp();
        serverOptions options;
        options.maxPlayers = 4;
        options.headless = true;
        options.listenAddress = nullptr;
        return new serverMultiplayerGame(options);
    }();
    int mask = 0;
    for (const std::string& m : mpfuzz::messages(data, size)) {
        if (m.empty()) continue;
        const int slot = static_cast<unsigned char>(m[0]) % 4;
        for (int s = 0; s < 4; ++s)
            if (!server->players[s].isActive()) server->players[s].getConnected(nullptr);
        if (!server->outPacket.assign(m.data() + 1, static_cast<int>(m.size()) - 1)) continue;
        server->handleMessage(slot, mask);
    }
    server->step();
    return 0;
}

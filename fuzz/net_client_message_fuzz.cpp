// Feeds arbitrary messages from the server to a client, starting from a
// client that has just connected, and draws its view after them. A WELCOME
// naming a map other than the test map is left out: a missing map ends the
// program by design.
#include <cstddef>
#include <cstdint>

#include "app/savegame.h"
#include "mp_fuzz_setup.h"
#include "net/client_game.h"
#include "net/messages.h"
#include "ui/message.h"

namespace {

bool namesAnotherMap(const std::string& m) {
    packet p;
    welcomeMessage welcome;
    if (!p.assign(m.data(), static_cast<int>(m.size())) || p.get() != WELCOME || !parseWelcome(p, welcome))
        return false;
    return isPlainMapName(welcome.mapName) && welcome.mapName != "testmap";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static clientMultiplayerGame* client = [] {
        mpfuzz::setUp();
        auto* c = new clientMultiplayerGame("127.0.0.1:9");
        c->setMessageClass(nullptr);
        return c;
    }();
    client->connected = true;
    client->myId = -1;
    client->maxPlayers = 0;
    client->players.reset();
    for (const std::string& m : mpfuzz::messages(data, size)) {
        if (namesAnotherMap(m) || !client->messageBuffer.assign(m.data(), static_cast<int>(m.size()))) continue;
        client->handleMessage();
    }
    client->exeGraphic();
    client->showStatistics();
    return 0;
}

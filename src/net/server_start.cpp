// Setting the server up: slot counts, the map with its spawn points, the log,
// the listening connection and, when hosted, the local client.
#include <allegro.h>

#include <fstream>

#include "app/errors.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "map/map_file.h"
#include "net/client_game.h"
#include "net/mp_display.h"
#include "net/server_game.h"
#include "net/transport.h"
#include "ui/message.h"

namespace {

[[noreturn]] void refuse(serverStartFault::kind type, const std::string& text) {
    throw serverStartFault{type, text, mapFault{}};
}

void startupFrame() {
    clear_bitmap(global.buffer);
    centredNotice("Initialising server, please wait...", (global.buffer->h - text_height(global.menuFont)) / 2);
    show(false, nullptr);
}

}  // namespace

void serverStartFault::report() const {
    switch (type) {
        case kind::multiplayer: errors::multiplayerError(text);
        case kind::network: errors::networkError(text);
        case kind::map: reportMapFault(map);
    }
    errors::fatalError(text);
}

std::string serverStartFault::line() const {
    if (type != kind::map) return text;
    switch (map.type) {
        case mapFault::kind::tileset:
            return "Could not load tileset \"" + map.subject + "\": " + map.reason;
        case mapFault::kind::datafile:
            return "Loading datafile \"" + map.subject + "\" failed";
        default:
            return "Could not load map \"" + map.subject + "\": " + map.reason;
    }
}

serverMultiplayerGame::serverMultiplayerGame(std::string mapName, int maxPlayers, int minPlayers, bool dedicated) {
    serverOptions options;
    options.mapName = std::move(mapName);
    options.maxPlayers = maxPlayers;
    options.minPlayers = minPlayers;
    options.dedicated = dedicated;
    try {
        start(options);
    } catch (const serverStartFault& fault) {
        fault.report();
    }
}

serverMultiplayerGame::serverMultiplayerGame(const serverOptions& options) { start(options); }

void serverMultiplayerGame::start(const serverOptions& options) {
    // A slot count outside 1 to 8 would size the table and the messages'
    // slot bytes wrongly; below 1 there would be nobody to host.
    if (options.maxPlayers > MAX_SLOTS) refuse(serverStartFault::kind::multiplayer, "A maximum of 8 players is allowed!");
    if (options.maxPlayers < options.minPlayers)
        refuse(serverStartFault::kind::multiplayer, "Minimum players is higher than maximum players!");
    if (options.maxPlayers < 1) refuse(serverStartFault::kind::multiplayer, "At least 1 player slot is needed!");
    maxPlayers = options.maxPlayers;
    minPlayers = options.minPlayers;
    dedicated = options.dedicated;
    headless = options.headless;
    mapName = options.mapName;
    logSink = options.logSink;
    if (!headless) startupFrame();

    const std::string path = "mpmaps/" + mapName + ".kvm";
    std::ifstream file(path, std::ios::binary);
    if (!file) throw serverStartFault{serverStartFault::kind::map, "", mapFault{mapFault::kind::map, path, "Failed to open file"}};
    try {
        map.readMap(file, path);
        mapFileReader rest(file, path);
        spawns = readSpawnPoints(rest, map.width, map.height);
    } catch (const mapFault& fault) {
        throw serverStartFault{serverStartFault::kind::map, "", fault};
    }
    players.reset(new mpUnit[maxPlayers]);

    messages.reset(newMultiplayerLog(dedicated ? DEDICATED_LOG_LINES : HOSTED_LOG_LINES));

    listenConn = net_openconn(global.netDriver, options.listenAddress);
    if (!listenConn) refuse(serverStartFault::kind::network, "Cannot open listening connection!");
    if (net_listen(listenConn) != 0) {
        net_closeconn(listenConn);
        listenConn = nullptr;
        refuse(serverStartFault::kind::network, "Cannot listen on listening connection!");
    }

    if (!dedicated) {
        client.reset(new clientMultiplayerGame("127.0.0.1:" + std::to_string(listenPort())));
        client->setMessageClass(messages.get());
    } else if (!headless) {
        keepRunningInBackground();
    }
    spawnCursor = 0;
}

// The multiplayer server: hosts one multiplayer map for up to eight
// players, accepts them into a fixed table of slots, moves each player by
// its INPUT messages, keeps players from walking into each other and sends
// the changed positions to everybody. Dedicated, it shows its log; hosted
// from the menu, it plays through a client of its own over loopback and
// shows that client's view. Without a screen (the headless server) it only
// steps and hands its log lines to a sink.
//
// step() is one tick and draw() one frame; the loop only paces them, so
// tests run a server and its clients tick by tick in one process.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/pacer.h"
#include "map/map_class.h"
#include "map/map_file.h"
#include "map/multiplayer_map.h"
#include "net/messages.h"
#include "net/packet.h"
#include "net/server_slot.h"

class clientMultiplayerGame;
class messageClass;

constexpr int ESC_WINDOW_TICKS = 64;

struct serverOptions {
    std::string mapName = "testmap";
    int maxPlayers = MAX_SLOTS;
    int minPlayers = 1;
    bool dedicated = true;
    // No screen: no start-up frame, no background mode, no drawing.
    bool headless = false;
    // Where to listen: "" the configured port, null any free port.
    const char* listenAddress = "";
    // Gets every line the server writes to its log, as it is written.
    std::function<void(const std::string&)> logSink;
};

// Why a server could not start. The hosted server ends the program through
// the numbered errors; the headless one prints line() and fails.
struct serverStartFault {
    enum class kind { multiplayer, network, map };
    kind type;
    std::string text;  // multiplayer and network faults
    mapFault map;      // map faults

    [[noreturn]] void report() const;
    std::string line() const;
};

class serverMultiplayerGame : public pacedScreen {
public:
    // Sets everything up or ends the program with the numbered error.
    serverMultiplayerGame(std::string mapName, int maxPlayers, int minPlayers, bool dedicated);
    // The same, throwing serverStartFault instead.
    explicit serverMultiplayerGame(const serverOptions& options);
    ~serverMultiplayerGame() override;
    serverMultiplayerGame(const serverMultiplayerGame&) = delete;
    serverMultiplayerGame& operator=(const serverMultiplayerGame&) = delete;

    // Runs the server until its operator quits; returns once QUIT went to
    // every player.
    void operator()();

    // One tick; false once the server has ended and sent QUIT to all.
    bool step() override;
    // render() and the frame on the screen.
    void draw() override;
    // The frame into the back buffer: the log or the local client's view,
    // the player table while its key is held, the Esc hint.
    void render();

    void assignPosition(int slot);
    void serverBroadcast();
    void checkConnections();
    // The player-against-player test of a requested position; false (and
    // the old position back in x, y) when it is refused.
    bool handleMoveRequest(float& x, float& y, float oldX, float oldY, int slot);
    // Ends the server at its next tick, as a second Esc does.
    void requestStop() { stopRequested = true; }
    int listenPort() const;
    int occupiedSlots() const;
    // Handles the message in outPacket (type byte not yet read) as one
    // that came from the slot; sets the slot's bit in mask when it changed.
    void handleMessage(int slot, int& mask);

    mapClass map;
    std::unique_ptr<clientMultiplayerGame> client;
    std::unique_ptr<messageClass> messages;
    int maxPlayers = 0;
    int minPlayers = 0;
    bool dedicated = true;
    bool headless = false;
    std::unique_ptr<mpUnit[]> players;
    std::vector<spawnPoint> spawns;
    int spawnCursor = 0;
    int keepAliveCountdown = 16;
    NET_CONN* listenConn = nullptr;
    packet outPacket;
    std::string mapName;

    int silentTicks[MAX_SLOTS] = {};
    int escWindow = 0;
    int drawDelay = 4;
    int slowWarnCountdown = 5;
    int stepsThisPass = 0;  // ticks run since the last frame
    int maxSteps = 1;       // the pacing's frame-skip limit

private:
    void start(const serverOptions& options);
    void log(const std::string& line);
    void handleSlot(int slot, int& mask);
    void handleJoin(int slot, int& mask);
    bool handleInput(int slot);
    void leaveAndAnnounce(int slot);
    void countPassForSlowWarning();
    void shutdown();
    void drawPlayerTable();

    std::function<void(const std::string&)> logSink;
    bool stopRequested = false;
    bool ended = false;
};

// One player's side of a multiplayer game: connects to a server, joins,
// loads the map the server names, turns the bound keys into INPUT messages,
// applies the server's PLAYER_STATES to its copies of all players and draws
// the view centred on its own player.
//
// Every message from the server is checked before it is used: slots outside
// the table, PLAYER_STATES before WELCOME, a second WELCOME, slot counts
// outside 1 to 8, map names that would leave "mpmaps/" and positions off the
// map are dropped or limited, never used as they came.
//
// exeLogic() is one tick and exeGraphic() the view. Started from the menu
// the client runs its own loop (operator(), with step() and draw()); inside
// a hosted server only exeLogic() and exeGraphic() are called.
#pragma once

#include <memory>
#include <string>

#include "app/pacer.h"
#include "map/map_class.h"
#include "net/mp_rules.h"
#include "net/packet.h"
#include "world/entity.h"
#include "world/weapons.h"

struct BITMAP;
struct NET_CONN;
class messageClass;

constexpr int CONNECT_TIMEOUT_TICKS = 96;
constexpr int CLIENT_ESC_WINDOW_TICKS = 96;
constexpr int TIMEOUT_END_TICKS = 64;   // ticks shown after a time-out
constexpr int REFUSAL_END_TICKS = 128;  // ticks shown after a refusal or shutdown

// The client's copy of one player.
class mpcUnit : public Entity {
public:
    bool active = false;
    int phase = 0;
    std::string name;
    int points = 0;
    BITMAP** sprites = nullptr;  // the client's six, not owned

    void setSprites(BITMAP** s) { sprites = s; }
    bool isActive() const { return active; }
    int getPoints() const { return points; }
    int& getPhase() { return phase; }
    void updatePhase() { phase = (phase + 1) & 15; }
    void join(std::string newName, int newPoints);
    const std::string& getName() const { return name; }
    void leave();
    // The sprite of its state turned to its direction, centred on its
    // position relative to the view's top-left (viewX, viewY).
    void draw(int viewX, int viewY, int slot);
};

class clientMultiplayerGame : public pacedScreen {
public:
    explicit clientMultiplayerGame(std::string address);
    ~clientMultiplayerGame() override;
    clientMultiplayerGame(const clientMultiplayerGame&) = delete;
    clientMultiplayerGame& operator=(const clientMultiplayerGame&) = delete;

    // The stand-alone loop; returns when the client ended (QUIT sent).
    void operator()();
    bool step() override;
    void draw() override;

    // Uses the log given (not owned), or with none creates one of its own.
    void setMessageClass(messageClass* log);
    void exeLogic();
    void exeGraphic();
    void showStatistics();
    // Loads the tile layer of the map named by the WELCOME just taken.
    void loadMap();
    // Handles the message in messageBuffer (type byte not yet read).
    void handleMessage();

    bool wantsExit() const { return quitRequested; }
    int getWFC() const { return silentTicks; }
    void sendExitPacket();
    // Polls the connection attempt: 1 established, 0 pending; a failure
    // ends the program.
    int checkConnection();
    // Life and armour in percent of their maximum, 0 to 100.
    int getLifePercentage() const;
    int getArmorPercentage() const;

    BITMAP* lifeBar = nullptr;
    BITMAP* armorBar = nullptr;
    BITMAP* weaponIcons[PLAYER_WEAPONS] = {};
    NET_CONN* conn = nullptr;
    messageClass* messages = nullptr;
    bool ownsMessages = false;
    bool connected = false;
    int silentTicks = 0;
    int keepAliveCountdown = KEEP_ALIVE_TICKS;
    packet messageBuffer;  // every message sent or received
    bool quitRequested = false;
    int myId = -1;
    int maxPlayers = 0;
    std::unique_ptr<mpcUnit[]> players;
    mapClass map;
    std::string mapName;
    int weapon = 0;
    BITMAP* sprites[MP_SPRITES] = {};
    bool mapLoaded = false;
    int armor = 0;
    int maxArmor = 0;
    int life = 0;
    int maxLife = 0;

    // The stand-alone loop's state.
    int escWindow = 0;
    int drawDelay = 8;
    int endCountdown = 0;
    bool running = true;

private:
    void takeWelcome();
    void takePlayerInfo();
    void takePlayerLeft();
    void takePlayerStates();
    void readInput();
    void log(const std::string& text);
    void log(const std::string& first, const std::string& second);
    void endIn(int ticks);
};

// The client's lifetime: its pictures and sprites, the connection, the log.
#include "net/client_game.h"

#include <allegro.h>

#include "app/errors.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "net/messages.h"
#include "net/mp_display.h"
#include "net/transport.h"
#include "ui/message.h"
#include "world/unit_datafile.h"

namespace {

const char* const PLAYER_SPRITES = "data/playergr.dat";

// The six sprites of the players from the player datafile, checked before
// Allegro's loader sees it.
void loadPlayerSprites(BITMAP* sprites[MP_SPRITES]) {
    DATAFILE* data = unitDatafileIsSound(PLAYER_SPRITES) ? load_datafile(PLAYER_SPRITES) : nullptr;
    if (!data) errors::datafileError(PLAYER_SPRITES);
    int items = 0;
    while (items < MP_SPRITES && data[items].type == DAT_BITMAP) ++items;
    if (items < MP_SPRITES) {
        unload_datafile(data);
        errors::datafileError(PLAYER_SPRITES);
    }
    for (int i = 0; i < MP_SPRITES; ++i) sprites[i] = createDatafileBitmap(data, i);
    unload_datafile(data);
}

// A maximum of 0 or less (a hostile WELCOME) has no percentage; the result
// is held to 0 to 100 so that the bars stay inside their frames.
int percentOf(int value, int maximum) {
    if (maximum <= 0) return 0;
    const int p = static_cast<int>(static_cast<long long>(value) * 100 / maximum);
    return p < 0 ? 0 : (p > 100 ? 100 : p);
}

}  // namespace

void mpcUnit::join(std::string newName, int newPoints) {
    active = true;
    name = std::move(newName);
    points = newPoints;
}

void mpcUnit::leave() {
    active = false;
    name.clear();
}

clientMultiplayerGame::clientMultiplayerGame(std::string address) {
    lifeBar = loadBitmap("gfx/lifebar.tga");
    armorBar = loadBitmap("gfx/armorbar.tga");
    keepRunningInBackground();
    conn = net_openconn(global.netDriver, nullptr);
    if (!conn) errors::networkError("Unable to open server connection");
    if (net_connect(conn, address.c_str()) != 0) errors::networkError("Can't connect to " + address);
    for (int i = 0; i < PLAYER_WEAPONS; ++i) weaponIcons[i] = loadBitmap("gfx/weapon" + std::to_string(i) + ".tga");
    loadPlayerSprites(sprites);
}

clientMultiplayerGame::~clientMultiplayerGame() {
    if (ownsMessages) delete messages;
    if (conn) net_closeconn(conn);
    destroy_bitmap(lifeBar);
    destroy_bitmap(armorBar);
    for (BITMAP* icon : weaponIcons) destroy_bitmap(icon);
    for (BITMAP* sprite : sprites) destroy_bitmap(sprite);
}

void clientMultiplayerGame::setMessageClass(messageClass* log) {
    if (ownsMessages) delete messages;
    ownsMessages = log == nullptr;
    messages = log ? log : newMultiplayerLog(HOSTED_LOG_LINES);
}

void clientMultiplayerGame::sendExitPacket() {
    buildSignal(messageBuffer, QUIT);
    messageBuffer.send(conn);
}

int clientMultiplayerGame::checkConnection() {
    const int result = net_poll_connect(conn);
    if (result < 0) errors::networkError("Connection could not be established!");
    return result > 0 ? 1 : 0;
}

int clientMultiplayerGame::getLifePercentage() const { return percentOf(life, maxLife); }

int clientMultiplayerGame::getArmorPercentage() const { return percentOf(armor, maxArmor); }

void clientMultiplayerGame::log(const std::string& text) {
    messages->sendText(text);
    messages->output();
}

void clientMultiplayerGame::log(const std::string& first, const std::string& second) {
    messages->sendText(first);
    messages->sendText(second);
    messages->output();
}

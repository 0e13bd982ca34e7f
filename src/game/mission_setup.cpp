// Loading a mission, in a fixed order: message queue, bullets, map with its
// tile scripts, global script, campaign text, character set, units, heads-up
// display, mission description, bonuses.
#include <allegro.h>

#include <algorithm>
#include <deque>
#include <fstream>

#include "app/errors.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "game/character_set.h"
#include "game/mission_variables.h"
#include "game/single_player_game.h"
#include "map/map_file.h"
#include "script/compiler.h"
#include "world/unit_datafile.h"

namespace {

constexpr const char* COMPILE_STAGE_ERROR = "An error occured in compile stage.\nSee compiler.log for details.";
constexpr int RECENT_SOURCES = 5;  // unit script sources remembered for sharing

enum scriptEvent { EVENT_ON_KILL = 5, EVENT_ON_CALL = 8, EVENT_GLOBAL = 9 };

// Message queue layout: 32 lines kept, 7 shown, text 3 pixels from the left.
constexpr int MESSAGE_CAPACITY = 32;
constexpr int MESSAGE_LINES = 7;
constexpr int MESSAGE_X = 3;

// A compiled script from a file of its own, read as a map's inline one.
std::vector<unsigned char> readScriptFile(const std::string& path, int limit) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw mapFault{mapFault::kind::fatal, path, "Fatal error: Opening '" + path + "' failed!"};
    mapFileReader in(file, path);
    return in.script(limit);
}

// Compiles a script source into a buffer of limit bytes.
std::vector<unsigned char> compileSource(const std::string& path, int limit) {
    std::vector<unsigned char> buffer(limit);
    int size = limit;
    if (!compile(path, "", buffer.data(), &size)) errors::scriptError(COMPILE_STAGE_ERROR);
    buffer.resize(size);
    return buffer;
}

// Unit graphics that fail to load are the character set's fault: said so
// with the set's name instead of a bare datafile error.
void checkGraphics(const std::string& path, const std::string& setName, const std::string& file) {
    DATAFILE* data = unitDatafileIsSound(file) ? load_datafile(file.c_str()) : nullptr;
    Unit probe;
    const bool complete = data && probe.loadSprites(data);
    if (data) unload_datafile(data);
    if (!complete)
        errors::mapLoadError(path, "Character set \"" + setName + "\" names unit graphics \"" + file +
                                       "\" that fail to load");
}

// The ammo bonus makes enemies fire less often: half the bonus, rounded
// up, off a non-zero fire-rate value, which stays at least 1.
int easedFireRate(int fireRate, int ammoBonus) {
    if (ammoBonus == 0 || fireRate == 0) return fireRate;
    const int eased = fireRate - (ammoBonus + 1) / 2;
    return eased < 1 ? 1 : eased;
}

}  // namespace

singlePlayerGame::singlePlayerGame(std::string mapName, int healBonus, int ammoBonus)
    : singlePlayerGame(std::move(mapName), healBonus, ammoBonus, defaultMissionHooks()) {}

singlePlayerGame::singlePlayerGame(std::string mapName, int healBonus_, int ammoBonus_, missionHooks hooks_)
    : hooks(std::move(hooks_)), missionName(std::move(mapName)) {
    clear_bitmap(global.buffer);
    textout_centre_ex(global.buffer, global.menuFont, "Loading map data, please wait...", global.buffer->w / 2,
                      global.buffer->h / 2, makecol(255, 255, 255), -1);
    show(false, nullptr);
    healBonus = healBonus_;
    ammoBonus = ammoBonus_;
    messages = std::make_unique<messageClass>(MESSAGE_CAPACITY, MESSAGE_LINES, MESSAGE_X, global.textFont,
                                              global.messageFont, global.buffer);
    machine.setMessageClass(messages.get());
    bullets = std::make_unique<bulletPool>();
    load("maps/" + missionName + ".kvm");

    lifeBar = loadBitmap("gfx/lifebar.tga");
    armorBar = loadBitmap("gfx/armorbar.tga");
    arrow = loadBitmap("gfx/arrow.tga");
    showMissionDescription(missionName, false);
    for (int i = 0; i < WEAPON_ICONS; ++i) weaponIcons[i] = loadBitmap("gfx/weapon" + std::to_string(i) + ".tga");
    machine.variables[MV_HEALREFILLS] += healBonus;
    machine.variables[MV_AMMOREFILLS] += ammoBonus;
}

singlePlayerGame::~singlePlayerGame() {
    finish();
    for (BITMAP* b : {lifeBar, armorBar, arrow, page})
        if (b) destroy_bitmap(b);
    for (BITMAP* icon : weaponIcons)
        if (icon) destroy_bitmap(icon);
}

void singlePlayerGame::load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) errors::mapLoadError(path, "Failed to open file");
    map.loadMap(file, path, SINGLE_PLAYER_TYPE, machine);
    try {
        mapFileReader in(file, path);
        loadGlobalScript(in);
        if (in.byte() != 0) showMissionDescription(in.text(), true);
        loadCharacters(path, in.text());
        loadUnits(in, path);
    } catch (const mapFault& fault) {
        reportMapFault(fault);
    }
}

void singlePlayerGame::loadGlobalScript(mapFileReader& in) {
    std::vector<unsigned char> script;
    if (in.byte() != 0) {
        script = in.script(GLOBAL_SCRIPT_LIMIT);
    } else if (fileExists("scripts/" + missionName + "global.ukv")) {
        script = compileSource("scripts/" + missionName + "global.ukv", GLOBAL_SCRIPT_LIMIT);
    } else if (fileExists("scripts/" + missionName + "global.kvs")) {
        script = readScriptFile("scripts/" + missionName + "global.kvs", GLOBAL_SCRIPT_LIMIT);
    }
    if (!script.empty()) globalScript.extract(script.data(), static_cast<int>(script.size()), EVENT_GLOBAL);
}

void singlePlayerGame::loadCharacters(const std::string& path, const std::string& setName) {
    characterSet set;
    std::string reason;
    if (!readCharacterSet(setName, set, reason)) errors::mapLoadError(path, reason);
    int* vars = machine.variables;
    vars[MV_MAXLIFE] = set.player.life;
    vars[MV_MAXARMOR] = set.player.armor;
    // A tile's onLoad script has run already: a weapon it set keeps its
    // ammunition, one it forbade (-1) starts empty.
    for (int i = 0; i < START_AMMO_WEAPONS; ++i) {
        int& ammo = vars[MV_W1AMMO + i];
        if (ammo == 0) ammo = set.startAmmo[i];
        else if (ammo == -1) ammo = 0;
    }
    player.addressInit(&vars[MV_W1AMMO], &vars[MV_LIFE], &vars[MV_ARMOR], &vars[MV_PISTOLOFF]);
    checkGraphics(path, setName, set.player.graphics);
    player.load(set.player.speed, set.player.life, set.player.armor, set.player.armorType, set.player.graphics);

    for (const unitTypeDefinition& d : set.enemies) {
        checkGraphics(path, setName, d.graphics);
        enemyTypes.push_back(std::make_unique<Enemy>());
        enemyTypes.back()->load(d.speed, d.life, d.armor, d.armorType, d.graphics, d.triggerDist, d.weapon,
                                easedFireRate(d.fireRate, ammoBonus));
    }
    for (const unitTypeDefinition& d : set.civilians) {
        checkGraphics(path, setName, d.graphics);
        civilianTypes.push_back(std::make_unique<Civilian>());
        civilianTypes.back()->load(d.speed, d.life, d.armor, d.armorType, d.graphics, 0, 0, 0);
    }
}

void singlePlayerGame::loadUnits(mapFileReader& in, const std::string& path) {
    const int count = in.int32();
    if (count < 1) errors::mapLoadError(path, "No Units on map!");
    // Sources compiled last, newest first, with their scripts and the
    // onLoad event that runs again for every unit sharing them.
    struct compiledSource {
        std::string path;
        std::shared_ptr<unitScripts> kept;
        bytecode onLoad;
    };
    std::deque<compiledSource> recent;
    const int typeCount = static_cast<int>(enemyTypes.size() + civilianTypes.size());
    int players = 0;
    for (int i = 0; i < count; ++i) {
        const unitRecord record = readUnitRecord(in, map.width, map.height);
        if (record.type < 0 || record.type > typeCount)
            errors::mapLoadError(path, "Unit " + std::to_string(i + 1) + " has type " + std::to_string(record.type) +
                                           ", which the character set doesn't define");
        if (record.type == 0) {
            // The unit list holds every unit but the player, so exactly one
            // record must be the player.
            if (++players > 1) errors::mapLoadError(path, "More than one player on map");
            if (record.scriptMode != SCRIPT_NONE)
                errors::mapLoadError(path, "Scripts for the player character are illegal!");
            player.initialise(record.x, record.y, record.direction, record.state);
            continue;
        }
        std::unique_ptr<Unit> unit;
        if (record.type <= static_cast<int>(enemyTypes.size())) {
            unit = std::make_unique<Enemy>();
            unit->basetypeGet(*enemyTypes[record.type - 1]);
        } else {
            unit = std::make_unique<Civilian>();
            unit->basetypeGet(*civilianTypes[record.type - 1 - enemyTypes.size()]);
        }
        unit->initialise(record.x, record.y, record.direction, record.state);
        units.push_back(std::move(unit));

        std::vector<unsigned char> script;
        if (record.scriptMode == SCRIPT_COMPILED) {
            script = record.script;
        } else if (record.scriptMode == SCRIPT_SOURCE) {
            auto shared = std::find_if(recent.begin(), recent.end(),
                                       [&](const compiledSource& c) { return c.path == record.scriptPath; });
            if (shared != recent.end()) {
                machine.compute(shared->onLoad);
                scripts.push_back(shared->kept);
                continue;
            }
            script = compileSource(record.scriptPath, SCRIPT_LIMIT);
        }
        if (script.empty()) {
            scripts.push_back(nullptr);
            continue;
        }
        const int size = static_cast<int>(script.size());
        bytecode onLoad(script.data(), size, EVENT_ON_LOAD);
        machine.compute(onLoad);
        auto kept = std::make_shared<unitScripts>();
        kept->onKill.extract(script.data(), size, EVENT_ON_KILL);
        kept->onCall.extract(script.data(), size, EVENT_ON_CALL);
        scripts.push_back(kept);
        if (record.scriptMode == SCRIPT_SOURCE) {
            recent.push_front({record.scriptPath, kept, onLoad});
            if (static_cast<int>(recent.size()) > RECENT_SOURCES) recent.pop_back();
        }
    }
    if (players == 0) errors::mapLoadError(path, "No player on map");
}

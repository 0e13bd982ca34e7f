#include "game/mission_check.h"

#include <allegro.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <set>
#include <sstream>
#include <unistd.h>

#include "app/helpers.h"
#include "game/character_set.h"
#include "game/mission_description.h"
#include "game/text_file.h"
#include "map/map_file.h"
#include "map/multiplayer_map.h"
#include "map/tileset.h"
#include "script/command_tables.h"
#include "script/compiler.h"
#include "script/instruction_reader.h"

namespace {

constexpr std::size_t SOURCE_MAX_BYTES = 256 * 1024;
constexpr int TILE_REPORTS = 5;  // bad tile numbers listed one by one
constexpr unsigned char OP_GOTO = 14, OP_LOADSOUND = 20, EVENT_MARK = 0x01, EVENT_END = 0xFE, BLOCK_END = 0xFD,
                        SCRIPT_END = 0xFF;

enum class scriptKind { tile, unit, global };

// Events the game runs for each kind of script (by event number 1 to 9):
// tiles 1, 2, 3, 4, 6, 7; units 5, 6, 8; the global script 9.
bool eventRuns(scriptKind kind, int event) {
    switch (kind) {
    case scriptKind::tile: return event <= 4 || event == 6 || event == 7;
    case scriptKind::unit: return event == 5 || event == 6 || event == 8;
    case scriptKind::global: return event == 9;
    }
    return false;
}

const char* kindName(scriptKind kind) {
    return kind == scriptKind::tile ? "a tile script" : kind == scriptKind::unit ? "a unit script" : "the global script";
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string firstLines(const std::vector<std::string>& lines, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += lines[i] + "\n";
    return text;
}

// The line a reader stops at: the first line from which on every prefix
// of the text fails for the same reason; a reason a cut text gives by
// itself (cutOff) belongs to the last line. reasonOf gives "" when a text
// passes.
int faultLine(const std::vector<std::string>& lines, const std::string& reason,
              const std::function<std::string(const std::string&)>& reasonOf, bool cutOff) {
    const int count = static_cast<int>(lines.size());
    if (cutOff || count == 0) return std::max(count, 1);
    int line = count;
    while (line > 1 && reasonOf(firstLines(lines, line - 1)) == reason) --line;
    return line;
}

// The first line whose first word is word and whose rest (after one blank)
// is rest; 0 when none is.
int lineOf(const std::vector<std::string>& lines, const std::string& word, const std::string& rest) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::istringstream words(lines[i]);
        std::string first;
        words >> first;
        if (first != word) continue;
        const std::size_t at = lines[i].find(word) + word.size();
        if (rest.empty() || (at < lines[i].size() && lines[i].substr(at + 1) == rest)) return static_cast<int>(i) + 1;
    }
    return 0;
}

// The texts of one opcode's instructions (goto: the map name; loadsound:
// the file) in a compiled script, found by stepping over instructions.
std::vector<std::string> instructionTexts(const std::vector<unsigned char>& script, unsigned char opcode) {
    std::vector<std::string> texts;
    const int size = static_cast<int>(script.size());
    int pos = 0;
    while (pos < size && script[pos] != SCRIPT_END) {
        const unsigned char b = script[pos];
        if (b == EVENT_MARK) {
            pos += 2;
            continue;
        }
        if (b == EVENT_END || b == BLOCK_END) {
            ++pos;
            continue;
        }
        const int n = instructionLength(script.data(), size, pos);
        if (n == 0) break;
        if (b == opcode) {
            const int from = pos + (opcode == OP_LOADSOUND ? 3 : 1);
            texts.emplace_back(reinterpret_cast<const char*>(script.data() + from), pos + n - 1 - from);
        }
        pos += n;
    }
    return texts;
}

class missionChecker {
public:
    std::vector<std::string> problems;

    missionChecker() = default;
    ~missionChecker() {
        if (tileset.strip) destroy_bitmap(tileset.strip);
    }
    missionChecker(const missionChecker&) = delete;
    missionChecker& operator=(const missionChecker&) = delete;

    void add(const std::string& file, int line, const std::string& message) {
        problems.push_back(file + ":" + std::to_string(line) + ": " + message);
    }
    void add(const std::string& file, const std::string& message) { problems.push_back(file + ": " + message); }

    void checkSinglePlayer(const std::string& path, const std::string& name);
    void checkMultiplayer(const std::string& path);

private:
    tilesetData tileset;
    bool haveTileset = false;
    int width = 0, height = 0;
    std::vector<signed char> tiles;
    std::set<std::string> checkedSources;

    // Opens a map, checks its version and type, loads its tile set and
    // checks its tiles (scripted ones only on a single-player map); the
    // rest of the file is left to `rest`.
    void checkMapStart(const std::string& path, bool singlePlayer, const std::function<void(mapFileReader&)>& rest);
    void readTiles(mapFileReader& in, const std::string& path, bool scriptsAllowed);
    void loadTileset(const std::string& path, const std::string& name);
    void checkPlace(const std::string& path, const std::string& what, float x, float y);
    void checkScript(const std::string& file, const std::vector<unsigned char>& script, scriptKind kind,
                     const std::vector<std::string>& source);
    void checkSource(const std::string& source, scriptKind kind, int limit);
    characterSet checkCharacterSet(const std::string& path, const std::string& name, bool& ok);
    void checkDescription(const std::string& file, bool campaign);
    void checkUnits(mapFileReader& in, const std::string& path, const characterSet& set, bool setOk);
};

void missionChecker::loadTileset(const std::string& path, const std::string& name) {
    try {
        tileset = readTileset(name, true, "Each tile has to be 32 pixels wide");
        haveTileset = true;
    } catch (const mapFault& fault) {
        add(path, "tile set " + name + ": " + (fault.type == mapFault::kind::datafile ? "can't be loaded" : fault.reason));
    }
}

void missionChecker::readTiles(mapFileReader& in, const std::string& path, bool scriptsAllowed) {
    in.size(width, height);
    tiles.assign(static_cast<std::size_t>(width) * height, 0);
    int bad = 0, scripted = 0;
    for (int index = 0; index < width * height; ++index) {
        const std::string where = "tile " + std::to_string(index % width) + " " + std::to_string(index / width);
        const int t = in.signedByte();
        tiles[index] = static_cast<signed char>(t);
        if (haveTileset && (t < 0 || t >= tileset.count) && ++bad <= TILE_REPORTS)
            add(path, where + ": tile number " + std::to_string(t) + " is not in the tile set (" +
                          std::to_string(tileset.count) + " tiles)");
        const int mode = in.byte();
        if (mode != SCRIPT_NONE && !scriptsAllowed && ++scripted == 1)
            add(path, where + ": a multiplayer map must not carry tile scripts");
        if (mode == SCRIPT_COMPILED) {
            const std::vector<unsigned char> script = in.script(SCRIPT_LIMIT);
            if (scriptsAllowed) checkScript(path, script, scriptKind::tile, {});
        } else if (mode == SCRIPT_SOURCE) {
            const std::string source = in.text();
            if (scriptsAllowed) checkSource(source, scriptKind::tile, SCRIPT_LIMIT);
        }
    }
    if (bad > TILE_REPORTS) add(path, std::to_string(bad - TILE_REPORTS) + " more tiles are not in the tile set");
}

void missionChecker::checkPlace(const std::string& path, const std::string& what, float x, float y) {
    if (!(std::isfinite(x) && std::isfinite(y) && x >= 0 && y >= 0 && x < width * 32.0f && y < height * 32.0f)) {
        add(path, what + " lies outside the map");
        return;
    }
    const int column = static_cast<int>(x) / 32, row = static_cast<int>(y) / 32;
    const int t = tiles[row * width + column];
    if (haveTileset && t >= 0 && t < tileset.count && tileset.solidity[t] > 0)
        add(path, what + " stands on a solid tile (" + std::to_string(t) + ") at " + std::to_string(column) + " " +
                      std::to_string(row));
}

void missionChecker::checkScript(const std::string& file, const std::vector<unsigned char>& script, scriptKind kind,
                                 const std::vector<std::string>& source) {
    const int size = static_cast<int>(script.size());
    for (int event = 1; event <= EVENT_COUNT; ++event) {
        int start = 0, end = 0;
        if (eventRuns(kind, event) || findEvent(script.data(), size, event, start, end) != eventSearch::found) continue;
        const std::string name = EVENT_NAMES[event - 1];
        add(file, lineOf(source, "event", name), "event " + name + " never runs in " + kindName(kind));
    }
    for (const std::string& next : instructionTexts(script, OP_GOTO))
        if (next != "GO" && next != "GS" && !fileExists("maps/" + next + ".kvm"))
            add(file, lineOf(source, "goto", next), "goto names the map \"" + next + "\", but maps/" + next + ".kvm doesn't exist");
    for (const std::string& sound : instructionTexts(script, OP_LOADSOUND)) {
        if (fileExists(sound)) continue;
        int line = 0;
        for (std::size_t i = 0; i < source.size() && !line; ++i)
            if (source[i].find("loadsound") != std::string::npos && source[i].size() >= sound.size() &&
                source[i].compare(source[i].size() - sound.size(), sound.size(), sound) == 0)
                line = static_cast<int>(i) + 1;
        add(file, line, "loadsound names " + sound + ", which doesn't exist");
    }
}

// Compiles the source text (a private copy, so that a file that changes
// or never ends is read once, bounded); the reason the compiler gives, ""
// when it compiles, and then the compiled script in out.
std::string compileText(const std::string& text, int limit, std::vector<unsigned char>* out = nullptr) {
    char name[] = "/tmp/korvalt_checkXXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return "the script can't be copied for compiling";
    close(fd);
    {
        std::ofstream copy(name, std::ios::binary);
        copy << text;
    }
    std::vector<unsigned char> buffer(limit);
    int size = limit;
    std::string reason;
    if (compile(name, "", buffer.data(), &size)) {
        buffer.resize(size);
        if (out) *out = buffer;
    } else {
        std::ifstream log("compiler.log");
        std::string line;
        reason = "does not compile";
        while (std::getline(log, line))
            if (line.rfind("FATAL ERROR: ", 0) == 0) reason = line.substr(13);
    }
    std::remove(name);
    return reason;
}

void missionChecker::checkSource(const std::string& source, scriptKind kind, int limit) {
    if (!checkedSources.insert(source).second) return;
    std::string text;
    if (!readTextFile(source, SOURCE_MAX_BYTES, text) || text.size() > SOURCE_MAX_BYTES) {
        add(source, "the script source can't be read");
        return;
    }
    const std::vector<std::string> lines = splitLines(text);
    std::vector<unsigned char> compiled;
    const std::string reason = compileText(text, limit, &compiled);
    if (!reason.empty()) {
        const bool cutOff = reason == "Unexpected end of file" || reason == "Buffer for script data is not big enough";
        const int line = faultLine(lines, reason, [limit](const std::string& t) { return compileText(t, limit); }, cutOff);
        add(source, line, reason == "Buffer for script data is not big enough"
                              ? "the script is larger than " + std::to_string(limit) + " bytes"
                              : reason);
        return;
    }
    checkScript(source, compiled, kind, lines);
}

characterSet missionChecker::checkCharacterSet(const std::string& path, const std::string& name, bool& ok) {
    characterSet set;
    std::string reason, text;
    ok = false;
    if (!readTextFile(name, CHARACTER_SET_MAX_BYTES, text)) {
        add(path, "character set " + name + " can't be opened");
        return set;
    }
    const std::vector<std::string> lines = splitLines(text);
    auto reasonOf = [&name](const std::string& t) {
        characterSet s;
        std::string r;
        return parseCharacterSet(t, name, s, r) ? std::string() : r;
    };
    if (!parseCharacterSet(text, name, set, reason)) {
        add(name, faultLine(lines, reason, reasonOf, reason.find("ends early") != std::string::npos), reason);
        return set;
    }
    ok = true;
    std::vector<const unitTypeDefinition*> types{&set.player};
    for (const auto& d : set.enemies) types.push_back(&d);
    for (const auto& d : set.civilians) types.push_back(&d);
    for (const unitTypeDefinition* d : types) {
        if (fileExists(d->graphics)) continue;
        int line = 0;
        for (std::size_t i = 0; i < lines.size() && !line; ++i)
            if (lines[i].find(d->graphics) != std::string::npos) line = static_cast<int>(i) + 1;
        add(name, line, "the unit graphics " + d->graphics + " of \"" + d->label + "\" don't exist");
    }
    return set;
}

void missionChecker::checkDescription(const std::string& file, bool campaign) {
    std::string text, reason;
    missionDescription description;
    if (!readTextFile(file, DESCRIPTION_MAX_BYTES, text)) {
        add(file, "Failed to open mission description!");
        return;
    }
    const std::vector<std::string> lines = splitLines(text);
    if (!parseMissionDescription(text, file, campaign, description, reason)) {
        auto reasonOf = [&](const std::string& t) {
            missionDescription d;
            std::string r;
            return parseMissionDescription(t, file, campaign, d, r) ? std::string() : r;
        };
        add(file, faultLine(lines, reason, reasonOf, reason.find("lacks the tile position") != std::string::npos), reason);
        return;
    }
    // Positions follow the title line, two numbers each, over any lines.
    std::size_t line = description.objectives.size() + 1, numbers = 0;
    for (std::size_t i = 0; i < description.positions.size(); ++i) {
        while (line < lines.size()) {
            std::istringstream words(lines[line]);
            std::string w;
            std::size_t inLine = 0;
            while (words >> w) ++inLine;
            if (numbers + inLine >= 2 * (i + 1)) break;
            numbers += inLine;
            ++line;
        }
        const objectiveTile& p = description.positions[i];
        if (p.column >= width || p.row >= height)
            add(file, static_cast<int>(line) + 1,
                "objective " + std::to_string(i + 1) + " at " + std::to_string(p.column) + " " + std::to_string(p.row) +
                    " lies outside the map (" + std::to_string(width) + " x " + std::to_string(height) + " tiles)");
    }
}

void missionChecker::checkUnits(mapFileReader& in, const std::string& path, const characterSet& set, bool setOk) {
    const int count = in.int32();
    if (count < 1) add(path, "No Units on map!");
    int players = 0;
    for (int i = 0; i < count; ++i) {
        const unitRecord unit = readUnitRecord(in, width, height);
        const std::string what = "unit " + std::to_string(i + 1);
        checkPlace(path, what, unit.x, unit.y);
        if (unit.type == 0) {
            ++players;
            if (unit.scriptMode != SCRIPT_NONE) add(path, what + ": Scripts for the player character are illegal!");
            continue;
        }
        if (setOk && (unit.type < 0 || unit.type > set.typeCount()))
            add(path, what + " has type " + std::to_string(unit.type) + ", but the character set defines types 1 to " +
                          std::to_string(set.typeCount()));
        if (unit.scriptMode == SCRIPT_COMPILED) checkScript(path, unit.script, scriptKind::unit, {});
        if (unit.scriptMode == SCRIPT_SOURCE) checkSource(unit.scriptPath, scriptKind::unit, SCRIPT_LIMIT);
    }
    if (count >= 1 && players != 1)
        add(path, players == 0 ? "the map has no player (a unit of type 0)" : "the map has more than one player");
}

void missionChecker::checkMapStart(const std::string& path, bool singlePlayer,
                                   const std::function<void(mapFileReader&)>& rest) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        add(path, "Failed to open file");
        return;
    }
    mapFileReader in(file, path);
    in.version();
    if ((in.byte() == SINGLE_PLAYER_TYPE) != singlePlayer) in.fail("Wrong map type");
    loadTileset(path, in.text());
    readTiles(in, path, singlePlayer);
    rest(in);
}

void missionChecker::checkSinglePlayer(const std::string& path, const std::string& name) {
    checkMapStart(path, true, [&](mapFileReader& in) {
        if (in.byte() != 0) {
            checkScript(path, in.script(GLOBAL_SCRIPT_LIMIT), scriptKind::global, {});
        } else if (fileExists("scripts/" + name + "global.ukv")) {
            checkSource("scripts/" + name + "global.ukv", scriptKind::global, GLOBAL_SCRIPT_LIMIT);
        }
        if (in.byte() != 0) {
            const std::string campaign = in.text();
            checkDescription("maps/" + campaign + ".kvd", true);
            if (!fileExists("gfx/" + campaign + ".tga"))
                add(path, "the campaign text \"" + campaign + "\" has no picture gfx/" + campaign + ".tga");
        }
        bool setOk = false;
        const characterSet set = checkCharacterSet(path, in.text(), setOk);
        checkUnits(in, path, set, setOk);
        checkDescription("maps/" + name + ".kvd", false);
    });
}

void missionChecker::checkMultiplayer(const std::string& path) {
    checkMapStart(path, false, [&](mapFileReader& in) {
        const std::vector<spawnPoint> spawns = readSpawnPoints(in, width, height);
        if (static_cast<int>(spawns.size()) < MIN_SPAWN_POINTS)
            add(path, "only " + std::to_string(spawns.size()) + " spawn points; a multiplayer map needs at least " +
                          std::to_string(MIN_SPAWN_POINTS));
        for (std::size_t i = 0; i < spawns.size(); ++i)
            checkPlace(path, "spawn point " + std::to_string(i + 1), spawns[i].x, spawns[i].y);
    });
}

}  // namespace

std::vector<std::string> checkMission(const std::string& path) {
    missionChecker checker;
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".kvm") == 0) name.resize(name.size() - 4);
    try {
        if (folder == "mpmaps" || (folder.size() > 7 && folder.compare(folder.size() - 7, 7, "/mpmaps") == 0))
            checker.checkMultiplayer(path);
        else
            checker.checkSinglePlayer(path, name);
    } catch (const mapFault& fault) {
        checker.add(fault.subject, fault.reason);
    }
    return checker.problems;
}

int runCheckMode(int argc, char** argv) {
    if (argc < 1) {
        std::cerr << "usage: korvalt check maps/NAME.kvm | mpmaps/NAME.kvm ...\n";
        return 1;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    int status = 0;
    for (int i = 0; i < argc; ++i)
        for (const std::string& problem : checkMission(argv[i])) {
            std::cout << problem << "\n";
            status = 1;
        }
    return status;
}

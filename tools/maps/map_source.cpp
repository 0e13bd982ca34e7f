#include "map_source.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "map/editor_map.h"
#include "map/map_file.h"
#include "script/instruction_reader.h"

namespace {

// Grid symbols of a written source, in tile number order; maps with more
// distinct tiles than this get two-digit hexadecimal symbols.
const std::string SYMBOLS =
    ".#0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!$%&*+-/:<=>?@[]^_`{|}~(),'\"";

struct scriptSpec {
    int mode = SCRIPT_NONE;
    std::string path;                 // mode 2
    std::vector<unsigned char> bytes;  // mode 1
};

struct unitLine {
    int type = 0;
    float x = 0, y = 0;
    int direction = 0, state = 0;
    scriptSpec script;
};

// The words of one source line, with the rest of the line for texts.
class lineCursor {
public:
    lineCursor(const std::string& text, int number) : text(text), number(number) {}

    std::string word() {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        const std::size_t start = at;
        while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        return text.substr(start, at - start);
    }
    // Everything after the blank that follows the last word read.
    std::string rest() {
        if (at < text.size()) ++at;
        std::string r = text.substr(at);
        at = text.size();
        return r;
    }
    // True at the end of the line or at a comment (a word starting with
    // ';'); texts, which run to the end of the line, can't carry one.
    bool atEnd() {
        std::size_t p = at;
        while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
        return p == text.size() || text[p] == ';';
    }
    [[noreturn]] void fail(const std::string& message) const { throw sourceFault{number, message}; }

    long integer(const std::string& what, long low, long high) {
        const std::string w = word();
        char* end = nullptr;
        const long v = std::strtol(w.c_str(), &end, 10);
        if (w.empty() || *end != 0) fail("expected " + what + ", found \"" + w + "\"");
        if (v < low || v > high) fail(what + " " + w + " out of range " + std::to_string(low) + " to " + std::to_string(high));
        return v;
    }
    unsigned char hexByte() {
        const std::string w = word();
        char* end = nullptr;
        const unsigned long v = std::strtoul(w.c_str(), &end, 16);
        if (w.size() != 2 || !std::isxdigit(static_cast<unsigned char>(w[0])) || *end != 0) fail("expected a byte as two hexadecimal digits, found \"" + w + "\"");
        return static_cast<unsigned char>(v);
    }
    void finish() {
        if (!atEnd()) fail("unexpected \"" + word() + "\" at the end of the line");
    }
    int line() const { return number; }

private:
    const std::string& text;
    int number;
    std::size_t at = 0;
};

float parseCoordinate(lineCursor& c, const std::string& what) {
    const std::string w = c.word();
    char* end = nullptr;
    if (w.size() > 1 && w.back() == 't') {
        const long tile = std::strtol(w.c_str(), &end, 10);
        if (end == w.c_str() + w.size() - 1 && tile >= 0 && tile < MAP_MAX_SIDE) return static_cast<float>(tile * 32 + 16);
    } else if (w.rfind("bits:", 0) == 0 && w.size() == 13) {
        const unsigned long bits = std::strtoul(w.c_str() + 5, &end, 16);
        if (*end == 0) {
            const uint32_t b = static_cast<uint32_t>(bits);
            float f = 0;
            std::memcpy(&f, &b, sizeof f);
            return f;
        }
    } else {
        const float f = std::strtof(w.c_str(), &end);
        if (!w.empty() && *end == 0 && std::isfinite(f)) return f;
    }
    c.fail("expected " + what + " (pixels, Nt or bits:XXXXXXXX), found \"" + w + "\"");
}

std::string formatCoordinate(float f) {
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    char text[32];
    if (std::isfinite(f)) {
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(f));
        const float back = std::strtof(text, nullptr);
        if (std::memcmp(&back, &f, sizeof f) == 0) return text;
    }
    std::snprintf(text, sizeof text, "bits:%08X", static_cast<unsigned>(bits));
    return text;
}

// The last fatal error of "compiler.log", to tell the author why.
std::string compilerReason() {
    std::ifstream log("compiler.log");
    std::string line, reason = "see compiler.log";
    while (std::getline(log, line))
        if (line.rfind("FATAL ERROR: ", 0) == 0) reason = line.substr(13);
    return reason;
}

scriptSpec parseScript(lineCursor& c, int limit, bool allowSource) {
    scriptSpec s;
    const std::string kind = c.word();
    if (kind == "none") {
        c.finish();
    } else if (kind == "source" && allowSource) {
        s.mode = SCRIPT_SOURCE;
        s.path = c.rest();
        if (s.path.empty()) c.fail("source needs a path");
    } else if (kind == "compile") {
        s.mode = SCRIPT_COMPILED;
        const std::string path = c.rest();
        try {
            s.bytes = compileForMap(path, limit);
        } catch (const mapFault&) {
            c.fail("script " + path + " doesn't compile: " + compilerReason());
        }
    } else if (kind == "bytes") {
        s.mode = SCRIPT_COMPILED;
        while (!c.atEnd()) s.bytes.push_back(c.hexByte());
        const int size = static_cast<int>(s.bytes.size());
        if (size > limit) c.fail("script of " + std::to_string(size) + " bytes, at most " + std::to_string(limit));
        if (findScriptEnd(s.bytes.data(), size) != size) c.fail("bytes are not one complete compiled script");
    } else {
        c.fail("expected a script (none, source, compile or bytes), found \"" + kind + "\"");
    }
    return s;
}

void writeScript(mapFileWriter& out, const scriptSpec& s) {
    out.byte(s.mode);
    if (s.mode == SCRIPT_SOURCE) out.text(s.path);
    if (s.mode == SCRIPT_COMPILED) out.bytes(s.bytes.data(), static_cast<int>(s.bytes.size()));
}

void checkText(lineCursor& c, const std::string& text, const std::string& what) {
    if (text.size() + 1 >= static_cast<std::size_t>(TEXT_LIMIT)) c.fail(what + " longer than " + std::to_string(TEXT_LIMIT - 2) + " characters");
}

}  // namespace

std::string buildMapFile(const std::string& source) {
    std::istringstream in(source);
    std::string line;
    int number = 0;
    std::optional<char> type;
    std::optional<std::string> tileset, charset, campaign;
    std::optional<scriptSpec> global;
    int width = 0, height = 0;
    std::size_t symbolLength = 0;
    std::map<std::string, std::pair<int, scriptSpec>> legend;
    std::vector<signed char> tiles;
    std::vector<scriptSpec> tileScripts;
    std::vector<std::pair<int, std::string>> scriptLines;
    std::vector<unitLine> units;
    bool haveGrid = false;

    auto next = [&]() {
        if (!std::getline(in, line)) return false;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    };
    while (next()) {
        lineCursor c(line, number);
        if (c.atEnd() || c.word()[0] == ';') continue;
        lineCursor l(line, number);
        const std::string key = l.word();
        auto once = [&](bool present) {
            if (present) l.fail(key + " given twice");
        };
        if (key == "type") {
            once(type.has_value());
            const std::string t = l.word();
            if (t.size() != 1) l.fail("type is one character (S for single-player)");
            type = t[0];
            l.finish();
        } else if (key == "tileset" || key == "charset" || key == "campaign") {
            std::optional<std::string>& field = key == "tileset" ? tileset : key == "charset" ? charset : campaign;
            once(field.has_value());
            field = l.rest();
            checkText(l, *field, key);
        } else if (key == "global") {
            once(global.has_value());
            global = parseScript(l, GLOBAL_SCRIPT_LIMIT, false);
            if (global->mode == SCRIPT_NONE) l.fail("global takes compile or bytes");
        } else if (key == "size") {
            once(width != 0);
            width = static_cast<int>(l.integer("a width", 1, MAP_MAX_SIDE));
            height = static_cast<int>(l.integer("a height", 1, MAP_MAX_SIDE));
            l.finish();
        } else if (key == "tile") {
            const std::string symbol = l.word();
            if (symbol.empty()) l.fail("tile needs a symbol");
            if (symbolLength == 0) symbolLength = symbol.size();
            if (symbol.size() != symbolLength) l.fail("every symbol has " + std::to_string(symbolLength) + " characters");
            if (legend.count(symbol)) l.fail("symbol " + symbol + " defined twice");
            const int tile = static_cast<int>(l.integer("a tile number", -128, 127));
            scriptSpec s = l.atEnd() ? scriptSpec{} : parseScript(l, SCRIPT_LIMIT, true);
            legend[symbol] = {tile, s};
        } else if (key == "grid") {
            l.finish();
            if (haveGrid) l.fail("grid given twice");
            if (width == 0) l.fail("size must come before the grid");
            if (legend.empty()) l.fail("the legend (tile lines) must come before the grid");
            haveGrid = true;
            for (int row = 0; row < height; ++row) {
                if (!next()) throw sourceFault{number, "the grid ends after " + std::to_string(row) + " of " + std::to_string(height) + " rows"};
                if (line.size() != width * symbolLength)
                    throw sourceFault{number, "grid row " + std::to_string(row) + " has " + std::to_string(line.size()) +
                                                  " characters, expected " + std::to_string(width * symbolLength)};
                for (int column = 0; column < width; ++column) {
                    const std::string symbol = line.substr(column * symbolLength, symbolLength);
                    auto found = legend.find(symbol);
                    if (found == legend.end()) throw sourceFault{number, "symbol \"" + symbol + "\" is not in the legend"};
                    tiles.push_back(static_cast<signed char>(found->second.first));
                    tileScripts.push_back(found->second.second);
                }
            }
        } else if (key == "script") {
            scriptLines.emplace_back(number, line);
        } else if (key == "unit") {
            unitLine u;
            u.type = static_cast<int>(l.integer("a unit type", -128, 127));
            u.x = parseCoordinate(l, "x");
            u.y = parseCoordinate(l, "y");
            lineCursor probe = l;
            const std::string w = probe.word();
            const bool numberNext = !w.empty() && (std::isdigit(static_cast<unsigned char>(w[0])) || w[0] == '-');
            if (numberNext) {
                u.direction = static_cast<int>(l.integer("a direction", -128, 255));
                lineCursor probe2 = l;
                const std::string w2 = probe2.word();
                if (!w2.empty() && (std::isdigit(static_cast<unsigned char>(w2[0])) || w2[0] == '-'))
                    u.state = static_cast<int>(l.integer("a state", -128, 255));
            }
            if (!l.atEnd()) u.script = parseScript(l, SCRIPT_LIMIT, true);
            units.push_back(u);
        } else {
            l.fail("unknown key \"" + key + "\"");
        }
    }
    if (!type) throw sourceFault{number, "no type line"};
    if (!tileset) throw sourceFault{number, "no tileset line"};
    if (!charset) throw sourceFault{number, "no charset line"};
    if (!haveGrid) throw sourceFault{number, "no grid"};
    for (const auto& [at, text] : scriptLines) {
        lineCursor l(text, at);
        l.word();
        const int column = static_cast<int>(l.integer("a column", 0, width - 1));
        const int row = static_cast<int>(l.integer("a row", 0, height - 1));
        scriptSpec& s = tileScripts[row * width + column];
        if (s.mode != SCRIPT_NONE) l.fail("tile " + std::to_string(column) + " " + std::to_string(row) + " has a script already");
        s = parseScript(l, SCRIPT_LIMIT, true);
    }

    std::ostringstream bytes(std::ios::binary);
    mapFileWriter out(bytes);
    out.version();
    out.byte(*type);
    out.text(*tileset);
    out.int32(width);
    out.int32(height);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        out.byte(tiles[i]);
        writeScript(out, tileScripts[i]);
    }
    if (global) {
        out.byte(1);
        out.bytes(global->bytes.data(), static_cast<int>(global->bytes.size()));
    } else {
        out.byte(0);
    }
    out.byte(campaign ? 1 : 0);
    if (campaign) out.text(*campaign);
    out.text(*charset);
    out.int32(static_cast<int32_t>(units.size()));
    for (const unitLine& u : units) {
        out.byte(u.type);
        out.float32(u.x);
        out.float32(u.y);
        out.byte(u.direction);
        out.byte(u.state);
        writeScript(out, u.script);
    }
    return bytes.str();
}

namespace {

std::string checkedText(mapFileReader& in) {
    std::string t = in.text();
    if (t.find('\n') != std::string::npos) in.fail("A text holds a line feed, which a source can't say");
    return t;
}

std::string scriptText(mapFileReader& in, int mode, int limit) {
    if (mode == SCRIPT_NONE) return "none";
    if (mode == SCRIPT_SOURCE) return "source " + checkedText(in);
    if (mode != SCRIPT_COMPILED) in.fail("Script mode " + std::to_string(mode) + " can't be written as a source");
    std::string s = "bytes";
    char hex[4];
    for (unsigned char b : in.script(limit)) {
        std::snprintf(hex, sizeof hex, " %02X", b);
        s += hex;
    }
    return s;
}

}  // namespace

std::string mapFileSource(const std::string& bytes, const std::string& name) {
    std::istringstream file(bytes, std::ios::binary);
    mapFileReader in(file, name);
    std::ostringstream src;
    in.version();
    const int type = in.byte();
    if (type == '\n' || type == '\r' || type == ' ' || type == '\t') in.fail("The map type byte can't be written as a source");
    src << "; Map source of " << name << "\n";
    src << "type " << static_cast<char>(type) << "\n";
    src << "tileset " << checkedText(in) << "\n";
    int width = 0, height = 0;
    in.size(width, height);
    std::vector<int> tiles;
    std::vector<std::string> scripts;
    for (int i = 0; i < width * height; ++i) {
        tiles.push_back(in.signedByte());
        scripts.push_back(scriptText(in, in.byte(), SCRIPT_LIMIT));
    }
    const int globalFlag = in.byte();
    std::string global;
    if (globalFlag > 1) in.fail("Global script flag " + std::to_string(globalFlag) + " can't be written as a source");
    if (globalFlag == 1) global = scriptText(in, SCRIPT_COMPILED, GLOBAL_SCRIPT_LIMIT);
    const int campaignFlag = in.byte();
    if (campaignFlag > 1) in.fail("Campaign flag " + std::to_string(campaignFlag) + " can't be written as a source");
    const std::string campaign = campaignFlag ? checkedText(in) : "";
    src << "charset " << checkedText(in) << "\n";
    if (campaignFlag) src << "campaign " << campaign << "\n";
    if (globalFlag) src << "global " << global << "\n";

    std::map<int, std::string> legend;
    for (int t : tiles) legend[t];
    const bool wide = legend.size() > SYMBOLS.size();
    int n = 0;
    for (auto& [tile, symbol] : legend) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(tile));
        symbol = wide ? std::string(hex) : std::string(1, SYMBOLS[n++]);
    }
    src << "size " << width << " " << height << "\n";
    for (const auto& [tile, symbol] : legend) src << "tile " << symbol << " " << tile << "\n";
    src << "grid\n";
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) src << legend[tiles[row * width + column]];
        src << "\n";
    }
    for (int i = 0; i < width * height; ++i)
        if (scripts[i] != "none") src << "script " << i % width << " " << i / width << " " << scripts[i] << "\n";

    const int count = in.int32();
    if (count < 0) in.fail("Negative unit count");
    for (int i = 0; i < count; ++i) {
        const int unitType = in.signedByte();
        const float x = in.float32(), y = in.float32();
        const int direction = in.signedByte(), state = in.signedByte();
        const std::string script = scriptText(in, in.byte(), SCRIPT_LIMIT);
        src << "unit " << unitType << " " << formatCoordinate(x) << " " << formatCoordinate(y) << " " << direction << " "
            << state << " " << script << "\n";
    }
    if (file.peek() != std::char_traits<char>::eof()) in.fail("Data after the last unit record");
    return src.str();
}

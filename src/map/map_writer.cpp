#include "map/map_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/helpers.h"
#include "map/editor_map.h"
#include "map/map_file.h"
#include "world/unit.h"

namespace {

constexpr std::size_t EXTENSION_LENGTH = 4;  // ".kvm"

void writeUnits(mapFileWriter& out, mapSaveParts& parts, bool precompiled) {
    out.int32(parts.unitCount);
    for (int i = 0; i < parts.unitCount; ++i) {
        const edUnit& unit = parts.units[i];
        std::string& script = parts.unitScripts[i];
        out.byte(unit.type);
        out.float32(unit.posX);
        out.float32(unit.posY);
        out.byte(unit.direction);
        out.byte(0);  // the editor uses the state for the unit's look
        if (script.empty()) {
            out.byte(SCRIPT_NONE);
        } else if (precompiled) {
            const std::vector<unsigned char> compiled = compileForMap(script, SCRIPT_LIMIT);
            out.byte(SCRIPT_COMPILED);
            out.bytes(compiled.data(), static_cast<int>(compiled.size()));
        } else {
            script = scriptsFolderPath(script);
            out.byte(SCRIPT_SOURCE);
            out.text(script);
        }
    }
}

}  // namespace

std::string globalScriptSource(const std::string& path) {
    const std::string name = fileNamePart(path);
    if (name.size() <= EXTENSION_LENGTH) return "";
    return "scripts/" + name.substr(0, name.size() - EXTENSION_LENGTH) + "global.ukv";
}

bool writeMapFile(const std::string& path, editorMapClass& map, mapSaveParts& parts, bool precompiled,
                  std::string* reason) {
    const std::string temporary = path + ".tmp";
    auto failed = [&](const std::string& why) {
        std::remove(temporary.c_str());
        if (reason) *reason = why;
        return false;
    };
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return failed("Can't create " + temporary + ": " + std::strerror(errno));
    try {
        mapFileWriter out(file);
        out.version();
        map.save(file, precompiled);
        const std::string global = precompiled ? globalScriptSource(path) : "";
        if (!global.empty() && fileExists(global)) {
            const std::vector<unsigned char> compiled = compileForMap(global, GLOBAL_SCRIPT_LIMIT);
            out.byte(1);
            out.bytes(compiled.data(), static_cast<int>(compiled.size()));
        } else {
            out.byte(0);
        }
        out.byte(parts.campaign ? 1 : 0);
        if (parts.campaign) out.text(parts.campaignText);
        out.text(parts.characterSet);
        writeUnits(out, parts, precompiled);
    } catch (const mapFault&) {
        file.close();
        std::remove(temporary.c_str());
        throw;
    }
    file.close();
    if (file.fail()) return failed("Writing " + temporary + " failed");
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        return failed("Can't replace " + path + ": " + std::strerror(errno));
    return true;
}

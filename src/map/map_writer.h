// Writes a whole map file from the editor's state: the one place where the
// editor (after its file selector) and tools save maps.
#pragma once

#include <string>

class edUnit;
class editorMapClass;

// What the editor keeps of a map besides its tile layer.
struct mapSaveParts {
    bool campaign = false;
    std::string campaignText;
    std::string characterSet;
    edUnit* units = nullptr;             // unitCount placed units, in file order
    std::string* unitScripts = nullptr;  // their script source paths ("" none)
    int unitCount = 0;
};

// The global script source that a pre-compiled save of path includes:
// "scripts/" + the file name without its last 4 characters (the
// extension) + "global.ukv"; "" for a file name of 4 characters or fewer,
// which has no name left to look for.
std::string globalScriptSource(const std::string& path);

// Writes the map to path. A plain save rewrites every script path to
// "scripts/" + its file name, in the editor's state too; a pre-compiled
// save compiles every script (a global one of at most GLOBAL_SCRIPT_LIMIT
// bytes) into the file. Every unit's state byte is 0.
// The map is written whole into a temporary file beside path and moved
// into place only when complete, so a failed save leaves the old file as
// it was. False, with the reason in *reason when given, when the file
// can't be written; a script that doesn't compile throws its mapFault
// (kind script, subject the script source).
bool writeMapFile(const std::string& path, editorMapClass& map, mapSaveParts& parts, bool precompiled,
                  std::string* reason = nullptr);

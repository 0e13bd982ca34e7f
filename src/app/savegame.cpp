#include "app/savegame.h"

#include <cstdio>
#include <fstream>
#include <sstream>

bool isPlainMapName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find("..") == std::string::npos;
}

bool readSavegame(const std::string& path, savegame& out) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string name, bonuses;
    if (!std::getline(file, name) || !std::getline(file, bonuses)) return false;
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (!isPlainMapName(name)) return false;

    std::istringstream numbers(bonuses);
    long heal = -1, ammo = -1;
    std::string rest;
    if (!(numbers >> heal >> ammo) || (numbers >> rest)) return false;
    if (heal < 0 || heal > MAX_HEAL_BONUS || ammo < 0 || ammo > MAX_AMMO_BONUS) return false;
    out.mapName = name;
    out.healBonus = static_cast<int>(heal);
    out.ammoBonus = static_cast<int>(ammo);
    return true;
}

bool writeSavegame(const std::string& path, const savegame& game) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        file << game.mapName << '\n' << game.healBonus << ' ' << game.ammoBonus;
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

#include "units.h"

#include <filesystem>
#include <string>
#include <vector>

#include "datafile_packer.h"
#include "unit_sprites.h"

namespace {
const Rgb SKIN = rgb(214, 170, 136);

// Items 0 to 5 from the six sprites, item 6 the radius byte.
void packUnit(Catalogue& catalogue, const std::string& file, const std::vector<Canvas>& sprites, int radius) {
    std::string stem = std::filesystem::path(file).stem().string();
    std::vector<DatafileItem> items;
    // The sheet shows the six sprites side by side under one label.
    Canvas row(static_cast<int>(sprites.size()) * (sprites[0].w + 4), sprites[0].h);
    for (size_t i = 0; i < sprites.size(); ++i) {
        std::string source = itemFile(static_cast<int>(i), stem + "_sprite", "tga");
        catalogue.stagePicture(source, "", sprites[i], Transparency::masked);
        row.draw(sprites[i], static_cast<int>(i) * (sprites[0].w + 4), 0);
        items.push_back({"BMP", source});
    }
    catalogue.record(file + " #0-" + std::to_string(sprites.size() - 1), row, Transparency::masked);
    if (radius > 0) {
        std::string source = itemFile(6, stem + "_radius", "bin");
        writeBytes(catalogue.stagingPath(source), {static_cast<uint8_t>(radius)});
        items.push_back({"DATA", source});
    }
    std::filesystem::create_directories(std::filesystem::path(catalogue.gamePath(file)).parent_path());
    packDatafile(catalogue.gamePath(file), catalogue.staging(), items);
}

std::vector<Canvas> allStates(const Look& look) {
    std::vector<Canvas> sprites;
    for (int state = 0; state < 6; ++state) sprites.push_back(paintUnit(look, state));
    return sprites;
}
}  // namespace

std::vector<UnitType> unitTypes() {
    return {
        {"data/units/player.dat",
         {rgb(66, 96, 138), rgb(48, 60, 80), rgb(40, 52, 70), SKIN, Headwear::visorHelmet, Gear::rifle, false, 32}, 10},
        {"data/units/rifleman.dat",
         {rgb(92, 100, 62), rgb(70, 74, 50), rgb(80, 88, 54), SKIN, Headwear::helmet, Gear::rifle, false, 32}, 10},
        {"data/units/shotgunner.dat",
         {rgb(124, 98, 66), rgb(84, 70, 52), rgb(150, 40, 36), SKIN, Headwear::beret, Gear::shotgun, false, 32}, 10},
        {"data/units/heavy.dat",
         {rgb(104, 66, 56), rgb(62, 52, 50), rgb(70, 70, 74), SKIN, Headwear::helmet, Gear::rocketLauncher, true, 36}, 12},
        {"data/units/sniper.dat",
         {rgb(58, 72, 52), rgb(50, 60, 44), rgb(66, 82, 56), SKIN, Headwear::hood, Gear::sniperRifle, false, 32}, 9},
        {"data/units/scientist.dat",
         {rgb(224, 226, 220), rgb(70, 74, 90), rgb(110, 76, 48), SKIN, Headwear::hair, Gear::clipboard, false, 32}, 9},
        {"data/units/technician.dat",
         {rgb(212, 120, 44), rgb(170, 96, 40), rgb(232, 200, 60), SKIN, Headwear::hardHat, Gear::toolbox, false, 32}, 9},
    };
}

void makeUnits(Catalogue& catalogue) {
    const std::vector<UnitType> types = unitTypes();
    for (const UnitType& type : types) packUnit(catalogue, type.file, allStates(type.look), type.radius);
    const Look& player = types[0].look;

    // Multiplayer players: a look of their own (grey-teal), items 0 to 5.
    Look mp = player;
    mp.uniform = rgb(70, 120, 120);
    mp.head = rgb(40, 70, 74);
    packUnit(catalogue, "data/playergr.dat", allStates(mp), 0);

    // The editor shows a unit's look (state): 0 player, 1 enemy, 2
    // civilian, in plain blue, red and white so they are told apart at a
    // glance; items 3 to 5 repeat them walking.
    Look edPlayer = player, edEnemy = types[1].look, edCivilian = types[5].look;
    edPlayer.uniform = rgb(60, 110, 230);
    edEnemy.uniform = rgb(220, 50, 40);
    edEnemy.head = rgb(150, 30, 24);
    edCivilian.uniform = rgb(245, 245, 240);
    packUnit(catalogue, "data/editorgr.dat",
             {paintUnit(edPlayer, 0), paintUnit(edEnemy, 0), paintUnit(edCivilian, 0), paintUnit(edPlayer, 3),
              paintUnit(edEnemy, 3), paintUnit(edCivilian, 3)},
             10);
}

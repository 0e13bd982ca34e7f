// The shipped multiplayer maps load with the multiplayer readers (the tile
// layer, then the spawn points) and have the spawn points the issue of
// each asks for: "testmap" at least 4, the others 8.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>

#include "content/game_folder.h"
#include "map/map_class.h"
#include "map/map_file.h"
#include "map/multiplayer_map.h"

class ContentMultiplayerMaps : public GameFolderTest {};

TEST_F(ContentMultiplayerMaps, LoadWithTheMultiplayerReadersAndHaveTheirSpawnPoints) {
    const std::map<std::string, int> spawns = {{"testmap", 4}, {"compound", 8}, {"labs", 8}};
    char previous[4096];
    ASSERT_TRUE(getcwd(previous, sizeof previous));
    ASSERT_EQ(chdir(KORVALT_GAME_DIR), 0);
    for (const auto& [name, least] : spawns) {
        const std::string path = "mpmaps/" + name + ".kvm";
        std::ifstream file(path, std::ios::binary);
        ASSERT_TRUE(file) << path;
        try {
            mapClass map;
            map.readMap(file, path);
            mapFileReader rest(file, path);
            EXPECT_GE(static_cast<int>(readSpawnPoints(rest, map.width, map.height).size()), least) << path;
        } catch (const mapFault& fault) {
            ADD_FAILURE() << path << ": " << fault.reason;
        }
    }
    ASSERT_EQ(chdir(previous), 0);
}

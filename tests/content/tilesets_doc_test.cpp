// content/tilesets.md, which map and script authors read, tells the truth
// about the tile sets in the game folder: every tile with its solidity and
// successor, and the script pairs by number and name.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "content/game_folder.h"
#include "support/test_files.h"

class ContentTilesetDoc : public GameFolderTest {};

TEST_F(ContentTilesetDoc, ListsEveryTileAndNamesTheScriptPairsRight) {
    struct documentedTile {
        std::string name;
        int solidity, successor;
    };
    std::map<std::string, std::vector<documentedTile>> sets;  // keyed by the set's file name
    const std::regex heading(R"(^## .*"(data/tiles/[a-z]+\.dat)\".*)"),
        row(R"(^\| (\d+) \| ([^|]+) \| [^|]+ \| (-?\d+) \| (\d+) \|$)"),
        pair(R"(^\| (outdoor|indoor) \| (\d+) ([^|]+?) \| (\d+) ([^|(]+?)( \(.*\))? \|$)");
    std::istringstream lines(readFileText(sourcePath("content/tilesets.md")));
    std::string line, current;
    std::smatch m;
    std::vector<std::string> pairs;  // lines of pairs, which come before the tables
    while (std::getline(lines, line)) {
        if (std::regex_match(line, m, heading)) {
            current = m[1];
        } else if (!current.empty() && std::regex_match(line, m, row)) {
            EXPECT_EQ(std::stoul(m[1]), sets[current].size()) << line;
            sets[current].push_back({m[2], std::stoi(m[3]), std::stoi(m[4])});
        } else if (std::regex_match(line, pair)) {
            pairs.push_back(line);
        }
    }
    EXPECT_GE(pairs.size(), 10u);
    for (const std::string& p : pairs) {
        std::regex_match(p, m, pair);
        const auto& tiles = sets["data/tiles/" + m[1].str() + ".dat"];
        for (int k : {2, 4}) {
            ASSERT_LT(std::stoul(m[k]), tiles.size()) << p;
            EXPECT_EQ(tiles[std::stoul(m[k])].name, m[k + 1].str()) << p;
        }
    }
    ASSERT_EQ(sets.size(), 2u);
    for (const auto& [file, tiles] : sets) {
        Datafile set = loadGameDatafile(file);
        ASSERT_TRUE(set) << file;
        const int n = static_cast<BITMAP*>(set.get()[1].dat)->w / 32;
        ASSERT_EQ(static_cast<int>(tiles.size()), n) << file;
        const signed char* data = static_cast<const signed char*>(set.get()[0].dat);
        for (int t = 0; t < n; ++t) {
            EXPECT_EQ(tiles[t].solidity, data[t]) << file << " tile " << t;
            EXPECT_EQ(tiles[t].successor, static_cast<unsigned char>(data[n + t])) << file << " tile " << t;
        }
    }
}

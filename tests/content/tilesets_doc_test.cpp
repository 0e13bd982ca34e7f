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

namespace {
struct DocumentedTile {
    std::string name;
    int solidity, successor;
};

// Tiles of each set's table, keyed by the set's file name.
std::map<std::string, std::vector<DocumentedTile>> documentedSets(const std::string& text) {
    std::map<std::string, std::vector<DocumentedTile>> sets;
    std::regex heading(R"(^## .*"(data/tiles/[a-z]+\.dat)\".*)"), row(R"(^\| (\d+) \| ([^|]+) \| [^|]+ \| (-?\d+) \| (\d+) \|$)");
    std::istringstream lines(text);
    std::string line, current;
    std::smatch m;
    while (std::getline(lines, line)) {
        if (std::regex_match(line, m, heading)) current = m[1];
        else if (!current.empty() && std::regex_match(line, m, row)) {
            EXPECT_EQ(std::stoul(m[1]), sets[current].size()) << line;
            sets[current].push_back({m[2], std::stoi(m[3]), std::stoi(m[4])});
        }
    }
    return sets;
}
}  // namespace

TEST_F(ContentTilesetDoc, ListsEveryTileWithItsSolidityAndSuccessor) {
    auto sets = documentedSets(readFileText(sourcePath("content/tilesets.md")));
    ASSERT_EQ(sets.size(), 2u);
    for (const auto& [file, tiles] : sets) {
        Datafile set = loadGameDatafile(file);
        ASSERT_TRUE(set) << file;
        int n = static_cast<BITMAP*>(set.get()[1].dat)->w / 32;
        ASSERT_EQ(static_cast<int>(tiles.size()), n) << file;
        const signed char* data = static_cast<const signed char*>(set.get()[0].dat);
        for (int t = 0; t < n; ++t) {
            EXPECT_EQ(tiles[t].solidity, data[t]) << file << " tile " << t;
            EXPECT_EQ(tiles[t].successor, static_cast<unsigned char>(data[n + t])) << file << " tile " << t;
        }
    }
}

TEST_F(ContentTilesetDoc, ScriptPairsNameTheRightTiles) {
    std::string text = readFileText(sourcePath("content/tilesets.md"));
    auto sets = documentedSets(text);
    std::regex pair(R"(^\| (outdoor|indoor) \| (\d+) ([^|]+?) \| (\d+) ([^|(]+?)( \(.*\))? \|$)");
    std::istringstream lines(text);
    std::string line;
    std::smatch m;
    int pairs = 0;
    while (std::getline(lines, line)) {
        if (!std::regex_match(line, m, pair)) continue;
        const auto& tiles = sets["data/tiles/" + m[1].str() + ".dat"];
        for (int k : {2, 4}) {
            size_t number = std::stoul(m[k]);
            ASSERT_LT(number, tiles.size()) << line;
            EXPECT_EQ(tiles[number].name, m[k + 1].str()) << line;
        }
        ++pairs;
    }
    EXPECT_GE(pairs, 10);
}

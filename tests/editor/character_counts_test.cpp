#include "editor/character_counts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

TEST(CharacterCounts, ReadsTheCountsAroundTheDefinitions) {
    struct row { const char* what; const char* text; bool ok; int players, enemies, civilians; };
    const row rows[] = {
        {"full set", "1\np 3 9 5 1 6 4 8 5 2 p\n2\ne 2 4 0 2 8 4 e\nh 1 9 8 2 5 1 5 h\n1\nc 1 2 0 c\n", true, 1, 2, 1},
        {"player without armour has no armour type", "1\np 3.0 100 0 60 40 8 5 2 p.dat\n3\n", true, 1, 3, 0},
        {"no player", "0\n4\n", true, 0, 4, 0},
        {"missing player count", "", false, 0, 0, 0},
        {"negative enemy count", "0\n-2\n", false, 0, 0, 0},
        {"player definition cut short", "1\np 3.0 100 50 1 60\n", false, 0, 0, 0},
        {"huge count", "0\n99999999\n", false, 0, 0, 0},
        {"enemy definitions cut short: no civilians", "0\n2\ne 2 40 0 2\n", true, 0, 2, 0},
    };
    for (const row& r : rows) {
        std::istringstream in(r.text);
        characterCounts c;
        std::string reason;
        ASSERT_EQ(readCharacterCounts(in, c, reason), r.ok) << r.what << ": " << reason;
        if (r.ok)
            EXPECT_EQ(std::tie(c.players, c.enemies, c.civilians), std::tie(r.players, r.enemies, r.civilians))
                << r.what;
        else
            EXPECT_NE(reason.find("set of characters"), std::string::npos) << r.what;
    }
}

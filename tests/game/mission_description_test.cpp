#include "game/mission_description.h"

#include <gtest/gtest.h>

#include <tuple>

// Objectives (lines starting with '-', at most 5), the title, one tile
// position per objective and the briefing; a campaign text has no
// objectives.
TEST(MissionDescription, ReadsObjectivesTitlePositionsAndBriefingAndRefusesWhatTheGameCannotUse) {
    missionDescription d;
    std::string reason;
    const std::string text = "-Find the key\r\n-Open the door\nThe Base\n3 4\n 10\n 12 skip\nLine one\n\nLine three";
    ASSERT_TRUE(parseMissionDescription(text, "maps/m.kvd", false, d, reason))
        << reason;
    EXPECT_EQ(d.title, "The Base");
    EXPECT_EQ(d.objectives, (std::vector<std::string>{"-Find the key", "-Open the door"}));
    EXPECT_TRUE(d.positions.size() == 2 && d.positions[1].column == 10 && d.positions[1].row == 12);
    EXPECT_EQ(d.briefing, (std::vector<std::string>{"Line one", "", "Line three"}));
    ASSERT_TRUE(parseMissionDescription("-Title\nline", "maps/c.kvd", true, d, reason));
    EXPECT_EQ(d.title, "-Title");
    EXPECT_EQ(d.briefing, (std::vector<std::string>{"line"}));
    EXPECT_TRUE(parseMissionDescription("-1\n-2\n-3\n-4\n-5\nT\n1 1 1 1 1 1 1 1 1 1", "m", false, d, reason));
    // What it checks, the text and the reason given.
    const std::vector<std::tuple<const char*, std::string, std::string>> rows = {
        {"five objectives are the most", "-1\n-2\n-3\n-4\n-5\n-6\nT\n", "has more than 5 objectives"},
        {"a position missing", "-1\n-2\nT\n1 2 3", "lacks the tile position of objective 2"},
        {"a word for a position", "-1\nT\n1 x", "lacks the tile position of objective 1"},
        {"a negative position", "-1\nT\n-1 2", "places objective 1 outside any map"},
        {"too large", std::string(DESCRIPTION_MAX_BYTES + 1, 'x'), "is larger than 64 KiB"},
    };
    for (const auto& [checks, text, why] : rows) {
        EXPECT_FALSE(parseMissionDescription(text, "m", false, d, reason)) << checks;
        EXPECT_EQ(reason, "Mission description \"m\" " + why) << checks;
    }
}

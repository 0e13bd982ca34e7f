#include "game/mission_description.h"

#include <gtest/gtest.h>

TEST(MissionDescription, ReadsObjectivesTitlePositionsAndBriefing) {
    missionDescription d;
    std::string reason;
    ASSERT_TRUE(parseMissionDescription("-Find the key\r\n-Open the door\nThe Base\n3 4\n 10\n 12 skip\nLine one\n\nLine three",
                                        "maps/m.kvd", false, d, reason))
        << reason;
    EXPECT_EQ(d.title, "The Base");
    ASSERT_EQ(d.objectives.size(), 2u);
    EXPECT_EQ(d.objectives[0], "-Find the key");
    ASSERT_EQ(d.positions.size(), 2u);
    EXPECT_EQ(d.positions[1].column, 10);
    EXPECT_EQ(d.positions[1].row, 12);
    EXPECT_EQ(d.briefing, (std::vector<std::string>{"Line one", "", "Line three"}));
}

TEST(MissionDescription, TitleFirstGivesNoObjectivesAndKeepsTheNextLine) {
    missionDescription d;
    std::string reason;
    ASSERT_TRUE(parseMissionDescription("Title\nShort\nmore", "maps/m.kvd", false, d, reason));
    EXPECT_TRUE(d.objectives.empty());
    EXPECT_EQ(d.briefing, (std::vector<std::string>{"Short", "more"}));
    ASSERT_TRUE(parseMissionDescription("-Title\nline", "maps/c.kvd", true, d, reason));
    EXPECT_EQ(d.title, "-Title");
    EXPECT_EQ(d.briefing, (std::vector<std::string>{"line"}));
}

TEST(MissionDescription, RefusesFilesTheGameCannotUse) {
    const struct {
        const char* checks;
        std::string text;
        std::string reason;
    } rows[] = {
        {"five objectives are the most", "-1\n-2\n-3\n-4\n-5\n-6\nT\n", "Mission description \"m\" has more than 5 objectives"},
        {"a position missing", "-1\n-2\nT\n1 2 3", "Mission description \"m\" lacks the tile position of objective 2"},
        {"a word for a position", "-1\nT\n1 x", "Mission description \"m\" lacks the tile position of objective 1"},
        {"a negative position", "-1\nT\n-1 2", "Mission description \"m\" places objective 1 outside any map"},
        {"too large", std::string(DESCRIPTION_MAX_BYTES + 1, 'x'), "Mission description \"m\" is larger than 64 KiB"},
    };
    for (const auto& row : rows) {
        missionDescription d;
        std::string reason;
        EXPECT_FALSE(parseMissionDescription(row.text, "m", false, d, reason)) << row.checks;
        EXPECT_EQ(reason, row.reason) << row.checks;
    }
    missionDescription d;
    std::string reason;
    EXPECT_TRUE(parseMissionDescription("-1\n-2\n-3\n-4\n-5\nT\n1 1 1 1 1 1 1 1 1 1", "m", false, d, reason));
}

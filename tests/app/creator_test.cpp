#include "app/creator.h"
#include "app/helpers.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_files.h"

namespace {

TEST(CreatorTest, SmallMapHasTheExactBytes) {
    scopedWorkDir dir;
    writeFileText("new.txt", "m.kvm\nts\ncs\n3 2 S 0 rest of the line\n");
    newMap("new.txt");
    const std::vector<unsigned char> expected = {
        0, 6, 'A', 'S',            // version and type
        't', 's', 13,              // tile set name
        3, 0, 0, 0, 2, 0, 0, 0,    // width, height
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // six empty tiles
        0,                         // no global script
        0,                         // no campaign
        'c', 's', 13,              // character set name
        0, 0, 0, 0,                // no units
    };
    EXPECT_EQ(readFileBytes("m.kvm"), expected);
}

TEST(CreatorTest, SizeFollowsTheNamesAndTheTileCount) {
    scopedWorkDir dir;
    writeFileText("new.txt", "m.kvm\noutdoor\nsoldiers\n3 2 S 0\n");
    newMap("new.txt");
    EXPECT_EQ(readFileBytes("m.kvm").size(), 4u + (7 + 1) + 8 + 12 + 2 + (8 + 1) + 4);
}

TEST(CreatorTest, CampaignMapCarriesItsTextName) {
    scopedWorkDir dir;
    writeFileText("new.txt", "m.kvm\nts\ncs\n1 1 S 3\nchapter1\n");
    newMap("new.txt");
    const std::vector<unsigned char> bytes = readFileBytes("m.kvm");
    const std::vector<unsigned char> tail = {0, 0, 0, 1, 'c', 'h', 'a', 'p', 't', 'e', 'r', '1', 13,
                                             'c', 's', 13, 0, 0, 0, 0};
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(std::vector<unsigned char>(bytes.end() - tail.size(), bytes.end()), tail);
}

TEST(CreatorTest, WindowsLineEndsDoNotEnterTheNames) {
    scopedWorkDir dir;
    writeFileText("new.txt", "m.kvm\r\nts\r\ncs\r\n1 1 S 0\r\n");
    newMap("new.txt");
    EXPECT_EQ(readFileBytes("m.kvm").size(), 4u + 3 + 8 + 2 + 2 + 3 + 4);
}

TEST(CreatorTest, ImpossibleSizesWriteNoMap) {
    scopedWorkDir dir;
    writeFileText("a.txt", "a.kvm\nts\ncs\n-1 5 S 0\n");
    writeFileText("b.txt", "b.kvm\nts\ncs\n100000 100000 S 0\n");
    newMap("a.txt");
    newMap("b.txt");
    EXPECT_FALSE(fileExists("a.kvm"));
    EXPECT_FALSE(fileExists("b.kvm"));
}

TEST(CreatorTest, MissingDescriptionIsFatal) {
    scopedWorkDir dir;
    EXPECT_EXIT(newMap("none.txt"), testing::ExitedWithCode(0), "^Failed to open file!\n$");
}

}  // namespace

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

// The tail from the one tile on: the campaign byte is the flag's lowest bit;
// the text follows exactly when that byte is set.
TEST(CreatorTest, CampaignTextFollowsExactlyWhenTheCampaignByteIsSet) {
    const struct {
        int flag;
        std::vector<unsigned char> tail;
    } rows[] = {
        {3, {0, 0, 0, 1, 'c', 'h', 'a', 'p', 't', 'e', 'r', '1', 13, 'c', 's', 13, 0, 0, 0, 0}},
        {1, {0, 0, 0, 1, 'c', 'h', 'a', 'p', 't', 'e', 'r', '1', 13, 'c', 's', 13, 0, 0, 0, 0}},
        {2, {0, 0, 0, 0, 'c', 's', 13, 0, 0, 0, 0}},
        {-2, {0, 0, 0, 0, 'c', 's', 13, 0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        scopedWorkDir dir;
        writeFileText("new.txt", "m.kvm\nts\ncs\n1 1 S " + std::to_string(row.flag) + "\nchapter1\n");
        newMap("new.txt");
        const std::vector<unsigned char> bytes = readFileBytes("m.kvm");
        ASSERT_EQ(bytes.size(), 4u + 3 + 8 + row.tail.size()) << row.flag;
        EXPECT_EQ(std::vector<unsigned char>(bytes.end() - row.tail.size(), bytes.end()), row.tail) << row.flag;
    }
}

TEST(CreatorTest, WindowsLineEndsDoNotEnterTheNames) {
    scopedWorkDir dir;
    writeFileText("new.txt", "m.kvm\r\nts\r\ncs\r\n1 1 S 0\r\n");
    newMap("new.txt");
    EXPECT_EQ(readFileBytes("m.kvm").size(), 4u + 3 + 8 + 2 + 2 + 3 + 4);
}

TEST(CreatorTest, ImpossibleSizesAreReportedAndWriteNoMap) {
    for (const char* size : {"-1 5", "5 0", "4097 1", "1 4097", "100000 100000", "x y"}) {
        scopedWorkDir dir;
        writeFileText("new.txt", std::string("m.kvm\nts\ncs\n") + size + " S 0\n");
        EXPECT_EXIT(newMap("new.txt"), testing::ExitedWithCode(0), "^Invalid map size\n$") << size;
        EXPECT_FALSE(fileExists("m.kvm")) << size;
    }
}

TEST(CreatorTest, MissingDescriptionIsFatal) {
    scopedWorkDir dir;
    EXPECT_EXIT(newMap("none.txt"), testing::ExitedWithCode(0), "^Failed to open file!\n$");
}

}  // namespace

#include "app/creator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/helpers.h"
#include "support/test_files.h"

using bytes = std::vector<unsigned char>;

// A 3 x 2 map; the campaign byte is the flag's lowest bit and the text
// follows exactly when that byte is set. Windows line ends don't enter the
// names.
TEST(CreatorTest, DescriptionsWriteTheExactMapBytesOrAreReported) {
    bytes head = {0, 6, 'A', 'S', 't', 's', 13, 3, 0, 0, 0, 2, 0, 0, 0};  // version, type, tile set, width, height
    head.insert(head.end(), 13, 0);                                      // six empty tiles, no global script
    const bytes chapter = {1, 'c', 'h', 'a', 'p', 't', 'e', 'r', '1', 13}, charset = {'c', 's', 13, 0, 0, 0, 0};
    const struct { const char* what; std::string end, flag; bool campaign; } rows[] = {
        {"CR LF lines, flag 0", "\r\n", "0", false},
        {"flag 1 stores byte 1 and the text", "\r\n", "1", true},
        {"flag 2 stores byte 0 and no text", "\n", "2", false},
    };
    for (const auto& r : rows) {
        scopedWorkDir dir;
        const std::string& e = r.end;
        writeFileText("new.txt", "m.kvm" + e + "ts" + e + "cs" + e + "3 2 S " + r.flag + " rest" + e + "chapter1" + e);
        newMap("new.txt");
        bytes expected = head;
        if (r.campaign) expected.insert(expected.end(), chapter.begin(), chapter.end());
        else expected.push_back(0);
        expected.insert(expected.end(), charset.begin(), charset.end());  // character set, no units
        EXPECT_EQ(readFileBytes("m.kvm"), expected) << r.what;
    }
    // Impossible sizes or no description are reported and write no map.
    for (const char* size : {"-1 5", "5 0", "4097 1", "1 4097", static_cast<const char*>(nullptr)}) {
        scopedWorkDir dir;
        if (size) writeFileText("new.txt", std::string("m.kvm\nts\ncs\n") + size + " S 0\n");
        const char* said = size ? "^Invalid map size\n$" : "^Failed to open file!\n$";
        EXPECT_EXIT(newMap("new.txt"), testing::ExitedWithCode(0), said) << (size ? size : "no description");
        EXPECT_FALSE(fileExists("m.kvm"));
    }
}


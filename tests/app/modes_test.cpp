#include "app/modes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_files.h"

// The tool modes run without graphics: without a file they return at once
// and write nothing; the creator writes the map its description names.
TEST(ModesTest, ToolModesRunWithoutGraphics) {
    scopedWorkDir dir;
    const auto run = [](std::vector<std::string> words) {
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        return runProgram(static_cast<int>(argv.size()), argv.data());
    };
    EXPECT_EQ(run({"korvalt", "creator"}), 0);
    EXPECT_EQ(run({"korvalt", "compiler"}), 0);
    EXPECT_TRUE(std::filesystem::is_empty("."));
    writeFileText("new.txt", "m.kvm\nts\ncs\n2 2 S 0\n");
    EXPECT_EQ(run({"korvalt", "creator", "new.txt"}), 0);
    EXPECT_EQ(readFileBytes("m.kvm").size(), 4u + 3 + 8 + 8 + 2 + 3 + 4);
}

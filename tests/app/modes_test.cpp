#include "app/modes.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_files.h"

// The tool modes run without graphics: without a file they return at once
// and write nothing; the creator writes the map its description names.
TEST(ModesTest, ToolModesRunWithoutGraphics) {
    scopedWorkDir dir;
    char name[] = "korvalt", creator[] = "creator", compiler[] = "compiler", file[] = "new.txt";
    char *creatorOnly[] = {name, creator}, *compilerOnly[] = {name, compiler}, *withFile[] = {name, creator, file};
    EXPECT_EQ(runProgram(2, creatorOnly), 0);
    EXPECT_EQ(runProgram(2, compilerOnly), 0);
    EXPECT_TRUE(std::filesystem::is_empty("."));
    writeFileText("new.txt", "m.kvm\nts\ncs\n2 2 S 0\n");
    EXPECT_EQ(runProgram(3, withFile), 0);
    EXPECT_EQ(readFileBytes("m.kvm").size(), 4u + 3 + 8 + 8 + 2 + 3 + 4);
}

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "app/startup.h"
#include "support/test_files.h"

// The fresh copy tells by its status that it runs in this folder; a
// missing program returns with the reason in errno.
TEST(RelaunchTest, ReplacesTheProcessWithTheProgramInTheSameFolder) {
    scopedWorkDir dir;
    writeFileText("program", "#!/bin/sh\n[ -f program ] && exit 3\nexit 4\n");
    chmod("program", 0755);
    EXPECT_EXIT(relaunch(std::filesystem::absolute("program").c_str()), testing::ExitedWithCode(3), "");
    EXPECT_EXIT((relaunch("./missing"), std::exit(errno == ENOENT ? 5 : 6)), testing::ExitedWithCode(5), "");
}

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/helpers.h"
#include "app/startup.h"
#include "support/test_files.h"

namespace {

TEST(RelaunchTest, StartsAFreshCopyOfTheExecutable) {
    scopedWorkDir dir;
    writeFileText("program", "#!/bin/sh\ntouch started\n");
    chmod("program", 0755);
    const std::string path = std::filesystem::absolute("program").string();
    ASSERT_TRUE(relaunch(path.c_str()));
    for (int i = 0; i < 100 && !fileExists("started"); i++) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(fileExists("started"));
}

}  // namespace

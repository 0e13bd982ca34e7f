// The game's error paths end the process with status 0, so a test that runs
// into one by mistake would end the binary as if everything had passed. The
// guard turns an exit before the tests are through into a failure; the child
// of a death test, which is meant to exit, is left alone.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

inline int runAllTestsGuarded() {
    static bool done = false;
    if (testing::GTEST_FLAG(internal_run_death_test).empty())
        std::atexit([] {
            if (done) return;
            std::fputs("The test binary ended before its tests were through.\n", stderr);
            _exit(1);
        });
    const int result = RUN_ALL_TESTS();
    done = true;
    return result;
}

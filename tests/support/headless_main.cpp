// Test entry for the headless unit tests: Allegro without a system driver
// gives memory bitmaps, datafiles and fonts without a window.
#include <allegro.h>
#include <gtest/gtest.h>

#include "support/early_exit_guard.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::GTEST_FLAG(death_test_style) = "threadsafe";
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    return runAllTestsGuarded();
}

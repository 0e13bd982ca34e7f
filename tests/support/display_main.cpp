// Test entry for tests that need Allegro's timer, keyboard, mouse or a
// window; run under Xvfb.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/early_exit_guard.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::GTEST_FLAG(death_test_style) = "threadsafe";
    // A display server that is busy starting others may refuse the first try.
    int tries = 0;
    while (allegro_init() != 0)
        if (++tries == 5) return 1; else usleep(200 * 1000);
    if (install_timer() != 0 || install_keyboard() != 0) return 1;
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 800, 600, 0, 0) != 0) return 1;
    return runAllTestsGuarded();
}

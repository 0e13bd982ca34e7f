#include "ui/menu_options.h"

#include <gtest/gtest.h>

#include "support/menu_input.h"

namespace {

class OptionsScreen : public menuTest {};

// Defaults in force: Fullscreen, 32 bits, VSync on, Complex SFX on, SFX
// volume 255, music volume 175. With Allegro's 8-pixel font a row is 11
// pixels high and the full screen's first row starts at y 245; the last
// row (Exit discarding) at 344.
TEST_F(OptionsScreen, KeysWheelPointerAndClicksEditTheCopy) {
    struct row {
        const char* what;
        bool full;
        const char* script;
        optionsOutcome outcome;
        char mode, vsync, complexSfx;
        int colorDepth, sfxVolume, musicVolume;
    };
    using o = optionsOutcome;
    const row rows[] = {
        {"Left on Display mode picks Windowed", true, "Left", o::editing, 2, 1, 1, 32, 255, 175},
        {"Right on Color depth picks 16", true, "Down Right", o::editing, 1, 1, 1, 16, 255, 175},
        {"Right on VSync turns it off", true, "Down Down Right", o::editing, 1, 0, 1, 32, 255, 175},
        {"the bound strafe key chooses too", true, "S S S D", o::editing, 1, 1, 0, 32, 255, 175},
        {"holding Left lowers the music volume by one a step", true, "Up Up Up Up hold:Left:10", o::editing, 1, 1,
         1, 32, 255, 165},
        {"holding Left stops at 0", true, "Up Up Up Up hold:Left:200", o::editing, 1, 1, 1, 32, 255, 0},
        {"holding Right stops at 255", true, "Up Up Up Up Up hold:Right:5", o::editing, 1, 1, 1, 32, 255, 175},
        {"the wheel adds its movement", true, "Up Up Up Up wheel:3 wheel:-10", o::editing, 1, 1, 1, 32, 255, 168},
        {"a held Left changes no choice row twice", true, "hold:Left:3 Right", o::editing, 1, 1, 1, 32, 255, 175},
        {"Enter on a choice row does nothing", true, "Enter", o::editing, 1, 1, 1, 32, 255, 175},
        {"without full Down from Display mode goes to VSync", false, "Down Right", o::editing, 1, 0, 1, 32, 255, 175},
        {"without full Up from VSync goes to Display mode", false, "Down Up Left", o::editing, 2, 1, 1, 32, 255, 175},
        {"Up from the first row wraps to Exit discarding", true, "Up Enter", o::discarded, 1, 1, 1, 32, 255, 175},
        {"Controls asks for the key-change screen", true, "Up Up Up Enter", o::controls, 1, 1, 1, 32, 255, 175},
        {"Exit saving changes keeps them", true, "Left Up Up Space", o::saved, 2, 1, 1, 32, 255, 175},
        {"Exit discarding changes drops them", true, "Left Down Right Up Up Enter", o::discarded, 1, 1, 1, 32, 255,
         175},
        {"a click activates the selected row", true, "Up click", o::discarded, 1, 1, 1, 32, 255, 175},
        {"a pointer in the last row's band selects it", true, "ptr:400:350 Enter", o::discarded, 1, 1, 1, 32, 255,
         175},
        {"the last row reaches to the bottom", true, "ptr:400:590 click", o::discarded, 1, 1, 1, 32, 255, 175},
        {"a pointer above the first row selects nothing", true, "Down ptr:400:10 Right", o::editing, 1, 1, 1, 16,
         255, 175},
    };
    for (const row& r : rows) {
        keyStates.resetAll();
        optionsScreen screen(r.full);
        const bool ended = menuScript::run(screen, r.script);
        EXPECT_EQ(ended, r.outcome != o::editing) << r.what;
        EXPECT_EQ(screen.outcome, r.outcome) << r.what;
        EXPECT_EQ(screen.settings.mode, r.mode) << r.what;
        EXPECT_EQ(screen.settings.vsync, r.vsync) << r.what;
        EXPECT_EQ(screen.settings.complexSfx, r.complexSfx) << r.what;
        EXPECT_EQ(screen.settings.colorDepth, r.colorDepth) << r.what;
        EXPECT_EQ(screen.settings.sfxVolume, r.sfxVolume) << r.what;
        EXPECT_EQ(screen.settings.musicVolume, r.musicVolume) << r.what;
    }
}

TEST_F(OptionsScreen, DiscardingAfterNewKeysKeepsEveryBinding) {
    optionsScreen screen(true);
    screen.settings.keys[SLOT_SHOOT] = KEY_X;
    ASSERT_TRUE(menuScript::run(screen, "Up Enter"));
    for (int slot = 0; slot < KEY_SLOTS; slot++) EXPECT_EQ(screen.settings.keys[slot], DEFAULT_KEYS[slot]) << slot;
}

TEST(OptionsLevels, ShowAsTruncatedPercent) {
    struct row { int value; const char* shown; };
    const row rows[] = {{0, " - 0%"}, {175, " - 68%"}, {254, " - 99%"}, {255, " - 100%"}};
    for (const row& r : rows) EXPECT_EQ(levelText(r.value), r.shown) << r.value;
}

}  // namespace

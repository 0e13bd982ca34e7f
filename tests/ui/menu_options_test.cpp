#include "ui/menu_options.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/menu_input.h"

class OptionsScreen : public menuTest {};

// The settings that differ from the defaults, as "name value" words.
static std::string changes(const globals& s) {
    const std::tuple<const char*, int, int> fields[] = {{"mode", s.mode, 1},          {"vsync", s.vsync, 1},
                                                        {"depth", s.colorDepth, 32},  {"sfx", s.sfxVolume, 255},
                                                        {"music", s.musicVolume, 175}, {"complex", s.complexSfx, 1}};
    std::string out;
    for (const auto& [name, now, usual] : fields)
        if (now != usual) out += std::string(out.empty() ? "" : " ") + name + " " + std::to_string(now);
    return out;
}

// Defaults in force: Fullscreen, 32 bits, VSync on, Complex SFX on, SFX
// volume 255, music volume 175. With Allegro's 8-pixel font a row is 11
// pixels high and the full screen's first row starts at y 245; the last
// row (Exit discarding) at 344.
TEST_F(OptionsScreen, KeysPointerAndClicksEditACopyThatLeavingHandsOn) {
    using o = optionsOutcome;
    const struct { const char* what; bool full; const char* script; o outcome; const char* changed; } rows[] = {
        {"Left on Display mode picks Windowed", true, "Left", o::editing, "mode 2"},
        {"Right on Color depth picks 16", true, "Down Right", o::editing, "depth 16"},
        {"the bound strafe key chooses too", true, "S S S D", o::editing, "complex 0"},
        {"held Left lowers the music volume by one a step", true, "Up Up Up Up hold:Left:10", o::editing, "music 165"},
        {"holding Right stops at 255", true, "Up Up Up Up Up hold:Right:5", o::editing, ""},
        {"without full Down from Display mode goes to VSync", false, "Down Right", o::editing, "vsync 0"},
        {"without full Up from VSync goes to Display mode", false, "Down Up Left", o::editing, "mode 2"},
        {"Controls asks for the key-change screen", true, "Up Up Up Enter", o::controls, ""},
        {"Exit saving changes keeps them", true, "Left Up Up Space", o::saved, "mode 2"},
        {"Up wraps to Exit discarding, which drops changes", true, "Left Down Right Up Up Enter", o::discarded, ""},
        {"the last row reaches to the bottom", true, "ptr:400:590 click", o::discarded, ""},
        {"a pointer above the first row selects nothing", true, "Down ptr:400:10 Right", o::editing, "depth 16"},
    };
    for (const auto& r : rows) {
        keyStates.resetAll();
        optionsScreen screen(r.full);
        EXPECT_EQ(menuScript::run(screen, r.script), r.outcome != o::editing) << r.what;
        EXPECT_EQ(screen.outcome, r.outcome) << r.what;
        EXPECT_EQ(changes(screen.settings), r.changed) << r.what;
    }
    // Leaving hands over the copy, keeping the screenshots taken meanwhile,
    // and tells whether the game must restart.
    globals copy;
    copy = global;
    copy.musicVolume = 100;
    global.screenshotNumber = 7;
    EXPECT_FALSE(applyOptions(copy));  // a new volume needs no restart
    EXPECT_EQ(std::make_pair(int{global.musicVolume}, global.screenshotNumber), std::make_pair(100, 7));
    copy.colorDepth = 16;
    EXPECT_TRUE(applyOptions(copy));  // a new colour depth does
    EXPECT_EQ(global.colorDepth, 16);
    copy.videoBitmaps = 1;
    EXPECT_TRUE(applyOptions(copy));  // so do video bitmaps
    global.setDefaults(32);
    // Volumes show as truncated percentages.
    const std::pair<int, const char*> levels[] = {{0, " - 0%"}, {175, " - 68%"}, {254, " - 99%"}, {255, " - 100%"}};
    for (const auto& [value, shown] : levels) EXPECT_EQ(levelText(value), shown) << value;
}

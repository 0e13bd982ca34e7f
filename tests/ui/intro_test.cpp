#include "ui/intro.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/menu_input.h"

class IntroScreen : public menuTest {};

// After so many steps: the counter, the logo's scale, the line and whether
// it shows, whether the intro has settled, the address line's brightness,
// whether a first start may end it, and how often the sample was due.
TEST_F(IntroScreen, TheTimelineFollowsTheCounterAndAKeyEndsItOnAFirstStartOnlyAfterTheFadeIn) {
    const struct {
        int steps, counter; float scale; const char* line; bool shown, settled; int light; bool firstSkips; int samples;
    } steps[] = {
        {1, 111, 1.0f / 64, "A", false, false, 0, false, 0},
        {127, -15, 1.0f, "A Dunmirrow game", true, true, 3, false, 4},
        {210, -15, 1.0f, "A Dunmirrow game", true, true, 252, true, 4},
        {400, -15, 1.0f, "A Dunmirrow game", true, true, 255, true, 4},
    };
    for (const auto& r : steps) {
        SCOPED_TRACE(r.steps);
        introTimeline t;
        int samples = 0;
        for (int i = 0; i < r.steps; i++) samples += t.advance();
        EXPECT_FLOAT_EQ(t.logoScale(), r.scale);
        EXPECT_EQ(std::make_tuple(t.counter(), t.line(), t.lineShown(), t.settled(), t.brightness(), t.skippable(true)),
                  std::make_tuple(r.counter, std::string(r.line), r.shown, r.settled, r.light, r.firstSkips));
        EXPECT_EQ(samples, r.samples);
    }
    // Only the sample is used by the steps; any bitmap stands for the pictures.
    SAMPLE* sample = create_sample(8, 0, 11025, 16);
    DATAFILE items[5] = {{global.buffer, DAT_BITMAP, 0, nullptr}, {global.buffer, DAT_BITMAP, 0, nullptr},
                         {sample, DAT_SAMPLE, 0, nullptr}, {global.buffer, DAT_BITMAP, 0, nullptr},
                         {nullptr, DAT_END, 0, nullptr}};
    const struct { const char* what; bool firstStart; const char* script; bool ended; } rows[] = {
        {"a later start ends at the first key", false, "idle:5 X", true},
        {"F9 only takes a screenshot", false, "F9", false},
        {"a first start ignores keys before the fade-in", true, "idle:100 X idle:100", false},
        {"a first start ends at a key after it", true, "idle:209 X", true},
        {"a key held since before the fade-in is no new press", true, "hold:X:220", false},
    };
    for (const auto& r : rows) {
        keyStates.resetAll();
        introScreen screen(items, global.buffer, r.firstStart, 0);
        EXPECT_EQ(menuScript::run(screen, r.script), r.ended) << r.what;
    }
    // The screen needs its four items with their types.
    EXPECT_TRUE(introDataUsable(items) && !introDataUsable(nullptr));
    items[1].type = DAT_SAMPLE;  // where the logo belongs
    EXPECT_FALSE(introDataUsable(items));
    items[1].type = DAT_END;  // only one item
    EXPECT_FALSE(introDataUsable(items));
    destroy_sample(sample);
}

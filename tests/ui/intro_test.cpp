#include "ui/intro.h"

#include <gtest/gtest.h>

#include "content/game_folder.h"
#include "support/menu_input.h"

namespace {

TEST(IntroTimeline, LogoLineSampleAndFadeFollowTheCounter) {
    struct row {
        int steps;
        int counter;
        float logoScale;
        const char* line;
        bool lineShown, settled;
        int brightness;
        bool skippableOnFirstStart;
    };
    const row rows[] = {
        {0, 112, 0.0f, "A", false, false, 0, false},
        {1, 111, 1.0f / 64, "A", false, false, 0, false},
        {64, 48, 1.0f, "A", false, false, 0, false},
        {80, 32, 1.0f, "A", true, false, 0, false},
        {96, 16, 1.0f, "A Dunmirrow", true, false, 0, false},
        {112, 0, 1.0f, "A Dunmirrow game", true, false, 0, false},
        {126, -14, 1.0f, "A Dunmirrow game", true, false, 0, false},
        {127, -15, 1.0f, "A Dunmirrow game", true, true, 3, false},
        {209, -15, 1.0f, "A Dunmirrow game", true, true, 249, false},
        {210, -15, 1.0f, "A Dunmirrow game", true, true, 252, true},
        {400, -15, 1.0f, "A Dunmirrow game", true, true, 255, true},
    };
    for (const row& r : rows) {
        introTimeline t;
        for (int i = 0; i < r.steps; i++) t.advance();
        EXPECT_EQ(t.counter(), r.counter) << r.steps;
        EXPECT_FLOAT_EQ(t.logoScale(), r.logoScale) << r.steps;
        EXPECT_EQ(t.line(), r.line) << r.steps;
        EXPECT_EQ(t.lineShown(), r.lineShown) << r.steps;
        EXPECT_EQ(t.settled(), r.settled) << r.steps;
        EXPECT_EQ(t.brightness(), r.brightness) << r.steps;
        EXPECT_EQ(t.skippable(true), r.skippableOnFirstStart) << r.steps;
        EXPECT_TRUE(t.skippable(false)) << r.steps;
    }
}

TEST(IntroTimeline, SamplePlaysAtTheFourCounters) {
    introTimeline t;
    std::vector<int> counters;
    for (int i = 0; i < 300; i++)
        if (t.advance()) counters.push_back(t.counter());
    EXPECT_EQ(counters, (std::vector<int>{48, 32, 16, 0}));
}

class IntroScreen : public menuTest {};

TEST_F(IntroScreen, AKeyEndsItOnAFirstStartOnlyAfterTheFadeIn) {
    Datafile data = loadGameDatafile("data/intro.dat");
    ASSERT_TRUE(introDataUsable(data.get()));
    struct row { const char* what; bool firstStart; const char* script; bool ended; };
    const row rows[] = {
        {"a later start ends at the first key", false, "idle:5 X", true},
        {"F9 only takes a screenshot", false, "F9", false},
        {"a first start ignores keys before the fade-in", true, "idle:100 X idle:100", false},
        {"a first start ends at a key after it", true, "idle:209 X", true},
        {"a key held since before the fade-in is no new press", true, "hold:X:220", false},
    };
    for (const row& r : rows) {
        keyStates.resetAll();
        introScreen screen(data.get(), global.buffer, r.firstStart, 0);
        EXPECT_EQ(menuScript::run(screen, r.script), r.ended) << r.what;
    }
}

TEST(IntroData, NeedsItsFourItemsWithTheirTypes) {
    Datafile intro = loadGameDatafile("data/intro.dat");
    Datafile fonts = loadGameDatafile("data/data.dat");
    EXPECT_TRUE(introDataUsable(intro.get()));
    EXPECT_FALSE(introDataUsable(fonts.get()));
    EXPECT_FALSE(introDataUsable(nullptr));
}

}  // namespace

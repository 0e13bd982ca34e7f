#include "ui/intro.h"

#include <gtest/gtest.h>

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

// An intro datafile in memory: background, logo, sample, corner picture.
// Tests may change the item types; the items are freed by what they are.
class introData {
public:
    introData()
        : background(create_bitmap(800, 600)), logo(create_bitmap(64, 32)),
          sample(create_sample(8, 0, 11025, 16)), corner(create_bitmap(16, 16)) {
        items[0] = {background, DAT_BITMAP, 0, nullptr};
        items[1] = {logo, DAT_BITMAP, 0, nullptr};
        items[2] = {sample, DAT_SAMPLE, 0, nullptr};
        items[3] = {corner, DAT_BITMAP, 0, nullptr};
        items[4] = {nullptr, DAT_END, 0, nullptr};
    }
    ~introData() {
        destroy_bitmap(background);
        destroy_bitmap(logo);
        destroy_sample(sample);
        destroy_bitmap(corner);
    }
    DATAFILE* get() { return items; }

private:
    BITMAP* background;
    BITMAP* logo;
    SAMPLE* sample;
    BITMAP* corner;
    DATAFILE items[5];
};

class IntroScreen : public menuTest {};

TEST_F(IntroScreen, AKeyEndsItOnAFirstStartOnlyAfterTheFadeIn) {
    introData data;
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
    struct row { const char* what; int item, type; bool usable; };
    const row rows[] = {
        {"the four items", -1, 0, true},
        {"a sample where the logo belongs", 1, DAT_SAMPLE, false},
        {"a bitmap where the sample belongs", 2, DAT_BITMAP, false},
        {"a font for the corner picture", 3, DAT_FONT, false},
        {"only three items", 3, DAT_END, false},
    };
    for (const row& r : rows) {
        introData data;
        DATAFILE* items = data.get();
        if (r.item >= 0) items[r.item].type = r.type;
        EXPECT_EQ(introDataUsable(items), r.usable) << r.what;
    }
    EXPECT_FALSE(introDataUsable(nullptr));
}

}  // namespace

#include "app/pacer.h"

#include <gtest/gtest.h>

#include "app/helpers.h"

namespace {

struct countingScreen : pacedScreen {
    int steps = 0, frames = 0, stopAfter = 1000;
    bool step() override { return ++steps < stopAfter; }
    void draw() override { ++frames; }
};

TEST(Pacer, PassRunsDueStepsWithinTheLimitAndDrawsOnce) {
    const struct { const char* what; pacing how; int ticks, stopAfter, steps, frames, left; bool running; } rows[] = {
        {"game loop drops the backlog past the skip limit", {4, 0, false}, 10, 1000, 4, 1, 0, true},
        {"game loop draws nothing without a tick", {4, 0, false}, 0, 1000, 0, 0, 0, true},
        {"menu takes one tick per frame and keeps the rest", {1, 0, true}, 3, 1000, 1, 1, 2, true},
        {"menu draws every pass", {1, 0, true}, 0, 1000, 0, 1, 0, true},
        {"a step that ends the screen stops the pass", {4, 0, false}, 3, 2, 2, 1, 1, false},
    };
    for (const auto& r : rows) {
        countingScreen screen;
        screen.stopAfter = r.stopAfter;
        timerCounter = r.ticks;
        EXPECT_EQ(pacedPass(screen, r.how, [](int) {}), r.running) << r.what;
        EXPECT_EQ(screen.steps, r.steps) << r.what;
        EXPECT_EQ(screen.frames, r.frames) << r.what;
        EXPECT_EQ(timerCounter.load(), r.left) << r.what;
    }
    timerCounter = 0;
}

}  // namespace

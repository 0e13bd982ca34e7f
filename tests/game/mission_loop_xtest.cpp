#include <allegro.h>
#include <gtest/gtest.h>

#include "app/helpers.h"
#include "mission_fixture.h"

using namespace gametest;

namespace {

// The mission fixture on the real screen, with the tick interrupt running.
class MissionLoop : public missionTest {
protected:
    void SetUp() override {
        missionTest::SetUp();
        destroy_bitmap(screen);
        screen = oldScreen;
        install_int_ex(timerCounterUpdater, BPS_TO_TIMER(TIMER_FPS));
    }
    void TearDown() override {
        remove_int(timerCounterUpdater);
        timerCounter = 0;
        screen = create_bitmap(1, 1);  // the fixture frees its own screen
        missionTest::TearDown();
    }
};

}  // namespace

TEST_F(MissionLoop, AScriptNamingGOEndsTheRealLoopAfterTheCountdown) {
    missionFiles files;
    files.units = {{0, 48, 48}, {1, 200, 200}};
    files.globalScript = "event global\ninc %40\nequal %40 3\nif ZFLAG\ngoto GO\nendif\nend\n";
    write(files);
    auto game = std::make_unique<singlePlayerGame>("m", 4, 3, hooks);
    std::string name = "m";
    EXPECT_EQ((*game)(name), 1);
    EXPECT_EQ(name, "GO");
    EXPECT_EQ(game->ticks, 3 + END_COUNTDOWN + 1);
    EXPECT_EQ(game->gameOverPicture, nullptr) << "the end pictures go with the loop";
}

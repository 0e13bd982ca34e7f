#include "app/input.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

class InputTest : public testing::Test {
protected:
    void SetUp() override { releaseAll(); }
    void TearDown() override { releaseAll(); }
    static void releaseAll() {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        keyStates.resetAll();
        mouse_b = mouse_x = mouse_y = mouse_z = 0;
        oldMouseZ = 0;
        down = click = false;
    }
};

// A press is reported once; a release and a new press unseen in between
// are no new press. setState sets the latch, resetAll clears them all.
TEST_F(InputTest, HeldKeyIsReportedOnceUntilSeenReleased) {
    const struct { int held; int reported; } calls[] = {{1, 1}, {1, 0}, {1, 0}, {0, 0}, {1, 1}};
    for (const auto& c : calls) {
        key[KEY_W] = c.held;
        EXPECT_EQ(keyStates[KEY_W], c.reported);
    }
    key[KEY_E] = 1;
    keyStates.setState(KEY_E, 1);
    EXPECT_EQ(keyStates.getKey(KEY_E), 0);
    keyStates.resetAll();
    EXPECT_EQ(keyStates[KEY_E], 1);
}

TEST_F(InputTest, CodesOutsideTheTableAreNeverPressedAndHaveNoName) {
    for (int code : {127, -1, 1 << 30}) {
        EXPECT_EQ(keyStates[code], 0) << code;
        keyStates.setState(code, 1);
        EXPECT_EQ(keyName(code), "") << code;
    }
}

TEST_F(InputTest, AnyKeyReportsTheFirstNewPressOnly) {
    key[KEY_A] = key[KEY_B] = 1;
    EXPECT_EQ(keyStates.anyKey() + keyStates.anyKey(), 2);  // latches A, then B
    EXPECT_EQ(keyStates.anyKey(), 0);
    EXPECT_EQ(keyStates[KEY_B], 0);
    key[KEY_A] = 0;
    EXPECT_EQ(keyStates.anyKey(), 0);  // sees A released
    key[KEY_A] = 1;
    EXPECT_EQ(keyStates.anyKey(), 1);
}

// A click is a press and a release in place, taken once, within a tick.
TEST_F(InputTest, ClicksArePressAndReleaseInPlace) {
    const struct { const char* what; std::vector<std::pair<int, bool>> ticks; bool click; } rows[] = {  // x, button
        {"press only", {{10, true}}, false},
        {"press and release in place", {{10, true}, {10, true}, {10, false}}, true},
        {"one pixel moved", {{10, true}, {11, false}}, false},
        {"untaken click expires", {{10, true}, {10, false}, {10, false}}, false},
    };
    for (const auto& row : rows) {
        releaseAll();
        for (const auto& [x, pressed] : row.ticks) {
            mouse_x = x, mouse_y = 20, mouse_b = pressed;
            mouseCallback(0);
        }
        EXPECT_EQ(clickEvent(), row.click) << row.what;
        EXPECT_FALSE(clickEvent()) << row.what << ": taken once";
    }
}

// The wheel's movement since the last tick, as often as it is asked.
TEST_F(InputTest, WheelEventsLastForTheWholeTick) {
    const struct { int z; bool up, down; } ticks[] = {{2, true, false}, {1, false, true}, {1, false, false}};
    for (const auto& t : ticks) {
        mouse_z = t.z;
        mouseCallback(0);
        for (int ask = 0; ask < 2; ask++)
            EXPECT_EQ(std::make_pair(wheelUpEvent(), wheelDownEvent()), std::make_pair(t.up, t.down)) << t.z;
    }
}

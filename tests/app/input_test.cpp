#include "app/input.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

class InputTest : public testing::Test {
protected:
    void SetUp() override { releaseAll(); }
    void TearDown() override { releaseAll(); }
    static void releaseAll() {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        keyStates.resetAll();
        mouse_b = 0;
        mouse_x = mouse_y = mouse_z = 0;
        oldMouseZ = 0;
        down = false;
        click = false;
    }
    // One timer tick with the pointer at (x, y) and the left button state.
    static void tick(int x, int y, bool pressed) {
        mouse_x = x;
        mouse_y = y;
        mouse_b = pressed ? 1 : 0;
        mouseCallback(0);
    }
};

TEST_F(InputTest, HeldKeyIsReportedOnceUntilSeenReleased) {
    key[KEY_W] = 1;
    EXPECT_EQ(keyStates[KEY_W], 1);
    EXPECT_EQ(keyStates[KEY_W], 0);
    EXPECT_EQ(keyStates.getKey(KEY_W), 0);
    key[KEY_W] = 0;
    key[KEY_W] = 1;  // released and pressed again without a call in between
    EXPECT_EQ(keyStates[KEY_W], 0);
    key[KEY_W] = 0;
    EXPECT_EQ(keyStates[KEY_W], 0);
    key[KEY_W] = 1;
    EXPECT_EQ(keyStates[KEY_W], 1);
}

TEST_F(InputTest, CodesOutsideTheTableAreNeverPressed) {
    EXPECT_EQ(keyStates[127], 0);
    EXPECT_EQ(keyStates[-1], 0);
    EXPECT_EQ(keyStates[1 << 30], 0);
    keyStates.setState(-5, 1);
    keyStates.setState(500, 1);
}

TEST_F(InputTest, AnyKeyReportsTheFirstNewPressOnly) {
    key[KEY_A] = 1;
    key[KEY_B] = 1;
    EXPECT_EQ(keyStates.anyKey(), 1);  // latches A
    EXPECT_EQ(keyStates.anyKey(), 1);  // latches B
    EXPECT_EQ(keyStates.anyKey(), 0);
    EXPECT_EQ(keyStates[KEY_B], 0);
    key[KEY_A] = 0;
    EXPECT_EQ(keyStates.anyKey(), 0);  // sees A released
    key[KEY_A] = 1;
    EXPECT_EQ(keyStates.anyKey(), 1);
}

TEST_F(InputTest, SetStateAndResetAllControlTheLatches) {
    key[KEY_E] = 1;
    keyStates.setState(KEY_E, 1);
    EXPECT_EQ(keyStates[KEY_E], 0);
    keyStates.resetAll();
    EXPECT_EQ(keyStates[KEY_E], 1);
}

// The names sit at their scan codes; codes outside the table have none.
TEST_F(InputTest, KeyNamesFollowTheScanCodes) {
    EXPECT_EQ(keyNames[KEY_A], "A");
    EXPECT_EQ(keyNames[KEY_LCONTROL], "Left Ctrl");
    EXPECT_EQ(keyNames[KEY_CAPSLOCK], "Capslock");
    EXPECT_EQ(keyName(127), "");
    EXPECT_EQ(keyName(-1), "");
}

// A click is a press and a release in place, taken once, within a tick.
TEST_F(InputTest, ClicksArePressAndReleaseInPlace) {
    struct sample {
        int x;
        bool pressed;
    };
    const struct {
        const char* what;
        std::vector<sample> ticks;
        bool click;
    } rows[] = {
        {"press only", {{10, true}}, false},
        {"press and release in place", {{10, true}, {10, true}, {10, false}}, true},
        {"one pixel moved", {{10, true}, {11, false}}, false},
        {"untaken click expires", {{10, true}, {10, false}, {10, false}}, false},
    };
    for (const auto& row : rows) {
        releaseAll();
        for (const sample& t : row.ticks) tick(t.x, 20, t.pressed);
        EXPECT_EQ(clickEvent(), row.click) << row.what;
        EXPECT_FALSE(clickEvent()) << row.what << ": taken once";
    }
}

TEST_F(InputTest, WheelEventsLastForTheWholeTick) {
    mouse_z = 2;
    mouseCallback(0);
    EXPECT_TRUE(wheelUpEvent());
    EXPECT_TRUE(wheelUpEvent());
    EXPECT_FALSE(wheelDownEvent());
    mouse_z = 1;
    mouseCallback(0);
    EXPECT_TRUE(wheelDownEvent());
    mouseCallback(0);
    EXPECT_FALSE(wheelUpEvent());
    EXPECT_FALSE(wheelDownEvent());
}

}  // namespace

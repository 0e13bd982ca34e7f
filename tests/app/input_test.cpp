#include "app/input.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

static void releaseAll() {
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
    keyStates.resetAll();
    mouse_b = mouse_x = mouse_y = mouse_z = oldMouseZ = 0;
    down = click = false;
}

// A press is reported once; a release and a new press unseen in between
// are no new press (anyKey's latches are checked by the intro's tests).
// Codes outside the table are never pressed and have no name.
TEST(InputTest, KeyPressesAndClicksAreTakenOnceAndTheWheelLastsATick) {
    releaseAll();
    const struct { int held; int reported; } calls[] = {{1, 1}, {1, 0}, {0, 0}, {1, 1}};
    for (const auto& c : calls) {
        key[KEY_W] = c.held;
        EXPECT_EQ(keyStates[KEY_W], c.reported);
    }
    for (int code : {127, -1}) {
        keyStates.setState(code, 1);
        EXPECT_TRUE(keyStates[code] == 0 && keyName(code).empty()) << code;
    }
    // A click is a press and a release in place, taken once, within a tick;
    // the wheel's movement since the last tick lasts the whole tick.
    const struct { const char* what; std::vector<std::pair<int, bool>> ticks; bool click; } rows[] = {  // x, button
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
    const struct { int z; bool up, down; } ticks[] = {{2, true, false}, {1, false, true}, {1, false, false}};
    for (const auto& t : ticks) {
        mouse_z = t.z;
        mouseCallback(0);
        for (int ask = 0; ask < 2; ask++)
            EXPECT_EQ(std::make_pair(wheelUpEvent(), wheelDownEvent()), std::make_pair(t.up, t.down)) << t.z;
    }
    releaseAll();
}

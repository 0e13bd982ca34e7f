#include "app/menu_input.h"

#include <gtest/gtest.h>

#include "support/menu_input.h"

class MenuInput : public menuTest {};

// The menus ask up, down, left, right and confirm in this order each step;
// a key press must come out as exactly one of them (or none).
TEST_F(MenuInput, FixedKeysAndBindingsGiveTheMenuDirections) {
    // slot and boundTo: a changed binding
    const struct { const char* what; int slot, boundTo, pressed; const char* reported; } rows[] = {
        {"a changed binding", SLOT_BACKWARD, KEY_K, KEY_K, "down"},
        {"the old key of a changed binding", SLOT_BACKWARD, KEY_K, KEY_S, ""},
        {"Down bound to moving forward still means down", SLOT_FORWARD, KEY_DOWN, KEY_DOWN, "down"},
        {"Left bound to strafing right still means left", SLOT_STRAFE_RIGHT, KEY_LEFT, KEY_LEFT, "left"},
        {"Enter always confirms", SLOT_USE, KEY_U, KEY_ENTER, "confirm"},
    };
    const char* const names[] = {"up", "down", "left", "right", "confirm"};
    for (const auto& r : rows) {
        keyStates.resetAll();
        global.setDefaults(32);
        global.keys[r.slot] = r.boundTo;
        key[r.pressed] = 1;
        std::string reported;
        for (int i = 0; i < 5; i++) reported += menuPressed(static_cast<menuKey>(i)) ? names[i] : "";
        EXPECT_EQ(reported, r.reported) << r.what;
        key[r.pressed] = 0;
    }
}

#include "app/key_change.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/menu_input.h"

class KeyChangeScreen : public menuTest {};

const std::string toShoot = "Down Down Down Down Enter ", usedForward = "This key is already used for moving forward";

// Default bindings: W forward, S backward, A and D strafe, Left Ctrl shoot,
// Space use. With Allegro's 8-pixel font the list starts at y 228 and a
// row is 11 pixels high; the selected row's help line adds 11.
TEST_F(KeyChangeScreen, ListAndPromptBindOnlyFreeUnreservedKeys) {
    const struct {
        const char* what; std::string script; bool ended; int prompting, shoot; std::string warning; int warningTicks;
    } rows[] = {
        {"Up from the first row wraps to Finished", "Up Enter", true, -1, KEY_LCONTROL, "", 0},
        {"a free key binds and closes the prompt", toShoot + "X", false, -1, KEY_X, "", 0},
        {"a key of another action warns and binds nothing", toShoot + "W", false, 4, KEY_LCONTROL, usedForward, 79},
        {"F9 is reserved", toShoot + "F9", false, 4, KEY_LCONTROL, "F9 is a reserved key", 79},
        {"the digit 3 is reserved", toShoot + "3", false, 4, KEY_LCONTROL, "3 is a reserved key", 79},
        {"and is gone after them", toShoot + "W idle:79", false, 4, KEY_LCONTROL, "", 0},
        {"Enter never becomes a binding", toShoot + "Enter", false, 4, KEY_LCONTROL, "", 0},
        {"Esc leaves the prompt unchanged", toShoot + "Esc", false, -1, KEY_LCONTROL, "", 0},
        {"until its 16 ticks are used up", "S S S S Space hold:Space:20", false, 4, KEY_LCONTROL,
         "This key is already used for using things like health stations", 79},
        {"the key just bound is no new press in the list", toShoot + "hold:Down:3 Enter", false, 4, KEY_DOWN, "", 0},
        {"a pointer in a row's band selects it", "ptr:400:285 click X", false, -1, KEY_X, "", 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        keyStates.resetAll();
        globals settings;
        settings = global;
        keyChangeScreen screen(settings);
        const bool ended = menuScript::run(screen, r.script);
        EXPECT_EQ(std::make_tuple(ended, screen.prompting(), settings.keys[SLOT_SHOOT], screen.warningTicks()),
                  std::make_tuple(r.ended, r.prompting, r.shoot, r.warningTicks));
        EXPECT_EQ(r.warningTicks > 0 ? screen.warning() : "", r.warning);
    }
}

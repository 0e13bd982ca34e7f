#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

#include "support/menu_input.h"
#include "support/pixels.h"

class ButtonMenu : public menuTest {
protected:
    void SetUp() override {
        menuTest::SetUp();
        look = {font, 50, create_bitmap(300, 44), create_bitmap(300, 44), global.mainMenu,
                makecol(153, 153, 153), makecol(0, 0, 0), makecol(255, 255, 255)};
        clear_to_color(look.button, makecol(200, 200, 200));
        clear_to_color(look.buttonOther, makecol(40, 40, 40));
    }
    void TearDown() override {
        for (BITMAP* b : {look.button, look.buttonOther}) destroy_bitmap(b);
        menuTest::TearDown();
    }
    buttonMenuLook look;
};

const std::vector<std::string> FIVE = {"New Game", "Load Game", "Multiplayer", "Options", "Exit"};

// Five buttons of 300 x 44 in slices of 100 from y 50: item i spans x 250
// to 549 and y 78 + 100 i to 121 + 100 i. At opening the pointer rests in
// the corner unless moved, and a key may be held.
TEST_F(ButtonMenu, KeysPointerAndClicksChooseAnEnabledItemWhoseLabelIsCutToFit) {
    const struct { const char* what; std::vector<bool> on; int start, chosen; const char *atOpen, *script; } rows[] = {
        {"Up from the first item wraps to the last", {1, 1, 1, 1, 1}, 0, 4, "", "Up Enter"},
        {"Down passes over a disabled item", {1, 0, 1, 1, 1}, 0, 2, "", "Down Enter"},
        {"a disabled start moves forward", {1, 0, 1, 1, 1}, 1, 2, "", "Enter"},
        {"with nothing enabled the last item is", {0, 0, 0, 0, 0}, 0, 4, "", "Down Enter"},
        {"a pointer inside a button selects it", {1, 1, 1, 1, 1}, 0, 2, "", "ptr:400:300 click"},
        {"a pointer on a button's left edge does not", {1, 1, 1, 1, 1}, 0, 0, "", "ptr:250:300 click"},
        {"a pointer between buttons does not", {1, 1, 1, 1, 1}, 1, 1, "", "ptr:400:250 click"},
        {"a pointer over a disabled button does not", {1, 0, 1, 1, 1}, 0, 0, "", "ptr:400:200 click"},
        {"a pointer resting at opening selects nothing", {1, 1, 1, 1, 1}, 0, 1, "ptr:400:300", "Down Enter"},
        {"a press of Down pending at opening is dropped", {1, 1, 1, 1, 1}, 0, 0, "Down", "hold:Down:3 Enter"},
    };
    for (const auto& r : rows) {
        keyStates.resetAll();
        mouse_x = mouse_y = 0;
        const std::vector<menuScript::tick> opening = menuScript::parse(r.atOpen);
        menuScript::apply(opening.empty() ? menuScript::tick{} : opening[0]);
        buttonMenu menu(r.start, FIVE, r.on, look);
        EXPECT_TRUE(menuScript::run(menu, r.script)) << r.what;
        EXPECT_EQ(menu.choice(), r.chosen) << r.what;
    }
    // Allegro's font is 8 pixels a character: 36 fit into 300 - 6; longer
    // labels are cut before a blank and end in dots. The selected label,
    // the others and a disabled one are drawn in their colours.
    const std::string a32(32, 'a'), x36(36, 'x');
    buttonMenu menu(0, {"New Game", x36 + "x", a32 + " bbbbbbbbbb", x36, "Exit"}, {1, 0, 1, 1, 1}, look);
    EXPECT_EQ(menu.shownLabel(1), std::string(33, 'x') + "...");
    EXPECT_EQ(menu.shownLabel(2), a32 + "...");
    EXPECT_EQ(menu.shownLabel(3), x36);
    menu.render();
    const auto labelHas = [&](int item, int colour) {
        return holdsColour(global.buffer, 250, menu.buttonTop(item), 300, 44, colour);
    };
    EXPECT_TRUE(labelHas(1, look.disabledColour));
    EXPECT_TRUE(labelHas(0, look.selectedColour));
    EXPECT_TRUE(labelHas(2, look.normalColour));
}

#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

#include "support/menu_input.h"
#include "support/pixels.h"

namespace {

class ButtonMenu : public menuTest {
protected:
    void SetUp() override {
        menuTest::SetUp();
        look.font = font;
        look.margin = 50;
        look.button = create_bitmap(300, 44);
        look.buttonOther = create_bitmap(300, 44);
        clear_to_color(look.button, makecol(200, 200, 200));
        clear_to_color(look.buttonOther, makecol(40, 40, 40));
        look.background = global.mainMenu;
        look.normalColour = makecol(153, 153, 153);
        look.selectedColour = makecol(0, 0, 0);
        look.disabledColour = makecol(255, 255, 255);
    }
    void TearDown() override {
        destroy_bitmap(look.button);
        destroy_bitmap(look.buttonOther);
        menuTest::TearDown();
    }
    buttonMenuLook look;
};

const std::vector<std::string> FIVE = {"New Game", "Load Game", "Multiplayer", "Options", "Exit"};

// Five buttons of 300 x 44 in slices of 100 from y 50: item i spans x 250
// to 549 and y 78 + 100 i to 121 + 100 i.
TEST_F(ButtonMenu, KeysPointerAndClicksChooseAnEnabledItem) {
    struct row {
        const char* what;
        std::vector<bool> enabled;
        int start;
        int pointerAtOpen;  // y of a resting pointer at x 400, -1 for the corner
        const char* heldAtOpen;
        const char* script;
        int chosen;
    };
    const std::vector<bool> all(5, true), noLoad = {true, false, true, true, true}, none(5, false);
    const row rows[] = {
        {"Down then Enter chooses the next item", all, 0, -1, nullptr, "Down Enter", 1},
        {"Up from the first item wraps to the last", all, 0, -1, nullptr, "Up Enter", 4},
        {"Down from the last item wraps to the first", all, 4, -1, nullptr, "Down Enter", 0},
        {"a held key moves once", all, 0, -1, nullptr, "hold:Down:6 Enter", 1},
        {"Down passes over a disabled item", noLoad, 0, -1, nullptr, "Down Enter", 2},
        {"Up passes over a disabled item", noLoad, 2, -1, nullptr, "Up Enter", 0},
        {"a disabled start moves forward", noLoad, 1, -1, nullptr, "Enter", 2},
        {"with nothing enabled the last item is", none, 0, -1, nullptr, "Down Enter", 4},
        {"the bound keys navigate and confirm", all, 0, -1, nullptr, "S S W Space", 1},
        {"a click chooses the selected item", all, 3, -1, nullptr, "click", 3},
        {"a pointer inside a button selects it", all, 0, -1, nullptr, "ptr:400:300 click", 2},
        {"a pointer on a button's left edge does not", all, 0, -1, nullptr, "ptr:250:300 click", 0},
        {"a pointer on a button's top edge does not", all, 0, -1, nullptr, "ptr:400:278 click", 0},
        {"a pointer between buttons does not", all, 1, -1, nullptr, "ptr:400:250 click", 1},
        {"a pointer over a disabled button does not", noLoad, 0, -1, nullptr, "ptr:400:200 click", 0},
        {"a resting pointer leaves the keys in charge", all, 0, -1, nullptr, "ptr:400:300 Down Down Enter", 4},
        {"a pointer resting at opening selects nothing", all, 0, 300, nullptr, "Down Enter", 1},
        {"a press of Down pending at opening is dropped", all, 0, -1, "Down", "hold:Down:3 Enter", 0},
        {"a press of the bound Up key pending at opening is dropped", all, 0, -1, "W", "hold:W:3 Enter", 0},
    };
    for (const row& r : rows) {
        keyStates.resetAll();
        mouse_x = r.pointerAtOpen < 0 ? 0 : 400;
        mouse_y = r.pointerAtOpen < 0 ? 0 : r.pointerAtOpen;
        if (r.heldAtOpen) key[menuScript::codeOf(r.heldAtOpen)] = 1;
        buttonMenu menu(r.start, FIVE, r.enabled, look);
        if (r.heldAtOpen) menuScript::apply({menuScript::codeOf(r.heldAtOpen)});
        EXPECT_TRUE(menuScript::run(menu, r.script)) << r.what;
        EXPECT_EQ(menu.choice(), r.chosen) << r.what;
    }
}

TEST_F(ButtonMenu, LongLabelsAreCutBeforeABlankAndEndInDots) {
    // Allegro's font is 8 pixels a character: 36 fit into 300 - 6.
    struct row { const char* what; std::string label, shown; };
    const std::string a32(32, 'a');
    const row rows[] = {
        {"a label that fits stays", "Slot 1: Empty", "Slot 1: Empty"},
        {"36 characters fit", std::string(36, 'x'), std::string(36, 'x')},
        {"37 are cut to 33 and dots", std::string(37, 'x'), std::string(33, 'x') + "..."},
        {"no blank before the dots", a32 + " bbbbbbbbbb", a32 + "..."},
    };
    for (const row& r : rows) {
        buttonMenu menu(0, {r.label, "Cancel"}, {true, true}, look);
        EXPECT_EQ(menu.shownLabel(0), r.shown) << r.what;
    }
}

TEST_F(ButtonMenu, ADisabledItemIsDrawnInTheDisabledColour) {
    buttonMenu menu(0, FIVE, {true, false, true, true, true}, look);
    menu.render();
    auto labelHas = [&](int item, int colour) {
        return holdsColour(global.buffer, 250, menu.buttonTop(item), 300, 44, colour);
    };
    EXPECT_TRUE(labelHas(1, look.disabledColour));
    EXPECT_TRUE(labelHas(0, look.selectedColour));
    EXPECT_TRUE(labelHas(2, look.normalColour));
    EXPECT_FALSE(labelHas(2, look.disabledColour));
}

}  // namespace

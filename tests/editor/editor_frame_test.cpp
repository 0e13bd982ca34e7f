// The editor's frame: unit numbers in their colours, the overview marker.
#include "editor_fixture.h"
#include "support/pixels.h"

using namespace edtest;

// 100 x 50 tiles: the overview in 400 x 300 has 4 pixels a tile, a
// 400 x 200 picture centred at (200, 200). P = 1, E = 3, K = 2: types 0
// to 5 exist, and a type beyond them is numbered in the warning colour.
TEST_F(EditorTest, FrameNumbersUnitsAndTheOverviewMarksTheCursorCellOrTheCurrentUnit) {
    open(100, 50, {{1, 10 * 32 + 5, 20 * 32 + 5, 0, ""}, {5, 100, 100, 0, ""}, {6, 200, 100, 0, ""}});
    editor->draw();
    const int white = makecol(255, 255, 255), warning = makecol(255, 150, 0);
    EXPECT_TRUE(holdsColour(global.buffer, 100, 100, 10, 10, white));
    EXPECT_FALSE(holdsColour(global.buffer, 100, 100, 10, 10, warning));
    EXPECT_TRUE(holdsColour(global.buffer, 200, 100, 10, 10, warning));
    for (int i = 0; i < 3; ++i) holdSlot(SLOT_STRAFE_RIGHT);
    key[KEY_OVERVIEW] = 1;
    editor->draw();
    EXPECT_EQ(getpixel(global.buffer, 200 + 3 * 4 + 2, 200 + 2), makecol(0, 0, 255));
    EXPECT_EQ(getpixel(global.buffer, 199, 250), makecol(0, 0, 0)) << "outline";
    editor->mode = mapEditor::UNIT_MODE;
    editor->draw();
    EXPECT_EQ(getpixel(global.buffer, 200 + 40, 200 + 80), makecol(0, 0, 255));
    key[KEY_OVERVIEW] = 0;
}

// The editor's construction and the logic steps of both modes.
#include <tuple>

#include "editor_fixture.h"

using namespace edtest;

TEST_F(EditorTest, RefusesPrecompiledMapsAndMissingCharacterSets) {
    writeMap(2, 2, {}, 1);
    EXPECT_EXIT(mapEditor("maps/level.kvm", dialogs), testing::ExitedWithCode(0),
                "Error013: Editor error:\nPrecompiled scripts are illegal for editing");
    maptest::mapBytes().header('S', "t.dat", 1, 1).plainTiles(1).byte(0).byte(0).text("chars.txt").int32(1)
        .byte(1).float32(4).float32(4).byte(0).byte(0).byte(1).byte(0xFF).write("maps/pre.kvm");
    EXPECT_EXIT(mapEditor("maps/pre.kvm", dialogs), testing::ExitedWithCode(0),
                "Precompiled scripts are illegal for editing");
    std::filesystem::remove("chars.txt");
    writeMap(2, 2);
    EXPECT_EXIT(mapEditor("maps/level.kvm", dialogs), testing::ExitedWithCode(0), "Failed to open set of characters");
    EXPECT_EXIT(mapEditor("maps/none.kvm", dialogs), testing::ExitedWithCode(0), "Failed to open file");
}

// A held key moves a unit 32 / divisor pixels a step (the divisor starts
// at 8, F5 lowers it to 1 at least, F6 raises it) while it is at least 4
// pixels from the edge it moves towards.
TEST_F(EditorTest, HeldMovementStepsByThirtyTwoOverTheDivisorAndStopsNearTheEdges) {
    struct row { const char* what; float x, y; int slot, steps; float wantX, wantY; };
    const row rows[] = {
        {"ten steps left", 100, 100, SLOT_STRAFE_LEFT, 10, 60, 100},
        {"x = 3 doesn't move left", 3, 50, SLOT_STRAFE_LEFT, 1, 3, 50},
        {"x = 5 moves left to 1", 5, 50, SLOT_STRAFE_LEFT, 1, 1, 50},
        {"y = 3 doesn't move up", 50, 3, SLOT_FORWARD, 1, 50, 3},
        {"x = 316 on a 10-wide map moves right", 316, 50, SLOT_STRAFE_RIGHT, 1, 320, 50},
        {"x = 317 doesn't move right", 317, 50, SLOT_STRAFE_RIGHT, 1, 317, 50},
        {"y = 317 doesn't move down", 50, 317, SLOT_BACKWARD, 1, 50, 317},
    };
    for (const row& r : rows) {
        open(10, 10, {{1, r.x, r.y, 0, ""}});
        holdSlot(SLOT_EXTRA);
        holdSlot(r.slot, r.steps);
        EXPECT_EQ(std::make_pair(unit(0).posX, unit(0).posY), std::make_pair(r.wantX, r.wantY)) << r.what;
    }
    for (int i = 0; i < 8; ++i) hold({KEY_FINER_STEP});
    holdSlot(SLOT_FORWARD);
    EXPECT_EQ(unit(0).posY, 317 - 32) << "the divisor never below 1";
    hold({KEY_COARSER_STEP});
    EXPECT_EQ(editor->stepDivisor, 2);
}

// The tile choice stays within the set; a stroke of Use held while the
// cursor walks is one step; Shift moves the cursor while held, within the
// map, and Shift and Next show its position instead of choosing a tile.
TEST_F(EditorTest, TileModeStaysInRangeAndPaintsAHeldStrokeAsOneStep) {
    open(6, 4);
    holdSlot(SLOT_PREVIOUS_WEAPON);
    EXPECT_EQ(editor->currentTile, 0);
    for (int i = 0; i < 6; ++i) holdSlot(SLOT_NEXT_WEAPON);
    EXPECT_EQ(editor->currentTile, 3) << "the last tile of a set of 4";
    for (int slot : {SLOT_PREVIOUS_WEAPON, SLOT_STRAFE_RIGHT, SLOT_BACKWARD}) holdSlot(slot);
    // A 3 x 2 rectangle of tile 2 from (1, 1).
    key[DEFAULT_KEYS[SLOT_USE]] = 1;
    editor->step();
    for (int slot : {SLOT_STRAFE_RIGHT, SLOT_STRAFE_RIGHT, SLOT_BACKWARD, SLOT_STRAFE_LEFT, SLOT_STRAFE_LEFT})
        holdSlot(slot);
    key[DEFAULT_KEYS[SLOT_USE]] = 0;
    editor->step();
    EXPECT_EQ(editor->history.undoSteps(), 1u);
    const std::vector<char> want{0, 0, 0, 0, 0, 0, 0, 2, 2, 2, 0, 0, 0, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(editor->map.tiles, want);
    hold({DEFAULT_KEYS[SLOT_AIMING_HELP], DEFAULT_KEYS[SLOT_STRAFE_RIGHT], DEFAULT_KEYS[SLOT_BACKWARD]}, 6);
    dialogs.buttons = {1};
    shifted(SLOT_NEXT_WEAPON);
    EXPECT_EQ(dialogs.asked.back(), (std::vector<std::string>{"X: 5/6", "Y: 3/4"}));
    EXPECT_EQ(editor->currentTile, 2) << "with Shift held the tile stays";
}

// Unit mode without units asks at once for one (No goes back to tile
// mode); a fresh unit holds type P. Shift turns a unit, wrapping, and
// retypes it within 0 and the largest type, which sets its look.
TEST_F(EditorTest, UnitModeCreatesTurnsAndRetypesUnits) {
    open(5, 5);
    for (int answer : {2, 1}) {
        dialogs.buttons = {answer};
        holdSlot(SLOT_EXTRA);
        editor->step();
        EXPECT_EQ(dialogs.asked.back()[0], "Create new unit?");
        EXPECT_EQ(editor->mode, answer == 1 ? mapEditor::UNIT_MODE : mapEditor::TILE_MODE);
        EXPECT_EQ(editor->units.count, answer == 1 ? 1 : 0);
    }
    editor->step();  // with a unit nothing is asked
    EXPECT_EQ(std::make_pair(unit(0).type, unit(0).state), std::make_pair(1, static_cast<int>(LOOK_ENEMY)));
    unit(0).direction = 1;
    shifted(SLOT_STRAFE_LEFT, 3);
    EXPECT_EQ(unit(0).direction, 254);
    for (int i = 0; i < 3; ++i) shifted(SLOT_FORWARD);
    EXPECT_EQ(unit(0).state, LOOK_CIVILIAN);
    for (int i = 0; i < 6; ++i) shifted(SLOT_BACKWARD);
    EXPECT_EQ(std::make_pair(unit(0).type, unit(0).state), std::make_pair(0, static_cast<int>(LOOK_PLAYER)))
        << "never below 0";
    for (int i = 0; i < 200; ++i) shifted(SLOT_FORWARD);
    EXPECT_EQ(unit(0).type, MAX_UNIT_TYPE) << "a type the map's byte can hold";
}


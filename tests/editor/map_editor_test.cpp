// The editor's construction and the logic steps of both modes.
#include "editor_fixture.h"
#include "map/map_file.h"

using namespace edtest;

TEST_F(EditorTest, UnitLooksFollowTheCharacterSetCounts) {
    struct row {
        const char* what;
        int players, enemies, civilians;
        std::vector<int> types, looks;
        int spareLook;
    };
    const row rows[] = {
        {"P = 1, E = 3: player, enemies, civilian", 1, 3, 2, {0, 1, 3, 4}, {0, 1, 1, 2}, 1},
        {"no enemies: a spare slot looks civilian", 1, 0, 2, {0, 1}, {0, 2}, 2},
        {"no player: type 0 is an enemy", 0, 2, 0, {0, 1, 2}, {1, 1, 2}, 1},
    };
    for (const row& r : rows) {
        writeCharacterSet(r.players, r.enemies, r.civilians);
        std::vector<unitAt> placed;
        for (int t : r.types) placed.push_back({t, 40, 40, 0, ""});
        open(10, 10, placed);
        for (std::size_t i = 0; i < r.types.size(); ++i) EXPECT_EQ(unit(i).state, r.looks[i]) << r.what;
        const edUnit& spare = unit(static_cast<int>(r.types.size()));
        EXPECT_EQ(spare.type, r.players) << r.what;
        EXPECT_EQ(spare.state, r.spareLook) << r.what;
        EXPECT_EQ(spare.posX, 0) << r.what;
    }
}

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

TEST_F(EditorTest, UnitModeWithoutUnitsAsksAtOnceAndNoGoesBackToTileMode) {
    open(5, 5);
    dialogs.buttons = {2};
    tapSlot(SLOT_EXTRA);
    step();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.lastLine(), "Create new unit?");
    EXPECT_EQ(editor->mode, mapEditor::TILE_MODE);
    EXPECT_EQ(editor->units.count, 0);

    dialogs.buttons = {1};
    tapSlot(SLOT_EXTRA);
    step();
    EXPECT_EQ(editor->mode, mapEditor::UNIT_MODE);
    EXPECT_EQ(editor->units.count, 1);
    EXPECT_EQ(unit(0).type, 1) << "a fresh slot holds type P";
    step();
    EXPECT_EQ(dialogs.asked.size(), 2u) << "with a unit nothing is asked";
}

TEST_F(EditorTest, HeldMovementStepsByThirtyTwoOverTheDivisor) {
    open(20, 20, {{1, 100, 100, 0, ""}});
    toUnitMode();
    holdSlot(SLOT_STRAFE_LEFT, 10);
    EXPECT_EQ(unit(0).posX, 60);
    for (int i = 0; i < 7; ++i) tap(KEY_FINER_STEP);
    EXPECT_EQ(editor->stepDivisor, 1);
    tap(KEY_FINER_STEP);
    EXPECT_EQ(editor->stepDivisor, 1) << "never below 1";
    holdSlot(SLOT_BACKWARD, 1);
    EXPECT_EQ(unit(0).posY, 132);
}

TEST_F(EditorTest, UnitsStopNearTheMapEdges) {
    struct row {
        const char* what;
        float x, y;
        int slot;
        float wantX, wantY;
    };
    const row rows[] = {
        {"x = 3 doesn't move left", 3, 50, SLOT_STRAFE_LEFT, 3, 50},
        {"x = 5 moves left to 1", 5, 50, SLOT_STRAFE_LEFT, 1, 50},
        {"y = 3 doesn't move up", 50, 3, SLOT_FORWARD, 50, 3},
        {"x = 316 on a 10-wide map moves right", 316, 50, SLOT_STRAFE_RIGHT, 320, 50},
        {"x = 317 doesn't move right", 317, 50, SLOT_STRAFE_RIGHT, 317, 50},
        {"y = 317 doesn't move down", 50, 317, SLOT_BACKWARD, 50, 317},
    };
    for (const row& r : rows) {
        open(10, 10, {{1, r.x, r.y, 0, ""}});
        toUnitMode();
        holdSlot(r.slot, 1);
        EXPECT_EQ(unit(0).posX, r.wantX) << r.what;
        EXPECT_EQ(unit(0).posY, r.wantY) << r.what;
    }
}

TEST_F(EditorTest, DeletingTheFirstOfThreeMovesTheLastIntoItsPlace) {
    open(10, 10, {{0, 10, 10, 0, ""}, {1, 20, 20, 5, ""}, {4, 30, 40, 99, "scripts/guard.ukv"}});
    toUnitMode();
    dialogs.buttons = {1};
    tapSlot(SLOT_USE);
    EXPECT_EQ(dialogs.lastLine(), "Delete current unit?");
    ASSERT_EQ(editor->units.count, 2);
    EXPECT_EQ(unit(0).type, 4);
    EXPECT_EQ(unit(0).state, LOOK_CIVILIAN);
    EXPECT_EQ(unit(0).posX, 30);
    EXPECT_EQ(unit(0).posY, 40);
    EXPECT_EQ(unit(0).direction, 99);
    EXPECT_EQ(editor->units.scripts[0], "scripts/guard.ukv");
    EXPECT_EQ(unit(1).type, 1);
}

TEST_F(EditorTest, ShiftAndNextShowsTheCursorPosition) {
    open(40, 30);
    for (int i = 0; i < 5; ++i) tapSlot(SLOT_STRAFE_RIGHT);
    for (int i = 0; i < 7; ++i) tapSlot(SLOT_BACKWARD);
    dialogs.buttons = {1};
    hold({DEFAULT_KEYS[SLOT_AIMING_HELP], DEFAULT_KEYS[SLOT_NEXT_WEAPON]}, 1);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0], (std::vector<std::string>{"X: 5/40", "Y: 7/30"}));
    EXPECT_EQ(editor->currentTile, 0) << "with Shift held the tile stays";
}

TEST_F(EditorTest, CursorAndTileChoiceStayInRange) {
    open(3, 2);
    hold({DEFAULT_KEYS[SLOT_AIMING_HELP], DEFAULT_KEYS[SLOT_STRAFE_RIGHT], DEFAULT_KEYS[SLOT_BACKWARD]}, 6);
    EXPECT_EQ(editor->column, 2);
    EXPECT_EQ(editor->row, 1);
    tapSlot(SLOT_PREVIOUS_WEAPON);
    EXPECT_EQ(editor->currentTile, 0);
    for (int i = 0; i < 6; ++i) tapSlot(SLOT_NEXT_WEAPON);
    EXPECT_EQ(editor->currentTile, 3) << "the last tile of a set of 4";
}

TEST_F(EditorTest, TurningWrapsAndRetypingSetsTheLook) {
    open(10, 10, {{0, 50, 50, 1, ""}});
    toUnitMode();
    hold({DEFAULT_KEYS[SLOT_AIMING_HELP], DEFAULT_KEYS[SLOT_STRAFE_LEFT]}, 3);
    EXPECT_EQ(unit(0).direction, 254);
    const int shift = DEFAULT_KEYS[SLOT_AIMING_HELP];
    auto retype = [&](int slot) { hold({shift, DEFAULT_KEYS[slot]}, 1); };
    retype(SLOT_FORWARD);
    EXPECT_EQ(unit(0).type, 1);
    EXPECT_EQ(unit(0).state, LOOK_ENEMY);
    for (int i = 0; i < 3; ++i) retype(SLOT_FORWARD);
    EXPECT_EQ(unit(0).state, LOOK_CIVILIAN);
    for (int i = 0; i < 6; ++i) retype(SLOT_BACKWARD);
    EXPECT_EQ(unit(0).type, 0) << "never below 0";
    EXPECT_EQ(unit(0).state, LOOK_PLAYER);
    for (int i = 0; i < 200; ++i) retype(SLOT_FORWARD);
    EXPECT_EQ(unit(0).type, MAX_UNIT_TYPE) << "a type the map's byte can hold";
}

TEST_F(EditorTest, ScriptQuestionsSetReplaceOrRemoveTheScript) {
    struct row {
        const char* what;
        std::deque<int> buttons;
        std::deque<std::string> files;
        std::string before, after;
    };
    const row rows[] = {
        {"yes and a file", {1}, {"scripts/door.ukv"}, "", "scripts/door.ukv"},
        {"yes and cancel removes it", {1}, {""}, "scripts/door.ukv", ""},
        {"no removes it", {2}, {}, "scripts/door.ukv", ""},
    };
    for (const row& r : rows) {
        open(4, 4, {{1, 40, 40, 0, r.before}});
        editor->map.getScriptPath(0) = r.before;
        dialogs.buttons = r.buttons;
        dialogs.files = r.files;
        tapSlot(SLOT_SHOOT);
        EXPECT_EQ(editor->map.scriptPathAt(0), r.after) << "tile: " << r.what;
        EXPECT_EQ(dialogs.lastLine(), "Use script for this tile?");
        toUnitMode();
        dialogs.buttons = r.buttons;
        dialogs.files = r.files;
        tapSlot(SLOT_SHOOT);
        EXPECT_EQ(editor->units.scripts[0], r.after) << "unit: " << r.what;
        EXPECT_EQ(dialogs.lastLine(1), "If a script was previously assigned to this unit,");
    }
}

TEST_F(EditorTest, PaintedRectangleIsSavedTileByTile) {
    open(6, 4);
    tapSlot(SLOT_NEXT_WEAPON);
    tapSlot(SLOT_NEXT_WEAPON);
    tapSlot(SLOT_STRAFE_RIGHT);
    tapSlot(SLOT_BACKWARD);
    // A 3 x 2 rectangle from (1, 1): Use held while the cursor walks.
    key[DEFAULT_KEYS[SLOT_USE]] = 1;
    step();
    for (int slot : {SLOT_STRAFE_RIGHT, SLOT_STRAFE_RIGHT, SLOT_BACKWARD, SLOT_STRAFE_LEFT, SLOT_STRAFE_LEFT})
        tapSlot(slot);
    key[DEFAULT_KEYS[SLOT_USE]] = 0;
    step();
    EXPECT_EQ(editor->history.undoSteps(), 1u) << "one held stroke is one step";
    saved("maps/out.kvm");

    editorMapClass readBack;
    std::ifstream file("maps/out.kvm", std::ios::binary);
    readBack.loadMap(file, "maps/out.kvm");
    std::vector<char> want(24, 0);
    for (int y = 1; y <= 2; ++y)
        for (int x = 1; x <= 3; ++x) want[y * 6 + x] = 2;
    EXPECT_EQ(readBack.tiles, want);
}

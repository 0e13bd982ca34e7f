// Undo and redo put back exactly what an edit changed: the saved bytes
// before an edit and after its undo are the same.
#include <functional>

#include "editor_fixture.h"

using namespace edtest;

TEST_F(EditorTest, UndoOfEachKindOfEditRestoresTheSavedBytes) {
    struct row {
        const char* what;
        bool unitMode;
        std::function<void(EditorTest&)> edit;
    };
    const int shift = DEFAULT_KEYS[SLOT_AIMING_HELP];
    const row rows[] = {
        {"painting a tile", false,
         [](EditorTest& t) {
             t.tapSlot(SLOT_NEXT_WEAPON);
             t.holdSlot(SLOT_USE, 3);
         }},
        {"assigning a tile script", false,
         [](EditorTest& t) {
             t.dialogs.buttons = {1};
             t.dialogs.files = {"scripts/guard.ukv"};
             t.tapSlot(SLOT_SHOOT);
         }},
        {"removing a tile script", false,
         [](EditorTest& t) {
             t.tapSlot(SLOT_STRAFE_RIGHT);
             t.dialogs.buttons = {2};
             t.tapSlot(SLOT_SHOOT);
         }},
        {"creating a unit", true,
         [](EditorTest& t) {
             t.dialogs.buttons = {1};
             t.tapSlot(SLOT_DESCRIPTION);
         }},
        {"moving a unit for many steps", true, [](EditorTest& t) { t.holdSlot(SLOT_BACKWARD, 12); }},
        {"turning a unit", true, [shift](EditorTest& t) { t.hold({shift, DEFAULT_KEYS[SLOT_STRAFE_RIGHT]}, 9); }},
        {"retyping a unit", true, [shift](EditorTest& t) { t.hold({shift, DEFAULT_KEYS[SLOT_FORWARD]}, 1); }},
        {"deleting a unit", true,
         [](EditorTest& t) {
             t.dialogs.buttons = {1};
             t.tapSlot(SLOT_USE);
         }},
        {"assigning a unit script", true,
         [](EditorTest& t) {
             t.dialogs.buttons = {1};
             t.dialogs.files = {"scripts/door.ukv"};
             t.tapSlot(SLOT_SHOOT);
         }},
    };
    for (const row& r : rows) {
        open(4, 3, {{0, 40, 40, 0, ""}, {2, 70, 50, 30, "scripts/guard.ukv"}});
        editor->map.getScriptPath(1) = "scripts/door.ukv";
        if (r.unitMode) toUnitMode();
        const std::vector<unsigned char> before = saved();
        r.edit(*this);
        step();
        EXPECT_EQ(editor->history.undoSteps(), 1u) << r.what << ": one step";
        const std::vector<unsigned char> after = saved();
        EXPECT_NE(after, before) << r.what << ": the edit changed nothing";
        tap(KEY_UNDO);
        EXPECT_EQ(saved(), before) << r.what << ": undo";
        tap(KEY_REDO);
        EXPECT_EQ(saved(), after) << r.what << ": redo";
        tap(KEY_REDO);
        EXPECT_EQ(saved(), after) << r.what << ": nothing more to redo";
    }
}

TEST_F(EditorTest, KeepsAtLeast256StepsAndANewEditDropsTheRedoList) {
    open(4, 3, {{0, 40, 40, 0, ""}});
    toUnitMode();
    const std::vector<unsigned char> start = saved();
    for (int i = 0; i < 150; ++i) {
        dialogs.buttons = {1};
        tapSlot(SLOT_DESCRIPTION);
    }
    EXPECT_EQ(editor->history.undoSteps(), 150u);
    for (int i = 0; i < 150; ++i) tap(KEY_UNDO);
    EXPECT_EQ(saved(), start);
    EXPECT_EQ(editor->currentUnit, 0) << "kept on a unit in use";
    tap(KEY_REDO);
    EXPECT_EQ(editor->units.count, 2);
    holdSlot(SLOT_STRAFE_LEFT, 1);
    step();
    EXPECT_EQ(editor->history.redoSteps(), 0u);

    open(10, 10, {{0, 40, 40, 0, ""}});
    toUnitMode();
    const int shift = DEFAULT_KEYS[SLOT_AIMING_HELP];
    for (int i = 0; i < 300; ++i) hold({shift, DEFAULT_KEYS[i % 2 ? SLOT_BACKWARD : SLOT_FORWARD]}, 1);
    EXPECT_GE(editor->history.undoSteps(), 256u);
}

// Undo and redo put back exactly what an edit changed: the saved bytes
// before an edit and after its undo are the same.
#include "editor_fixture.h"

using namespace edtest;

TEST_F(EditorTest, UndoOfEachKindOfEditRestoresTheSavedBytesAndTheHistoryKeeps512Steps) {
    struct row { const char* what; bool unitMode; std::deque<int> buttons; std::deque<std::string> files;
                 void (*edit)(EditorTest&); };
    // Tile 1 holds a script: the cursor moves there and Shoot asks about it.
    const auto unscript = [](auto& t) { t.holdSlot(SLOT_STRAFE_RIGHT); t.holdSlot(SLOT_SHOOT); };
    const row rows[] = {
        {"painting a tile", false, {}, {}, [](auto& t) { t.holdSlot(SLOT_NEXT_WEAPON); t.holdSlot(SLOT_USE, 3); }},
        {"assigning a tile script", false, {1}, {"scripts/guard.ukv"}, [](auto& t) { t.holdSlot(SLOT_SHOOT); }},
        {"removing a tile script", false, {2}, {}, unscript},
        {"removing a tile script by cancelling the file", false, {1}, {""}, unscript},
        {"creating a unit", true, {1}, {}, [](auto& t) { t.holdSlot(SLOT_DESCRIPTION); }},
        {"moving a unit for many steps", true, {}, {}, [](auto& t) { t.holdSlot(SLOT_BACKWARD, 12); }},
        {"turning a unit", true, {}, {}, [](auto& t) { t.shifted(SLOT_STRAFE_RIGHT, 9); }},
        {"retyping a unit", true, {}, {}, [](auto& t) { t.shifted(SLOT_FORWARD); }},
        {"deleting a unit", true, {1}, {}, [](auto& t) { t.holdSlot(SLOT_USE); }},
        {"assigning a unit script", true, {1}, {"scripts/door.ukv"}, [](auto& t) { t.holdSlot(SLOT_SHOOT); }},
    };
    for (const row& r : rows) {
        open(4, 3, {{0, 40, 40, 0, ""}, {2, 70, 50, 30, "scripts/guard.ukv"}});
        editor->map.getScriptPath(1) = "scripts/door.ukv";
        if (r.unitMode) holdSlot(SLOT_EXTRA);
        const std::vector<unsigned char> before = saved();
        dialogs.queue(r.buttons, r.files);
        r.edit(*this);
        editor->step();
        EXPECT_EQ(editor->history.undoSteps(), 1u) << r.what << ": one step";
        const std::vector<unsigned char> after = saved();
        EXPECT_NE(after, before) << r.what << ": the edit changed nothing";
        hold({KEY_UNDO});
        EXPECT_EQ(saved(), before) << r.what << ": undo";
        hold({KEY_REDO});
        EXPECT_EQ(saved(), after) << r.what << ": redo";
        hold({KEY_REDO});
        EXPECT_EQ(saved(), after) << r.what << ": nothing more to redo";
    }
    // A new edit drops the redo list; the history keeps the last 512 steps.
    hold({KEY_UNDO});
    EXPECT_EQ(editor->history.redoSteps(), 1u);
    holdSlot(SLOT_STRAFE_LEFT);
    editor->step();
    EXPECT_EQ(editor->history.redoSteps(), 0u);
    for (int i = 0; i < 600; ++i) shifted(i % 2 ? SLOT_BACKWARD : SLOT_FORWARD);
    EXPECT_EQ(editor->history.undoSteps(), 512u);
}

// Esc, the save and quit questions, and saves that fail without losing
// the old file or the session.
#include "editor_fixture.h"

using namespace edtest;

TEST_F(EditorTest, EscDialogueSavesAndQuitsOnlyAsAnswered) {
    struct row { const char* what; std::deque<int> buttons; std::deque<std::string> files; bool quits, saves; };
    const row rows[] = {
        {"cancel", {3}, {}, false, false},
        {"no, then quit", {2, 1}, {}, true, false},
        {"yes, then cancel the kind of save", {1, 3}, {}, false, false},
        {"plain save cancelled in the file selector", {1, 1}, {""}, false, false},
        {"plain save, then quit", {1, 1, 1}, {"maps/out.kvm"}, true, true},
        {"pre-compiled save, then stay", {1, 2, 2}, {"maps/out.kvm"}, false, true},
    };
    for (const row& r : rows) {
        std::filesystem::remove("maps/out.kvm");
        open(3, 3);
        dialogs.asked.clear();
        dialogs.queue(r.buttons, r.files);
        EXPECT_EQ(hold({KEY_QUIT}), !r.quits) << r.what;
        EXPECT_EQ(fileExists("maps/out.kvm"), r.saves) << r.what;
        EXPECT_TRUE(dialogs.buttons.empty()) << r.what << ": questions left unasked";
        EXPECT_EQ(dialogs.asked[0][0], "Save map before before quitting?") << r.what;
    }
}

// A map opened and saved is unchanged. A save that fails, by a script
// that doesn't compile or a folder that isn't there, says why and changes
// nothing: not the old file, not the script paths, not the session.
TEST_F(EditorTest, SavesKeepTheMapAndFailedSavesKeepTheOldFileAndTheSession) {
    maptest::mapBytes m;
    m.header('S', "t.dat", 2, 2).plainTiles(4).byte(0).byte(1).text("intro").text("chars.txt").int32(1);
    m.byte(3).float32(50.5f).float32(20).byte(-56).byte(0).byte(2).text("scripts/guard.ukv");
    m.write("maps/level.kvm");
    editor = std::make_unique<mapEditor>("maps/level.kvm", dialogs);
    EXPECT_EQ(saved("maps/level.kvm"), m.b) << "opened and saved unchanged";
    writeFileText("scripts/bad.ukv", "event onUse\nadd %40 1\nfrobnicate 3\nend\n");
    editor->map.getScriptPath(3) = "scripts/bad.ukv";
    dialogs.queue({1, 2, 1}, {"maps/level.kvm"});
    EXPECT_TRUE(hold({KEY_QUIT}));
    ASSERT_EQ(dialogs.asked.size(), 3u) << "no \"Quit editor?\" after a failed save";
    EXPECT_EQ(dialogs.asked[2][0], "Script scripts/bad.ukv, line 3 does not compile:");
    EXPECT_EQ(dialogs.asked[2][1], "Unknown command frobnicate");
    EXPECT_EQ(readFileBytes("maps/level.kvm"), m.b);
    EXPECT_FALSE(fileExists("maps/level.kvm.tmp"));
    EXPECT_EQ(editor->map.scriptPathAt(3), "scripts/bad.ukv");

    editor->map.getScriptPath(2) = "elsewhere/door.ukv";
    dialogs.queue({1}, {"no/such/folder/level.kvm"});
    EXPECT_FALSE(editor->save(false));
    EXPECT_EQ(editor->map.scriptPathAt(2), "elsewhere/door.ukv");
    EXPECT_EQ(dialogs.asked.back()[0], "The map could not be saved:");
    EXPECT_NE(dialogs.asked.back()[1].find("No such file or directory"), std::string::npos) << dialogs.asked.back()[1];
    dialogs.files = {""};
    EXPECT_FALSE(editor->save(false)) << "a cancelled save is no error: nothing asked";
}

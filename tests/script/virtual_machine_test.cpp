// Running events: variables, blocks, messages, map graphics and faults.
#include "script/virtual_machine.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <climits>

#include "app/globals.h"
#include "platform/test_tone.h"
#include "script/script_test_support.h"
#include "ui/message.h"

namespace {

std::string faultOf(VirtualMachine& vm, bytecode code) { return vm.run(code).text; }

void runClean(VirtualMachine& vm, bytecode code) { EXPECT_EQ(vm.run(code).text, ""); }

}  // namespace

// Each row runs on a fresh machine and leaves its result in %40.
TEST(VirtualMachine, InstructionsLeaveTheirResult) {
    const scriptRow<const char*, int> rows[] = {
        {"div rounds toward zero", "set %40 -7\ndiv %40 3", -2},
        {"inc, dec, add, sub and mul wrap", "set %40 2147483647\ninc %40\ndec %40\nadd %40 1\nsub %40 1\nmul %40 2",
         -2},
        {"div by 0 and the most negative number by -1 stay", "set %40 -2147483648\ndiv %40 -1\ndiv %40 0", INT_MIN},
        {"equal and smaller write ZFLAG",
         "set LIFE 100\nequal LIFE 100\nset %40 ZFLAG\nsmaller -5 LIFE\nadd %40 ZFLAG\nsmaller LIFE -5\nsub %40 ZFLAG",
         2},
        {"if on 0 skips nested blocks and operands that look like markers",
         "if %41\n ifn %41\n  add %40 1\n endif\n add %40 -1\n add %40 253\n add %40 8\nendif\n"
         "ifn %41\n add %40 255\nendif\ninc %40",
         256},
        {"quit on FALSE, quitn on TRUE and goto go on", "quit FALSE\nquitn TRUE\ngoto x\ninc %40\nquita\ninc %40", 1},
        {"quit on TRUE stops", "quit TRUE\ninc %40", 0},
        {"quitn on FALSE stops", "quitn FALSE\ninc %40", 0},
    };
    for (const auto& r : rows) {
        VirtualMachine vm;
        runClean(vm, compiledEvent(r.in));
        EXPECT_EQ(vm.variables[40], r.out) << r.what;
        EXPECT_EQ(vm.variables[VAR_MISSIONSOLVED], 1) << r.what;  // no objectives
    }
}

TEST(VirtualMachine, RefusesFaultyCodeAtRunTime) {
    const scriptRow<bytes, std::string> rows[] = {
        {"set of ZFLAG", {3, 0x0F, 12, 0x10, 1, 0, 0, 0}, "Illegal 'write' operation on protected memory!"},
        {"index 128", {4, 0x0F, 128}, "Illegal 'read' operation on protected memory!"},
        {"if on a constant", {8, 0x10, 1, 0, 0, 0}, "Unexpected constant value!"},
        {"inc of a constant", {4, 0x10, 1, 0, 0, 0}, "Unexpected constant value!"},
        {"bad operand tag", {3, 0x0F, 40, 0x20, 1}, "Unexpected value for argument identifier!"},
        {"constant cut off", {3, 0x0F, 40, 0x10, 1, 0}, "Unexpected end of script code!"},
        {"text without its end", {10, 'a'}, "Unexpected end of script code!"},
        {"block end without a block", {0xFD}, "Too many ends in script!"},
        {"msgkey 12", {28, 0x10, 12, 0, 0, 0}, "msgkey value out of range!"},
        {"msgkey -1", {28, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}, "msgkey value out of range!"},
        {"a skip without a block end stops at the end", {8, 0x0F, 40, 29}, ""},
    };
    for (const auto& r : rows) {
        VirtualMachine vm;
        EXPECT_EQ(faultOf(vm, rawEvent(r.in)), r.out) << r.what;
        EXPECT_EQ(vm.variables[12], 0) << r.what;
    }
    // An unknown command names its position and the open blocks.
    VirtualMachine vm;
    vm.variables[40] = 1;
    bytecode code = rawEvent({8, 0x0F, 40, 29, 0x0F, 40, 0, 0, 0xFD});  // jmpif is never run
    EXPECT_EXIT(vm.compute(code), testing::ExitedWithCode(0),
                "Command 29 at position 4, missing 1 ends\nError012: Script error:\nUnknown command");
    EXPECT_EXIT(vm.getVar(-1, false), testing::ExitedWithCode(0), "Illegal 'read' operation on protected memory!");
}

// One machine through objectives, a map, a message queue and sounds. Only
// five objective variables exist: a larger count means five. Map positions
// outside the map are ignored.
TEST(VirtualMachine, SolvesObjectivesChangesTilesComposesMessagesAndFillsSoundSlots) {
    scopedWorkDir dir;
    writeFileBytes("beep.wav", testTone::sineWav(440, 0.01, 8000, 1));
    VirtualMachine vm, noMap;
    bytecode absent;
    vm.compute(absent);
    EXPECT_EQ(vm.variables[VAR_MISSIONSOLVED], 0);
    vm.setObjectives(99);
    runClean(vm, compiledEvent("set OBJECTIVE1 1\nset OBJECTIVE2 1\nset OBJECTIVE3 1\nset OBJECTIVE4 1\ngoto a"));
    EXPECT_TRUE(vm.variables[VAR_MISSIONSOLVED] == 0 && vm.needNextMap() && vm.getMapString() == "a");
    runClean(vm, compiledEvent("set OBJECTIVE5 5"));
    EXPECT_EQ(vm.variables[VAR_MISSIONSOLVED], 1);
    char tiles[6] = {};
    vm.mapSetup(3, 2, tiles);
    messageClass messages(32, 7, 3, font, font, nullptr);
    vm.setMessageClass(&messages);
    global.keys[11] = KEY_M;
    global.keys[0] = 500;  // a damaged setting
    vm.variables[28] = -5;
    runClean(vm, compiledEvent("graphic 2 1 300\ngraphic 3 0 7\ngraphic 0 2 7\ngraphic -1 1 7\ngraphic 0 -1 7\n"
                               "msg Life:\nmsgvar LIFE\nmsgkey 11\nendl\nmsgkey 0\nmsgendl  done"));
    EXPECT_EQ(bytes(tiles, tiles + 6), (bytes{0, 0, 0, 0, 0, 300 & 0xFF}));
    runClean(noMap, compiledEvent("graphic 0 0 1"));
    runClean(vm, compiledEvent("loadsound %40 beep.wav\nloadsound %41 beep.wav\nloadsound %42 beep.wav\n"
                               "stopsound %41\ndeletesound %41\nloadsound %43 beep.wav"));
    EXPECT_EQ(std::vector<int>(vm.variables + 40, vm.variables + 44), (std::vector<int>{0, 1, 2, 1}));
    std::string fill;
    for (int i = 0; i < 13; ++i) fill += "loadsound %44 beep.wav\n";
    runClean(vm, compiledEvent(fill));
    EXPECT_EQ(vm.variables[44], 15);
    EXPECT_EQ(faultOf(vm, compiledEvent("loadsound %44 beep.wav")), "Sound buffer is full!");
    // A slot number outside 0 to 15 selects slot 0.
    vm.variables[45] = 99;
    runClean(vm, compiledEvent("deletesound %45\nloadsound %46 beep.wav"));
    EXPECT_EQ(vm.variables[46], 0);
    ASSERT_EQ(messages.count, 2);
    EXPECT_EQ(messages.lines[1].text, " Life: -5 M");
    EXPECT_EQ(messages.lines[0].text, "  done");
}

// Running events: variables, blocks, messages, map graphics and faults.
#include "script/virtual_machine.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <climits>

#include "app/globals.h"
#include "script/script_test_support.h"
#include "ui/message.h"

namespace {

std::string faultOf(VirtualMachine& vm, bytecode code) { return vm.run(code).text; }

void runClean(VirtualMachine& vm, bytecode code) {
    scriptFault fault = vm.run(code);
    EXPECT_EQ(fault.text, "");
}

}  // namespace

TEST(VirtualMachine, StartsWithOnlyTrueSet) {
    VirtualMachine vm;
    for (int i = 0; i < VARIABLE_COUNT; ++i) EXPECT_EQ(vm.variables[i], i == 10 ? 1 : 0) << i;
    EXPECT_FALSE(vm.needNextMap());
}

TEST(VirtualMachine, AbsentEventsChangeNothingAndRunsRecomputeMissionSolved) {
    VirtualMachine vm;
    bytecode absent;
    vm.compute(absent);
    EXPECT_EQ(vm.variables[VAR_MISSIONSOLVED], 0);

    runClean(vm, compiledEvent("inc %40"));
    EXPECT_EQ(vm.variables[VAR_MISSIONSOLVED], 1);  // no objectives

    vm.setObjectives(2);
    vm.variables[18] = 1;
    runClean(vm, compiledEvent("quita"));
    EXPECT_EQ(vm.variables[VAR_MISSIONSOLVED], 0);
    runClean(vm, compiledEvent("set OBJECTIVE2 5"));
    EXPECT_EQ(vm.variables[VAR_MISSIONSOLVED], 1);

    vm.setObjectives(99);  // only five objective variables exist
    EXPECT_EQ(vm.objectiveCount, 5);
}

TEST(VirtualMachine, ArithmeticWrapsAndNeverDividesByZero) {
    VirtualMachine vm;
    runClean(vm, compiledEvent("set %40 -7\ndiv %40 3\n"
                               "set %41 2147483647\ninc %41\n"
                               "set %42 -2147483648\ndec %42\n"
                               "set %43 65536\nmul %43 65536\n"
                               "set %44 10\nadd %44 5\nsub %44 20\nmul %44 LIFE\n"
                               "set %45 9\ndiv %45 0\n"
                               "set %46 -2147483648\ndiv %46 -1\n"
                               "set %47 -2147483648\nsub %47 1\nadd %47 -1"));
    EXPECT_EQ(vm.variables[40], -2);
    EXPECT_EQ(vm.variables[41], INT_MIN);
    EXPECT_EQ(vm.variables[42], INT_MAX);
    EXPECT_EQ(vm.variables[43], 0);
    EXPECT_EQ(vm.variables[44], 0);
    EXPECT_EQ(vm.variables[45], 9);
    EXPECT_EQ(vm.variables[46], INT_MIN);
    EXPECT_EQ(vm.variables[47], INT_MAX - 1);
}

TEST(VirtualMachine, ComparisonsWriteZflag) {
    VirtualMachine vm;
    vm.variables[28] = 100;
    runClean(vm, compiledEvent("equal LIFE 100\nset %40 ZFLAG\nsmaller LIFE -5\nset %41 ZFLAG\nsmaller -5 LIFE"));
    EXPECT_EQ(vm.variables[40], 1);
    EXPECT_EQ(vm.variables[41], 0);
    EXPECT_EQ(vm.variables[VAR_ZFLAG], 1);
}

TEST(VirtualMachine, SkipsNestedBlocksOverOperandsThatLookLikeMarkers) {
    VirtualMachine vm;
    runClean(vm, compiledEvent("if %40\n ifn %40\n  set %41 1\n endif\n set %41 -1\n set %41 253\n"
                               " set %41 8\nendif\nifn %40\n set %42 255\nendif\nset %43 3"));
    EXPECT_EQ(vm.variables[41], 0);
    EXPECT_EQ(vm.variables[42], 255);
    EXPECT_EQ(vm.variables[43], 3);
    EXPECT_EQ(vm.variables[VAR_MISSIONSOLVED], 1);
}

TEST(VirtualMachine, BlockEndsMustMatchOpenBlocks) {
    VirtualMachine vm;
    EXPECT_EQ(faultOf(vm, rawEvent({0xFD})), "Too many ends in script!");
    // A skip that finds no block end stops at the end of the code.
    runClean(vm, rawEvent({8, 0x0F, 40, 4, 0x0F, 41}));
    EXPECT_EQ(vm.variables[41], 0);
}

TEST(VirtualMachine, QuitInstructionsStopTheRunButGotoDoesNot) {
    VirtualMachine vm;
    runClean(vm, compiledEvent("quit FALSE\nquitn TRUE\ngoto next map\ninc %40\nquita\ninc %40"));
    EXPECT_EQ(vm.variables[40], 1);
    EXPECT_TRUE(vm.needNextMap());
    EXPECT_EQ(vm.getMapString(), "next map");
    runClean(vm, compiledEvent("quit TRUE\ninc %40"));
    runClean(vm, compiledEvent("quitn FALSE\ninc %40"));
    EXPECT_EQ(vm.variables[40], 1);
}

TEST(VirtualMachine, RefusesProtectedAndMisencodedOperandsAtRunTime) {
    VirtualMachine vm;
    EXPECT_EQ(faultOf(vm, rawEvent({3, 0x0F, 12, 0x10, 1, 0, 0, 0})), "Illegal 'write' operation on protected memory!");
    EXPECT_EQ(faultOf(vm, rawEvent({4, 0x0F, 0})), "Illegal 'write' operation on protected memory!");
    EXPECT_EQ(faultOf(vm, rawEvent({4, 0x0F, 128})), "Illegal 'read' operation on protected memory!");
    EXPECT_EQ(faultOf(vm, rawEvent({12, 0x0F, 200})), "Illegal 'read' operation on protected memory!");
    EXPECT_EQ(faultOf(vm, rawEvent({8, 0x10, 1, 0, 0, 0})), "Unexpected constant value!");
    EXPECT_EQ(faultOf(vm, rawEvent({4, 0x10, 1, 0, 0, 0})), "Unexpected constant value!");
    EXPECT_EQ(faultOf(vm, rawEvent({3, 0x0F, 40, 0x20, 1})), "Unexpected value for argument identifier!");
    EXPECT_EQ(faultOf(vm, rawEvent({3, 0x0F, 40, 0x10, 1, 0})), "Unexpected end of script code!");
    EXPECT_EQ(vm.variables[12], 0);
}

TEST(VirtualMachine, UnknownCommandsNameTheirPositionAndOpenBlocks) {
    VirtualMachine vm;
    vm.variables[40] = 1;
    bytecode code = rawEvent({8, 0x0F, 40, 29, 0x0F, 40, 0, 0, 0xFD});
    scriptFault fault = vm.run(code);
    EXPECT_EQ(fault.text, "Unknown command");
    EXPECT_EQ(fault.notice, "Command 29 at position 4, missing 1 ends");
    EXPECT_EXIT(vm.compute(code), testing::ExitedWithCode(0),
                "Command 29 at position 4, missing 1 ends\nError012: Script error:\nUnknown command");
}

TEST(VirtualMachine, PublicVariableAccessGuardsItsIndex) {
    VirtualMachine vm;
    EXPECT_EQ(vm.getVar(1, false), &vm.variables[1]);
    EXPECT_EXIT(vm.getVar(3, true), testing::ExitedWithCode(0), "Illegal 'write' operation on protected memory!");
    EXPECT_EXIT(vm.getVar(-1, false), testing::ExitedWithCode(0), "Illegal 'read' operation on protected memory!");
}

TEST(VirtualMachine, GraphicChangesTilesInsideTheMapOnly) {
    VirtualMachine vm;
    char tiles[6] = {};
    vm.mapSetup(3, 2, tiles);
    runClean(vm, compiledEvent("graphic 2 1 300\ngraphic 3 0 7\ngraphic 0 2 7\ngraphic -1 1 7\ngraphic 0 -1 7"));
    EXPECT_EQ(static_cast<unsigned char>(tiles[5]), 300 & 0xFF);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tiles[i], 0) << i;
    VirtualMachine noMap;
    runClean(noMap, compiledEvent("graphic 0 0 1"));
}

TEST(VirtualMachine, ComposesMessagesWithVariablesAndKeyNames) {
    VirtualMachine vm;
    messageClass messages(32, 7, 3, font, font, nullptr);
    vm.setMessageClass(&messages);
    global.keys[11] = KEY_M;
    global.keys[0] = 500;  // a damaged setting
    vm.variables[28] = -5;
    runClean(vm, compiledEvent("msg Life:\nmsgvar LIFE\nmsgkey 11\nendl\nmsgkey 0\nmsgendl  done"));
    ASSERT_EQ(messages.count, 2);
    EXPECT_EQ(messages.lines[1].text, " Life: -5 M");
    EXPECT_EQ(messages.lines[0].text, "  done");
    EXPECT_EQ(faultOf(vm, compiledEvent("msgkey 12")), "msgkey value out of range!");
    EXPECT_EQ(faultOf(vm, compiledEvent("msgkey -1")), "msgkey value out of range!");
}

TEST(VirtualMachine, SoundSlotsFillInOrderAndAreReused) {
    scopedWorkDir dir;
    // A tiny 8-bit mono WAV file.
    bytes wav{'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
              0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 4, 0, 0, 0, 128, 128, 128, 128};
    writeFileBytes("beep.wav", wav);
    VirtualMachine vm;
    runClean(vm, compiledEvent("loadsound %40 beep.wav\nloadsound %41 beep.wav\nloadsound %42 beep.wav\n"
                               "stopsound %41\ndeletesound %41\nloadsound %43 beep.wav"));
    EXPECT_EQ(vm.variables[40], 0);
    EXPECT_EQ(vm.variables[42], 2);
    EXPECT_EQ(vm.variables[43], 1);
    std::string fill;
    for (int i = 0; i < 13; ++i) fill += "loadsound %44 beep.wav\n";
    runClean(vm, compiledEvent(fill));
    EXPECT_EQ(vm.variables[44], 15);
    EXPECT_EQ(faultOf(vm, compiledEvent("loadsound %44 beep.wav")), "Sound buffer is full!");
    // A slot number outside 0 to 15 selects slot 0.
    vm.variables[45] = 99;
    runClean(vm, compiledEvent("deletesound %45\nloadsound %46 beep.wav"));
    EXPECT_EQ(vm.variables[46], 0);
}

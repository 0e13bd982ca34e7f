// Stepping over compiled code by operand layout.
#include "script/instruction_reader.h"

#include <gtest/gtest.h>

#include "script/script_test_support.h"

namespace {

int length(const bytes& code, int pos = 0) {
    return instructionLength(code.data(), static_cast<int>(code.size()), pos);
}

int scriptEnd(const bytes& script) { return findScriptEnd(script.data(), static_cast<int>(script.size())); }

}  // namespace

TEST(InstructionReader, MeasuresEachOperandForm) {
    EXPECT_EQ(length({3, 0x0F, 28, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}), 8);  // set LIFE -1
    EXPECT_EQ(length({3, 0x0F, 28, 0x0F, 29}), 5);                      // set LIFE ARMOR
    EXPECT_EQ(length({10, 0xFD, 0xFE, 0xFF, 0}), 5);                    // msg with marker bytes
    EXPECT_EQ(length({20, 0x0F, 40, 'a', 0}), 5);                       // loadsound
    EXPECT_EQ(length({13, 0x10, 1, 0, 0, 0, 0x0F, 2, 0x10, 3, 0, 0, 0}), 13);
    EXPECT_EQ(length({29, 0x0F, 28, 0xFE, 0xFF}), 5);  // jmpif with its slot number
    EXPECT_EQ(length({19}), 1);
    EXPECT_EQ(length({0xFD}), 1);
}

TEST(InstructionReader, RefusesWhatCannotBeDecodedWithinTheBytes) {
    EXPECT_EQ(length({3, 0x0F, 28, 0x10, 1, 0, 0}), 0);  // constant cut off
    EXPECT_EQ(length({3, 0x0F}), 0);
    EXPECT_EQ(length({3, 0x11, 28, 0x0F, 1}), 0);  // bad tag
    EXPECT_EQ(length({4, 0x10, 28}), 0);           // constant where a variable must be
    EXPECT_EQ(length({10, 'a', 'b'}), 0);          // text without its end
    EXPECT_EQ(length({2}), 0);                     // no such opcode
    EXPECT_EQ(length({19}, 1), 0);                 // past the end
}

TEST(InstructionReader, FindsEventsWhoseOperandsHoldMarkerBytes) {
    // onUse: set %40 -1, set %41 254, msg "\xFE"; then onLoad: inc %40.
    bytes script{0x01, 7,    3,    0x0F, 40,   0x10, 0xFF, 0xFF, 0xFF, 0xFF, 3,    0x0F, 41, 0x10, 0xFE,
                 0,    0,    0,    10,   0xFE, 0,    0xFE, 0x01, 6,    4,    0x0F, 40,   0xFE, 0xFF};
    int start = 0, end = 0;
    ASSERT_EQ(findEvent(script.data(), static_cast<int>(script.size()), 6, start, end), eventSearch::found);
    EXPECT_EQ(start, 24);
    EXPECT_EQ(end, 27);
    ASSERT_EQ(findEvent(script.data(), static_cast<int>(script.size()), 7, start, end), eventSearch::found);
    EXPECT_EQ(end, 21);
    EXPECT_EQ(findEvent(script.data(), static_cast<int>(script.size()), 5, start, end), eventSearch::absent);
    EXPECT_EQ(scriptEnd(script), static_cast<int>(script.size()));
}

TEST(InstructionReader, UndecodableCodeFallsBackToTheByteScan) {
    // Opcode 2 is no instruction: from there the first 0xFE ends the event.
    bytes script{0x01, 7, 2, 0x10, 0xFE, 0xFF};
    int start = 0, end = 0;
    ASSERT_EQ(findEvent(script.data(), 6, 7, start, end), eventSearch::found);
    EXPECT_EQ(end, 4);
}

TEST(InstructionReader, ScriptEndNeedsCompleteBlocksAndTheClosingByte) {
    bytes script = scriptWith({4, 0x0F, 40});
    EXPECT_EQ(scriptEnd(script), 7);
    EXPECT_EQ(scriptEnd(bytes{0xFF, 0xAA}), 1);
    EXPECT_EQ(findScriptEnd(script.data(), 6), -1);  // the closing 0xFF cut off
    EXPECT_EQ(findScriptEnd(script.data(), 5), -1);  // the event end cut off
    EXPECT_EQ(scriptEnd(bytes{0x01}), -1);
    EXPECT_EQ(scriptEnd(bytes{0x02, 0xFF}), -1);
    EXPECT_EQ(scriptEnd(bytes{}), -1);
}

TEST(InstructionReader, SkipsNestedBlocksAndOperandsThatLookLikeMarkers) {
    // if A { set B 253; ifn C { set B 8 } set B 9 } quita
    bytes code{8,    0x0F, 40, 3, 0x0F, 41, 0x10, 0xFD, 0, 0, 0, 9,    0x0F, 42, 3,   0x0F,
               41,   0x10, 8,  0, 0,    0,  0xFD, 3,    0x0F, 41, 0x10, 9, 0, 0, 0, 0xFD, 19, 0xFF};
    EXPECT_EQ(skipBlock(code.data(), static_cast<int>(code.size()), 3), 32);
    EXPECT_EQ(skipBlock(code.data(), 31, 3), 31);  // runs off the end and stops there
}

// Stepping over compiled code by operand layout.
#include "script/instruction_reader.h"

#include <gtest/gtest.h>

#include "script/script_test_support.h"

TEST(InstructionReader, MeasuresInstructionsAndFindsTheScriptEnd) {
    const scriptRow<bytes, int> rows[] = {  // length 0: refused
        {"set LIFE -1", {3, 0x0F, 28, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}, 8},
        {"set LIFE ARMOR", {3, 0x0F, 28, 0x0F, 29}, 5},
        {"msg with marker bytes", {10, 0xFD, 0xFE, 0xFF, 0}, 5},
        {"jmpif with its slot number", {29, 0x0F, 28, 0xFE, 0xFF}, 5},
        {"quita", {19}, 1},
        {"constant cut off", {3, 0x0F, 28, 0x10, 1, 0, 0}, 0},
        {"variable cut off", {3, 0x0F}, 0},
        {"constant where a variable must be", {4, 0x10, 28}, 0},
        {"text without its end", {10, 'a', 'b'}, 0},
        {"no such opcode", {2}, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(instructionLength(r.in.data(), static_cast<int>(r.in.size()), 0), r.out) << r.what;
    }
    EXPECT_EQ(instructionLength(rows[4].in.data(), 1, 1), 0);  // past the end
    // A compiled script read from a file ends where decoding finds the closing
    // byte after complete events, whatever marker bytes its constants hold.
    const scriptRow<bytes, int> ends[] = {  // -1: no end within the bytes
        {"one event", {1, 7, 4, 0x0F, 40, 0xFE, 0xFF}, 7},
        {"bytes after the end", {0xFF, 0xAA}, 1},
        {"a constant -2 read whole", {1, 7, 3, 0x0F, 40, 0x10, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF}, 12},
        {"a constant -2 cut off where it looks like the end", {1, 7, 3, 0x0F, 40, 0x10, 0xFE, 0xFF}, -1},
        {"the closing 0xFF cut off", {1, 7, 4, 0x0F, 40, 0xFE}, -1},
        {"the event end cut off", {1, 7, 4, 0x0F, 40}, -1},
        {"a marker alone", {0x01}, -1},
        {"no event marker", {0x02, 0xFF}, -1},
    };
    for (const auto& r : ends) EXPECT_EQ(findScriptEnd(r.in.data(), static_cast<int>(r.in.size())), r.out) << r.what;
}

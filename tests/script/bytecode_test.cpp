// Finding the end of compiled scripts and cutting events out of them.
#include "script/bytecode.h"

#include <gtest/gtest.h>

#include <fstream>

#include "script/instruction_reader.h"
#include "script/script_test_support.h"

namespace {

bytes content(bytecode& code) {
    bytes out(code.getLength());
    code.reset();
    code.read(out.data(), code.getLength());
    return out;
}

}  // namespace

// Mended: events are found by stepping over whole instructions, so that
// operands holding marker bytes (the 0xFF bytes of -1 for one) don't end
// them; undecodable code falls back to the first 0xFE. The global event is
// also written to its file, even when absent. Damaged scripts end the game
// with a script error.
TEST(Bytecode, ExtractsEachEventWithAClosingScriptEndAndRefusesDamagedScripts) {
    scopedWorkDir dir;
    const bytes script = compileSource("event onUse\nset %40 -1\nset %41 255\nmsg \xFE\xFD\nend\n"
                                       "event onLoad\ninc %40\nend\nevent global\nquita\nend\n").target;
    const int size = static_cast<int>(script.size());
    bytecode onUse(script.data(), size, 7), onLoad(script.data(), size, 6), global(script.data(), size, 9);
    EXPECT_EQ(content(onUse), (bytes{3, 0x0F, 40, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0x0F, 41, 0x10, 0xFF, 0, 0, 0,
                                     10, 0xFE, 0xFD, 0, 0xFF}));
    EXPECT_EQ(content(onLoad), (bytes{4, 0x0F, 40, 0xFF}));
    EXPECT_EQ(readFileBytes("globalScript.kvs"), (bytes{19, 0xFF}));
    for (int event = 1; event <= 9; ++event) EXPECT_EQ(bytecode(script.data() + size - 1, 1, event).getLength(), 0);
    EXPECT_TRUE(std::ifstream("globalScript.kvs").good() && readFileBytes("globalScript.kvs").empty());
    bytecode fallback = rawEvent({2, 0x10});
    EXPECT_EQ(content(fallback), (bytes{2, 0x10, 0xFF}));
    // Readers share nothing: assigning one copies its bytes.
    bytecode copy;
    copy = onLoad;
    onLoad = onUse;
    EXPECT_EQ(content(copy), (bytes{4, 0x0F, 40, 0xFF}));
    for (const bytes& damaged : {bytes{0x01, 7, 19}, bytes{0x02, 0xFF}, bytes{0x01}, bytes{}}) {
        EXPECT_EXIT(bytecode(damaged.data(), static_cast<int>(damaged.size()), 7), testing::ExitedWithCode(0),
                    "Error012: Script error:\nDamaged compiled script!");
    }
}

// The operand layouts themselves show in the extracted events and the machine's runs.
TEST(InstructionReader, FindsTheScriptEndAfterWholeInstructions) {
    const unsigned char quita = 19;
    EXPECT_EQ(instructionLength(&quita, 1, 1), 0);  // past the end
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

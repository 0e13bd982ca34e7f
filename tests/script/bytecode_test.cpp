// Cutting events out of compiled scripts.
#include "script/bytecode.h"

#include <gtest/gtest.h>

#include <fstream>

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

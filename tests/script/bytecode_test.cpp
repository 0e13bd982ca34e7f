// Cutting events out of compiled scripts and reading their operands.
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

TEST(Bytecode, ExtractsEachEventWithAClosingScriptEnd) {
    bytes script{0x01, 6, 4, 0x0F, 40, 0xFE, 0x01, 7, 19, 0xFE, 0xFF};
    bytecode onLoad(script.data(), static_cast<int>(script.size()), 6);
    bytecode onUse(script.data(), static_cast<int>(script.size()), 7);
    bytecode onKill(script.data(), static_cast<int>(script.size()), 5);
    EXPECT_EQ(content(onLoad), (bytes{4, 0x0F, 40, 0xFF}));
    EXPECT_EQ(content(onUse), (bytes{19, 0xFF}));
    EXPECT_EQ(onKill.getLength(), 0);
    bytes empty{0xFF};
    for (int event = 1; event <= 8; ++event) EXPECT_EQ(bytecode(empty.data(), 1, event).getLength(), 0);
}

TEST(Bytecode, AConstantOfMinusOneNoLongerEndsTheEvent) {
    bytecode code = compiledEvent("set %40 -1\nset %41 255\nmsg \xFE\xFD");
    EXPECT_EQ(content(code), (bytes{3, 0x0F, 40, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0x0F, 41, 0x10, 0xFF, 0, 0, 0,
                                    10, 0xFE, 0xFD, 0, 0xFF}));
}

TEST(Bytecode, GlobalEventIsWrittenToItsFileEvenWhenAbsent) {
    scopedWorkDir dir;
    bytes withGlobal{0x01, 9, 19, 0xFE, 0xFF};
    bytecode code(withGlobal.data(), 5, 9);
    EXPECT_EQ(readFileBytes("globalScript.kvs"), (bytes{19, 0xFF}));
    bytes without{0xFF};
    code.extract(without.data(), 1, 9);
    EXPECT_EQ(code.getLength(), 0);
    EXPECT_TRUE(std::ifstream("globalScript.kvs").good());
    EXPECT_TRUE(readFileBytes("globalScript.kvs").empty());
}

TEST(Bytecode, CopiesShareNothing) {
    bytes script = scriptWith({4, 0x0F, 40});
    bytecode a(script.data(), static_cast<int>(script.size()), 7);
    bytecode b;
    b = a;
    script[2] = 5;
    bytecode c(script.data(), static_cast<int>(script.size()), 7);
    a = c;
    EXPECT_EQ(content(b), (bytes{4, 0x0F, 40, 0xFF}));
    EXPECT_EQ(content(a), (bytes{5, 0x0F, 40, 0xFF}));
}

TEST(Bytecode, ReadersDecodeOperandsAndStopAtTheEnd) {
    bytecode code = rawEvent({3, 0x0F, 200, 0x10, 0xFE, 0xFF, 0xFF, 0xFF, 10, 'h', 'i', 0, 20, 0x0F, 40});
    ASSERT_EQ(code.getLength(), 16);
    EXPECT_EQ(code.readByte(), 3);
    EXPECT_TRUE(code.isVar());
    EXPECT_EQ(code.getVarPar(), 200);
    EXPECT_FALSE(code.isVar());
    EXPECT_EQ(code.getConstPar(), -2);
    EXPECT_EQ(code.readByte(), 10);
    EXPECT_EQ(code.getString(0), "hi");
    EXPECT_EQ(code.getPos(), 12);
    EXPECT_EQ(code.readByte(), 20);
    code.setPos(13);
    try {
        code.getConstPar();  // three bytes left
        ADD_FAILURE();
    } catch (const scriptFault& f) {
        EXPECT_EQ(f.text, "Unexpected end of script code!");
    }
    code.setPos(14);
    try {
        code.isVar();  // 40 is no tag
        ADD_FAILURE();
    } catch (const scriptFault& f) {
        EXPECT_EQ(f.text, "Unexpected value for argument identifier!");
    }
    EXPECT_THROW(code.getString(0), scriptFault);  // the loadsound text has no end
    EXPECT_EQ(code.getPos(), 15);
    EXPECT_EQ(code.readByte(), 0xFF);
    EXPECT_THROW(code.readByte(), scriptFault);
}

TEST(BytecodeDeathTest, DamagedScriptsEndWithAScriptError) {
    for (const bytes& damaged : {bytes{0x01, 7, 19}, bytes{0x02, 0xFF}, bytes{0x01}, bytes{}}) {
        EXPECT_EXIT(bytecode(damaged.data(), static_cast<int>(damaged.size()), 7),
                    testing::ExitedWithCode(0), "Error012: Script error:\nDamaged compiled script!");
    }
}

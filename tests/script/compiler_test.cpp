// The compiler's output and log for whole sources.
#include <gtest/gtest.h>

#include "script/compiler_test_support.h"

using bytes = std::vector<unsigned char>;

TEST(Compiler, CompilesTheOnUseExampleByteForByteWithItsLog) {
    scopedWorkDir dir;
    compileRun run = compileSource(
        "event onUse\nequal LIFE 100\nif ZFLAG\nmsg Full health\nendl\nendif\nend\n");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.target, (bytes{0x01, 0x07, 0x19, 0x0F, 0x1C, 0x10, 0x64, 0x00, 0x00, 0x00,
                                 0x08, 0x0F, 0x0C, 0x0A, 'F', 'u', 'l', 'l', ' ', 'h', 'e', 'a',
                                 'l', 't', 'h', 0x00, 0x0B, 0xFD, 0xFE, 0xFF}));
    EXPECT_EQ(run.log, wholeLog("Compiling event onUse...\n"
                                   "Warning! if is deprecated, use jmpifn instead!\n"
                                   "Successfully compiled the event.\n\n"));
}

TEST(Compiler, EmptySourceGivesTheScriptEndAlone) {
    scopedWorkDir dir;
    compileRun run = compileSource("");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.target, bytes{0xFF});
}

TEST(Compiler, EmptyEventsAndBlocksAreDroppedWithWarnings) {
    scopedWorkDir dir;
    compileRun run = compileSource("event onUse\nend\nevent onLoad\nif LIFE\nifn ARMOR\nendif\nendif\nend\n");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.target, bytes{0xFF});
    EXPECT_EQ(run.log, wholeLog("Compiling event onUse...\n"
                                   "WARNING: Empty event!\n"
                                   "Successfully compiled the event.\n\n"
                                   "Compiling event onLoad...\n"
                                   "Warning! if is deprecated, use jmpifn instead!\n"
                                   "Warning! if is deprecated, use jmpif instead!\n"
                                   "WARNING: Empty if or ifn instruction!\n"
                                   "WARNING: Empty if or ifn instruction!\n"
                                   "WARNING: Empty event!\n"
                                   "Successfully compiled the event.\n\n"));
}

TEST(Compiler, WritesEveryCommandWithItsOperandLayout) {
    scopedWorkDir dir;
    compileRun run = compileSource(
        "event global\n"
        "set %40 -1\ninc LIFE\ndec ARMOR\nadd LIFE ARMOR\nsub LIFE 2\nmul LIFE 3\ndiv LIFE 4\n"
        "smaller 1 ZFLAG\nquit TRUE\nquitn FALSE\nquita\nloadsound %50 sfx/a.wav\n"
        "playsound %50 1 0\ndeletesound %50\nstopsound %50\nmsgvar LIFE\ngraphic 1 2 3\n"
        "goto next\nmsgkey 11\nmsgendl hi\njmpif LIFE here\njmpifn LIFE there\n:here\nend\n");
    ASSERT_TRUE(run.ok) << run.log;
    EXPECT_EQ(run.target,
              (bytes{0x01, 9,
                     3, 0x0F, 40, 0x10, 0xFF, 0xFF, 0xFF, 0xFF,
                     4, 0x0F, 28, 5, 0x0F, 29,
                     6, 0x0F, 28, 0x0F, 29,
                     7, 0x0F, 28, 0x10, 2, 0, 0, 0,
                     26, 0x0F, 28, 0x10, 3, 0, 0, 0,
                     27, 0x0F, 28, 0x10, 4, 0, 0, 0,
                     24, 0x10, 1, 0, 0, 0, 0x0F, 12,
                     17, 0x0F, 10, 18, 0x0F, 9, 19,
                     20, 0x0F, 50, 's', 'f', 'x', '/', 'a', '.', 'w', 'a', 'v', 0,
                     22, 0x0F, 50, 0x10, 1, 0, 0, 0, 0x10, 0, 0, 0, 0,
                     21, 0x0F, 50, 23, 0x0F, 50, 12, 0x0F, 28,
                     13, 0x10, 1, 0, 0, 0, 0x10, 2, 0, 0, 0, 0x10, 3, 0, 0, 0,
                     14, 'n', 'e', 'x', 't', 0,
                     28, 0x10, 11, 0, 0, 0,
                     10, 'h', 'i', 0, 11,
                     29, 0x0F, 28, 0, 0,
                     30, 0x0F, 28, 1, 0,
                     0xFE, 0xFF}));
}

TEST(Compiler, LogsDebugMessagesAndKeepsABackupWhenAsked) {
    scopedWorkDir dir;
    compileRun run = compileSource("logbackup\ndebugMsg  two spaces \n");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.log, wholeLog("DEBUG MESSAGE:  two spaces \n"));
    EXPECT_EQ(readFileText("backup.log"), run.log + "\n");
}

// 11 bytes of output: 01 07, inc, quita, inc, FE, FF.
const char* const ELEVEN_BYTES = "event onUse\ninc LIFE\nquita\ninc LIFE\nend\n";

TEST(Compiler, FillsACallersBufferAndReportsTheLength) {
    scopedWorkDir dir;
    writeFileText("in.ukv", ELEVEN_BYTES);
    unsigned char buffer[12] = {};
    int size = 11;
    ASSERT_TRUE(compile("in.ukv", "", buffer, &size));
    EXPECT_EQ(size, 11);
    EXPECT_EQ(bytes(buffer, buffer + 12), (bytes{1, 7, 4, 0x0F, 28, 19, 4, 0x0F, 28, 0xFE, 0xFF, 0}));
    EXPECT_EQ(readFileText("compiler.log").rfind("Reading from in.ukv and writing to .\n\n", 0), 0u);
}

TEST(Compiler, RefusesABufferOneByteTooSmallAfterWritingTheTarget) {
    scopedWorkDir dir;
    writeFileText("in.ukv", ELEVEN_BYTES);
    unsigned char buffer[11] = {};
    int size = 10;
    EXPECT_FALSE(compile("in.ukv", "out.kvs", buffer, &size));
    EXPECT_EQ(size, 10);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(readFileBytes("out.kvs").size(), 11u);
    EXPECT_TRUE(endsWith(readFileText("compiler.log"),
                         "Beginning to write compiled data.\n" +
                             fatalTail("Buffer for script data is not big enough")));
}

TEST(Compiler, ReportsASourceOrTargetThatCannotBeOpened) {
    scopedWorkDir dir;
    EXPECT_FALSE(compile("missing.ukv", "out.kvs", nullptr, nullptr));
    EXPECT_EQ(readFileText("compiler.log"),
              "Reading from missing.ukv and writing to out.kvs.\n\n" + fatalTail("Failed to open file missing.ukv"));
    writeFileText("in.ukv", "");
    EXPECT_FALSE(compile("in.ukv", "nodir/out.kvs", nullptr, nullptr));
    EXPECT_TRUE(endsWith(readFileText("compiler.log"), fatalTail("Failed to open file nodir/out.kvs")));
}

TEST(Compiler, NeverCompilesAFileOntoItself) {
    scopedWorkDir dir;
    writeFileText("x.ukv", "event onUse\nset LIFE 1\nend\n");
    EXPECT_FALSE(compile("x.ukv", "x.ukv", nullptr, nullptr));
    EXPECT_FALSE(compile("x.ukv", "./x.ukv", nullptr, nullptr));
    EXPECT_EQ(readFileText("x.ukv"), "event onUse\nset LIFE 1\nend\n");
    EXPECT_TRUE(endsWith(readFileText("compiler.log"), fatalTail("The target file ./x.ukv is the source file")));
}

TEST(Compiler, NamesDefinedByAFailedCompilationStayUntilTheNextOne) {
    scopedWorkDir dir;
    EXPECT_FALSE(compileSource("def %40 DOORS\nbogus\n").ok);
    EXPECT_EQ(consts[40], "DOORS");
    EXPECT_TRUE(compileSource("").ok);
    EXPECT_EQ(consts[40], "");
    EXPECT_EQ(consts[28], "");  // cleared after success
}

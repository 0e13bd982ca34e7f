// The compiler's output and log for whole sources, and its start mode.
#include <gtest/gtest.h>

#include "script/compiler_mode.h"
#include "script/script_test_support.h"

namespace {

const std::string EVENT_DONE = "Successfully compiled the event.\n\n";
const std::string IF_WARNING = "Warning! if is deprecated, use jmpifn instead!\n";
const std::string IFN_WARNING = "Warning! if is deprecated, use jmpif instead!\n";
const std::string TRUE_WARNING = "WARNING: Use of constant TRUE or FALSE in an if statement\n";

}  // namespace

// A failed compilation leaves 0x00 as its target, and its log ends with the
// fatal error after what it said of the lines before. Each row's log is what
// follows the opening lines, up to the closing ones or the fatal error.
TEST(Compiler, WritesEachSourceByteForByteWithItsLog) {
    scopedWorkDir dir;
    writeFileText("names.inc", "; door state\r\ndef %40 DOORS ;comment\r\n");
    const struct { const char* what; std::string source; bytes target; std::string log; } rows[] = {
        {"empty source", "", {0xFF}, ""},
        {"every command with its operand layout; numbers end at their first non-digit; a comment",
         "event global\nset %40 -1\ninc LIFE\ndec ARMOR\nadd LIFE ARMOR\nsub LIFE 2x\nmul LIFE +3\n"
         "div LIFE -2147483648\nsmaller 1 ZFLAG\nquit TRUE\nquitn FALSE\nquita\nloadsound %50 sfx/a.wav\n"
         "playsound %50 1 0\ndeletesound %50\nstopsound %50\nmsgvar LIFE\ngraphic 1 2 3\ngoto next\nmsgkey 11\n"
         "msgendl hi\njmpif LIFE here\n:there\njmpifn LIFE there\n:here\nequal ZFLAG 100\nif TRUE\nmsg ok\nendl\n"
         "endif\nifn FALSE\nquita ;a comment runs to the line end: quita\nendif\nend\n",
         {0x01, 9, 3, 0x0F, 40, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 4, 0x0F, 28, 5, 0x0F, 29, 6, 0x0F, 28, 0x0F, 29, 7, 0x0F,
          28, 0x10, 2, 0, 0, 0, 26, 0x0F, 28, 0x10, 3, 0, 0, 0, 27, 0x0F, 28, 0x10, 0, 0, 0, 0x80, 24, 0x10, 1, 0, 0, 0,
          0x0F, 12, 17, 0x0F, 10, 18, 0x0F, 9, 19, 20, 0x0F, 50, 's', 'f', 'x', '/', 'a', '.', 'w', 'a', 'v', 0, 22,
          0x0F, 50, 0x10, 1, 0, 0, 0, 0x10, 0, 0, 0, 0, 21, 0x0F, 50, 23, 0x0F, 50, 12, 0x0F, 28, 13, 0x10, 1, 0, 0, 0,
          0x10, 2, 0, 0, 0, 0x10, 3, 0, 0, 0, 14, 'n', 'e', 'x', 't', 0, 28, 0x10, 11, 0, 0, 0, 10, 'h', 'i', 0, 11,
          29, 0x0F, 28, 0, 0, 30, 0x0F, 28, 1, 0, 25, 0x0F, 12, 0x10, 100, 0, 0, 0, 8, 0x0F, 10, 10, 'o', 'k', 0, 11,
          0xFD, 9, 0x0F, 9, 19, 0xFD, 0xFE, 0xFF},
         "Compiling event global...\n" + IF_WARNING + TRUE_WARNING + IFN_WARNING + TRUE_WARNING + EVENT_DONE},
        {"empty events and blocks are dropped", "event onUse\nend\nevent onLoad\nif LIFE\nifn ARMOR\nendif\nendif\nend",
         {0xFF},
         "Compiling event onUse...\nWARNING: Empty event!\n" + EVENT_DONE + "Compiling event onLoad...\n" +
             IF_WARNING + IFN_WARNING + "WARNING: Empty if or ifn instruction!\nWARNING: Empty if or ifn instruction!\n"
             "WARNING: Empty event!\n" + EVENT_DONE},
        {"def names a variable, also in an included file", "include names.inc\ndef %41 KEYS\nevent onUse\nset DOORS 1\n"
         "inc KEYS\nend\n", {1, 7, 3, 0x0F, 0x28, 0x10, 1, 0, 0, 0, 4, 0x0F, 41, 0xFE, 0xFF},
         "Including external file names.inc.\n\nCompiling event onUse...\n" + EVENT_DONE},
        {"a unit event after a tile event is not logged", "event onEnter\nquita\nend\nevent onKill", {0},
         "Compiling event onEnter...\n" + EVENT_DONE +
             fatalTail("The event onKill is illegal in a script for tiles")},
        {"an event in an event is logged first", "event onUse\nevent onLoad", {0},
         "Compiling event onUse...\nCompiling event onLoad...\n" + fatalTail("Illegal event onLoad inside of event")},
        {"deprecation before refusal", "if LIFE", {0}, IF_WARNING + fatalTail("Illegal if outside of event")},
        {"def of a standard name replaces it", "def LIFE HEALTH\nevent onUse\nset HEALTH 1\nset LIFE 1", {0},
         "WARNING: Assigning new definition to constant variable!\nCompiling event onUse...\n" +
             fatalTail("Unknown variable name LIFE")},
        {"debug messages, and a backup of the log", "logbackup\ndebugMsg  two spaces \n", {0xFF},
         "DEBUG MESSAGE:  two spaces \n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const compileRun run = compileSource(r.source);
        EXPECT_EQ(run.target, r.target);
        EXPECT_EQ(run.log, r.target == bytes{0} ? LOG_OPENING + r.log : wholeLog(r.log));
    }
    EXPECT_EQ(readFileText("backup.log"), wholeLog("DEBUG MESSAGE:  two spaces \n") + "\n");
    EXPECT_EQ(consts[28], "");  // names are cleared after a successful compilation
    // A text takes the rest of its line after the one character that follows its keyword.
    const scriptRow<std::string, std::string> texts[] = {  // what follows msg, and its text
        {"spaces and semicolons kept", "   two ; not a comment  ", "  two ; not a comment  "},
        {"bytes above 127", " \xE4\xFF", "\xE4\xFF"},
        {"msg at the line end takes the next line", "\nset LIFE 1", "set LIFE 1"},
        {"the longest text", " " + std::string(SCRIPT_TEXT_LIMIT, 'a'), std::string(SCRIPT_TEXT_LIMIT, 'a')},
    };
    for (const auto& r : texts) {
        const bytes target = compileSource("event onUse\nmsg" + r.in + "\nend\n").target;
        EXPECT_EQ(std::string(target.begin(), target.end()), "\x01\x07\x0A" + r.out + std::string("\0\xFE\xFF", 3))
            << r.what;
    }
}

// 11 bytes of output: 01 07, inc, quita, inc, FE, FF.
TEST(Compiler, FillsABufferOnlyWhenTheScriptFitsAndRefusesFilesItCannotUse) {
    scopedWorkDir dir;
    writeFileText("in.ukv", "event onUse\ninc LIFE\nquita\ninc LIFE\nend\n");
    unsigned char buffer[12] = {};
    int size = 10;
    EXPECT_TRUE(!compile("in.ukv", "out.kvs", buffer, &size) && size == 10 && buffer[0] == 0);
    EXPECT_EQ(readFileBytes("out.kvs").size(), 11u);  // written before the buffer is refused
    const std::string refused = fatalTail("Buffer for script data is not big enough");
    EXPECT_THAT(readFileText("compiler.log"), testing::EndsWith("Beginning to write compiled data.\n" + refused));
    size = 11;
    ASSERT_TRUE(compile("in.ukv", "", buffer, &size) && size == 11);
    EXPECT_EQ(bytes(buffer, buffer + 12), (bytes{1, 7, 4, 0x0F, 28, 19, 4, 0x0F, 28, 0xFE, 0xFF, 0}));
    // Opening the target truncates it, so a target that is the source is refused first.
    writeFileText("x.ukv", "event onUse\nset LIFE 1\nend\n");
    writeFileText("big.ukv", std::string(SCRIPT_SOURCE_LIMIT + 1, ';'));
    const scriptRow<std::pair<std::string, std::string>, std::string> rows[] = {  // source and target
        {"missing source", {"missing.ukv", "out.kvs"}, "Failed to open file missing.ukv"},
        {"source one byte too big", {"big.ukv", "out.kvs"}, "The file big.ukv is too big (at most 1048576 bytes)"},
        {"target in no folder", {"x.ukv", "nodir/out.kvs"}, "Failed to open file nodir/out.kvs"},
        {"target is the source", {"x.ukv", "x.ukv"}, "The target file x.ukv is the source file"},
        {"target names the source another way", {"x.ukv", "./x.ukv"}, "The target file ./x.ukv is the source file"},
    };
    for (const auto& r : rows) {
        EXPECT_FALSE(compile(r.in.first, r.in.second, nullptr, nullptr)) << r.what;
        EXPECT_EQ(readFileText("compiler.log"),
                  "Reading from " + r.in.first + " and writing to " + r.in.second + ".\n\n" + fatalTail(r.out))
            << r.what;
    }
    EXPECT_EQ(readFileText("x.ukv"), "event onUse\nset LIFE 1\nend\n");
}

TEST(CompilerMode, WritesTheKvsBesideTheSourceOrTheNamedTarget) {
    scopedWorkDir dir;
    char source[] = "a.ukv", target[] = "b.out", compiled[] = "a.kvs";
    char* args[] = {source, target};
    runCompilerMode(0, args);  // without a source nothing happens
    EXPECT_FALSE(std::ifstream("compiler.log").good());
    writeFileText("a.ukv", "event onUse\nquita\nend\n");
    runCompilerMode(1, args);
    EXPECT_EQ(readFileBytes("a.kvs"), (bytes{1, 7, 19, 0xFE, 0xFF}));
    runCompilerMode(2, args);
    EXPECT_EQ(readFileBytes("b.out"), readFileBytes("a.kvs"));
    EXPECT_EQ(defaultCompilerTarget("ab"), "kvs");
    // A compiled file named as the source would be its own target.
    args[0] = compiled;
    runCompilerMode(1, args);
    EXPECT_THAT(readFileText("compiler.log"), testing::EndsWith(fatalTail("The target file a.kvs is the source file")));
}

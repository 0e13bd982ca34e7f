// Which fatal message or warning each faulty or doubtful line gets.
#include <gtest/gtest.h>

#include "script/compiler_test_support.h"

namespace {

struct fatalCase {
    const char* source;
    const char* message;
};

void expectFatal(const fatalCase& c) {
    compileRun run = compileSource(c.source);
    EXPECT_FALSE(run.ok) << c.source;
    EXPECT_TRUE(endsWith(run.log, fatalTail(c.message))) << c.source << "\n--- log:\n" << run.log;
    EXPECT_EQ(run.target, std::vector<unsigned char>{0x00}) << c.source;
}

}  // namespace

TEST(CompilerChecks, EventSectionsAndScriptKinds) {
    scopedWorkDir dir;
    for (const fatalCase& c : std::vector<fatalCase>{
             {"event onSomething\n", "Unknown event onSomething"},
             {"event onEnter\nset LIFE 1\nend\nevent onKill\n", "The event onKill is illegal in a script for tiles"},
             {"event onCall\nend\nevent duringTouch\n", "The event duringTouch is illegal in a script for units"},
             {"event onKill\nset LIFE 1\nend\nevent onEnter\n", "The event onEnter is illegal in a script for units"},
             {"event onLoad\nset LIFE 1\nend\nevent onLoad\n", "The event onLoad is defined multiple times"},
             {"event global\nend\nevent global\n", "The event global is defined multiple times"},
             {"event onUse\nevent onLoad\n", "Illegal event onLoad inside of event"},
             {"end\n", "Illegal end outside of event"},
             {"endif\n", "Illegal endif outside of event"},
             {"event onUse\nendif\n", "Unexpected endif!"},
             {"event onUse\nset LIFE 1\n", "Unexpected end of file"},
             {"event onUse\nif LIFE\nset LIFE 1\nendif\n", "Unexpected end of file"},
             {"event onUse\nif LIFE\nset LIFE 1\nend\n", "Missing endif before end of event"},
             {"quita\n", "Illegal quita outside of event"},
             {"event onUse\nfly LIFE\n", "Unknown command fly"},
             {"Set LIFE 1\n", "Unknown command Set"},
         }) {
        expectFatal(c);
    }
}

TEST(CompilerChecks, EventKindIsFixedByTheFirstKindSpecificEvent) {
    scopedWorkDir dir;
    compileRun run = compileSource("event onEnter\nset LIFE 1\nend\nevent onKill\n");
    EXPECT_TRUE(endsWith(run.log, "Successfully compiled the event.\n\n" +
                                      fatalTail("The event onKill is illegal in a script for tiles")));
    // The nested event is logged as compiled before it is refused.
    run = compileSource("event onUse\nevent onLoad\n");
    EXPECT_TRUE(endsWith(run.log, "Compiling event onUse...\nCompiling event onLoad...\n" +
                                      fatalTail("Illegal event onLoad inside of event")));
    EXPECT_TRUE(compileSource("event onLoad\nset LIFE 1\nend\nevent onUse\nset LIFE 1\nend\n"
                              "event global\nset LIFE 1\nend\nevent onCall\nset LIFE 1\nend\n").ok);
}

TEST(CompilerChecks, VariablesAndOperands) {
    scopedWorkDir dir;
    for (const fatalCase& c : std::vector<fatalCase>{
             {"event onUse\nset ZFLAG 1\n", "Access to ZFLAG denied"},
             {"event onUse\ninc %12\n", "Access to %12 denied"},
             {"event onUse\nset LIFE bogus\n", "Unknown variable name bogus"},
             {"event onUse\nset 5x 1\n", "Unknown variable name 5x"},
             {"event onUse\nset %128 1\n", "Unknown variable name %128"},
             {"event onUse\nset %-1 1\n", "Unknown variable name %-1"},
             {"event onUse\nequal %x 1\n", "Unknown variable name %x"},
             {"event onUse\nset life 1\n", "Unknown variable name life"},
             {"event onUse\nset LIFE 99999999999\n", "Unknown variable name 99999999999"},
             {"event onUse\nif nothing\n", "Unknown variable name nothing"},
             {"event onUse\njmpif nothing there\n", "Unknown variable name nothing"},
             {"if LIFE\n", "Illegal if outside of event"},
             {"ifn LIFE\n", "Illegal ifn outside of event"},
             {"jmpif LIFE x\n", "Illegal jmpif outside of event"},
             {"jmpifn LIFE x\n", "Illegal jmpifn outside of event"},
             {"msgendl hello\n", "Illegal msgendl outside of event"},
             {"msg hello\n", "Illegal msg outside of event"},
         }) {
        expectFatal(c);
    }
}

TEST(CompilerChecks, NumbersReadUpToTheFirstNonDigit) {
    scopedWorkDir dir;
    compileRun run = compileSource("event onUse\nset LIFE 5x\nset LIFE +7\nset LIFE -2147483648\nend\n");
    ASSERT_TRUE(run.ok) << run.log;
    EXPECT_EQ(run.target, (std::vector<unsigned char>{1, 7, 3, 0x0F, 28, 0x10, 5, 0, 0, 0, 3, 0x0F, 28, 0x10, 7, 0,
                                                      0, 0, 3, 0x0F, 28, 0x10, 0, 0, 0, 0x80, 0xFE, 0xFF}));
    int value = 0;
    EXPECT_TRUE(string2int(" -12abc", value));
    EXPECT_EQ(value, -12);
    EXPECT_FALSE(string2int("2147483648", value));
    EXPECT_FALSE(string2int("-", value));
    EXPECT_FALSE(string2int("x1", value));
}

TEST(CompilerChecks, ReadableVariablesBelowSixteenAreAllowed) {
    scopedWorkDir dir;
    compileRun run = compileSource("event onUse\nequal ZFLAG 1\nset LIFE ZFLAG\nend\n");
    ASSERT_TRUE(run.ok) << run.log;
    EXPECT_EQ(run.target, (std::vector<unsigned char>{1, 7, 25, 0x0F, 12, 0x10, 1, 0, 0, 0, 3, 0x0F, 28, 0x0F, 12,
                                                      0xFE, 0xFF}));
}

TEST(CompilerChecks, IfOnTrueOrFalseWarnsAfterTheDeprecation) {
    scopedWorkDir dir;
    compileRun run = compileSource("event onUse\nif TRUE\nquita\nendif\nifn FALSE\nquita\nendif\nend\n");
    ASSERT_TRUE(run.ok);
    EXPECT_NE(run.log.find("Compiling event onUse...\n"
                           "Warning! if is deprecated, use jmpifn instead!\n"
                           "WARNING: Use of constant TRUE or FALSE in an if statement\n"
                           "Warning! if is deprecated, use jmpif instead!\n"
                           "WARNING: Use of constant TRUE or FALSE in an if statement\n"
                           "Successfully compiled the event.\n\n"),
              std::string::npos)
        << run.log;
    // The deprecation warning comes before the refusal outside an event.
    run = compileSource("if LIFE\n");
    EXPECT_TRUE(endsWith(run.log, "Warning! if is deprecated, use jmpifn instead!\n" +
                                      fatalTail("Illegal if outside of event")));
}

TEST(CompilerChecks, JumpPoints) {
    scopedWorkDir dir;
    for (const fatalCase& c : std::vector<fatalCase>{
             {":here\n", "Illegal jumping point outside of event"},
             {"event onUse\n:\n", "Empty ':' found!"},
             {"event onUse\n:a\n:a\n", "Multiple definition of jumping point a"},
             {"event onUse\n:a\nquita\nend\nevent onLoad\n:a\n", "Multiple definition of jumping point a"},
         }) {
        expectFatal(c);
    }
    compileRun run = compileSource("event onUse\njmpif LIFE b\n:a\njmpifn LIFE a\n:b\nend\n");
    ASSERT_TRUE(run.ok) << run.log;
    EXPECT_EQ(run.target, (std::vector<unsigned char>{1, 7, 29, 0x0F, 28, 0, 0, 30, 0x0F, 28, 1, 0, 0xFE, 0xFF}));
}

TEST(CompilerChecks, MoreThanSixtyFourJumpPointsOrReferencesStopTheCompilation) {
    scopedWorkDir dir;
    std::string points = "event onUse\n", references = "event onUse\n";
    for (int i = 0; i < 64; ++i) {
        points += ":p" + std::to_string(i) + "\n";
        references += "jmpif LIFE p\n";
    }
    EXPECT_TRUE(compileSource(points + "quita\nend\n").ok);
    EXPECT_TRUE(compileSource(references + "end\n").ok);
    expectFatal({(points + ":p64\n").c_str(), "Too many jumping points (at most 64)"});
    expectFatal({(points + "jmpif LIFE q\n").c_str(), "Too many jumping points (at most 64)"});
    expectFatal({(references + "jmpif LIFE p\n").c_str(), "Too many jmpif and jmpifn instructions (at most 64)"});
}

TEST(CompilerChecks, DefinitionsAndIncludes) {
    scopedWorkDir dir;
    writeFileText("bad.inc", "; only comments and definitions\ndef %41 OK\nset LIFE 1\n");
    for (const fatalCase& c : std::vector<fatalCase>{
             {"event onUse\ndef %40 DOORS\n", "Defining the constant DOORS in an event is illegal."},
             {"def bogus DOORS\n", "Unknown variable name bogus"},
             {"def %40 LIFE\n", "The constant LIFE is already defined"},
             {"def %40 DOORS\ndef %41 DOORS\n", "The constant DOORS is already defined"},
             {"def %40 %41\n", "The constant %41 is already defined"},
             {"event onUse\ninclude bad.inc\n", "Including the file bad.inc in an event is illegal"},
             {"include none.inc\n", "Opening the file none.inc failed"},
             {"include bad.inc\n", "An included file must not contain a set"},
             {"def %40\n", "Unexpected end of file"},
         }) {
        expectFatal(c);
    }
}

TEST(CompilerChecks, DefinitionsNameVariablesAndReplaceOldNames) {
    scopedWorkDir dir;
    compileRun run = compileSource("def %40 DOORS\nevent onUse\nset DOORS 1\nend\n");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.target, (std::vector<unsigned char>{1, 7, 3, 0x0F, 0x28, 0x10, 1, 0, 0, 0, 0xFE, 0xFF}));

    run = compileSource("def LIFE HEALTH\nevent onUse\nset HEALTH 1\nset LIFE 1\nend\n");
    EXPECT_NE(run.log.find("WARNING: Assigning new definition to constant variable!\n"
                           "Compiling event onUse...\n"),
              std::string::npos);
    EXPECT_TRUE(endsWith(run.log, fatalTail("Unknown variable name LIFE")));
}

TEST(CompilerChecks, IncludedDefinitionsApplyToTheMainSource) {
    scopedWorkDir dir;
    writeFileText("names.inc", "; door state\r\ndef %40 DOORS ;comment\r\n");
    compileRun run = compileSource("include names.inc\nevent onUse\ninc DOORS\nend\n");
    ASSERT_TRUE(run.ok) << run.log;
    EXPECT_EQ(run.target, (std::vector<unsigned char>{1, 7, 4, 0x0F, 40, 0xFE, 0xFF}));
    EXPECT_EQ(run.log,
              "Reading from in.ukv and writing to out.kvs.\n\n"
              "Beginning to read and compile.\n\n"
              "Including external file names.inc.\n\n"
              "Compiling event onUse...\n"
              "Successfully compiled the event.\n\n"
              "Successfully finished compiling.\n\n"
              "Beginning to write compiled data.\n"
              "Finished.\n");
}

TEST(CompilerChecks, OnlyRegularFilesAreRead) {
    scopedWorkDir dir;
    expectFatal({"include /dev/zero\n", "Opening the file /dev/zero failed"});
    expectFatal({"include .\n", "Opening the file . failed"});
    EXPECT_FALSE(compile(".", "out.kvs", nullptr, nullptr));
    EXPECT_TRUE(endsWith(readFileText("compiler.log"), fatalTail("Failed to open file .")));
}

// Sources and texts have limits, so that the compiled script's size can't
// overflow and a huge file can't exhaust memory; a NUL byte would end a
// text early and leave its rest to be run as instructions.
TEST(CompilerChecks, TextsAndSourcesWithinTheirLimits) {
    scopedWorkDir dir;
    const std::string longest(SCRIPT_TEXT_LIMIT, 'a');
    using namespace std::string_literals;
    const struct {
        std::string source;
        std::string message;  // "" compiles
    } rows[] = {
        {"event onUse\nmsg " + longest + "\nend\n", ""},
        {"event onUse\nmsg " + longest + "a\nend\n", "Text too long on line 2 (at most 65535 characters)"},
        {"event onUse\nmsgendl " + longest + "a\nend\n", "Text too long on line 2 (at most 65535 characters)"},
        {"event onUse\n\nmsg x\0y\nend\n"s, "NUL character in the text on line 3"},
        {"event onUse\r\nmsgendl \0\r\nend\n"s, "NUL character in the text on line 2"},
        {"event onUse\ngoto a\0b\nend\n"s, "NUL character in the text on line 2"},
        {"; " + std::string(SCRIPT_SOURCE_LIMIT - 3, 'x') + "\n", ""},
        {"; " + std::string(SCRIPT_SOURCE_LIMIT - 2, 'x') + "\n",
         "The file in.ukv is too big (at most 1048576 bytes)"},
    };
    for (const auto& row : rows) {
        const compileRun run = compileSource(row.source);
        const std::string what = row.source.substr(0, 24);
        EXPECT_EQ(run.ok, row.message.empty()) << what << "\n--- log:\n" << run.log.substr(0, 500);
        EXPECT_TRUE(row.message.empty() || endsWith(run.log, fatalTail(row.message))) << what;
    }
    writeFileText("big.inc", std::string(SCRIPT_SOURCE_LIMIT + 1, ';'));
    expectFatal({"include big.inc\n", "The file big.inc is too big (at most 1048576 bytes)"});
}

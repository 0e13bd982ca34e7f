// Which fatal message each faulty source gets, and the limits of a source.
#include <gtest/gtest.h>

#include "script/script_test_support.h"

// Sources and texts have limits, so that the compiled script's size can't
// overflow and a huge file can't exhaust memory; a NUL byte would end a text
// early and leave its rest to be run as instructions. A failed compilation
// leaves the single byte 0x00 as its target.
TEST(CompilerChecks, EachFaultStopsTheCompilationWithItsMessage) {
    using namespace std::string_literals;
    scopedWorkDir dir;
    writeFileText("bad.inc", "; only comments and definitions\ndef %41 OK\nset LIFE 1\n");
    writeFileText("big.inc", std::string(SCRIPT_SOURCE_LIMIT + 1, ';'));
    std::string points = "event onUse\n", jumps;
    for (int i = 0; i < 64; ++i) points += ":p" + std::to_string(i) + "\n", jumps += "jmpif LIFE p0\n";
    const scriptRow<std::string, std::string> rows[] = {  // "" compiles
        {"unknown event", "event onSomething", "Unknown event onSomething"},
        {"tile event after onCall", "event onCall\nend\nevent duringTouch",
         "The event duringTouch is illegal in a script for units"},
        {"event twice", "event onLoad\nquita\nend\nevent onLoad", "The event onLoad is defined multiple times"},
        {"end outside", "end", "Illegal end outside of event"},
        {"endif outside", "endif", "Illegal endif outside of event"},
        {"endif without if", "event onUse\nendif", "Unexpected endif!"},
        {"text at the end keeps the event open", "event onUse\nmsg", "Unexpected end of file"},
        {"def without a name", "def %40", "Unexpected end of file"},
        {"end inside if", "event onUse\nif LIFE\nquita\nend", "Missing endif before end of event"},
        {"command outside", "quita", "Illegal quita outside of event"},
        {"jmpif outside", "jmpif LIFE x", "Illegal jmpif outside of event"},
        {"msgendl outside", "msgendl hello", "Illegal msgendl outside of event"},
        {"jump point outside", ":here", "Illegal jumping point outside of event"},
        {"unknown command", "event onUse\nfly LIFE", "Unknown command fly"},
        {"last protected variable", "event onUse\ninc %15", "Access to %15 denied"},
        {"number as a variable", "event onUse\nset 5x 1", "Unknown variable name 5x"},
        {"index past 127", "event onUse\nset %128 1", "Unknown variable name %128"},
        {"negative index", "event onUse\nset %-1 1", "Unknown variable name %-1"},
        {"index not a number", "event onUse\nequal %- 1", "Unknown variable name %-"},
        {"number beyond 32 bits", "event onUse\nset LIFE 99999999999", "Unknown variable name 99999999999"},
        {"one past the largest number", "event onUse\nset LIFE 2147483648", "Unknown variable name 2147483648"},
        {"if on no variable", "event onUse\nif nothing", "Unknown variable name nothing"},
        {"jmpif on no variable", "event onUse\njmpif nothing there", "Unknown variable name nothing"},
        {"empty jump point", "event onUse\n:", "Empty ':' found!"},
        {"jump points span events", "event onUse\n:a\nquita\nend\nevent onLoad\n:a",
         "Multiple definition of jumping point a"},
        {"64 jump points and 64 jmpifs", points + jumps + "end", ""},
        {"65th jump point", points + ":p64", "Too many jumping points (at most 64)"},
        {"65th jump point named by jmpif", points + "jmpif LIFE q", "Too many jumping points (at most 64)"},
        {"65th jmpif", points + jumps + "jmpif LIFE p0", "Too many jmpif and jmpifn instructions (at most 64)"},
        {"def in an event", "event onUse\ndef %40 DOORS", "Defining the constant DOORS in an event is illegal."},
        {"def of no variable", "def bogus DOORS", "Unknown variable name bogus"},
        {"def of a known name", "def %40 LIFE", "The constant LIFE is already defined"},
        {"include in an event", "event onUse\ninclude bad.inc", "Including the file bad.inc in an event is illegal"},
        {"include of a device", "include /dev/zero", "Opening the file /dev/zero failed"},
        {"include holding a command", "include bad.inc", "An included file must not contain a set"},
        {"include too big", "include big.inc", "The file big.inc is too big (at most 1048576 bytes)"},
        {"source at the limit", std::string(SCRIPT_SOURCE_LIMIT, ';'), ""},
        {"text too long", "event onUse\nmsg " + std::string(SCRIPT_TEXT_LIMIT + 1, 'a'),
         "Text too long on line 2 (at most 65535 characters)"},
        {"NUL in msgendl after CRLF", "event onUse\r\nmsgendl \0\r\nend"s, "NUL character in the text on line 2"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const compileRun run = compileSource(r.in);
        EXPECT_EQ(run.ok, r.out.empty()) << run.log.substr(0, 500);
        if (r.out.empty()) continue;
        EXPECT_THAT(run.log, testing::EndsWith(fatalTail(r.out)));
        EXPECT_EQ(run.target, bytes{0x00});
    }
    int value = 0;  // numbers may start with white space and a sign
    EXPECT_TRUE(string2int(" \t-12abc", value) && value == -12);
}

// Statements that take the rest of a line, comments and line ends.
#include <gtest/gtest.h>

#include "script/compiler_test_support.h"

namespace {

// The compiled bytes of one event around body, without the event header
// and the closing FE FF.
std::vector<unsigned char> eventBody(const std::string& body) {
    compileRun run = compileSource("event onUse\n" + body + "end\n");
    EXPECT_TRUE(run.ok) << run.log;
    if (run.target.size() < 4) return {};
    return std::vector<unsigned char>(run.target.begin() + 2, run.target.end() - 2);
}

std::vector<unsigned char> textOp(unsigned char opcode, const std::string& text) {
    std::vector<unsigned char> out{opcode};
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    return out;
}

}  // namespace

TEST(CompilerText, KeepsSpacesAndSemicolonsAndSkipsOneCharacter) {
    scopedWorkDir dir;
    EXPECT_EQ(eventBody("msg   two ; not a comment  \n"), textOp(10, "  two ; not a comment  "));
    EXPECT_EQ(eventBody("msg\ttab\n"), textOp(10, "tab"));
    EXPECT_EQ(eventBody("goto map2\n"), textOp(14, "map2"));
    std::vector<unsigned char> high = eventBody("msg \xE4\xFF\n");
    EXPECT_EQ(high, textOp(10, "\xE4\xFF"));
}

TEST(CompilerText, MsgAtTheLineEndTakesTheWholeNextLine) {
    scopedWorkDir dir;
    EXPECT_EQ(eventBody("msg\nset LIFE 1\n"), textOp(10, "set LIFE 1"));
    EXPECT_EQ(eventBody("msg\r\nnext line\r\n"), textOp(10, "next line"));
}

TEST(CompilerText, CrlfSourcesCompileLikeLfSources) {
    scopedWorkDir dir;
    std::string lf = "event onUse\nmsgendl Hello there\nloadsound %40 sfx/door.wav\nend\n";
    std::string crlf = "event onUse\r\nmsgendl Hello there\r\nloadsound %40 sfx/door.wav\r\nend\r\n";
    compileRun a = compileSource(lf);
    compileRun b = compileSource(crlf);
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.target, b.target);
    std::vector<unsigned char> expected = textOp(10, "Hello there");
    expected.push_back(11);
    const std::string sound = "\x14\x0F\x28sfx/door.wav";
    expected.insert(expected.end(), sound.begin(), sound.end());
    expected.push_back(0);
    EXPECT_EQ(std::vector<unsigned char>(a.target.begin() + 2, a.target.end() - 2), expected);
}

TEST(CompilerText, CommentsSkipTheirWholeLineHoweverLong) {
    scopedWorkDir dir;
    std::string longComment = ";" + std::string(3000, 'x') + " quita\n";
    EXPECT_EQ(eventBody(longComment + "inc LIFE ;trailing comment quita\n"),
              (std::vector<unsigned char>{4, 0x0F, 28}));
}

TEST(CompilerText, TextsMayBeLongerThanAnyLineBuffer) {
    scopedWorkDir dir;
    std::string text(5000, 'a');
    EXPECT_EQ(eventBody("msg " + text + "\n"), textOp(10, text));
}

TEST(CompilerText, TextAtTheEndOfTheSourceIsEmptyAndTheEventStaysOpen) {
    scopedWorkDir dir;
    compileRun run = compileSource("event onUse\nmsg");
    EXPECT_FALSE(run.ok);
    EXPECT_TRUE(endsWith(run.log, fatalTail("Unexpected end of file")));
}

// The "compiler" start mode.
#include "script/compiler_mode.h"

#include <gtest/gtest.h>

#include <fstream>

#include "script/compiler_test_support.h"

namespace {

void runMode(std::vector<std::string> words) {
    std::vector<char*> args;
    for (std::string& w : words) args.push_back(w.data());
    runCompilerMode(static_cast<int>(args.size()), args.data());
}

}  // namespace

TEST(CompilerMode, WritesTheKvsBesideTheSourceOrTheNamedTarget) {
    scopedWorkDir dir;
    writeFileText("a.ukv", "event onUse\nquita\nend\n");
    runMode({"a.ukv"});
    EXPECT_EQ(readFileBytes("a.kvs"), (std::vector<unsigned char>{1, 7, 19, 0xFE, 0xFF}));
    runMode({"a.ukv", "b.out"});
    EXPECT_EQ(readFileBytes("b.out"), readFileBytes("a.kvs"));
    EXPECT_EQ(defaultCompilerTarget("maps/x.ukv"), "maps/x.kvs");
    EXPECT_EQ(defaultCompilerTarget("ab"), "kvs");
}

TEST(CompilerMode, WithoutASourceNothingHappens) {
    scopedWorkDir dir;
    runMode({});
    EXPECT_FALSE(std::ifstream("compiler.log").good());
}

TEST(CompilerMode, ACompiledFileAsSourceIsNotOverwritten) {
    scopedWorkDir dir;
    writeFileText("a.kvs", "event onUse\nquita\nend\n");
    runMode({"a.kvs"});
    EXPECT_EQ(readFileText("a.kvs"), "event onUse\nquita\nend\n");
    EXPECT_TRUE(endsWith(readFileText("compiler.log"), fatalTail("The target file a.kvs is the source file")));
}

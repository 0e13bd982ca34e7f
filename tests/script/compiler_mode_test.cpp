// The "compiler" start mode.
#include "script/compiler_mode.h"

#include <gtest/gtest.h>

#include "script/script_test_support.h"

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

// Compiles sources and builds extracted events for the script tests.
#pragma once

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "script/bytecode.h"
#include "script/compiler.h"
#include "support/test_files.h"

using bytes = std::vector<unsigned char>;

// One row of a test table: what it checks, what goes in and what must come out.
template <class In, class Out>
struct scriptRow {
    const char* what;
    In in;
    Out out;
};

struct compileRun {
    bool ok = false;
    bytes target;     // the bytes of "out.kvs"
    std::string log;  // "compiler.log"
};

// Compiles source as in.ukv to out.kvs in the working directory.
inline compileRun compileSource(const std::string& source) {
    writeFileText("in.ukv", source);
    const bool ok = compile("in.ukv", "out.kvs", nullptr, nullptr);
    return {ok, readFileBytes("out.kvs"), readFileText("compiler.log")};
}

// The first lines of the log of compileSource, and the whole log of a
// successful one whose own lines are body.
const std::string LOG_OPENING = "Reading from in.ukv and writing to out.kvs.\n\nBeginning to read and compile.\n\n";
inline std::string wholeLog(const std::string& body) {
    return LOG_OPENING + body + "Successfully finished compiling.\n\nBeginning to write compiled data.\nFinished.\n";
}

// The end of the log of a compilation that stopped with message.
inline std::string fatalTail(const std::string& message) {
    return "FATAL ERROR: " + message + "\n\nAn error occured during compilation.\nNot writing compiled data.\n";
}


// The onUse event of a compiled script made of instructions.
inline bytecode rawEvent(bytes script) {
    script.insert(script.begin(), {0x01, 7});
    script.insert(script.end(), {0xFE, 0xFF});
    return bytecode(script.data(), static_cast<int>(script.size()), 7);
}

// Compiles "event onUse", body and "end" in a scratch folder and extracts the event.
inline bytecode compiledEvent(const std::string& body) {
    scopedWorkDir dir;
    const compileRun run = compileSource("event onUse\n" + body + "\nend\n");
    EXPECT_TRUE(run.ok) << run.log;
    return bytecode(run.target.data(), static_cast<int>(run.target.size()), 7);
}

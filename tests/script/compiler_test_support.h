// Runs the compiler on a source text inside the test's working directory.
#pragma once

#include <string>
#include <vector>

#include "script/compiler.h"
#include "support/test_files.h"

struct compileRun {
    bool ok = false;
    std::vector<unsigned char> target;  // the bytes of "out.kvs"
    std::string log;                    // "compiler.log"
};

inline compileRun compileSource(const std::string& source) {
    writeFileText("in.ukv", source);
    compileRun run;
    run.ok = compile("in.ukv", "out.kvs", nullptr, nullptr);
    run.target = readFileBytes("out.kvs");
    run.log = readFileText("compiler.log");
    return run;
}

// The whole log of a successful compilation of in.ukv whose own lines are body.
inline std::string wholeLog(const std::string& body) {
    return "Reading from in.ukv and writing to out.kvs.\n\nBeginning to read and compile.\n\n" + body +
           "Successfully finished compiling.\n\nBeginning to write compiled data.\nFinished.\n";
}

// The end of the log of a compilation that stopped with message.
inline std::string fatalTail(const std::string& message) {
    return "FATAL ERROR: " + message +
           "\n\nAn error occured during compilation.\nNot writing compiled data.\n";
}

inline bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

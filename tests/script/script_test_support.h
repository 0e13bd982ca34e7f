// Builds extracted events for the reader and machine tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/bytecode.h"
#include "script/compiler.h"
#include "support/test_files.h"

using bytes = std::vector<unsigned char>;

// A compiled script holding one onUse event made of instructions.
inline bytes scriptWith(const bytes& instructions) {
    bytes script{0x01, 7};
    script.insert(script.end(), instructions.begin(), instructions.end());
    script.push_back(0xFE);
    script.push_back(0xFF);
    return script;
}

inline bytecode rawEvent(const bytes& instructions) {
    bytes script = scriptWith(instructions);
    return bytecode(script.data(), static_cast<int>(script.size()), 7);
}

// Compiles "event onUse", body and "end" in a temporary directory and
// extracts the event.
inline bytecode compiledEvent(const std::string& body) {
    scopedWorkDir dir;
    writeFileText("event.ukv", "event onUse\n" + body + "\nend\n");
    unsigned char buffer[4096];
    int size = sizeof buffer;
    EXPECT_TRUE(compile("event.ukv", "", buffer, &size)) << readFileText("compiler.log");
    return bytecode(buffer, size, 7);
}

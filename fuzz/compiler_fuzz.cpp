// Compiles arbitrary source text into a file and a buffer.
#include <cstdint>
#include <fstream>
#include <vector>

#include "fuzz_work_dir.h"
#include "script/compiler.h"

// The compiler reads and writes relative to the working directory.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterFuzzWorkDir("compiler-fuzz");
    std::ofstream("names.inc") << "def %40 DOORS\n; comment\n";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream source("in.ukv", std::ios::binary | std::ios::trunc);
        source.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::vector<unsigned char> buffer(size * 8 + 64);
    int capacity = static_cast<int>(buffer.size());
    compile("in.ukv", "out.kvs", buffer.data(), &capacity);
    return 0;
}

// Compiles arbitrary source text into a file and a buffer.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "script/compiler.h"

namespace {

char workDir[] = "/tmp/korvalt-compiler-fuzz-XXXXXX";

void removeWorkDir() {
    std::error_code ignored;
    std::filesystem::remove_all(workDir, ignored);
}

}  // namespace

// The compiler reads and writes relative to the working directory.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!mkdtemp(workDir) || chdir(workDir) != 0) std::abort();
    std::atexit(removeWorkDir);
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

// Reads arbitrary text as a map source. A source that builds must come
// back from the map file as a source that builds the same bytes.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz_work_dir.h"
#include "map/map_file.h"
#include "map_source.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterFuzzWorkDir("map-source-fuzz");
    std::filesystem::create_directories("scripts");
    std::FILE* f = std::fopen("scripts/a.ukv", "w");
    std::fputs("event onLoad\nset %40 1\nend\n", f);
    std::fclose(f);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string source(reinterpret_cast<const char*>(data), size);
    // "compile" reads the named file to its end; device files never end.
    if (source.find("/dev") != std::string::npos || source.find("/proc") != std::string::npos) return 0;
    std::string bytes;
    try {
        bytes = buildMapFile(source);
    } catch (const sourceFault&) {
        return 0;
    }
    try {
        if (buildMapFile(mapFileSource(bytes, "fuzz.kvm")) != bytes) std::abort();
    } catch (const mapFault&) {
        // Texts with line feeds and the like have no source form.
    } catch (const sourceFault&) {
        std::abort();
    }
    return 0;
}

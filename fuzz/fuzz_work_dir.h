// Every fuzz target that reads or writes files works in a folder of its own
// run, made the working directory and removed when the run ends.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline void enterFuzzWorkDir(const std::string& name) {
    static std::filesystem::path dir;
    dir = std::filesystem::temp_directory_path() / ("korvalt-" + name + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    });
}

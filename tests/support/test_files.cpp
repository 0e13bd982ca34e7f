#include "support/test_files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

scopedWorkDir::scopedWorkDir() {
    previous = std::filesystem::current_path().string();
    char pattern[] = "/tmp/korvalt-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    dir = pattern;
    std::filesystem::current_path(dir);
}

scopedWorkDir::~scopedWorkDir() {
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

std::string readFileText(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> readFileBytes(const std::string& name) {
    const std::string text = readFileText(name);
    return {text.begin(), text.end()};
}

void writeFileText(const std::string& name, const std::string& text) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void writeFileBytes(const std::string& name, const std::vector<unsigned char>& bytes) {
    writeFileText(name, std::string(bytes.begin(), bytes.end()));
}

// Helpers for tests that read and write files relative to the working
// directory, as the program does.
#pragma once

#include <string>
#include <vector>

// Makes a fresh temporary directory the working directory for its lifetime,
// then goes back and removes it.
class scopedWorkDir {
public:
    scopedWorkDir();
    ~scopedWorkDir();
    scopedWorkDir(const scopedWorkDir&) = delete;
    scopedWorkDir& operator=(const scopedWorkDir&) = delete;
    const std::string& path() const { return dir; }

private:
    std::string dir;
    std::string previous;
};

std::vector<unsigned char> readFileBytes(const std::string& name);
std::string readFileText(const std::string& name);
void writeFileBytes(const std::string& name, const std::vector<unsigned char>& bytes);
void writeFileText(const std::string& name, const std::string& text);

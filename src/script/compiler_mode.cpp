#include "script/compiler_mode.h"

#include "script/compiler.h"

std::string defaultCompilerTarget(const std::string& source) {
    return source.substr(0, source.size() < 3 ? 0 : source.size() - 3) + "kvs";
}

void runCompilerMode(int count, char** args) {
    if (count < 1) return;
    std::string source = args[0];
    compile(source, count > 1 ? args[1] : defaultCompilerTarget(source), nullptr, nullptr);
}

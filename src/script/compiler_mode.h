// The compile-only start mode: "compiler" source [target].
#pragma once

#include <string>

// The default target: the source name with its last three characters
// replaced by "kvs" (a shorter name is replaced whole).
std::string defaultCompilerTarget(const std::string& source);

// args are the words after "compiler". Without a source nothing happens.
void runCompilerMode(int count, char** args);

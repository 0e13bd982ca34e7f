// The script compiler: turns one source file (.ukv) into the compiled form
// read by bytecode, into a file and/or a caller's buffer, and explains its
// work in "compiler.log".
#pragma once

#include <fstream>
#include <string>

#include "script/command_tables.h"

// Limits of a compilation: a source file, and each file it includes, has
// at most SCRIPT_SOURCE_LIMIT bytes, and a text operand (msg, msgendl, goto,
// loadsound) at most SCRIPT_TEXT_LIMIT characters, and no NUL byte, which
// would end it early. Beyond them the compilation stops with a fatal error;
// they keep a compiled script far below the sizes its int counters hold.
constexpr int SCRIPT_SOURCE_LIMIT = 1 << 20;
constexpr int SCRIPT_TEXT_LIMIT = 65535;

// Variable names known to the compilation in progress ("" for none).
extern std::string consts[VARIABLE_COUNT];

// Where the last failed compilation stopped: the source (an included file
// when the fault lies there), the line (0 when no word was read) and the
// fatal error text that "compiler.log" holds too.
struct compileFailure {
    std::string file;
    int line = 0;
    std::string message;
};
extern compileFailure lastCompileFailure;

// Compiles the file source. A non-empty target receives the compiled
// script (a failed compilation leaves the single byte 0x00 in it); a
// non-null buffer receives it when *size, its capacity, is large enough,
// and *size is set to its length. False on failure; "compiler.log" says why.
// Nothing is thrown: even running out of memory is a fatal error in the log.
bool compile(std::string source, std::string target, unsigned char* buffer, int* size);

// Writes the fatal error text to log, closes it and gives false.
bool compileError(std::ofstream& log, std::string message);

// A decimal integer at the start of word (white space and a sign may lead,
// anything may follow the digits); false when none can be read or it does
// not fit 32 bits.
bool string2int(std::string word, int& value);

// "%" and an index 0 to 127, or a name of the names table.
bool const2int(std::string word, int& index);

// The tables that the compiler and the virtual machine share: command words
// with their parameter kinds and opcodes, the event names, the marker bytes
// and the standard variable names.
#pragma once

constexpr int COMMAND_COUNT = 22;
constexpr int VARIABLE_COUNT = 128;
constexpr int STDCONST_COUNT = 37;
constexpr int EVENT_COUNT = 9;
constexpr int PROTECTED_VARIABLES = 16;  // indexes 0 to 15: read-only for scripts

// Parameter kinds of parse_params.
enum parameterKind { PARAM_NONE, PARAM_READ_VAR, PARAM_WRITE_VAR, PARAM_VALUE, PARAM_TEXT };

// Byte values with a fixed meaning in compiled scripts.
enum scriptByte : unsigned char {
    EVENT_MARKER = 0x01,
    OP_SET = 3, OP_INC = 4, OP_DEC = 5, OP_ADD = 6, OP_SUB = 7,
    OP_IF = 8, OP_IFN = 9, OP_MSG = 10, OP_ENDL = 11, OP_MSGVAR = 12,
    OP_GRAPHIC = 13, OP_GOTO = 14, OP_QUIT = 17, OP_QUITN = 18, OP_QUITA = 19,
    OP_LOADSOUND = 20, OP_DELETESOUND = 21, OP_PLAYSOUND = 22, OP_STOPSOUND = 23,
    OP_SMALLER = 24, OP_EQUAL = 25, OP_MUL = 26, OP_DIV = 27, OP_MSGKEY = 28,
    OP_JMPIF = 29, OP_JMPIFN = 30,
    VAR_TAG = 0x0F,
    CONST_TAG = 0x10,
    BLOCK_END = 0xFD,
    EVENT_END = 0xFE,
    SCRIPT_END = 0xFF
};

// Variable indexes the machine itself reads or writes.
enum variableIndex {
    VAR_MISSIONSOLVED = 8, VAR_FALSE = 9, VAR_TRUE = 10, VAR_ZFLAG = 12, VAR_OBJECTIVE1 = 18
};

extern const char* const parse_name[COMMAND_COUNT];
extern const int parse_params[3][COMMAND_COUNT];
extern const unsigned char parse_bytecode[COMMAND_COUNT];

// Event names; event number n is EVENT_NAMES[n - 1].
extern const char* const EVENT_NAMES[EVENT_COUNT];

// Standard variable names of indexes 0 to 36 ("" for an unnamed index).
extern const char* const STDCONSTS[STDCONST_COUNT];

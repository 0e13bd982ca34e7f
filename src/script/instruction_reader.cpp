#include "script/instruction_reader.h"

#include "script/command_tables.h"

namespace {

enum operandForm : unsigned char { NONE, VAR, VALUE, TEXT, JUMP };

struct layout {
    bool known = false;
    operandForm operands[3] = {NONE, NONE, NONE};
};

struct layoutTable {
    layout byOpcode[256];

    layoutTable() {
        // The commands of parse_params.
        for (int c = 0; c < COMMAND_COUNT; ++c) {
            layout& l = byOpcode[parse_bytecode[c]];
            l.known = true;
            for (int p = 0; p < 3; ++p) {
                switch (parse_params[p][c]) {
                case PARAM_READ_VAR:
                case PARAM_WRITE_VAR: l.operands[p] = VAR; break;
                case PARAM_VALUE: l.operands[p] = VALUE; break;
                case PARAM_TEXT: l.operands[p] = TEXT; break;
                default: break;
                }
            }
        }
        byOpcode[OP_IF] = {true, {VAR, NONE, NONE}};
        byOpcode[OP_IFN] = {true, {VAR, NONE, NONE}};
        byOpcode[OP_JMPIF] = {true, {VAR, JUMP, NONE}};
        byOpcode[OP_JMPIFN] = {true, {VAR, JUMP, NONE}};
        byOpcode[BLOCK_END].known = true;
        byOpcode[EVENT_END].known = true;
        byOpcode[SCRIPT_END].known = true;
    }
};

const layoutTable LAYOUTS;

// Length of one operand at pos, 0 when it can't be decoded.
int operandLength(operandForm form, const unsigned char* code, int size, int pos) {
    int left = size - pos;
    switch (form) {
    case VAR:
        return left >= 2 && code[pos] == VAR_TAG ? 2 : 0;
    case VALUE:
        if (left >= 2 && code[pos] == VAR_TAG) return 2;
        return left >= 5 && code[pos] == CONST_TAG ? 5 : 0;
    case TEXT:
        for (int i = pos; i < size; ++i) {
            if (code[i] == 0) return i - pos + 1;
        }
        return 0;
    case JUMP:
        return left >= 2 ? 2 : 0;
    case NONE:
        break;
    }
    return 0;
}

// Position of the first byte equal to marker at or after pos, or -1.
int scanFor(const unsigned char* code, int size, int pos, unsigned char marker) {
    for (int i = pos; i < size; ++i) {
        if (code[i] == marker) return i;
    }
    return -1;
}

}  // namespace

int instructionLength(const unsigned char* code, int size, int pos) {
    if (pos < 0 || pos >= size) return 0;
    const layout& l = LAYOUTS.byOpcode[code[pos]];
    if (!l.known) return 0;
    int length = 1;
    for (operandForm form : l.operands) {
        if (form == NONE) break;
        int n = operandLength(form, code, size, pos + length);
        if (n == 0) return 0;
        length += n;
    }
    return length;
}

int findEventEnd(const unsigned char* code, int size, int start) {
    int pos = start;
    while (pos < size) {
        if (code[pos] == EVENT_END) return pos;
        int n = instructionLength(code, size, pos);
        if (n == 0) return scanFor(code, size, pos, EVENT_END);
        pos += n;
    }
    // The last instruction swallowed every 0xFE: a damaged event, read as
    // the byte scan reads it.
    return scanFor(code, size, start, EVENT_END);
}

eventSearch findEvent(const unsigned char* script, int size, int event, int& start, int& end) {
    int pos = 0;
    while (pos < size) {
        if (script[pos] == SCRIPT_END) return eventSearch::absent;
        if (script[pos] != EVENT_MARKER || pos + 1 >= size) return eventSearch::malformed;
        int eventEnd = findEventEnd(script, size, pos + 2);
        if (eventEnd < 0) return eventSearch::malformed;
        if (script[pos + 1] == event) {
            start = pos + 2;
            end = eventEnd;
            return eventSearch::found;
        }
        pos = eventEnd + 1;
    }
    return eventSearch::malformed;
}

int findScriptEnd(const unsigned char* bytes, int size) {
    int pos = 0;
    while (pos < size) {
        if (bytes[pos] == SCRIPT_END) return pos + 1;
        if (bytes[pos] != EVENT_MARKER || pos + 1 >= size) return -1;
        int eventEnd = findEventEnd(bytes, size, pos + 2);
        if (eventEnd < 0) return -1;
        pos = eventEnd + 1;
    }
    return -1;
}

int skipBlock(const unsigned char* code, int size, int pos) {
    int depth = 1;
    bool decoding = true;
    while (pos < size) {
        unsigned char b = code[pos];
        if (b == BLOCK_END) {
            if (--depth == 0) return pos + 1;
        } else if (b == OP_IF || b == OP_IFN) {
            ++depth;
        }
        int n = decoding ? instructionLength(code, size, pos) : 1;
        if (n == 0) {
            decoding = false;
            n = 1;
        }
        pos += n;
    }
    return size;
}

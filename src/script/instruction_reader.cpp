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

// Length of one operand at pos, 0 when it can't be decoded; `cut` is set
// when it could be, were it not for the end at size.
int operandLength(operandForm form, const unsigned char* code, int size, int pos, bool& cut) {
    const int left = size - pos;
    int need = 0;
    switch (form) {
    case VAR:
        if (left >= 1 && code[pos] != VAR_TAG) return 0;
        need = 2;
        break;
    case VALUE:
        if (left >= 1 && code[pos] != VAR_TAG && code[pos] != CONST_TAG) return 0;
        need = left >= 1 && code[pos] == CONST_TAG ? 5 : 2;
        break;
    case TEXT:
        for (int i = pos; i < size; ++i) {
            if (code[i] == 0) return i - pos + 1;
        }
        cut = true;
        return 0;
    case JUMP:
        need = 2;
        break;
    case NONE:
        return 0;
    }
    if (left >= need) return need;
    cut = true;
    return 0;
}

int decodedLength(const unsigned char* code, int size, int pos, bool& cut) {
    cut = false;
    if (pos < 0 || pos >= size) return 0;
    const layout& l = LAYOUTS.byOpcode[code[pos]];
    if (!l.known) return 0;
    int length = 1;
    for (operandForm form : l.operands) {
        if (form == NONE) break;
        const int n = operandLength(form, code, size, pos + length, cut);
        if (n == 0) return 0;
        length += n;
    }
    return length;
}

// Position of the first byte equal to marker at or after pos, or -1.
int scanFor(const unsigned char* code, int size, int pos, unsigned char marker) {
    for (int i = pos; i < size; ++i) {
        if (code[i] == marker) return i;
    }
    return -1;
}

// As findEventEnd; with `cutEnds` an instruction cut off by size means the
// event goes on beyond the bytes at hand (-1) instead of being scanned.
int endOfEvent(const unsigned char* code, int size, int start, bool cutEnds) {
    int pos = start;
    while (pos < size) {
        if (code[pos] == EVENT_END) return pos;
        bool cut = false;
        const int n = decodedLength(code, size, pos, cut);
        if (n == 0) return cut && cutEnds ? -1 : scanFor(code, size, pos, EVENT_END);
        pos += n;
    }
    if (cutEnds) return -1;
    // The last instruction swallowed every 0xFE: a damaged event, read as
    // the byte scan reads it.
    return scanFor(code, size, start, EVENT_END);
}

}  // namespace

int instructionLength(const unsigned char* code, int size, int pos) {
    bool cut = false;
    return decodedLength(code, size, pos, cut);
}

int findEventEnd(const unsigned char* code, int size, int start) { return endOfEvent(code, size, start, false); }

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
        const int end = endOfEvent(bytes, size, pos + 2, true);
        if (end < 0) return -1;
        pos = end + 1;
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

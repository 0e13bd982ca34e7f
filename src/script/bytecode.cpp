#include "script/bytecode.h"

#include <cstring>
#include <fstream>

#include "app/errors.h"
#include "script/command_tables.h"
#include "script/instruction_reader.h"

const char* const GLOBAL_SCRIPT_FILE = "globalScript.kvs";

bytecode::bytecode(const unsigned char* script, int size, int event) { extract(script, size, event); }

bytecode& bytecode::operator=(const bytecode& src) {
    if (this != &src) {
        code = src.code;
        length = src.length;
        pos = 0;
    }
    return *this;
}

void bytecode::extract(const unsigned char* script, int size, int event) {
    code.clear();
    length = 0;
    pos = 0;
    int start = 0, end = 0;
    eventSearch found = findEvent(script, size, event, start, end);
    if (found == eventSearch::malformed) errors::scriptError("Damaged compiled script!");
    if (found == eventSearch::found) {
        code.assign(script + start, script + end);
        code.push_back(SCRIPT_END);
        length = static_cast<int>(code.size());
    }
    if (event == 9) {
        std::ofstream out(GLOBAL_SCRIPT_FILE, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(code.data()), length);
    }
}

void bytecode::read(unsigned char* dst, int n) {
    need(n);
    std::memcpy(dst, code.data() + pos, n);
    pos += n;
}

int bytecode::getConstPar() {
    need(4);
    const unsigned char* b = code.data() + pos;
    pos += 4;
    return static_cast<int>(static_cast<unsigned>(b[0]) | static_cast<unsigned>(b[1]) << 8 |
                            static_cast<unsigned>(b[2]) << 16 | static_cast<unsigned>(b[3]) << 24);
}

bool bytecode::isVar() {
    int tag = readByte();
    if (tag == VAR_TAG) return true;
    if (tag == CONST_TAG) return false;
    throw scriptFault{"Unexpected value for argument identifier!", ""};
}

std::string bytecode::getString(char delimiter) {
    need(1);
    const unsigned char* begin = code.data() + pos;
    const void* found = std::memchr(begin, static_cast<unsigned char>(delimiter), length - pos);
    if (found == nullptr) throw scriptFault{"Unexpected end of script code!", ""};
    int n = static_cast<int>(static_cast<const unsigned char*>(found) - begin);
    std::string text(reinterpret_cast<const char*>(begin), n);
    pos += n + 1;
    return text;
}

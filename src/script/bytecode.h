// The code of one event cut out of a compiled script, and the bounded
// reader through which the virtual machine reads it.
//
// Compiled script layout (no header; integers little-endian):
//   event block   0x01, event number (1 to 9), instructions, 0xFE
//   ...           further event blocks in source order
//   script end    0xFF
// Instruction layouts are described in script/instruction_reader.h.
// An extracted event holds its instructions followed by one 0xFF.
#pragma once

#include <string>
#include <vector>

#include "script/script_fault.h"

extern const char* const GLOBAL_SCRIPT_FILE;  // "globalScript.kvs"

class bytecode {
public:
    bytecode() = default;
    bytecode(const unsigned char* script, int size, int event);
    bytecode(const bytecode& src) { *this = src; }
    bytecode& operator=(const bytecode& src);

    // Replaces the content with the instructions of event in the compiled
    // script of size bytes (which bound every read). A missing event leaves
    // length 0; a damaged script ends the program with a script error.
    // Event 9 ("global") is also written to GLOBAL_SCRIPT_FILE.
    void extract(const unsigned char* script, int size, int event);

    int getLength() const { return length; }
    int getPos() const { return pos; }
    void reset() { pos = 0; }
    const unsigned char* data() const { return code.data(); }
    void setPos(int p) { pos = p; }

    // Readers at pos. A read past the end or a bad operand tag throws
    // scriptFault; the machine reports it through errors::scriptError.
    void read(unsigned char* dst, int n);
    void read(char* dst, int n) { read(reinterpret_cast<unsigned char*>(dst), n); }
    int readByte() {
        need(1);
        return code[pos++];
    }
    int getVarPar() { return readByte(); }
    int getConstPar();
    // True for the variable tag 0x0F, false for the constant tag 0x10.
    bool isVar();
    // The bytes up to the first delimiter, which is consumed.
    std::string getString(char delimiter);

private:
    void need(int n) const {
        if (n > length - pos) throw scriptFault{"Unexpected end of script code!", ""};
    }

    std::vector<unsigned char> code;
    int length = 0;
    int pos = 0;
};

// Steps over compiled script code instruction by instruction, by each
// opcode's operand layout, instead of scanning for marker bytes: a constant
// such as -1 (10 FF FF FF FF) or a text byte equal to 0xFD, 0xFE or 0xFF is
// an operand, not a marker. Every function stays inside [0, size).
//
// Instruction layout: one opcode byte, then its operands:
//   variable    2 bytes   0x0F, index
//   value       2/5 bytes 0x0F index, or 0x10 and a 32-bit little-endian int
//   text        k+1 bytes k characters, then 0x00
//   jump point  2 bytes   16-bit slot number
// 0xFD (block end), 0xFE (event end) and 0xFF (script end) have no operands.
//
// Code that can't be decoded (an opcode outside the table, an operand tag
// other than 0x0F or 0x10, an instruction cut off by the end; findScriptEnd
// excepted for the last) is read from there on byte by byte, as marker scans always did; so is an event whose
// last instruction runs over every 0xFE. Such code then reads exactly as
// before, and the machine reports the fault when it gets there.
#pragma once

// Length of the instruction at code[pos] (opcode included); 0 when it can't
// be decoded within size.
int instructionLength(const unsigned char* code, int size, int pos);

// Position of the 0xFE that ends the event whose instructions start at
// start; -1 when there is none before size.
int findEventEnd(const unsigned char* code, int size, int start);

// Length of the compiled script at the start of bytes (event blocks, then
// the closing 0xFF, which is counted); -1 when the bytes hold no complete
// script. Map readers use it to find where a stored script ends. An
// instruction cut off by size means the script goes on beyond the bytes
// (-1): scanning on across it could take a constant's bytes for the end.
int findScriptEnd(const unsigned char* bytes, int size);

enum class eventSearch { found, absent, malformed };

// Finds event number event in a compiled script of size bytes; when found,
// its instructions are [start, end) and end is the position of its 0xFE.
eventSearch findEvent(const unsigned char* script, int size, int event, int& start, int& end);

// Position just after the 0xFD that closes the block whose contents start
// at pos (nested if/ifn blocks counted); size when none does.
int skipBlock(const unsigned char* code, int size, int pos);

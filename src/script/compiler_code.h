// The compiler's growable output buffer. Its int sizes can't overflow: a
// source is at most SCRIPT_SOURCE_LIMIT bytes (compiler.h), and no statement
// writes more than a few bytes per source byte.
#pragma once

#include <string>
#include <vector>

class compilerCode {
public:
    compilerCode();

    // Appends n bytes, doubling the capacity while pos + n would reach
    // size - 1 or more.
    void write(const char* bytes, int n);
    void writeByte(unsigned char b) { write(reinterpret_cast<const char*>(&b), 1); }
    // The byte n places before the end (1 is the last byte).
    unsigned char getLast(int n) const { return data[pos - n]; }
    void backspace(int n) { pos -= n; }
    int getPos() const { return pos; }
    void makeBigger();
    const unsigned char* bytes() const { return data.data(); }
    // Writes the content to file (created or truncated); false when the file
    // can't be written.
    bool output(std::string file) const;

private:
    int pos = 0;
    int size = 64;
    std::vector<unsigned char> data;
};

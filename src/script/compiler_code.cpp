#include "script/compiler_code.h"

#include <cstring>
#include <fstream>

compilerCode::compilerCode() : data(size) {}

void compilerCode::write(const char* bytes, int n) {
    while (pos + n >= size - 1) makeBigger();
    std::memcpy(data.data() + pos, bytes, n);
    pos += n;
}

void compilerCode::makeBigger() {
    size *= 2;
    data.resize(size);
}

bool compilerCode::output(std::string file) const {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(data.data()), pos);
    return static_cast<bool>(out);
}

#include "script/source_reader.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

// Only regular files are read: a device or a pipe named as a source could
// never end or block forever.
bool sourceReader::open(const std::string& file) {
    struct stat info;
    if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    setText(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    name = file;
    return true;
}

void sourceReader::setText(std::string raw) {
    text.clear();
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += raw[i];
    }
    pos = 0;
    name.clear();
}

bool sourceReader::nextWord(std::string& word) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    if (pos >= text.size()) return false;
    std::size_t start = pos;
    while (pos < text.size() && !isBlank(text[pos])) ++pos;
    word.assign(text, start, pos - start);
    return true;
}

std::string sourceReader::restOfLine() {
    if (pos < text.size()) ++pos;
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line(text, pos, end - pos);
    pos = end < text.size() ? end + 1 : end;
    return line;
}

void sourceReader::skipLine() {
    std::size_t end = text.find('\n', pos);
    pos = end == std::string::npos ? text.size() : end + 1;
}

int sourceReader::line() const {
    // A line end just consumed after a word still belongs to that word's line.
    std::size_t end = pos;
    if (end > 0 && end <= text.size() && text[end - 1] == '\n') --end;
    int count = 1;
    for (std::size_t i = 0; i < end; ++i)
        if (text[i] == '\n') ++count;
    return count;
}

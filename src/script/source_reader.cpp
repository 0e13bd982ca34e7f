#include "script/source_reader.h"

#include <sys/stat.h>

#include <fstream>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

// Only regular files are read: a device or a pipe named as a source could
// never end or block forever.
sourceOpen sourceReader::open(const std::string& file, std::size_t limit) {
    struct stat info;
    if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return sourceOpen::failed;
    if (static_cast<unsigned long long>(info.st_size) > limit) return sourceOpen::tooBig;
    std::ifstream in(file, std::ios::binary);
    if (!in) return sourceOpen::failed;
    // Read in pieces up to the limit, in case the file grew since.
    std::string raw;
    char piece[65536];
    while (in.read(piece, sizeof piece) || in.gcount() > 0) {
        raw.append(piece, static_cast<std::size_t>(in.gcount()));
        if (raw.size() > limit) return sourceOpen::tooBig;
    }
    setText(std::move(raw));
    name = file;
    return sourceOpen::opened;
}

void sourceReader::setText(std::string raw) {
    text.clear();
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += raw[i];
    }
    name.clear();
    pos = 0;
    lineNumber = 1;
    lineOfText = 0;
}

void sourceReader::advance(std::size_t to) {
    for (; pos < to; ++pos) {
        if (text[pos] == '\n') ++lineNumber;
    }
}

bool sourceReader::nextWord(std::string& word) {
    std::size_t end = pos;
    while (end < text.size() && isBlank(text[end])) ++end;
    advance(end);
    if (pos >= text.size()) return false;
    while (end < text.size() && !isBlank(text[end])) ++end;
    word.assign(text, pos, end - pos);
    pos = end;
    return true;
}

std::string sourceReader::restOfLine() {
    if (pos < text.size()) advance(pos + 1);
    lineOfText = lineNumber;
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string rest(text, pos, end - pos);
    advance(end < text.size() ? end + 1 : end);
    return rest;
}

void sourceReader::skipLine() {
    const std::size_t end = text.find('\n', pos);
    advance(end == std::string::npos ? text.size() : end + 1);
}

int sourceReader::line() const {
    // A line end just consumed after a word still belongs to that word's line.
    return pos > 0 && text[pos - 1] == '\n' ? lineNumber - 1 : lineNumber;
}

// Reads a script source the way the compiler needs it: word by word, with
// statements that take the rest of a line. The whole file is held in memory;
// a carriage return before a line feed is part of the line end, so CRLF and
// LF sources compile alike.
#pragma once

#include <cstddef>
#include <string>

enum class sourceOpen { opened, failed, tooBig };

class sourceReader {
public:
    // Fails when the file can't be opened or is no regular file, and is
    // tooBig beyond `limit` bytes (nothing beyond that is read).
    sourceOpen open(const std::string& file, std::size_t limit);
    void setText(std::string text);

    // The next word separated by white space; false at the end of the text.
    bool nextWord(std::string& word);
    // Skips exactly one character (normally the blank after the keyword),
    // then gives everything up to the line end and moves past it. Texts have
    // no length limit here.
    std::string restOfLine();
    // Moves past the next line end, however long the line is.
    void skipLine();
    // The line (from 1) on which the text last given by restOfLine lies.
    int textLine() const { return lineOfText; }
    // The file opened ("" for a set text) and the line, counted from 1,
    // of the last word read.
    const std::string& fileName() const { return name; }
    int line() const;

private:
    // Moves pos to `to`, counting the line ends passed.
    void advance(std::size_t to);

    std::string name;
    std::string text;
    std::size_t pos = 0;
    int lineNumber = 1;
    int lineOfText = 0;
};

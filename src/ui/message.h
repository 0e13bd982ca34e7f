// Lines of game text for the player: assembled piece by piece, published,
// shown in a white box near the top left while new, and kept for the
// archive screen.
#pragma once

#include <string>
#include <vector>

struct BITMAP;
struct FONT;

class message {
public:
    std::string text;
    bool old = false;
    int ctd = 0;  // polls left until the line turns old

    void poll();
    void setCtd(int n) { ctd = n; }
    bool isOld() const { return old; }
    void erase();
    // Writes the text at (x, y) in colour 0, transparent background.
    void draw(int x, int y, BITMAP* bmp, FONT* font) const;
};

class messageClass {
public:
    // A capacity below 1 keeps one line.
    messageClass(int capacity, int visibleLines, int x, FONT* fontOld, FONT* fontNew, BITMAP* target);

    // Appends to the line being assembled, after a single space unless it
    // already ends in one.
    void sendText(std::string s);
    void sendInt(int n);
    // Publishes the assembled line as the newest one.
    void output();
    void poll();
    // The box of the newest lines with its top at y; drawn only while one of
    // them is new, unless all is set.
    void draw(int y, bool all);
    // The archive screen until a key is pressed; every line is old after it.
    void showArchive();

    message current;
    std::vector<message> lines;  // newest first
    FONT* fontOld;
    FONT* fontNew;
    BITMAP* target;
    int capacity;
    int count = 0;
    int lineHeight;
    int x;
    int visibleLines;
};

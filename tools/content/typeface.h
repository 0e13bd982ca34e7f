// Text rendered with FreeType from the DejaVu fonts that Debian ships
// (fonts-dejavu-core): anti-aliased text painted into pictures, and the
// one-bit glyph grids from which `dat` builds the game's fonts.
#pragma once
#include <memory>
#include <string>

#include "canvas.h"

extern const char* const DEJAVU_SANS;
extern const char* const DEJAVU_SANS_BOLD;
extern const char* const DEJAVU_CONDENSED_BOLD;
extern const char* const DEJAVU_MONO_BOLD;

class Typeface {
public:
    Typeface(const char* file, int pixelSize);
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    int ascent() const;
    int lineHeight() const;
    int width(const std::string& text) const;
    // Anti-aliased text with its top at y (the line's ascent above the
    // baseline), tracking adds pixels between letters.
    void draw(Canvas& canvas, float x, float y, const std::string& text, Rgb colour, float opacity = 1,
              int tracking = 0) const;
    void drawCentred(Canvas& canvas, float cx, float y, const std::string& text, Rgb colour, float opacity = 1,
                     int tracking = 0) const;

    // Writes the printable ASCII glyphs (32 to 126) as the 8-bit grid
    // picture that Allegro's font grabber reads: cells separated by colour
    // 255, background 0, ink 1, each cell as wide as the glyph's advance
    // and as high as the line.
    void writeGlyphGrid(const std::string& path) const;

private:
    struct Face;
    std::unique_ptr<Face> face;
};

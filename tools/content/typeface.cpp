#include "typeface.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "image_files.h"

const char* const DEJAVU_SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const DEJAVU_SANS_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const DEJAVU_CONDENSED_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
const char* const DEJAVU_MONO_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

namespace {
// One FreeType instance for the generator's whole run.
FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l)) throw std::runtime_error("FreeType did not start");
        return l;
    }();
    return lib;
}
}  // namespace

struct Typeface::Face {
    FT_Face ft = nullptr;
};

Typeface::Typeface(const char* file, int pixelSize) : face(std::make_unique<Face>()) {
    if (FT_New_Face(library(), file, 0, &face->ft)) throw std::runtime_error(std::string("cannot open font ") + file);
    FT_Set_Pixel_Sizes(face->ft, 0, pixelSize);
}

Typeface::~Typeface() { FT_Done_Face(face->ft); }

int Typeface::ascent() const { return static_cast<int>(face->ft->size->metrics.ascender >> 6); }

int Typeface::lineHeight() const {
    return static_cast<int>((face->ft->size->metrics.ascender - face->ft->size->metrics.descender) >> 6);
}

int Typeface::width(const std::string& text) const {
    long total = 0;
    for (unsigned char ch : text) {
        if (FT_Load_Char(face->ft, ch, FT_LOAD_DEFAULT)) continue;
        total += face->ft->glyph->advance.x;
    }
    return static_cast<int>(total >> 6);
}

void Typeface::draw(Canvas& canvas, float x, float y, const std::string& text, Rgb colour, float opacity,
                    int tracking) const {
    float pen = x;
    int baseline = static_cast<int>(y) + ascent();
    for (unsigned char ch : text) {
        if (FT_Load_Char(face->ft, ch, FT_LOAD_RENDER)) continue;
        FT_GlyphSlot g = face->ft->glyph;
        for (unsigned row = 0; row < g->bitmap.rows; ++row)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                float cover = g->bitmap.buffer[row * g->bitmap.pitch + col] / 255.0f;
                canvas.blend(static_cast<int>(pen) + g->bitmap_left + col, baseline - g->bitmap_top + row, colour,
                             cover * opacity);
            }
        pen += (g->advance.x >> 6) + tracking;
    }
}

void Typeface::drawCentred(Canvas& canvas, float cx, float y, const std::string& text, Rgb colour, float opacity,
                           int tracking) const {
    float w = width(text) + tracking * (static_cast<int>(text.size()) - 1);
    draw(canvas, cx - w / 2, y, text, colour, opacity, tracking);
}

void Typeface::writeGlyphGrid(const std::string& path) const {
    const int first = 32, last = 126, perRow = 16;
    const int cellH = lineHeight(), base = ascent();
    struct Glyph {
        int advance, left, top;
        std::vector<uint8_t> ink;  // width x rows, 0 or 1
        int w, rows;
    };
    std::vector<Glyph> glyphs;
    for (int ch = first; ch <= last; ++ch) {
        if (FT_Load_Char(face->ft, ch, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO))
            throw std::runtime_error("glyph missing");
        FT_GlyphSlot g = face->ft->glyph;
        Glyph glyph{std::max(1, static_cast<int>(g->advance.x >> 6)), g->bitmap_left, g->bitmap_top, {},
                    static_cast<int>(g->bitmap.width), static_cast<int>(g->bitmap.rows)};
        for (int row = 0; row < glyph.rows; ++row)
            for (int col = 0; col < glyph.w; ++col) {
                const uint8_t* line = g->bitmap.buffer + row * g->bitmap.pitch;
                glyph.ink.push_back((line[col / 8] >> (7 - col % 8)) & 1);
            }
        glyphs.push_back(std::move(glyph));
    }
    int rows = (static_cast<int>(glyphs.size()) + perRow - 1) / perRow, width = 1;
    for (int r = 0; r < rows; ++r) {
        int rowWidth = 1;
        for (int i = r * perRow; i < std::min<int>(glyphs.size(), (r + 1) * perRow); ++i) rowWidth += glyphs[i].advance + 1;
        width = std::max(width, rowWidth);
    }
    int height = 1 + rows * (cellH + 1);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height, 255);
    for (int r = 0; r < rows; ++r) {
        int x = 1, y = 1 + r * (cellH + 1);
        for (int i = r * perRow; i < std::min<int>(glyphs.size(), (r + 1) * perRow); ++i) {
            const Glyph& g = glyphs[i];
            for (int cy = 0; cy < cellH; ++cy)
                for (int cx = 0; cx < g.advance; ++cx) {
                    int gx = cx - g.left, gy = cy - (base - g.top);
                    bool ink = gx >= 0 && gy >= 0 && gx < g.w && gy < g.rows && g.ink[gy * g.w + gx];
                    pixels[static_cast<size_t>(y + cy) * width + x + cx] = ink ? 1 : 0;
                }
            x += g.advance + 1;
        }
    }
    writeBmp8(path, width, height, pixels, {Rgb{0, 0, 0}, Rgb{1, 1, 1}});
}

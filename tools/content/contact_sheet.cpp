#include "contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "image_files.h"
#include "typeface.h"

namespace {
const int SHEET_WIDTH = 1660, MARGIN = 16, GAP = 14;
const Rgb BACKDROP = rgb(34, 36, 42), PANEL = rgb(52, 56, 64), LABEL = rgb(226, 222, 210);

// How an entry is shown: screens at half size (previews at full size), small pictures enlarged,
// tile strips wrapped into rows of 22 tiles at double size.
struct Shown {
    Canvas picture;
    std::string label;
};

Canvas enlarge(const Canvas& src, int factor) {
    Canvas out(src.w * factor, src.h * factor);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) out.at(x, y) = src.at(x / factor, y / factor);
    return out;
}

Canvas halve(const Canvas& src) {
    Canvas out(src.w / 2, src.h / 2);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            Rgb sum{};
            float a = 0;
            for (int k = 0; k < 4; ++k) {
                const Pixel& p = src.at(2 * x + k % 2, 2 * y + k / 2);
                sum = {sum.r + p.c.r * p.a, sum.g + p.c.g * p.a, sum.b + p.c.b * p.a};
                a += p.a;
            }
            out.at(x, y) = {a > 0 ? scale(sum, 1 / a) : Rgb{}, a / 4};
        }
    return out;
}

Canvas wrapStrip(const Canvas& strip) {
    const int perRow = 22, tiles = strip.w / 32, rows = (tiles + perRow - 1) / perRow;
    Canvas out(perRow * 34, rows * 34, BACKDROP);
    for (int t = 0; t < tiles; ++t)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) out.at((t % perRow) * 34 + x, (t / perRow) * 34 + y) = strip.at(t * 32 + x, y);
    return enlarge(out, 2);
}

Shown present(const Catalogue::Entry& e) {
    Canvas picture = e.canvas;
    if (e.mode == Transparency::masked)
        for (Pixel& p : picture.px) p.a = p.a < 0.5f ? 0 : 1;
    if (picture.h == 32 && picture.w > 64 && picture.w % 32 == 0) return {wrapStrip(picture), e.label};
    // Game frame previews stay full size: they are what a player sees.
    if (picture.w >= 700 && e.label.rfind("preview", 0) != 0) return {halve(picture), e.label};
    int longest = std::max(picture.w, picture.h);
    int factor = longest <= 16 ? 4 : longest <= 72 || picture.h <= 40 ? 2 : 1;
    return {enlarge(picture, factor), e.label};
}
}  // namespace

void writeContactSheet(const Catalogue& catalogue, const std::string& path) {
    Typeface font(DEJAVU_SANS, 11), title(DEJAVU_SANS_BOLD, 18);
    std::vector<Shown> shown;
    for (const Catalogue::Entry& e : catalogue.entries()) shown.push_back(present(e));

    // Flow layout: left to right, wrapping, each cell a picture over its label.
    struct Placed {
        int x, y;
    };
    std::vector<Placed> places;
    int x = MARGIN, y = MARGIN + 40, rowHeight = 0;
    for (const Shown& s : shown) {
        int cellW = std::max(s.picture.w, font.width(s.label)), cellH = s.picture.h + font.lineHeight() + 4;
        if (x + cellW > SHEET_WIDTH - MARGIN && x > MARGIN) {
            x = MARGIN;
            y += rowHeight + GAP;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += cellW + GAP;
        rowHeight = std::max(rowHeight, cellH);
    }
    Canvas sheet(SHEET_WIDTH, y + rowHeight + MARGIN, BACKDROP);
    title.draw(sheet, MARGIN, 12, "Korvalt generated content: every picture with its file", LABEL);
    for (size_t i = 0; i < shown.size(); ++i) {
        const Shown& s = shown[i];
        sheet.rect(places[i].x - 2, places[i].y - 2, places[i].x + s.picture.w + 2, places[i].y + s.picture.h + 2, PANEL);
        sheet.draw(s.picture, places[i].x, places[i].y);
        font.draw(sheet, places[i].x, places[i].y + s.picture.h + 3, s.label, LABEL);
    }
    writePng(path, sheet);
}

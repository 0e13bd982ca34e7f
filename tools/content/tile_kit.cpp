#include "tile_kit.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "catalogue.h"
#include "datafile_packer.h"
#include "noise.h"

float tileNoise(float x, float y, float cell, unsigned seed) {
    // Value noise on a lattice that wraps every 32 / cell points.
    int period = std::max(1, static_cast<int>(std::lround(TILE / cell)));
    float fx = x / cell, fy = y / cell;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    auto at = [&](int i, int j) { return hash01(((i % period) + period) % period, ((j % period) + period) % period, seed); };
    float tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    float a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

void ground(Canvas& t, Rgb base, Rgb dark, float mottle, unsigned seed, float cell) {
    t.shade({0, 0, TILE, TILE}, [=](float x, float y) {
        float n = 0.6f * tileNoise(x, y, cell, seed) + 0.4f * tileNoise(x, y, cell / 2, seed + 1);
        Rgb c = mix(base, dark, std::clamp((n - 0.5f) * 2 * mottle + 0.5f * mottle, 0.0f, 1.0f));
        float fine = hash01(static_cast<int>(x), static_cast<int>(y), seed + 7);
        return Pixel{scale(c, 0.94f + fine * 0.12f), 1};
    });
}

void plates(Canvas& t, Rgb base, int size, unsigned seed, bool rivets) {
    ground(t, base, scale(base, 0.8f), 0.4f, seed, 16);
    for (int py = 0; py < TILE; py += size)
        for (int px = 0; px < TILE; px += size) {
            t.rect(px, py, px + size, py + 1, scale(base, 1.25f), 0.7f);
            t.rect(px, py, px + 1, py + size, scale(base, 1.15f), 0.6f);
            t.rect(px, py + size - 1, px + size, py + size, scale(base, 0.55f), 0.8f);
            t.rect(px + size - 1, py, px + size, py + size, scale(base, 0.6f), 0.8f);
            if (rivets)
                for (int k = 0; k < 4; ++k) {
                    float rx = px + (k % 2 ? size - 3.5f : 3.5f), ry = py + (k / 2 ? size - 3.5f : 3.5f);
                    t.disc(rx + 0.4f, ry + 0.4f, 1, scale(base, 0.5f));
                    t.disc(rx, ry, 0.9f, scale(base, 1.35f));
                }
        }
}

void shadowBox(Canvas& t, float x0, float y0, float x1, float y1, float opacity) {
    t.shade({x0 - 2, y0 - 2, x1 + 2, y1 + 2}, [=](float x, float y) {
        float dx = std::max({x0 - x, x - x1, 0.0f}), dy = std::max({y0 - y, y - y1, 0.0f});
        float d = std::sqrt(dx * dx + dy * dy);
        return Pixel{Rgb{0, 0, 0}, opacity * std::clamp(1 - d / 2.5f, 0.0f, 1.0f)};
    });
}

void raisedBox(Canvas& t, float x0, float y0, float x1, float y1, Rgb top, float height) {
    shadowBox(t, x0 + height, y0 + height, x1 + height, y1 + height);
    t.rect(x0, y0, x1, y1, top);
    t.grain({x0, y0, x1 - 1, y1 - 1}, 0.05f, static_cast<unsigned>(x0 * 7 + y0), 1);
    t.rect(x0, y0, x1, y0 + 1, scale(top, 1.35f));
    t.rect(x0, y0, x0 + 1, y1, scale(top, 1.2f));
    t.rect(x0, y1 - 1, x1, y1, scale(top, 0.55f));
    t.rect(x1 - 1, y0, x1, y1, scale(top, 0.65f));
}

void roundTop(Canvas& t, float cx, float cy, float r, Rgb base, float shadow) {
    t.ellipse(cx + shadow, cy + shadow, r, r, Rgb{0, 0, 0}, 0.4f);
    t.fill({cx - r, cy - r, cx + r, cy + r},
           [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; },
           [=](float x, float y) {
               float lx = (x - cx) / r, ly = (y - cy) / r;
               float light = std::clamp(0.75f - 0.45f * (lx + ly) * 0.7f, 0.35f, 1.2f);
               return scale(base, light);
           });
}

void hazardStripes(Canvas& t, float x0, float y0, float x1, float y1, Rgb a, Rgb b, float width) {
    t.fill({x0, y0, x1, y1}, [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; },
           [=](float x, float y) { return std::fmod(x + y + 64, width * 2) < width ? a : b; });
}

void lamp(Canvas& t, float cx, float cy, float r, Rgb colour, float brightness) {
    t.glow(cx, cy, r * 3.5f, colour, 0.6f * brightness);
    t.disc(cx, cy, r, mix(scale(colour, 0.35f), colour, brightness));
    t.disc(cx - r * 0.3f, cy - r * 0.3f, r * 0.4f, mix(colour, Rgb{1, 1, 1}, 0.7f), brightness);
}

void buildTileSet(Catalogue& catalogue, const std::string& file, const std::string& title,
                  const std::vector<TileDef>& tiles, std::string& markdown) {
    const int n = static_cast<int>(tiles.size());
    Canvas strip(TILE * n, TILE, Rgb{0, 0, 0});
    std::vector<uint8_t> data(2 * n);
    auto indexOf = [&](const std::string& name) {
        for (int i = 0; i < n; ++i)
            if (tiles[i].name == name) return i;
        throw std::runtime_error("unknown tile " + name);
    };
    markdown += "## " + title + ": \"" + file + "\" (" + std::to_string(n) + " tiles)\n\n";
    markdown += "| Tile | Name | Look | Solidity | Successor |\n|---|---|---|---|---|\n";
    for (int i = 0; i < n; ++i) {
        Canvas tile(TILE, TILE, Rgb{0, 0, 0});
        tiles[i].paint(tile);
        strip.draw(tile, i * TILE, 0);
        int next = tiles[i].successor.empty() ? i : indexOf(tiles[i].successor);
        data[i] = static_cast<uint8_t>(static_cast<int8_t>(tiles[i].solidity));
        data[n + i] = static_cast<uint8_t>(next);
        markdown += "| " + std::to_string(i) + " | " + tiles[i].name + " | " + tiles[i].look + " | " +
                    std::to_string(tiles[i].solidity) + " | " + std::to_string(next) + " |\n";
    }
    markdown += "\n";
    std::string stem = std::filesystem::path(file).stem().string();
    writeBytes(catalogue.stagingPath(itemFile(0, stem + "_tiles", "bin")), data);
    catalogue.stagePicture(itemFile(1, stem + "_tiles", "tga"), file + " #1 (tiles 0-" + std::to_string(n - 1) + ")",
                           strip, Transparency::opaque);
    std::filesystem::create_directories(std::filesystem::path(catalogue.gamePath(file)).parent_path());
    packDatafile(catalogue.gamePath(file), catalogue.staging(),
                 {{"DATA", itemFile(0, stem + "_tiles", "bin")}, {"BMP", itemFile(1, stem + "_tiles", "tga")}});
}

void stationPanel(Canvas& t, bool health, bool full) {
    t.rect(9, 7, 23, 25, rgb(60, 64, 72));
    const Rgb mark = !full ? rgb(90, 90, 96) : health ? rgb(230, 50, 50) : rgb(230, 180, 50);
    if (health) {
        t.rect(14, 9, 18, 23, mark);
        t.rect(10, 14, 22, 18, mark);
    } else {
        for (int i = 0; i < 3; ++i) {
            t.rect(10.5f + i * 4, 12, 13 + i * 4, 23, mark);
            t.polygon({10.5f + i * 4, 12, 13.0f + i * 4, 12, 11.75f + i * 4, 9}, mark);
        }
    }
    lamp(t, 23, 26, 1.2f, full ? rgb(80, 255, 120) : rgb(255, 60, 40), 1);
}

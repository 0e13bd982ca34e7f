#include "image_files.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace {
uint8_t channel(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); }

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}
void put32be(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back((v >> s) & 0xff);
}
}  // namespace

std::vector<uint8_t> toRgb8(const Canvas& canvas, Transparency mode) {
    std::vector<uint8_t> out;
    out.reserve(canvas.px.size() * 3);
    for (const Pixel& p : canvas.px) {
        Rgb c = p.c;
        if (mode == Transparency::masked) {
            if (p.a < 0.5f) c = MASK_COLOUR;
        } else {
            c = scale(c, std::min(1.0f, p.a));
        }
        uint8_t r = channel(c.r), g = channel(c.g), b = channel(c.b);
        // A drawn pixel must never turn into the mask colour by rounding.
        if (mode == Transparency::masked && p.a >= 0.5f && r == 255 && g == 0 && b == 255) g = 1;
        out.insert(out.end(), {r, g, b});
    }
    return out;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

void writeTga(const std::string& path, const Canvas& canvas, Transparency mode) {
    std::vector<uint8_t> rgb8 = toRgb8(canvas, mode);
    std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(out, canvas.w);
    put16(out, canvas.h);
    out.push_back(24);
    out.push_back(0);
    for (int y = canvas.h - 1; y >= 0; --y)
        for (int x = 0; x < canvas.w; ++x) {
            const uint8_t* p = &rgb8[(static_cast<size_t>(y) * canvas.w + x) * 3];
            out.insert(out.end(), {p[2], p[1], p[0]});
        }
    writeBytes(path, out);
}

void writeBmp8(const std::string& path, int width, int height, const std::vector<uint8_t>& indices,
               const std::vector<Rgb>& palette) {
    int stride = (width + 3) & ~3;
    uint32_t dataOffset = 14 + 40 + 256 * 4;
    std::vector<uint8_t> out = {'B', 'M'};
    put32(out, dataOffset + stride * height);
    put32(out, 0);
    put32(out, dataOffset);
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);
    put32(out, stride * height);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        Rgb c = i < static_cast<int>(palette.size()) ? palette[i] : Rgb{};
        out.insert(out.end(), {channel(c.b), channel(c.g), channel(c.r), 0});
    }
    for (int y = height - 1; y >= 0; --y) {
        out.insert(out.end(), indices.begin() + static_cast<size_t>(y) * width,
                   indices.begin() + static_cast<size_t>(y + 1) * width);
        out.insert(out.end(), stride - width, 0);
    }
    writeBytes(path, out);
}

namespace {
void pngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put32be(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32be(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}
}  // namespace

void writePng(const std::string& path, const Canvas& canvas) {
    std::vector<uint8_t> rgb8 = toRgb8(canvas, Transparency::opaque);
    std::vector<uint8_t> raw;
    raw.reserve(rgb8.size() + canvas.h);
    for (int y = 0; y < canvas.h; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb8.begin() + static_cast<size_t>(y) * canvas.w * 3,
                   rgb8.begin() + static_cast<size_t>(y + 1) * canvas.w * 3);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        throw std::runtime_error("cannot compress " + path);
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> header;
    put32be(header, canvas.w);
    put32be(header, canvas.h);
    header.insert(header.end(), {8, 2, 0, 0, 0});
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", packed);
    pngChunk(out, "IEND", {});
    writeBytes(path, out);
}

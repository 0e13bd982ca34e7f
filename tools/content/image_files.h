// Writers for the picture files the generator makes:
//  TGA: 18-byte header (no id, no colour map, type 2 = uncompressed true
//       colour, 24 bits per pixel, origin bottom left), then rows of
//       blue-green-red bytes from the bottom row up.
//  BMP: 14-byte file header, 40-byte info header, 256 palette entries of
//       blue-green-red-0, then 8-bit rows from the bottom up, each padded
//       to a multiple of 4 bytes (used for font grids, which `dat` reads).
//  PNG: signature, IHDR (8-bit RGB), one zlib-compressed IDAT, IEND; only
//       for the contact sheet that reviewers look at.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

// Mask colour of every masked or rotated picture.
const Rgb MASK_COLOUR{1, 0, 1};

enum class Transparency {
    opaque,  // composited over black
    masked,  // pixels less than half covered become magenta
};

// 8-bit channel values of a canvas, three per pixel, top row first.
std::vector<uint8_t> toRgb8(const Canvas& canvas, Transparency mode);

void writeTga(const std::string& path, const Canvas& canvas, Transparency mode);
void writeBmp8(const std::string& path, int width, int height, const std::vector<uint8_t>& indices,
               const std::vector<Rgb>& palette);
void writePng(const std::string& path, const Canvas& canvas);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

#include "noise.h"

#include <cmath>

namespace {
uint32_t mixBits(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7feb352du;
    v ^= v >> 15;
    v *= 0x846ca68bu;
    v ^= v >> 16;
    return v;
}
float smooth(float t) { return t * t * (3 - 2 * t); }
}  // namespace

float hash01(int x, int y, unsigned seed) {
    uint32_t v = mixBits(static_cast<uint32_t>(x) * 0x9e3779b1u ^ mixBits(static_cast<uint32_t>(y) + seed * 0x85ebca77u));
    return static_cast<float>(v >> 8) / 16777216.0f;
}

float valueNoise(float x, float y, float cell, unsigned seed) {
    float fx = x / cell, fy = y / cell;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    float tx = smooth(fx - ix), ty = smooth(fy - iy);
    float a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
    float c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fractalNoise(float x, float y, float cell, int octaves, unsigned seed) {
    float sum = 0, weight = 0, amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, cell, seed + i * 101) * amplitude;
        weight += amplitude;
        amplitude *= 0.5f;
        cell *= 0.5f;
        if (cell < 0.5f) break;
    }
    return sum / weight;
}

uint32_t Dice::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Dice::uniform(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(next() >> 8) / 16777216.0f; }

// Deterministic noise: the same seed gives the same picture on every
// machine (integer hashing, no library random generator).
#pragma once
#include <cstdint>

// Uniform value in [0, 1) for an integer lattice point.
float hash01(int x, int y, unsigned seed);
// Smooth value noise in [0, 1) with cells of the given size in pixels.
float valueNoise(float x, float y, float cell, unsigned seed);
// Fractal sum of value noise, octaves halving the cell size; in [0, 1).
float fractalNoise(float x, float y, float cell, int octaves, unsigned seed);

// Small deterministic random sequence for placing details.
class Dice {
public:
    explicit Dice(uint32_t seed) : state(seed * 2654435761u + 1) {}
    uint32_t next();
    float uniform(float lo, float hi);  // [lo, hi)
private:
    uint32_t state;
};

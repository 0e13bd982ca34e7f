// Small deterministic synthesis kit for the sound effects and the music:
// noise, oscillators, one-pole filters, envelopes and a room echo.
#pragma once
#include <cstdint>
#include <vector>

#include "wave_file.h"

using Signal = std::vector<float>;

Signal silence(float seconds, int rate = SAMPLE_RATE);

// White noise from a fixed seed.
class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state(seed | 1) {}
    float next();  // [-1, 1)
private:
    uint32_t state;
};

struct OnePole {
    float y = 0;
    float lowpass(float x, float cutoffHz, int rate = SAMPLE_RATE);
    float highpass(float x, float cutoffHz, int rate = SAMPLE_RATE);
};

// Attack-then-exponential-decay envelope at time t (seconds).
float percussive(float t, float attack, float decay);
// Attack, hold, release envelope for notes of a given length.
float noteEnvelope(float t, float length, float attack, float release);

// Adds src into dst starting at sample offset, scaled by gain.
void mixInto(Signal& dst, const Signal& src, size_t offset, float gain);
// Feedback echoes that give a sound a room.
void roomEcho(Signal& s, float delaySeconds, float feedback, int taps, int rate = SAMPLE_RATE);
// Scales the signal so that its peak is the given level.
void normalise(Signal& s, float peak);
// Short fades at both ends (no clicks).
void fadeEdges(Signal& s, float fadeSeconds, int rate = SAMPLE_RATE);

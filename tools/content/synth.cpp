#include "synth.h"

#include <algorithm>
#include <cmath>

Signal silence(float secs, int rate) { return Signal(static_cast<size_t>(secs * rate), 0.0f); }

float NoiseSource::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state >> 8) / 8388608.0f - 1;
}

float OnePole::lowpass(float x, float cutoffHz, int rate) {
    float a = 1 - std::exp(-2 * 3.14159265f * cutoffHz / rate);
    y += a * (x - y);
    return y;
}

float OnePole::highpass(float x, float cutoffHz, int rate) { return x - lowpass(x, cutoffHz, rate); }

float percussive(float t, float attack, float decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

float noteEnvelope(float t, float length, float attack, float release) {
    if (t < 0) return 0;
    float level = std::min(1.0f, t / attack);
    if (t > length) level *= std::max(0.0f, 1 - (t - length) / release);
    return level;
}

void mixInto(Signal& dst, const Signal& src, size_t offset, float gain) {
    if (dst.size() < offset + src.size()) dst.resize(offset + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[offset + i] += src[i] * gain;
}

void roomEcho(Signal& s, float delaySeconds, float feedback, int taps, int rate) {
    size_t delay = static_cast<size_t>(delaySeconds * rate);
    s.resize(s.size() + delay * taps, 0.0f);
    for (size_t i = delay; i < s.size(); ++i) s[i] += s[i - delay] * feedback;
}

void normalise(Signal& s, float peak) {
    float most = 0;
    for (float v : s) most = std::max(most, std::fabs(v));
    if (most > 0)
        for (float& v : s) v *= peak / most;
}

void fadeEdges(Signal& s, float fadeSeconds, int rate) {
    size_t n = std::min(s.size() / 2, static_cast<size_t>(fadeSeconds * rate));
    for (size_t i = 0; i < n; ++i) {
        float g = static_cast<float>(i) / n;
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
}

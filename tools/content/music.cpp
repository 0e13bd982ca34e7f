#include "music.h"

#include <cmath>
#include <filesystem>

#include "datafile_packer.h"
#include "image_files.h"
#include "midi_file.h"
#include "synth.h"

namespace {
const float TWO_PI = 6.2831853f;

// D minor, 100 beats a minute, 16 bars: bass ostinato, string pad, a lead
// line in the second half and a steady beat.
Score baseTheme() {
    Score s{100, {}, {}};
    s.programs[0] = 38;  // synth bass
    s.programs[1] = 48;  // strings
    s.programs[2] = 81;  // saw lead
    const int roots[8] = {38, 38, 34, 36, 38, 38, 43, 45};  // D D Bb C D D G A
    const bool minor[8] = {true, true, false, false, true, true, true, false};
    const int melody[16] = {62, 65, 69, 67, 65, 64, 62, 60, 62, 65, 67, 69, 70, 69, 67, 64};
    for (int bar = 0; bar < 16; ++bar) {
        int root = roots[bar % 8];
        float start = bar * 4.0f;
        for (int e = 0; e < 8; ++e) s.notes.push_back({start + e * 0.5f, 0.45f, root + (e == 6 ? 12 : 0), e % 2 ? 80 : 105, 0});
        int third = minor[bar % 8] ? 3 : 4;
        for (int interval : {0, third, 7}) s.notes.push_back({start, 4, root + 24 + interval, 60, 1});
        if (bar >= 8) {
            s.notes.push_back({start, 1.5f, melody[(bar - 8) * 2], 96, 2});
            s.notes.push_back({start + 2, 1.5f, melody[(bar - 8) * 2 + 1], 90, 2});
        }
        for (int beat = 0; beat < 4; ++beat) {
            s.notes.push_back({start + beat, 0.25f, beat % 2 ? 38 : 36, beat % 2 ? 100 : 115, 9});
            for (int half = 0; half < 2; ++half) s.notes.push_back({start + beat + half * 0.5f, 0.2f, 42, 70, 9});
        }
        if (bar % 8 == 0) s.notes.push_back({start, 1, 49, 100, 9});
    }
    return s;
}

float frequency(int pitch) { return 440.0f * std::pow(2.0f, (pitch - 69) / 12.0f); }

Signal padNote(int pitch, float length) {
    Signal s = silence(length + 1.2f);
    OnePole filter;
    float f = frequency(pitch);
    float phases[3] = {0, 0.3f, 0.6f};
    const float detune[3] = {1.0f, 1.004f, 0.996f};
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE, saw = 0;
        for (int v = 0; v < 3; ++v) {
            phases[v] += f * detune[v] / SAMPLE_RATE;
            phases[v] -= std::floor(phases[v]);
            saw += phases[v] * 2 - 1;
        }
        s[i] = filter.lowpass(saw / 3, 900 + 300 * std::sin(TWO_PI * 0.2f * t)) * noteEnvelope(t, length, 0.8f, 1.2f);
    }
    return s;
}

Signal pluck(int pitch) {
    Signal s = silence(0.6f);
    float f = frequency(pitch);
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE, p = std::fmod(f * t, 1.0f);
        float triangle = 4 * std::fabs(p - 0.5f) - 1;
        s[i] = (triangle + 0.3f * std::sin(TWO_PI * 2 * f * t)) * percussive(t, 0.004f, 0.18f);
    }
    return s;
}

Signal bassNote(int pitch, float length) {
    Signal s = silence(length + 0.3f);
    float f = frequency(pitch);
    OnePole filter;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE, p = std::fmod(f * t, 1.0f);
        s[i] = (std::sin(TWO_PI * f * t) + 0.35f * filter.lowpass(p * 2 - 1, 400)) * noteEnvelope(t, length, 0.02f, 0.25f);
    }
    return s;
}

Signal kick() {
    Signal s = silence(0.4f);
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        phase += TWO_PI * (50 + 90 * std::exp(-t * 30)) / SAMPLE_RATE;
        s[i] = std::sin(phase) * percussive(t, 0.002f, 0.12f);
    }
    return s;
}

Signal hat(uint32_t seed) {
    Signal s = silence(0.08f);
    NoiseSource noise(seed);
    OnePole hp;
    for (size_t i = 0; i < s.size(); ++i) s[i] = hp.highpass(noise.next(), 6000) * percussive(static_cast<float>(i) / SAMPLE_RATE, 0.001f, 0.02f);
    return s;
}

// A minor, 76 beats a minute, 16 bars: slow pad, plucked arpeggio, bass,
// and a soft beat from bar 5; rendered straight to samples.
Signal duskTheme() {
    const float beat = 60.0f / 76;
    const int roots[8] = {45, 41, 48, 43, 45, 41, 38, 40};  // A F C G A F D E
    const bool minor[8] = {true, false, false, false, true, false, true, false};
    Signal mixdown = silence(16 * 4 * beat + 2);
    auto at = [&](float beats) { return static_cast<size_t>(beats * beat * SAMPLE_RATE); };
    for (int bar = 0; bar < 16; ++bar) {
        int root = roots[bar % 8], third = minor[bar % 8] ? 3 : 4;
        float start = bar * 4.0f;
        for (int interval : {0, third, 7}) mixInto(mixdown, padNote(root + 12 + interval, 4 * beat), at(start), 0.22f);
        mixInto(mixdown, bassNote(root - 12, 1.8f * beat), at(start), 0.4f);
        mixInto(mixdown, bassNote(root - 12, 1.8f * beat), at(start + 2), 0.35f);
        const int arp[8] = {0, 7, 12, third + 12, 19, third + 12, 12, 7};
        if (bar >= 2)
            for (int e = 0; e < 8; ++e) mixInto(mixdown, pluck(root + 24 + arp[e]), at(start + e * 0.5f), e == 0 ? 0.2f : 0.14f);
        if (bar >= 4) {
            mixInto(mixdown, kick(), at(start), 0.5f);
            mixInto(mixdown, kick(), at(start + 2.5f), 0.35f);
        }
        if (bar >= 8)
            for (int e = 0; e < 8; ++e) mixInto(mixdown, hat(bar * 8 + e + 1), at(start + e * 0.5f), e % 2 ? 0.06f : 0.1f);
    }
    roomEcho(mixdown, beat * 0.75f, 0.25f, 2);
    normalise(mixdown, 0.85f);
    fadeEdges(mixdown, 1.5f);
    return mixdown;
}
}  // namespace

void makeMusic(Catalogue& catalogue) {
    writeBytes(catalogue.gamePath("sfx/music_base.mid"), midiBytes(baseTheme()));
    writeWav(catalogue.stagingPath("music_dusk.wav"), duskTheme());
    // Constant bit rate, no replay-gain analysis: the same input gives the
    // same bytes on every build.
    runTool({"lame", "--quiet", "--noreplaygain", "-m", "m", "-b", "64", "music_dusk.wav",
             std::filesystem::absolute(catalogue.gamePath("sfx/music_dusk.mp3")).string()},
            catalogue.staging());
}

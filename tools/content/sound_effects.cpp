#include "sound_effects.h"

#include <cmath>
#include <functional>

namespace {
const float TWO_PI = 6.2831853f;

// A burst of filtered noise with a percussive envelope, plus a low body
// sine whose pitch falls: the common shape of every gunshot here.
Signal shot(uint32_t seed, float length, float decay, float lowCut, float highCut, float bodyHz, float bodyDecay,
            float bodyGain) {
    Signal s = silence(length);
    NoiseSource noise(seed);
    OnePole hp, lp;
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        float n = lp.lowpass(hp.highpass(noise.next(), lowCut), highCut) * percussive(t, 0.001f, decay);
        phase += TWO_PI * bodyHz * (1 - 0.5f * std::min(1.0f, t / (bodyDecay * 3))) / SAMPLE_RATE;
        s[i] = n + bodyGain * std::sin(phase) * percussive(t, 0.002f, bodyDecay);
    }
    return s;
}

Signal explosion(uint32_t seed, float length, float cutoff, float rumbleHz, float crackle) {
    Signal s = silence(length);
    NoiseSource noise(seed), sparks(seed + 1);
    OnePole lp, lp2;
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        float env = percussive(t, 0.004f, length * 0.28f);
        float body = lp2.lowpass(lp.lowpass(noise.next(), cutoff * (1.2f - t / length)), cutoff * 1.5f);
        phase += TWO_PI * rumbleHz * (1 - 0.4f * t / length) / SAMPLE_RATE;
        float pop = sparks.next() > 1 - crackle * 0.004f ? sparks.next() * 0.8f * env : 0;
        s[i] = (body * 2.5f + 0.7f * std::sin(phase) * percussive(t, 0.005f, length * 0.2f)) * env + pop;
    }
    return s;
}

Signal finish(Signal s, float echoDelay, float echoFeedback, float peak) {
    roomEcho(s, echoDelay, echoFeedback, 3);
    normalise(s, peak);
    fadeEdges(s, 0.004f);
    return s;
}

// Adds the metallic ring of a gun's action: a sine with a percussive envelope.
void addRing(Signal& s, float gain, float frequency, float attack, float decay) {
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        s[i] += gain * std::sin(TWO_PI * frequency * t) * percussive(t, attack, decay);
    }
}

Signal pistol() { return finish(shot(11, 0.25f, 0.035f, 700, 6000, 180, 0.03f, 0.5f), 0.045f, 0.25f, 0.8f); }

Signal shotgun() {
    Signal s = shot(12, 0.55f, 0.11f, 150, 3500, 95, 0.09f, 0.9f);
    return finish(s, 0.07f, 0.3f, 0.95f);
}

Signal rifle() {
    // A tight crack with a metallic snap: short, because it repeats fast.
    Signal s = shot(13, 0.16f, 0.022f, 1200, 9000, 240, 0.02f, 0.35f);
    addRing(s, 0.15f, 2600, 0.0005f, 0.01f);
    return finish(s, 0.03f, 0.2f, 0.75f);
}

Signal heavyRifle() {
    Signal s = shot(14, 0.8f, 0.08f, 200, 7000, 60, 0.14f, 1.1f);
    addRing(s, 0.12f, 1750, 0.001f, 0.12f);
    return finish(s, 0.09f, 0.35f, 0.98f);
}

Signal grenadeThump() {
    // A hollow "bloop": falling sine with a soft puff of air.
    Signal s = silence(0.35f);
    NoiseSource noise(15);
    OnePole lp;
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        phase += TWO_PI * (230 * std::exp(-t * 9) + 70) / SAMPLE_RATE;
        s[i] = std::sin(phase) * percussive(t, 0.003f, 0.07f) + 0.4f * lp.lowpass(noise.next(), 900) * percussive(t, 0.002f, 0.05f);
    }
    return finish(s, 0.05f, 0.2f, 0.85f);
}

Signal rocket() {
    // Ignition pop, then a roaring whoosh that swells and fades.
    Signal s = silence(0.9f);
    NoiseSource noise(16);
    OnePole band, lp;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        float sweep = 500 + 1800 * std::sin(std::min(1.0f, t / 0.9f) * 3.14159f);
        float roar = lp.lowpass(band.highpass(noise.next(), sweep * 0.3f), sweep);
        float env = std::min(1.0f, t / 0.08f) * std::exp(-t * 2.2f);
        s[i] = roar * env * 2 + 0.6f * std::sin(TWO_PI * 110 * t) * percussive(t, 0.002f, 0.04f);
    }
    return finish(s, 0.06f, 0.25f, 0.9f);
}

Signal door() {
    // Pneumatic hiss, sliding rumble, then a clunk.
    Signal s = silence(0.9f);
    NoiseSource noise(21);
    OnePole hp, lp;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        float hiss = hp.highpass(noise.next(), 3000) * percussive(t, 0.02f, 0.12f) * 0.5f;
        float slide = lp.lowpass(noise.next(), 300) * (t > 0.05f && t < 0.7f ? 1.0f : 0.0f) * 1.5f;
        float clunk = std::sin(TWO_PI * 85 * t) * percussive(t - 0.7f, 0.002f, 0.05f);
        s[i] = hiss + slide * (0.6f + 0.4f * std::sin(TWO_PI * 13 * t)) + clunk;
    }
    return finish(s, 0.04f, 0.2f, 0.8f);
}

Signal switchClick() {
    Signal s = silence(0.2f);
    NoiseSource noise(22);
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        s[i] = noise.next() * (percussive(t, 0.0005f, 0.004f) + 0.8f * percussive(t - 0.06f, 0.0005f, 0.006f)) +
               0.5f * std::sin(TWO_PI * 1400 * t) * percussive(t - 0.06f, 0.0005f, 0.02f);
    }
    return finish(s, 0.02f, 0.15f, 0.7f);
}

Signal pickup() {
    // Two rising chime notes (E6 then B6).
    Signal s = silence(0.45f);
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        s[i] = std::sin(TWO_PI * 1318.5f * t) * percussive(t, 0.003f, 0.08f) +
               std::sin(TWO_PI * 1975.5f * t) * percussive(t - 0.09f, 0.003f, 0.12f) +
               0.3f * std::sin(TWO_PI * 3951 * t) * percussive(t - 0.09f, 0.003f, 0.05f);
    }
    return finish(s, 0.07f, 0.25f, 0.7f);
}

Signal alarm() {
    // Two wails of a siren sweeping between 600 and 1200 Hz.
    Signal s = silence(1.6f);
    float phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        float f = 900 - 300 * std::cos(TWO_PI * t / 0.8f);
        phase += TWO_PI * f / SAMPLE_RATE;
        float square = std::sin(phase) + 0.3f * std::sin(3 * phase) + 0.15f * std::sin(5 * phase);
        s[i] = square * 0.5f;
    }
    fadeEdges(s, 0.03f);
    // A steady tone is loud at any peak; keep it below the shots.
    return finish(s, 0.11f, 0.2f, 0.45f);
}
}  // namespace

Signal introImpact() {
    Signal s = explosion(31, 1.3f, 500, 45, 0.5f);
    for (size_t i = 0; i < s.size(); ++i) {
        float t = static_cast<float>(i) / SAMPLE_RATE;
        s[i] += 0.25f * std::sin(TWO_PI * 880 * t) * std::sin(TWO_PI * 1.5f * t) * percussive(t, 0.003f, 0.4f);
    }
    return finish(s, 0.13f, 0.35f, 0.9f);
}

void makeSoundEffects(Catalogue& catalogue) {
    const std::function<Signal()> weapons[8] = {
        pistol,
        shotgun,
        rifle,
        heavyRifle,
        grenadeThump,
        rocket,
        [] { return finish(explosion(17, 1.0f, 900, 60, 1.0f), 0.08f, 0.3f, 0.95f); },   // grenade splinters
        [] { return finish(explosion(18, 1.6f, 600, 42, 1.5f), 0.12f, 0.35f, 0.99f); },  // rocket splinters
    };
    for (int i = 0; i < 8; ++i) writeWav(catalogue.gamePath("sfx/weapon" + std::to_string(i) + ".wav"), weapons[i]());
    writeWav(catalogue.gamePath("sfx/door.wav"), door());
    writeWav(catalogue.gamePath("sfx/switch.wav"), switchClick());
    writeWav(catalogue.gamePath("sfx/pickup.wav"), pickup());
    writeWav(catalogue.gamePath("sfx/alarm.wav"), alarm());
}

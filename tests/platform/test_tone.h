// Test sounds made at test time: a sine tone as a WAV file, the same tone
// encoded to MP3 by the lame encoder, and a one-note MIDI file.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace testTone {

inline void putLittle(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A 16-bit PCM WAV file of a sine at `hz`, on every channel.
inline std::vector<unsigned char> sineWav(double hz, double seconds, int rate, int channels) {
    const uint32_t frames = static_cast<uint32_t>(seconds * rate);
    const uint32_t dataBytes = frames * 2 * channels;
    std::vector<unsigned char> wav;
    // Text fields, then little-endian numbers of the given byte counts.
    const struct { const char* text; uint32_t value; int bytes; } fields[] = {
        {"RIFF", 36 + dataBytes, 4}, {"WAVEfmt ", 16, 4}, {"", 1, 2}, {"", uint32_t(channels), 2},
        {"", uint32_t(rate), 4}, {"", uint32_t(rate * 2 * channels), 4}, {"", uint32_t(2 * channels), 2},
        {"", 16, 2}, {"data", dataBytes, 4}};
    for (const auto& f : fields) {
        wav.insert(wav.end(), f.text, f.text + std::strlen(f.text));
        putLittle(wav, f.value, f.bytes);
    }
    for (uint32_t i = 0; i < frames; ++i) {
        const auto value = static_cast<int16_t>(12000 * std::sin(2 * M_PI * hz * i / rate));
        for (int c = 0; c < channels; ++c) putLittle(wav, static_cast<uint16_t>(value), 2);
    }
    return wav;
}

// Writes the tone as `name`.wav in the working directory, encodes it to
// `name`.mp3 with lame and returns the MP3's bytes (empty if lame failed).
inline std::vector<unsigned char> sineMp3(const std::string& name, double hz, double seconds, int rate,
                                          int channels) {
    writeFileBytes(name + ".wav", sineWav(hz, seconds, rate, channels));
    // lame would resample to a lower rate at low bit rates; keep the rate.
    const std::string command = "lame --quiet -b 128 --resample " + std::to_string(rate / 1000.0) +
                                (channels == 1 ? " -m m " : " ") + name + ".wav " + name + ".mp3";
    if (std::system(command.c_str()) != 0) return {};
    return readFileBytes(name + ".mp3");
}

// A format-0 MIDI file with one note.
inline std::vector<unsigned char> oneNoteMidi() {
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,                   // header, 96 ticks a beat
            'M', 'T', 'r', 'k', 0, 0, 0, 12,                                  // one track of 12 bytes
            0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};  // note on, off, end
}

}  // namespace testTone

// Standard MIDI file writer (format 1): "MThd" (length 6, format 1, track
// count, 480 ticks per quarter note), then one "MTrk" chunk per track: a
// tempo track first, then one track per channel. Events are delta times
// (variable-length quantities) followed by note-on 9n, note-off 8n,
// program-change Cn or meta events (FF 51 tempo, FF 58 time signature,
// FF 2F end of track).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Note {
    float beat;    // start, in quarter notes
    float length;  // in quarter notes
    int pitch;     // MIDI note number
    int velocity;  // 1 to 127
    int channel;   // 0 to 15; 9 is percussion
};

struct Score {
    int beatsPerMinute;
    int programs[16];  // instrument per channel (General MIDI numbers, 0-based)
    std::vector<Note> notes;
};

std::vector<uint8_t> midiBytes(const Score& score);

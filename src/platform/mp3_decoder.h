// Decodes an MP3 file held in memory to interleaved 16-bit signed PCM with
// libmpg123. The decoder reads straight from the caller's memory (no copy,
// no temporary file); the memory must outlive the decoder.
//
// The output keeps the sample rate and channel count of the file's first
// frame for the whole file: later frames of another rate or channel count
// are converted to it by libmpg123.
#pragma once

#include <cstddef>
#include <cstdint>

struct mpg123_handle_struct;

class mp3Decoder {
public:
    mp3Decoder() = default;
    ~mp3Decoder();
    mp3Decoder(const mp3Decoder&) = delete;
    mp3Decoder& operator=(const mp3Decoder&) = delete;

    // False when the data holds no decodable MP3 frame.
    bool open(const unsigned char* data, std::size_t size);
    int rate() const { return sampleRate; }
    int channels() const { return channelCount; }

    // Decodes up to `frames` sample frames (frames × channels() values) into
    // `out`. With `loop` it starts over at the end of the data. Returns the
    // frames written: fewer than asked only when a play without loop ended,
    // or when a whole pass over the data gave no sound.
    std::size_t fill(int16_t* out, std::size_t frames, bool loop);
    // Goes back to the start of the data.
    bool restart();

    // Where libmpg123 reads from: the caller's bytes and a position in them.
    struct memorySource {
        const unsigned char* data = nullptr;
        std::size_t size = 0;
        std::size_t position = 0;
    };

private:
    bool openFormat();
    std::size_t decode(int16_t* out, std::size_t frames);

    mpg123_handle_struct* handle = nullptr;
    memorySource source;
    int sampleRate = 0;
    int channelCount = 0;
    bool finished = false;  // the current pass reached the end of the data
};

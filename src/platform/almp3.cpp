// The almp3 calls: a decoder plus an Allegro audio stream.
//
// Decisions:
// - bufferBytes is the byte size of one Allegro stream buffer of 16-bit
//   sound in the file's own layout (the formula of Allegro's stream
//   documentation): 24576 bytes are 6144 frames of stereo (139 ms at
//   44.1 kHz) or 12288 frames of mono. Allegro keeps two such buffers, so
//   an autopoll every 100 ms keeps up at normal speed.
// - The stream plays at the file's own rate and channel count; Allegro's
//   mixer resamples to its output rate, so any rate plays at the right
//   pitch. Speed scales that rate (1000 = normal) and is kept between 10
//   and 10000 so the mixer's step stays in range.
// - After the end of a play without loop the stream plays out what it
//   holds and is then closed; polling reports that it no longer plays.
// - Without a sound voice (no sound driver) play reports ALMP3_ERROR and
//   the object stays usable; decoding does not need the driver.
//
// Locking: one mutex guards every object's state, since the autopoll
// callback runs on Allegro's timer thread. The callback is registered with
// an id, not the object's address: it looks the id up under the mutex, so a
// tick that arrives after the autopoll was stopped finds nothing. Allegro's
// timer calls are made without holding the mutex, so a tick waiting for the
// mutex can't deadlock with them.
#include "platform/almp3.h"

#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "platform/mp3_decoder.h"

struct ALMP3_MP3 {
    mp3Decoder decoder;
    AUDIOSTREAM* stream = nullptr;
    int bufferFrames = 0;
    bool loop = false;
    bool ended = false;      // the last sound has been handed to the stream
    int silentBuffers = 0;   // buffers of silence handed over since the end
    uintptr_t autopollId = 0;
};

namespace {

std::mutex layerMutex;
std::unordered_map<uintptr_t, ALMP3_MP3*> autopolled;
uintptr_t lastAutopollId = 0;

// Allegro keeps two stream buffers: after two of silence the end has played.
constexpr int SILENT_BUFFERS_TO_CLOSE = 2;

int clampTo(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

int streamFrequency(const ALMP3_MP3* mp3, int speed) {
    return static_cast<int>(static_cast<int64_t>(mp3->decoder.rate()) * clampTo(speed, 10, 10000) / 1000);
}

void closeStream(ALMP3_MP3* mp3) {
    if (mp3->stream) stop_audio_stream(mp3->stream);
    mp3->stream = nullptr;
}

// Fills one free stream buffer. Allegro's 16-bit samples are unsigned, so
// the decoded values get their sign bit flipped.
void fillBuffer(ALMP3_MP3* mp3, void* buffer) {
    const std::size_t values = static_cast<std::size_t>(mp3->bufferFrames) * mp3->decoder.channels();
    int16_t* pcm = static_cast<int16_t*>(buffer);
    std::size_t decoded = 0;
    if (!mp3->ended) {
        decoded = mp3->decoder.fill(pcm, static_cast<std::size_t>(mp3->bufferFrames), mp3->loop) *
                  mp3->decoder.channels();
        if (decoded < values) mp3->ended = true;
    } else {
        ++mp3->silentBuffers;
    }
    uint16_t* samples = static_cast<uint16_t*>(buffer);
    for (std::size_t i = 0; i < decoded; ++i) samples[i] ^= 0x8000;
    std::fill(samples + decoded, samples + values, uint16_t{0x8000});
}

int pollLocked(ALMP3_MP3* mp3) {
    if (!mp3->stream) return ALMP3_POLL_NOTPLAYING;
    while (void* buffer = get_audio_stream_buffer(mp3->stream)) {
        if (mp3->silentBuffers >= SILENT_BUFFERS_TO_CLOSE) {
            // Not handed back: the stream is closed instead.
            closeStream(mp3);
            return ALMP3_POLL_NOTPLAYING;
        }
        fillBuffer(mp3, buffer);
        free_audio_stream_buffer(mp3->stream);
    }
    return ALMP3_OK;
}

void autopollTick(void* id) {
    std::lock_guard<std::mutex> lock(layerMutex);
    const auto found = autopolled.find(reinterpret_cast<uintptr_t>(id));
    if (found != autopolled.end()) pollLocked(found->second);
}

}  // namespace

ALMP3_MP3* almp3_create_mp3(const void* data, int dataSize) {
    if (!data || dataSize <= 0) return nullptr;
    auto* mp3 = new ALMP3_MP3;
    if (!mp3->decoder.open(static_cast<const unsigned char*>(data), static_cast<std::size_t>(dataSize))) {
        delete mp3;
        return nullptr;
    }
    return mp3;
}

void almp3_destroy_mp3(ALMP3_MP3* mp3) {
    if (!mp3) return;
    almp3_stop_autopoll_mp3(mp3);
    {
        std::lock_guard<std::mutex> lock(layerMutex);
        closeStream(mp3);
    }
    delete mp3;
}

int almp3_play_ex_mp3(ALMP3_MP3* mp3, int bufferBytes, int volume, int pan, int speed, int loop) {
    if (!mp3) return ALMP3_ERROR;
    std::lock_guard<std::mutex> lock(layerMutex);
    closeStream(mp3);
    mp3->decoder.restart();
    mp3->loop = loop != 0;
    mp3->ended = false;
    mp3->silentBuffers = 0;
    const int channels = mp3->decoder.channels();
    mp3->bufferFrames = std::max(bufferBytes, 1024) / (2 * channels);
    mp3->stream = play_audio_stream(mp3->bufferFrames, 16, channels == 2, streamFrequency(mp3, speed),
                                    clampTo(volume, 0, 255), clampTo(pan, 0, 255));
    if (!mp3->stream) return ALMP3_ERROR;
    pollLocked(mp3);
    return ALMP3_OK;
}

void almp3_stop_mp3(ALMP3_MP3* mp3) {
    if (!mp3) return;
    std::lock_guard<std::mutex> lock(layerMutex);
    closeStream(mp3);
}

void almp3_adjust_mp3(ALMP3_MP3* mp3, int volume, int pan, int speed, int loop) {
    if (!mp3) return;
    std::lock_guard<std::mutex> lock(layerMutex);
    mp3->loop = loop != 0;
    if (!mp3->stream) return;
    voice_set_volume(mp3->stream->voice, clampTo(volume, 0, 255));
    voice_set_pan(mp3->stream->voice, clampTo(pan, 0, 255));
    voice_set_frequency(mp3->stream->voice, streamFrequency(mp3, speed));
}

int almp3_poll_mp3(ALMP3_MP3* mp3) {
    if (!mp3) return ALMP3_POLL_NOTPLAYING;
    std::lock_guard<std::mutex> lock(layerMutex);
    return pollLocked(mp3);
}

void almp3_start_autopoll_mp3(ALMP3_MP3* mp3, int speed) {
    // Without Allegro's timer there is nothing to poll from (and installing
    // a timer callback would try to start the timer from here).
    if (!mp3 || !timer_driver) return;
    uintptr_t id = 0;
    {
        std::lock_guard<std::mutex> lock(layerMutex);
        if (mp3->autopollId != 0) return;
        id = ++lastAutopollId;
        mp3->autopollId = id;
        autopolled[id] = mp3;
    }
    if (install_param_int_ex(autopollTick, reinterpret_cast<void*>(id), MSEC_TO_TIMER(std::max(speed, 1))) != 0) {
        std::lock_guard<std::mutex> lock(layerMutex);
        autopolled.erase(id);
        mp3->autopollId = 0;
    }
}

void almp3_stop_autopoll_mp3(ALMP3_MP3* mp3) {
    if (!mp3) return;
    uintptr_t id = 0;
    {
        std::lock_guard<std::mutex> lock(layerMutex);
        id = mp3->autopollId;
        if (id == 0) return;
        autopolled.erase(id);
        mp3->autopollId = 0;
    }
    remove_param_int(autopollTick, reinterpret_cast<void*>(id));
}

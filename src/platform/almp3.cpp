// The almp3 calls: a decoder plus an Allegro audio stream.
//
// Decisions:
// - bufferBytes is the byte size of one Allegro stream buffer of 16-bit
//   sound in the file's own layout (the formula of Allegro's stream
//   documentation): 24576 bytes are 6144 frames of stereo (139 ms at
//   44.1 kHz) or 12288 frames of mono. Allegro keeps at least two such
//   buffers, so an autopoll every 100 ms keeps up at normal speed.
// - The stream plays at the file's own rate and channel count; Allegro's
//   mixer resamples to its output rate, so any rate plays at the right
//   pitch. Speed scales that rate (1000 = normal) and is kept between 10
//   and 10000 so the mixer's step stays in range.
// - bufferBytes are kept between 1024 and 1 MiB, autopoll intervals
//   between 1 ms and 10 s.
// - After the end of a play without loop the stream plays out what it
//   holds and is then closed; polling reports that it no longer plays.
// - Without a sound voice play reports ALMP3_ERROR and the object stays
//   usable; decoding does not need the driver. Allegro's no-sound driver
//   gives voices that never move on: such a stream takes its first buffers
//   and then waits for ever, silently.
//
// Locking: one mutex guards every object's state, since the autopoll
// callback runs on Allegro's timer thread. Autopolled objects share one
// Allegro timer per poll interval (Allegro has only 16 timer slots), and
// the callback finds them in a list under the mutex, so a tick that comes
// after an object left the list can't reach it. Allegro's timer calls are
// made without holding the mutex, so a tick waiting for the mutex can't
// deadlock with them.
#include "platform/almp3.h"

#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <map>
#include <vector>

#include "platform/mp3_decoder.h"

struct ALMP3_MP3 {
    mp3Decoder decoder;
    AUDIOSTREAM* stream = nullptr;
    int bufferFrames = 0;
    bool loop = false;
    bool ended = false;      // the last sound has been handed to the stream
    int silentBuffers = 0;   // buffers of silence handed over since the end
    int autopollSpeed = 0;   // milliseconds between autopolls, 0 when off
};

namespace {

std::mutex layerMutex;
// Autopolled objects by their poll interval; each interval has one timer.
std::map<int, std::vector<ALMP3_MP3*>> autopolled;

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
        // Allegro's stream holds two halves of bufcount buffers: once that
        // many buffers of silence were handed over, the end has been heard.
        if (mp3->silentBuffers >= 2 * mp3->stream->bufcount) {
            // Not handed back: the stream is closed instead.
            closeStream(mp3);
            return ALMP3_POLL_NOTPLAYING;
        }
        fillBuffer(mp3, buffer);
        free_audio_stream_buffer(mp3->stream);
    }
    return ALMP3_OK;
}

void* timerParam(int speed) {
    return reinterpret_cast<void*>(static_cast<intptr_t>(speed));
}

void autopollTick(void* speed) {
    std::lock_guard<std::mutex> lock(layerMutex);
    const auto found = autopolled.find(static_cast<int>(reinterpret_cast<intptr_t>(speed)));
    if (found == autopolled.end()) return;
    for (ALMP3_MP3* mp3 : found->second) pollLocked(mp3);
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
    mp3->bufferFrames = clampTo(bufferBytes, 1024, 1 << 20) / (2 * channels);
    mp3->stream = play_audio_stream(mp3->bufferFrames, 16, channels == 2, streamFrequency(mp3, speed),
                                    clampTo(volume, 0, 255), clampTo(pan, 0, 255));
    // The stream starts with silence; the next poll fills it.
    return mp3->stream ? ALMP3_OK : ALMP3_ERROR;
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

int almp3_start_autopoll_mp3(ALMP3_MP3* mp3, int speed) {
    // Without Allegro's timer there is nothing to poll from (and installing
    // a timer callback would try to start the timer from here).
    if (!mp3 || !timer_driver) return ALMP3_ERROR;
    speed = clampTo(speed, 1, 10000);
    bool firstOfSpeed = false;
    {
        std::lock_guard<std::mutex> lock(layerMutex);
        if (mp3->autopollSpeed != 0) return ALMP3_OK;
        auto& list = autopolled[speed];
        firstOfSpeed = list.empty();
        list.push_back(mp3);
        mp3->autopollSpeed = speed;
    }
    if (firstOfSpeed && install_param_int_ex(autopollTick, timerParam(speed), MSEC_TO_TIMER(speed)) != 0) {
        std::lock_guard<std::mutex> lock(layerMutex);
        autopolled.erase(speed);
        mp3->autopollSpeed = 0;
        return ALMP3_ERROR;
    }
    return ALMP3_OK;
}

void almp3_stop_autopoll_mp3(ALMP3_MP3* mp3) {
    if (!mp3) return;
    int speed = 0;
    bool lastOfSpeed = false;
    {
        std::lock_guard<std::mutex> lock(layerMutex);
        speed = mp3->autopollSpeed;
        if (speed == 0) return;
        auto& list = autopolled[speed];
        list.erase(std::remove(list.begin(), list.end(), mp3), list.end());
        mp3->autopollSpeed = 0;
        lastOfSpeed = list.empty();
        if (lastOfSpeed) autopolled.erase(speed);
    }
    if (lastOfSpeed) remove_param_int(autopollTick, timerParam(speed));
}

// The almp3 calls with Allegro's timer running: autopoll ticks every
// millisecond, decoding into fresh streams, while this thread plays, stops,
// adjusts and destroys the same objects.
#include "platform/almp3.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <random>

#include "platform/test_tone.h"

namespace {

TEST(Almp3Timer, AutopollRacesWithStopAndDestroy) {
    ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr), 0);
    scopedWorkDir dir;
    const auto mp3 = testTone::sineMp3("tone", 440.0, 0.5, 44100, 2);
    ASSERT_FALSE(mp3.empty());
    const int size = static_cast<int>(mp3.size());
    std::mt19937 random(11);
    ALMP3_MP3* objects[3] = {};
    for (int round = 0; round < 300; ++round) {
        ALMP3_MP3*& object = objects[random() % 3];
        if (!object) {
            object = almp3_create_mp3(mp3.data(), size);
            ASSERT_NE(object, nullptr);
            almp3_start_autopoll_mp3(object, 1);
        }
        switch (random() % 5) {
        // A fresh stream: the next tick decodes into its empty buffers.
        case 0: almp3_play_ex_mp3(object, 24576, 200, 127, 1000, static_cast<int>(random() % 2)); break;
        case 1: almp3_stop_mp3(object); break;
        case 2: almp3_adjust_mp3(object, static_cast<int>(random() % 256), 127, 1500, 1); break;
        case 3: almp3_stop_autopoll_mp3(object); almp3_start_autopoll_mp3(object, 1); break;
        default:
            almp3_destroy_mp3(object);
            object = nullptr;
            break;
        }
        rest(random() % 3);
    }
    for (ALMP3_MP3* object : objects) almp3_destroy_mp3(object);
}

}  // namespace

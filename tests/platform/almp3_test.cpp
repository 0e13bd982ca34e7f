#include "platform/almp3.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "platform/test_tone.h"

namespace {

// Allegro's no-sound driver never moves its voices on, so how a play ends
// can't be seen here; the decoder's tests cover the end and the loop.
TEST(Almp3Test, NeedsAFramePlaysUntilStoppedAndStartsOverWhenPlayedAgain) {
    ASSERT_EQ(install_sound(DIGI_NONE, MIDI_NONE, nullptr), 0);
    scopedWorkDir dir;
    const unsigned char silence[4096] = {};
    EXPECT_EQ(almp3_create_mp3(nullptr, 100), nullptr);
    EXPECT_EQ(almp3_create_mp3(silence, 0), nullptr);
    EXPECT_EQ(almp3_create_mp3(silence, sizeof silence), nullptr);
    const auto mp3 = testTone::sineMp3("tone", 440.0, 0.3, 44100, 2);
    ALMP3_MP3* made = almp3_create_mp3(mp3.data(), static_cast<int>(mp3.size()));
    ASSERT_NE(made, nullptr);
    ASSERT_EQ(almp3_play_ex_mp3(made, 4096, 255, 127, 1000, 0), ALMP3_OK);
    almp3_adjust_mp3(made, -4, 999, -1, 0);  // out of range values are clamped
    EXPECT_EQ(almp3_poll_mp3(made), ALMP3_OK);
    almp3_stop_mp3(made);
    EXPECT_EQ(almp3_poll_mp3(made), ALMP3_POLL_NOTPLAYING);
    almp3_adjust_mp3(made, 100, 0, 1000, 1);
    EXPECT_EQ(almp3_play_ex_mp3(made, 24576, 255, 127, 1000, 1), ALMP3_OK);
    EXPECT_EQ(almp3_play_ex_mp3(made, 0, 255, 127, 1000, 1), ALMP3_OK);
    EXPECT_EQ(almp3_poll_mp3(made), ALMP3_OK);
    almp3_destroy_mp3(made);
}

}  // namespace

#include "ui/sound.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "app/globals.h"
#include "platform/almp3.h"
#include "platform/test_tone.h"

// Headless: Allegro's no-sound drivers still give voices and streams, but
// MIDI playing needs the timer, so playing tunes is tested under Xvfb.
class SoundTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(install_sound(DIGI_NONE, MIDI_NONE, nullptr), 0); }
    void SetUp() override {
        writeFileBytes("tone.wav", testTone::sineWav(440.0, 0.2, 22050, 1));
        writeFileBytes("tune.midi", testTone::oneNoteMidi());
        ASSERT_FALSE(testTone::sineMp3("song", 440.0, 0.5, 44100, 2).empty());
        global.sfxVolume = 100;
        global.musicVolume = 200;
    }
    scopedWorkDir dir;
};

using SoundDeathTest = SoundTest;

// Each kind holds its own handle only; loading another file frees the one
// before. Playing at the music volume counts as music, anything else as an
// effect: musicUpdate makes music follow musicVolume and effects sfxVolume,
// keeping pan, frequency and loop (MIDI has no volume of its own). stop
// keeps a sound loaded and play restarts it; destroy empties it, and an
// empty sound ignores every call.
TEST_F(SoundTest, KindsLoadPlayFollowTheirVolumeStopAndDie) {
    Sound sound;
    const std::pair<const char*, int> kinds[] = {{"tone.wav", 1}, {"tune.midi", 2}, {"song.mp3", 3}};
    for (const auto& [name, type] : kinds) {
        sound.load(name, true);
        EXPECT_EQ(sound.isActive(), type) << name;
        EXPECT_EQ((sound.sample != nullptr) + 2 * (sound.midi != nullptr) + 3 * (sound.mp3 != nullptr), type) << name;
    }
    EXPECT_EQ(sound.mp3Data, readFileBytes("song.mp3"));
    EXPECT_FALSE(sound.autopoll);  // no timer here: the MP3 is left to poll()
    Sound effect("tone.wav", false), tune("tune.midi", false);
    sound.play(1, global.musicVolume, 127, 1000);
    effect.play(0, global.sfxVolume, 40, 1200);
    global.musicVolume = 50;
    global.sfxVolume = 30;
    for (Sound* s : {&sound, &effect, &tune}) s->musicUpdate();
    EXPECT_EQ(std::vector<int>({sound.volume, effect.volume, tune.volume}), std::vector<int>({50, 30, 0}));
    EXPECT_EQ(std::vector<int>({effect.pan, effect.frequency, sound.loop}), std::vector<int>({40, 1200, 1}));
    EXPECT_EQ(almp3_poll_mp3(sound.mp3), ALMP3_OK);  // still playing
    sound.stop();
    EXPECT_TRUE(sound.isEffect && sound.isActive());
    sound.poll();
    EXPECT_EQ(almp3_poll_mp3(sound.mp3), ALMP3_POLL_NOTPLAYING);
    sound.play(1, 100, 127, 1000);
    EXPECT_EQ(almp3_poll_mp3(sound.mp3), ALMP3_OK);
    sound.load("tone.wav", false);
    EXPECT_TRUE(sound.mp3Data.empty() && sound.sample);
    sound.destroy();
    sound.play(1, 77, 10, 500);  // empty: every call is ignored, but the play values are kept
    sound.musicUpdate();
    sound.poll();
    sound.stop();
    EXPECT_EQ(std::vector<int>({sound.volume, sound.loop, sound.isEffect, sound.isActive()}),
              std::vector<int>({77, 1, 1, 0}));
}

TEST_F(SoundDeathTest, EveryLoadFailureEndsWithTheSampleError) {
    writeFileBytes("empty.mp3", {});
    writeFileBytes("renamed.mp3", testTone::sineWav(0.0, 0.2, 22050, 1));
    writeFileBytes("broken.mid", {'M', 'T', 'h', 'd'});
    for (const char* name : {"empty.mp3", "renamed.mp3", "missing.wav", "broken.mid", ""})
        EXPECT_EXIT(Sound(name, false), testing::ExitedWithCode(0),
                    "Error008: Loading sample \"" + std::string(name) + "\" failed")
            << name;
}

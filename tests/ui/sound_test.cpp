#include "ui/sound.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "app/globals.h"
#include "platform/almp3.h"
#include "platform/test_tone.h"

namespace {

// Headless: Allegro's no-sound drivers still give voices and streams, but
// MIDI playing needs the timer, so playing tunes is tested under Xvfb.
class SoundTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(install_sound(DIGI_NONE, MIDI_NONE, nullptr), 0); }

    void SetUp() override {
        writeFileBytes("tone.wav", testTone::sineWav(440.0, 0.2, 22050, 1));
        writeFileBytes("tune.mid", testTone::oneNoteMidi());
        writeFileBytes("tune.midi", testTone::oneNoteMidi());
        ASSERT_FALSE(testTone::sineMp3("song", 440.0, 0.5, 44100, 2).empty());
        global.sfxVolume = 100;
        global.musicVolume = 200;
    }

    scopedWorkDir dir;
};

using SoundDeathTest = SoundTest;

TEST_F(SoundTest, LoadsByTheLowerCaseEnding) {
    Sound wav("tone.wav", false);
    EXPECT_EQ(wav.isActive(), 1);
    EXPECT_NE(wav.sample, nullptr);
    Sound mid("tune.mid", false);
    EXPECT_EQ(mid.isActive(), 2);
    Sound midi("tune.midi", false);
    EXPECT_EQ(midi.isActive(), 2);
    EXPECT_NE(midi.midi, nullptr);
    Sound mp3("song.mp3", false);
    EXPECT_EQ(mp3.isActive(), 3);
    EXPECT_NE(mp3.mp3, nullptr);
    EXPECT_EQ(mp3.mp3Data, readFileBytes("song.mp3"));
}

TEST_F(SoundDeathTest, EveryLoadFailureEndsWithTheSampleError) {
    writeFileBytes("TONE.WAV", readFileBytes("tone.wav"));
    writeFileBytes("empty.mp3", {});
    writeFileBytes("renamed.mp3", testTone::sineWav(0.0, 0.2, 22050, 1));
    writeFileBytes("broken.wav", {'R', 'I', 'F', 'F', 1, 2});
    writeFileBytes("broken.mid", {'M', 'T', 'h', 'd'});
    for (const char* name : {"TONE.WAV", "empty.mp3", "renamed.mp3", "broken.wav", "broken.mid", "missing.wav",
                             "missing.mp3", "missing.mid", "missing.midi", "song.ogg", ""}) {
        EXPECT_EXIT(Sound(name, false), testing::ExitedWithCode(0),
                    "Error008: Loading sample \"" + std::string(name) + "\" failed")
            << name;
    }
}

// No timer here: an MP3 asked to autopoll is left to poll() instead.
TEST_F(SoundTest, AutopollWithoutATimerFallsBackToPoll) {
    Sound sound("song.mp3", true);
    EXPECT_FALSE(sound.autopoll);
    sound.play(0, 100, 127, 1000);
    sound.poll();
    EXPECT_EQ(almp3_poll_mp3(sound.mp3), ALMP3_OK);
}

TEST_F(SoundTest, LoadingAnotherFileFreesTheFirst) {
    Sound sound("song.mp3", false);
    sound.play(1, 200, 127, 1000);
    sound.load("tone.wav", false);
    EXPECT_EQ(sound.isActive(), 1);
    EXPECT_EQ(sound.mp3, nullptr);
    EXPECT_TRUE(sound.mp3Data.empty());
    EXPECT_TRUE(sound.isEffect);
    sound.destroy();
    EXPECT_EQ(sound.isActive(), 0);
    EXPECT_EQ(sound.sample, nullptr);
}

TEST_F(SoundTest, StopKeepsEachKindLoadedAndPlayRestartsIt) {
    for (const char* name : {"tone.wav", "song.mp3"}) {
        Sound sound(name, false);
        const int type = sound.isActive();
        sound.play(0, 200, 127, 1000);
        EXPECT_FALSE(sound.isEffect) << name;
        sound.stop();
        EXPECT_EQ(sound.isActive(), type) << name;
        EXPECT_TRUE(sound.isEffect) << name;
        sound.play(0, 100, 127, 1000);
        EXPECT_EQ(sound.isActive(), type) << name;
    }
    Sound mp3("song.mp3", false);
    mp3.play(1, 200, 127, 1000);
    EXPECT_EQ(almp3_poll_mp3(mp3.mp3), ALMP3_OK);
    mp3.stop();
    EXPECT_EQ(almp3_poll_mp3(mp3.mp3), ALMP3_POLL_NOTPLAYING);
    mp3.poll();
    mp3.play(1, 200, 127, 1000);
    EXPECT_EQ(almp3_poll_mp3(mp3.mp3), ALMP3_OK);
}

TEST_F(SoundTest, MusicUpdateFollowsTheVolumeEachSoundPlaysBy) {
    Sound music("song.mp3", false);
    music.play(1, global.musicVolume, 127, 1000);
    Sound effect("tone.wav", false);
    effect.play(0, global.sfxVolume, 40, 1200);
    Sound tune("tune.mid", false);

    global.musicVolume = 50;
    global.sfxVolume = 30;
    for (Sound* sound : {&music, &effect, &tune}) sound->musicUpdate();
    EXPECT_EQ(music.volume, 50);
    EXPECT_EQ(effect.volume, 30);
    EXPECT_EQ(tune.volume, 0);  // MIDI has no volume of its own
    EXPECT_EQ(effect.pan, 40);
    EXPECT_EQ(effect.frequency, 1200);
    EXPECT_EQ(music.loop, 1);
    EXPECT_EQ(almp3_poll_mp3(music.mp3), ALMP3_OK);  // still playing
}

TEST_F(SoundTest, EffectsAtTheMusicVolumeCountAsMusic) {
    global.sfxVolume = global.musicVolume = 120;
    Sound effect("tone.wav", false);
    effect.play(0, global.sfxVolume, 127, 1000);
    EXPECT_FALSE(effect.isEffect);
    global.musicVolume = 10;
    effect.musicUpdate();
    EXPECT_EQ(effect.volume, 10);
}

TEST_F(SoundTest, EmptySoundIgnoresEveryCallButKeepsThePlayValues) {
    Sound empty;
    EXPECT_EQ(empty.isActive(), 0);
    empty.play(1, 77, 10, 500);
    empty.musicUpdate();
    empty.poll();
    EXPECT_EQ(empty.volume, 77);
    EXPECT_EQ(empty.loop, 1);
    EXPECT_TRUE(empty.isEffect);
    empty.stop();
    empty.destroy();
    EXPECT_EQ(empty.isActive(), 0);
}

}  // namespace

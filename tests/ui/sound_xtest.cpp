// Sound with Allegro's timer running: autopolled MP3s and MIDI tunes.
// Without a sound card Allegro picks its no-sound drivers, and everything
// must still work.
#include "ui/sound.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "app/globals.h"
#include "platform/test_tone.h"

class SoundTimerTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr), 0); }
    void SetUp() override {
        ASSERT_FALSE(testTone::sineMp3("song", 440.0, 0.5, 44100, 2).empty());
        ASSERT_FALSE(testTone::sineMp3("voice", 300.0, 0.3, 22050, 1).empty());
        writeFileBytes("tune.mid", testTone::oneNoteMidi());
    }
    scopedWorkDir dir;
};

// More autopolled MP3s than Allegro has timer slots share timers. The
// autopoll ticks on Allegro's timer thread while this thread starts, stops,
// adjusts, reloads and destroys the same sounds at random moments.
TEST_F(SoundTimerTest, AutopolledMp3sAndTunesSurviveTheGameThreadStoppingAndDestroying) {
    std::mt19937 random(7);
    std::vector<std::unique_ptr<Sound>> sounds;
    for (int i = 0; i < 20; ++i) {
        sounds.push_back(std::make_unique<Sound>(i % 2 ? "song.mp3" : "voice.mp3", true));
        EXPECT_TRUE(sounds.back()->autopoll) << i;
        sounds.back()->play(1, 100, 127, 1000);
    }
    for (int round = 0; round < 150; ++round) {
        Sound& sound = *sounds[random() % sounds.size()];
        switch (random() % 6) {
        case 0: sound.play(static_cast<int>(random() % 2), global.musicVolume, 127, 1000); break;
        case 1: sound.stop(); break;
        case 2:
            global.musicVolume = static_cast<unsigned char>(random());
            sound.musicUpdate();
            break;
        case 3: sound.load(random() % 2 ? "song.mp3" : "voice.mp3", true); break;
        case 4: sounds[random() % sounds.size()] = std::make_unique<Sound>("song.mp3", true);
            continue;  // `sound` may be gone
        default: sound.destroy(); break;
        }
        sound.poll();  // ignored for autopolled sounds
        rest(random() % 8);
    }
    for (auto& sound : sounds) EXPECT_TRUE(!sound->isActive() || (sound->autopoll && sound->mp3));
    // A tune plays, stops staying loaded, and may be destroyed while it plays.
    auto tune = std::make_unique<Sound>("tune.mid", false);
    tune->play(1, global.musicVolume, 127, 1000);
    rest(50);
    tune->stop();
    EXPECT_EQ(tune->isActive(), 2);
    tune->play(1, 200, 127, 1000);
    tune.reset();
    rest(50);
}

// Weapon and effect samples load with Allegro, the MIDI tune with
// load_midi, and the MP3 decodes through libmpg123 to the length of the
// audio it was encoded from.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "content/game_folder.h"
#include "support/test_files.h"

class ContentSounds : public GameFolderTest {};

namespace {
struct SampleDestroyer {
    void operator()(SAMPLE* s) const { destroy_sample(s); }
};
using Sample = std::unique_ptr<SAMPLE, SampleDestroyer>;

Sample loadGameSample(const std::string& relative) { return Sample(load_sample(gamePath(relative).c_str())); }

// Sample frames that libmpg123 decodes from the file, or -1.
long decodedFrames(const std::string& path, long& rate) {
    mpg123_init();
    int err = 0;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    if (!h) return -1;
    long frames = -1;
    int channels = 0, encoding = 0;
    if (mpg123_open(h, path.c_str()) == MPG123_OK && mpg123_getformat(h, &rate, &channels, &encoding) == MPG123_OK) {
        mpg123_format_none(h);
        mpg123_format(h, rate, channels, MPG123_ENC_SIGNED_16);
        std::vector<unsigned char> buffer(16384);
        size_t done = 0, bytes = 0;
        int result;
        while ((result = mpg123_read(h, buffer.data(), buffer.size(), &done)) == MPG123_OK || result == MPG123_NEW_FORMAT)
            bytes += done;
        bytes += done;
        if (result == MPG123_DONE) frames = static_cast<long>(bytes / (2 * channels));
    }
    mpg123_close(h);
    mpg123_delete(h);
    return frames;
}
}  // namespace

TEST_F(ContentSounds, WeaponSoundsLoadAndDiffer) {
    std::vector<std::vector<unsigned char>> files;
    for (int i = 0; i < 8; ++i) {
        std::string name = "sfx/weapon" + std::to_string(i) + ".wav";
        Sample s = loadGameSample(name);
        ASSERT_TRUE(s) << name;
        EXPECT_EQ(s->bits, 16);
        EXPECT_FALSE(s->stereo);
        EXPECT_GT(s->len, s->freq / 20u) << name;
        EXPECT_LT(s->len, s->freq * 3u) << name;
        files.push_back(readFileBytes(gamePath(name)));
    }
    for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j) EXPECT_NE(files[i], files[j]) << i << " and " << j;
}

TEST_F(ContentSounds, ExplosionsAreTheLongestWeaponSounds) {
    unsigned long longestShot = 0;
    for (int i = 0; i < 6; ++i)
        longestShot = std::max(longestShot, loadGameSample("sfx/weapon" + std::to_string(i) + ".wav")->len);
    EXPECT_GT(loadGameSample("sfx/weapon6.wav")->len, longestShot);
    EXPECT_GT(loadGameSample("sfx/weapon7.wav")->len, loadGameSample("sfx/weapon6.wav")->len);
}

TEST_F(ContentSounds, EffectSamplesLoad) {
    for (const char* name : {"sfx/door.wav", "sfx/switch.wav", "sfx/pickup.wav", "sfx/alarm.wav"}) {
        Sample s = loadGameSample(name);
        ASSERT_TRUE(s) << name;
        EXPECT_GT(s->len, 0u) << name;
    }
}

TEST_F(ContentSounds, MidiTuneLoads) {
    MIDI* midi = load_midi(gamePath("sfx/music_base.mid").c_str());
    ASSERT_NE(midi, nullptr);
    int tracks = 0;
    for (const auto& track : midi->track)
        if (track.len > 0) ++tracks;
    EXPECT_GE(tracks, 4);
    destroy_midi(midi);
}

TEST_F(ContentSounds, Mp3DecodesToTheLengthOfItsSource) {
    Sample source(load_sample(workPath("music_dusk.wav").c_str()));
    ASSERT_TRUE(source);
    long rate = 0;
    long frames = decodedFrames(gamePath("sfx/music_dusk.mp3"), rate);
    ASSERT_GT(frames, 0);
    EXPECT_EQ(rate, static_cast<long>(source->freq));
    // The encoder's delay and padding are at most two MPEG frames when
    // the decoder does not trim them.
    EXPECT_NEAR(frames, static_cast<long>(source->len), 2 * 1152);
    EXPECT_GT(frames, 30 * rate);
}

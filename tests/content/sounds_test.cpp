// Weapon and effect samples load with Allegro, each weapon with its own
// sound, the MIDI tune with load_midi, and the MP3 decodes through
// libmpg123 to the length of the audio it was encoded from.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <string>
#include <vector>

#include "content/game_folder.h"
#include "support/test_files.h"

class ContentSounds : public GameFolderTest {};

namespace {
// Sample frames that libmpg123 decodes from the file, or -1.
long decodedFrames(const std::string& path, long& rate) {
    mpg123_init();
    int err = 0, channels = 0, encoding = 0, result;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    if (!h) return -1;
    long frames = -1;
    if (mpg123_open(h, path.c_str()) == MPG123_OK && mpg123_getformat(h, &rate, &channels, &encoding) == MPG123_OK) {
        mpg123_format_none(h);
        mpg123_format(h, rate, channels, MPG123_ENC_SIGNED_16);
        std::vector<unsigned char> buffer(16384);
        size_t done = 0, bytes = 0;
        while ((result = mpg123_read(h, buffer.data(), buffer.size(), &done)) == MPG123_OK || result == MPG123_NEW_FORMAT)
            bytes += done;
        if (result == MPG123_DONE) frames = static_cast<long>((bytes + done) / (2 * channels));
    }
    mpg123_close(h);
    mpg123_delete(h);
    return frames;
}
}  // namespace

TEST_F(ContentSounds, SamplesLoadAndEachWeaponSoundsItsOwn) {
    std::vector<std::string> names = {"sfx/door.wav", "sfx/switch.wav", "sfx/pickup.wav", "sfx/alarm.wav"};
    std::vector<std::vector<unsigned char>> weapons;
    for (int i = 0; i < 8; ++i) names.push_back("sfx/weapon" + std::to_string(i) + ".wav");
    for (const std::string& name : names) {
        SAMPLE* s = load_sample(gamePath(name).c_str());
        ASSERT_NE(s, nullptr) << name;
        EXPECT_GT(s->len, 0u) << name;
        destroy_sample(s);
        if (name.find("weapon") == std::string::npos) continue;
        for (size_t j = 0; j < weapons.size(); ++j) EXPECT_NE(weapons[j], readFileBytes(gamePath(name))) << name << ", " << j;
        weapons.push_back(readFileBytes(gamePath(name)));
    }
    MIDI* midi = load_midi(gamePath("sfx/music_base.mid").c_str());
    ASSERT_NE(midi, nullptr);
    destroy_midi(midi);
}

TEST_F(ContentSounds, Mp3DecodesToTheLengthOfItsSource) {
    // The generator's work folder beside the game folder keeps the WAV.
    SAMPLE* source = load_sample((std::string(KORVALT_GAME_DIR) + "/../content_work/music_dusk.wav").c_str());
    ASSERT_NE(source, nullptr);
    long rate = 0;
    const long frames = decodedFrames(gamePath("sfx/music_dusk.mp3"), rate);
    EXPECT_EQ(rate, static_cast<long>(source->freq));
    // The encoder's delay and padding are at most two MPEG frames when
    // the decoder does not trim them.
    EXPECT_NEAR(frames, static_cast<long>(source->len), 2 * 1152);
    destroy_sample(source);
}

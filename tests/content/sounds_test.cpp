// The samples the game plays load with Allegro, each weapon with its own
// sound; the MIDI tune loads with load_midi and the MP3 is there.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "content/game_folder.h"
#include "support/test_files.h"

class ContentSounds : public GameFolderTest {};

TEST_F(ContentSounds, SamplesAndMusicLoadAndEachWeaponSoundsItsOwn) {
    std::vector<std::string> names = {"sfx/door.wav", "sfx/switch.wav", "sfx/pickup.wav", "sfx/alarm.wav"};
    std::vector<std::vector<unsigned char>> weapons;
    for (int i = 0; i < 8; ++i) names.push_back("sfx/weapon" + std::to_string(i) + ".wav");
    for (const std::string& name : names) {
        SAMPLE* s = load_sample(gamePath(name).c_str());
        ASSERT_NE(s, nullptr) << name;
        EXPECT_GT(s->len, 0u) << name;
        destroy_sample(s);
        if (name.find("weapon") == std::string::npos) continue;
        const auto bytes = readFileBytes(gamePath(name));
        EXPECT_EQ(std::count(weapons.begin(), weapons.end(), bytes), 0) << name;
        weapons.push_back(bytes);
    }
    MIDI* midi = load_midi(gamePath("sfx/music_base.mid").c_str());
    ASSERT_NE(midi, nullptr);
    destroy_midi(midi);
    EXPECT_GT(readFileBytes(gamePath("sfx/music_dusk.mp3")).size(), 0u);
}

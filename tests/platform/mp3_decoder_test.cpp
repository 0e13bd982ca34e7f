#include "platform/mp3_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/test_tone.h"

namespace {

// Decodes everything a play without loop gives.
std::vector<int16_t> decodeAll(mp3Decoder& decoder) {
    std::vector<int16_t> pcm, chunk(4096 * decoder.channels());
    while (std::size_t frames = decoder.fill(chunk.data(), 4096, false))
        pcm.insert(pcm.end(), chunk.begin(), chunk.begin() + frames * decoder.channels());
    return pcm;
}

TEST(Mp3Decoder, RefusesDataWithoutFramesAndEndsDamagedDataInsteadOfHanging) {
    scopedWorkDir dir;
    mp3Decoder none, renamed;
    EXPECT_FALSE(none.open(nullptr, 10));
    // A WAV file renamed to .mp3: a header and silence hold no frame sync.
    const auto wav = testTone::sineWav(0.0, 0.5, 44100, 2);
    EXPECT_FALSE(renamed.open(wav.data(), wav.size()));
    std::vector<int16_t> chunk(2 * 44100);
    EXPECT_EQ(renamed.fill(chunk.data(), 1024, true), 0u);

    const auto mp3 = testTone::sineMp3("tone", 440.0, 1.0, 44100, 2);
    std::mt19937 random(5);
    std::vector<unsigned char> noise(20000), scrambled = mp3;
    for (auto& b : noise) b = static_cast<unsigned char>(random());
    for (std::size_t i = 400; i < scrambled.size(); i += 97) scrambled[i] = static_cast<unsigned char>(random());
    const std::vector<unsigned char> truncated(mp3.begin(), mp3.begin() + mp3.size() / 2);
    const std::vector<unsigned char> headerOnly(mp3.begin(), mp3.begin() + 300);
    for (const auto& data : {noise, scrambled, truncated, headerOnly}) {
        mp3Decoder decoder;
        if (!decoder.open(data.data(), data.size())) continue;
        EXPECT_LE(decodeAll(decoder).size() / decoder.channels(), 44100u * 12 / 10);
        // Looping a file that gives little or no sound must still return.
        decoder.restart();
        decoder.fill(chunk.data(), 44100, true);
    }
    mp3Decoder half;
    ASSERT_TRUE(half.open(truncated.data(), truncated.size()));
    EXPECT_NEAR(static_cast<double>(decodeAll(half).size() / 2), 22050.0, 2500.0);
}

}  // namespace

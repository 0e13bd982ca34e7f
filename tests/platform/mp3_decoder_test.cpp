#include "platform/mp3_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/test_tone.h"

namespace {

// Decodes everything a play without loop gives.
std::vector<int16_t> decodeAll(mp3Decoder& decoder) {
    std::vector<int16_t> pcm;
    std::vector<int16_t> chunk(4096 * decoder.channels());
    while (std::size_t frames = decoder.fill(chunk.data(), 4096, false))
        pcm.insert(pcm.end(), chunk.begin(), chunk.begin() + frames * decoder.channels());
    return pcm;
}

struct toneCase {
    int rate;
    int channels;
    double hz;
};

class Mp3DecoderTone : public testing::TestWithParam<toneCase> {};

TEST_P(Mp3DecoderTone, DecodesToTheRightLengthAndPitch) {
    const toneCase tone = GetParam();
    scopedWorkDir dir;
    const auto mp3 = testTone::sineMp3("tone", tone.hz, 1.0, tone.rate, tone.channels);
    ASSERT_FALSE(mp3.empty());
    mp3Decoder decoder;
    ASSERT_TRUE(decoder.open(mp3.data(), mp3.size()));
    EXPECT_EQ(decoder.rate(), tone.rate);
    EXPECT_EQ(decoder.channels(), tone.channels);
    const auto pcm = decodeAll(decoder);
    const std::size_t frames = pcm.size() / tone.channels;
    // The encoder's delay and padding are cut by the decoder's gapless mode.
    EXPECT_NEAR(static_cast<double>(frames), tone.rate, tone.rate * 0.01);
    for (int channel = 0; channel < tone.channels; ++channel) {
        const int crossings = testTone::risingCrossings(pcm, tone.channels, channel, tone.rate / 10, tone.rate * 9 / 10);
        EXPECT_NEAR(crossings / 0.8, tone.hz, tone.hz * 0.01) << "channel " << channel;
    }
}

INSTANTIATE_TEST_SUITE_P(RatesAndChannels, Mp3DecoderTone,
                         testing::Values(toneCase{44100, 2, 440.0}, toneCase{22050, 1, 300.0},
                                         toneCase{48000, 2, 1000.0}));

TEST(Mp3Decoder, LoopsSeamlesslyAndEndsWithoutLoop) {
    scopedWorkDir dir;
    const auto mp3 = testTone::sineMp3("tone", 440.0, 0.5, 44100, 2);
    mp3Decoder decoder;
    ASSERT_TRUE(decoder.open(mp3.data(), mp3.size()));
    const std::size_t length = decodeAll(decoder).size() / 2;
    ASSERT_GT(length, 20000u);

    // Without loop the end stays the end until a restart.
    std::vector<int16_t> chunk(2 * 1024);
    EXPECT_EQ(decoder.fill(chunk.data(), 1024, false), 0u);
    ASSERT_TRUE(decoder.restart());
    EXPECT_EQ(decoder.fill(chunk.data(), 1024, false), 1024u);

    // With loop the output runs on past the end and starts over there.
    ASSERT_TRUE(decoder.restart());
    std::vector<int16_t> looped(2 * length * 3);
    ASSERT_EQ(decoder.fill(looped.data(), length * 3, true), length * 3);
    for (std::size_t i = 0; i < 2 * length; ++i)
        ASSERT_EQ(looped[i], looped[i + 2 * length]) << "value " << i;
}

TEST(Mp3Decoder, RefusesDataWithoutFrames) {
    scopedWorkDir dir;
    mp3Decoder none;
    EXPECT_FALSE(none.open(nullptr, 10));
    const unsigned char byte = 0xFF;
    mp3Decoder oneByte;
    EXPECT_FALSE(oneByte.open(&byte, 1));
    // A WAV file renamed to .mp3: a header and silence hold no frame sync.
    const auto wav = testTone::sineWav(0.0, 0.5, 44100, 2);
    mp3Decoder renamed;
    EXPECT_FALSE(renamed.open(wav.data(), wav.size()));
    std::vector<int16_t> chunk(2 * 1024);
    EXPECT_EQ(renamed.fill(chunk.data(), 1024, true), 0u);
}

TEST(Mp3Decoder, DamagedDataEndsInsteadOfHanging) {
    scopedWorkDir dir;
    const auto mp3 = testTone::sineMp3("tone", 440.0, 1.0, 44100, 2);
    ASSERT_FALSE(mp3.empty());
    std::mt19937 random(5);
    std::vector<unsigned char> noise(20000);
    for (auto& byte : noise) byte = static_cast<unsigned char>(random());
    std::vector<unsigned char> scrambled = mp3;
    for (std::size_t i = 400; i < scrambled.size(); i += 97) scrambled[i] = static_cast<unsigned char>(random());
    const std::vector<unsigned char> truncated(mp3.begin(), mp3.begin() + mp3.size() / 2);
    const std::vector<unsigned char> headerOnly(mp3.begin(), mp3.begin() + 300);

    for (const auto& data : {noise, scrambled, truncated, headerOnly}) {
        mp3Decoder decoder;
        if (!decoder.open(data.data(), data.size())) continue;
        const std::size_t frames = decodeAll(decoder).size() / decoder.channels();
        EXPECT_LE(frames, 44100u * 12 / 10);
        // Looping a file that gives little or no sound must still return.
        std::vector<int16_t> chunk(2 * 44100);
        decoder.restart();
        decoder.fill(chunk.data(), 44100, true);
    }
    mp3Decoder half;
    ASSERT_TRUE(half.open(truncated.data(), truncated.size()));
    EXPECT_NEAR(static_cast<double>(decodeAll(half).size() / 2), 22050.0, 2500.0);
}

}  // namespace

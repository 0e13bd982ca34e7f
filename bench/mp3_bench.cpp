// Cost of decoding MP3 music: one minute of a 44.1 kHz stereo tone,
// encoded by lame at 128 kbit/s when the benchmark starts. The counter
// cpu_s_per_audio_s is the CPU time spent per second of sound, i.e. the
// share of one core that playing such music takes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/mp3_decoder.h"

namespace {

constexpr int RATE = 44100;
constexpr int SECONDS = 60;

void putLittle(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i)));
}

// A minute of two tones, one per channel, as MP3 bytes (empty if lame fails).
std::vector<unsigned char> makeMinuteMp3() {
    char dir[] = "/tmp/korvalt-bench-XXXXXX";
    if (!mkdtemp(dir)) return {};
    const std::string wav = std::string(dir) + "/minute.wav";
    const std::string mp3 = std::string(dir) + "/minute.mp3";
    {
        std::ofstream out(wav, std::ios::binary);
        const uint32_t dataBytes = RATE * SECONDS * 4;
        out.write("RIFF", 4);
        putLittle(out, 36 + dataBytes, 4);
        out.write("WAVEfmt ", 8);
        putLittle(out, 16, 4);        // format block size
        putLittle(out, 1, 2);         // PCM
        putLittle(out, 2, 2);         // channels
        putLittle(out, RATE, 4);
        putLittle(out, RATE * 4, 4);  // bytes a second
        putLittle(out, 4, 2);         // bytes a frame
        putLittle(out, 16, 2);        // bits a sample
        out.write("data", 4);
        putLittle(out, dataBytes, 4);
        for (int i = 0; i < RATE * SECONDS; ++i) {
            putLittle(out, static_cast<uint16_t>(static_cast<int16_t>(9000 * std::sin(2 * M_PI * 440.0 * i / RATE))), 2);
            putLittle(out, static_cast<uint16_t>(static_cast<int16_t>(9000 * std::sin(2 * M_PI * 660.0 * i / RATE))), 2);
        }
    }
    const std::string command = "lame --quiet -b 128 " + wav + " " + mp3;
    std::vector<unsigned char> bytes;
    if (std::system(command.c_str()) == 0) {
        std::ifstream in(mp3, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::remove(wav.c_str());
    std::remove(mp3.c_str());
    rmdir(dir);
    return bytes;
}

const std::vector<unsigned char>& minuteMp3() {
    static const std::vector<unsigned char> bytes = makeMinuteMp3();
    return bytes;
}

void BM_Mp3DecodeMinuteStereo(benchmark::State& state) {
    const auto& mp3 = minuteMp3();
    if (mp3.empty()) {
        state.SkipWithError("lame could not encode the test minute");
        return;
    }
    // The stream buffer the game uses: 24576 bytes of stereo.
    constexpr std::size_t FRAMES = 6144;
    std::vector<int16_t> buffer(FRAMES * 2);
    for (auto _ : state) {
        mp3Decoder decoder;
        decoder.open(mp3.data(), mp3.size());
        while (decoder.fill(buffer.data(), FRAMES, false) != 0) benchmark::ClobberMemory();
    }
    state.counters["cpu_s_per_audio_s"] =
        benchmark::Counter(static_cast<double>(SECONDS) * state.iterations(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Mp3DecodeMinuteStereo)->Unit(benchmark::kMillisecond);

}  // namespace

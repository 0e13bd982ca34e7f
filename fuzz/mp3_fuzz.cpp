// Arbitrary bytes as an MP3 file: made into an almp3 object, then decoded
// to the end, restarted, and decoded with loop.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/almp3.h"
#include "platform/mp3_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    almp3_destroy_mp3(almp3_create_mp3(data, static_cast<int>(size)));

    mp3Decoder decoder;
    if (!decoder.open(data, size)) return 0;
    constexpr std::size_t CHUNK = 4096;
    std::vector<int16_t> out(CHUNK * 2);
    std::size_t total = 0;
    while (std::size_t frames = decoder.fill(out.data(), CHUNK, false)) {
        if (frames > CHUNK) __builtin_trap();
        total += frames;
        if (total > 10'000'000) break;
    }
    decoder.restart();
    for (int i = 0; i < 4; ++i)
        if (decoder.fill(out.data(), CHUNK, true) > CHUNK) __builtin_trap();
    return 0;
}

#include "wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "image_files.h"

namespace {
void put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back((v >> (8 * i)) & 0xff);
}
}  // namespace

void writeWav(const std::string& path, const std::vector<float>& samples, int rate) {
    uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    put(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(out, 16, 4);
    put(out, 1, 2);  // PCM
    put(out, 1, 2);  // mono
    put(out, rate, 4);
    put(out, rate * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put(out, dataBytes, 4);
    for (float s : samples) {
        int v = static_cast<int>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
        put(out, static_cast<uint16_t>(static_cast<int16_t>(v)), 2);
    }
    writeBytes(path, out);
}

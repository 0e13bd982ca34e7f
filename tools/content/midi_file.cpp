#include "midi_file.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {
const int TICKS = 480;

void varLength(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7f;
    while (v >>= 7) bytes[n++] = 0x80 | (v & 0x7f);
    while (n) out.push_back(bytes[--n]);
}

void chunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& body) {
    out.insert(out.end(), id, id + 4);
    for (int s = 24; s >= 0; s -= 8) out.push_back((body.size() >> s) & 0xff);
    out.insert(out.end(), body.begin(), body.end());
}

struct Event {
    uint32_t tick;
    int order;  // note-offs before note-ons at the same tick
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> trackBody(std::vector<Event> events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
    std::vector<uint8_t> body;
    uint32_t last = 0;
    for (const Event& e : events) {
        varLength(body, e.tick - last);
        last = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    varLength(body, 0);
    body.insert(body.end(), {0xff, 0x2f, 0x00});
    return body;
}
}  // namespace

std::vector<uint8_t> midiBytes(const Score& score) {
    std::map<int, std::vector<Event>> byChannel;
    for (const Note& n : score.notes) {
        uint32_t on = static_cast<uint32_t>(std::lround(n.beat * TICKS));
        uint32_t off = static_cast<uint32_t>(std::lround((n.beat + n.length) * TICKS));
        auto& events = byChannel[n.channel];
        events.push_back({on, 1, {static_cast<uint8_t>(0x90 | n.channel), static_cast<uint8_t>(n.pitch), static_cast<uint8_t>(n.velocity)}});
        events.push_back({off, 0, {static_cast<uint8_t>(0x80 | n.channel), static_cast<uint8_t>(n.pitch), 0}});
    }
    uint32_t microsPerBeat = 60000000u / score.beatsPerMinute;
    std::vector<Event> tempo = {
        {0, 0, {0xff, 0x51, 0x03, static_cast<uint8_t>(microsPerBeat >> 16), static_cast<uint8_t>(microsPerBeat >> 8), static_cast<uint8_t>(microsPerBeat)}},
        {0, 1, {0xff, 0x58, 0x04, 4, 2, 24, 8}}};

    std::vector<uint8_t> out;
    uint16_t tracks = static_cast<uint16_t>(1 + byChannel.size());
    chunk(out, "MThd", {0, 1, static_cast<uint8_t>(tracks >> 8), static_cast<uint8_t>(tracks), TICKS >> 8, TICKS & 0xff});
    chunk(out, "MTrk", trackBody(tempo));
    for (auto& [channel, events] : byChannel) {
        if (channel != 9) events.push_back({0, -1, {static_cast<uint8_t>(0xc0 | channel), static_cast<uint8_t>(score.programs[channel])}});
        chunk(out, "MTrk", trackBody(events));
    }
    return out;
}

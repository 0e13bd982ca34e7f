#include "ui/sound.h"

#include <allegro.h>

#include "app/errors.h"
#include "app/globals.h"
#include "platform/almp3.h"

namespace {

// Stream buffer handed to the MP3 layer, in bytes.
constexpr int MP3_BUFFER_BYTES = 24576;
// Milliseconds between two polls of an autopolled MP3.
constexpr int AUTOPOLL_SPEED = 100;

// True when `file` ends in `ending`, compared character by character (so
// case matters).
bool endsWith(const std::string& file, const char* ending) {
    const std::string tail(ending);
    return file.size() >= tail.size() && file.compare(file.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

Sound::Sound(std::string file, bool autopoll) {
    load(file, autopoll);
}

Sound::~Sound() {
    destroy();
}

void Sound::load(std::string file, bool autopoll) {
    destroy();
    if (endsWith(file, "wav")) {
        sample = load_sample(file.c_str());
        if (!sample) errors::sampleLoadError(file);
        type = 1;
    } else if (endsWith(file, "mp3")) {
        loadMp3(file, autopoll);
        type = 3;
    } else if (endsWith(file, "mid") || endsWith(file, "midi")) {
        midi = load_midi(file.c_str());
        if (!midi) errors::sampleLoadError(file);
        type = 2;
    } else {
        errors::sampleLoadError(file);
    }
}

void Sound::loadMp3(const std::string& file, bool autopoll) {
    // file_size_ex gives 0 for a missing file too. The MP3 layer takes the
    // size as an int, so larger files are refused rather than cut.
    const uint64_t size = file_size_ex(file.c_str());
    if (size == 0 || size > 0x7fffffff) errors::sampleLoadError(file);
    mp3Data.resize(size);
    PACKFILE* in = pack_fopen(file.c_str(), "r");
    if (!in) errors::sampleLoadError(file);
    const long got = pack_fread(mp3Data.data(), static_cast<long>(size), in);
    pack_fclose(in);
    // A file that shrank between the size query and the read would leave
    // the tail unread; refuse it instead of decoding stale bytes.
    if (got != static_cast<long>(size)) errors::sampleLoadError(file);
    mp3 = almp3_create_mp3(mp3Data.data(), static_cast<int>(size));
    if (!mp3) errors::sampleLoadError(file);
    if (autopoll) {
        almp3_start_autopoll_mp3(mp3, AUTOPOLL_SPEED);
        this->autopoll = true;
    }
}

void Sound::play(int loop, int volume, int pan, int frequency) {
    switch (type) {
    case 1: play_sample(sample, volume, pan, frequency, loop); break;
    case 2: play_midi(midi, loop); break;
    case 3: almp3_play_ex_mp3(mp3, MP3_BUFFER_BYTES, volume, pan, frequency, loop); break;
    default: break;
    }
    this->loop = loop;
    this->volume = volume;
    this->pan = pan;
    this->frequency = frequency;
    isEffect = volume != global.musicVolume;
}

void Sound::stop() {
    switch (type) {
    case 1: stop_sample(sample); break;
    // Allegro plays one tune at a time: this stops whichever is playing.
    case 2: stop_midi(); break;
    case 3: almp3_stop_mp3(mp3); break;
    default: break;
    }
    isEffect = true;
}

void Sound::destroy() {
    if (sample) destroy_sample(sample);  // also stops its voices
    if (midi) destroy_midi(midi);        // also stops it if it is playing
    if (mp3) {
        if (autopoll) almp3_stop_autopoll_mp3(mp3);
        almp3_destroy_mp3(mp3);
    }
    sample = nullptr;
    midi = nullptr;
    mp3 = nullptr;
    mp3Data.clear();
    mp3Data.shrink_to_fit();
    autopoll = false;
    type = 0;
    isEffect = true;
}

void Sound::poll() {
    if (type == 3 && !autopoll) almp3_poll_mp3(mp3);
}

void Sound::musicUpdate() {
    if (type != 1 && type != 3) return;
    volume = isEffect ? global.sfxVolume : global.musicVolume;
    if (type == 1)
        adjust_sample(sample, volume, pan, frequency, loop);
    else
        almp3_adjust_mp3(mp3, volume, pan, frequency, loop);
}

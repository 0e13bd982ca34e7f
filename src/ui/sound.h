// One playable sound: a WAV sample, a MIDI tune or an MP3 stream, chosen by
// the file name's ending. A playing sound remembers whether it plays as an
// effect or as music, so volume changes reach sounds already playing.
#pragma once

#include <string>
#include <vector>

struct SAMPLE;
struct MIDI;
struct ALMP3_MP3;

class Sound {
public:
    int type = 0;  // 0 empty, 1 sample, 2 MIDI, 3 MP3
    bool isEffect = true;
    SAMPLE* sample = nullptr;
    MIDI* midi = nullptr;
    ALMP3_MP3* mp3 = nullptr;
    std::vector<unsigned char> mp3Data;
    int loop = 0;
    int volume = 0;
    int pan = 0;
    int frequency = 0;
    bool autopoll = false;

    Sound() = default;
    Sound(std::string file, bool autopoll);
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    void load(std::string file, bool autopoll);
    void play(int loop, int volume, int pan, int frequency);
    void stop();
    void destroy();
    int isActive() const { return type; }
    void poll();
    void musicUpdate();

private:
    void loadMp3(const std::string& file, bool autopoll);
};

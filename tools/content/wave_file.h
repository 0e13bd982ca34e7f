// WAV writer: RIFF header, "fmt " chunk (PCM, mono, 16 bits), "data"
// chunk of little-endian signed 16-bit samples.
#pragma once
#include <string>
#include <vector>

const int SAMPLE_RATE = 22050;

// Samples in [-1, 1] (clipped) at SAMPLE_RATE.
void writeWav(const std::string& path, const std::vector<float>& samples, int rate = SAMPLE_RATE);

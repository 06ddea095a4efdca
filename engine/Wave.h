// Our reader of RIFF "WAVE" files: the "fmt " and "data" chunks, PCM 8/16/32-bit and 32-bit float.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct WaveData {
    int channels = 0;             // 1 or 2
    int sampleRate = 0;           // frames per second
    int bitsPerSample = 0;        // 8, 16, 24 or 32
    bool isFloat = false;         // 32-bit IEEE float samples
    std::vector<uint8_t> samples; // the "data" chunk as stored
};

// False for anything that is not a complete, playable RIFF WAVE image (wrong tags, a missing or
// truncated chunk, a chunk size that runs past the end, an unsupported format).
bool ParseWave(const void* data, size_t size, WaveData& out);

// RIFF WAVE images built in memory for the audio tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

inline std::string Le32(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    return s;
}

inline std::string Le16(uint16_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
}

inline std::string Chunk(const char* id, const std::string& body) {
    std::string s = std::string(id, 4) + Le32(static_cast<uint32_t>(body.size())) + body;
    if (body.size() % 2)
        s += '\0';
    return s;
}

inline std::string FmtBody(int tag, int channels, int rate, int bits) {
    int align = channels * bits / 8;
    return Le16(static_cast<uint16_t>(tag)) + Le16(static_cast<uint16_t>(channels)) +
           Le32(static_cast<uint32_t>(rate)) + Le32(static_cast<uint32_t>(rate * align)) +
           Le16(static_cast<uint16_t>(align)) + Le16(static_cast<uint16_t>(bits));
}

inline std::string Riff(const std::string& chunks) {
    return "RIFF" + Le32(static_cast<uint32_t>(chunks.size() + 4)) + "WAVE" + chunks;
}

// A mono 16-bit tone of the given length.
inline std::string ToneWave(int milliseconds, int rate = 22050) {
    int frames = rate * milliseconds / 1000;
    std::string samples(static_cast<size_t>(frames) * 2, '\0');
    for (int i = 0; i < frames; ++i) {
        int16_t v = static_cast<int16_t>((i / 20) % 2 ? 8000 : -8000);
        samples[static_cast<size_t>(i) * 2] = static_cast<char>(v);
        samples[static_cast<size_t>(i) * 2 + 1] = static_cast<char>(v >> 8);
    }
    return Riff(Chunk("fmt ", FmtBody(1, 1, rate, 16)) + Chunk("data", samples));
}

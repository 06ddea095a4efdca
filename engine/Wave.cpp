// RIFF WAVE reading: walk the chunks, take "fmt " and "data", check every size against the file.
#include "engine/Wave.h"

#include <cstring>

namespace {

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

} // namespace

bool ParseWave(const void* data, size_t size, WaveData& out) {
    out = WaveData();
    const auto* p = static_cast<const uint8_t*>(data);
    if (!p || size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
        return false;
    bool haveFormat = false, haveData = false;
    int formatTag = 0, blockAlign = 0;
    size_t offset = 12;
    while (offset + 8 <= size) {
        const uint8_t* chunk = p + offset;
        size_t chunkSize = U32(chunk + 4);
        size_t bodyOffset = offset + 8;
        if (chunkSize > size - bodyOffset)
            return false; // runs past the end: truncated or corrupt
        const uint8_t* body = p + bodyOffset;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize < 16)
                return false;
            formatTag = U16(body);
            out.channels = U16(body + 2);
            out.sampleRate = static_cast<int>(U32(body + 4));
            blockAlign = U16(body + 12);
            out.bitsPerSample = U16(body + 14);
            // The extensible header names the real format in the first two bytes of its sub-format.
            if (formatTag == 0xFFFE && chunkSize >= 26)
                formatTag = U16(body + 24);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            out.samples.assign(body, body + chunkSize);
            haveData = true;
        }
        offset = bodyOffset + chunkSize + (chunkSize & 1); // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData)
        return false;
    out.isFloat = formatTag == 3;
    if (formatTag != 1 && formatTag != 3)
        return false;
    if (out.channels < 1 || out.channels > 8 || out.sampleRate < 1000 || out.sampleRate > 384000)
        return false;
    if (out.isFloat ? out.bitsPerSample != 32
                    : (out.bitsPerSample != 8 && out.bitsPerSample != 16 && out.bitsPerSample != 24 &&
                       out.bitsPerSample != 32))
        return false;
    if (blockAlign != out.channels * out.bitsPerSample / 8)
        return false;
    return !out.samples.empty();
}

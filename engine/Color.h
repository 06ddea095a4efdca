// Colour words: 32-bit, bytes from the lowest are alpha, red, green, blue (0x0000FFFF is opaque red).
#pragma once

#include <cstdint>

constexpr uint32_t PackColor(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return static_cast<uint32_t>(b0) | static_cast<uint32_t>(b1) << 8 | static_cast<uint32_t>(b2) << 16 |
           static_cast<uint32_t>(b3) << 24;
}

// An opaque or translucent colour word from its channels.
constexpr uint32_t ColorWord(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255) {
    return PackColor(alpha, red, green, blue);
}

struct ColorRGBA {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const ColorRGBA& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

constexpr ColorRGBA ColorFromWord(uint32_t word) {
    return ColorRGBA{static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
                     static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word)};
}

constexpr uint32_t kColorWhite = 0xFFFFFFFF;
constexpr uint32_t kColorRed = 0x0000FFFF;
constexpr uint32_t kColorYellow = 0x00FFFFFF;
constexpr uint32_t kColorGreen = 0x00FF00FF;
constexpr uint32_t kColorOrange = 0x0080FFFF;
constexpr uint32_t kColorCyan = 0xFFFF00FF;

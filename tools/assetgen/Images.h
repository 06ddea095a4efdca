// Small deterministic images for generated models: RGBA pixels written as TGA or uncompressed DDS.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba; // rows from the top

    Image(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4, 255) {}
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = a;
    }
    void Fill(uint8_t r, uint8_t g, uint8_t b) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                Set(x, y, r, g, b);
    }
    void Rect(int x0, int y0, int x1, int y1, uint8_t r, uint8_t g, uint8_t b) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                Set(x, y, r, g, b);
    }
};

// Uncompressed 32-bit TGA, rows stored from the top.
inline std::string EncodeTga(const Image& img) {
    std::string out(18, '\0');
    out[2] = 2; // true colour
    out[12] = static_cast<char>(img.width & 0xFF);
    out[13] = static_cast<char>(img.width >> 8);
    out[14] = static_cast<char>(img.height & 0xFF);
    out[15] = static_cast<char>(img.height >> 8);
    out[16] = 32;
    out[17] = 0x28; // top-left origin, 8 alpha bits
    for (size_t i = 0; i < img.rgba.size(); i += 4) {
        out.push_back(static_cast<char>(img.rgba[i + 2]));
        out.push_back(static_cast<char>(img.rgba[i + 1]));
        out.push_back(static_cast<char>(img.rgba[i]));
        out.push_back(static_cast<char>(img.rgba[i + 3]));
    }
    return out;
}

// Uncompressed 32-bit DDS (A8R8G8B8), one level.
inline std::string EncodeDds(const Image& img) {
    std::string out;
    auto u32 = [&out](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    out += "DDS ";
    u32(124);                            // header size
    u32(0x1 | 0x2 | 0x4 | 0x8 | 0x1000); // caps, height, width, pitch, pixel format
    u32(static_cast<uint32_t>(img.height));
    u32(static_cast<uint32_t>(img.width));
    u32(static_cast<uint32_t>(img.width) * 4);
    u32(0); // depth
    u32(0); // mip levels
    for (int i = 0; i < 11; ++i)
        u32(0);
    u32(32);         // pixel format size
    u32(0x41);       // RGB with alpha
    u32(0);          // no four-cc
    u32(32);         // bits
    u32(0x00FF0000); // red mask
    u32(0x0000FF00); // green
    u32(0x000000FF); // blue
    u32(0xFF000000); // alpha
    u32(0x1000);     // texture
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    for (size_t i = 0; i < img.rgba.size(); i += 4) {
        out.push_back(static_cast<char>(img.rgba[i + 2]));
        out.push_back(static_cast<char>(img.rgba[i + 1]));
        out.push_back(static_cast<char>(img.rgba[i]));
        out.push_back(static_cast<char>(img.rgba[i + 3]));
    }
    return out;
}

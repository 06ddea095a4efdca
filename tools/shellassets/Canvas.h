// A small RGBA canvas with the drawing the generated images need: fills, gradients, circles,
// thick lines and anti-aliased text from a TrueType file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = {});

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void Blend(int x, int y, Rgba colour, float coverage);
    void FillRect(int x, int y, int w, int h, Rgba colour);
    void VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom);
    void Frame(int x, int y, int w, int h, int thickness, Rgba colour);
    // Anti-aliased disc or ring (inner radius > 0).
    void Disc(float cx, float cy, float radius, Rgba colour, float innerRadius = 0.0f);
    void Line(float x0, float y0, float x1, float y1, float thickness, Rgba colour);
    // Arc of a circle between two angles (radians), drawn as short segments.
    void Arc(float cx, float cy, float radius, float from, float to, float thickness, Rgba colour);
    // Text with its top-left at (x, y), pixel height size; returns its width.
    int Text(const std::vector<unsigned char>& font, const std::string& text, float size, int x, int y,
             Rgba colour);
    int TextWidth(const std::vector<unsigned char>& font, const std::string& text, float size) const;
    void TextCentred(const std::vector<unsigned char>& font, const std::string& text, float size, int centreX,
                     int y, Rgba colour);
    bool SavePng(const std::string& path) const;

private:
    int m_width = 0, m_height = 0;
    std::vector<uint8_t> m_pixels;
};

std::vector<unsigned char> ReadFontFile(const std::string& path);

// The 2D pictures of the club screens: one crest per club and the arena's eighteen layers, drawn
// anti-aliased into RGBA and encoded as PNG. Deterministic: the same inputs give the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Paint {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

class PictureCanvas {
public:
    PictureCanvas(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Paint At(int x, int y) const;
    // Paints colour over a pixel with the given coverage ("over" compositing, straight alpha).
    void Blend(int x, int y, Paint colour, float coverage);
    void FillRect(float x0, float y0, float x1, float y1, Paint colour);
    // Fills where inside(x, y) holds, 4 x 4 samples a pixel, within the box.
    void FillShape(int x0, int y0, int x1, int y1, const std::function<bool(float, float)>& inside,
                   Paint colour);
    void RoundRect(float x0, float y0, float x1, float y1, float radius, Paint colour);
    void Disc(float cx, float cy, float radius, Paint colour);
    void Line(float x0, float y0, float x1, float y1, float thickness, Paint colour);
    // A dashed frame: the outline of something planned but not built.
    void DashedFrame(float x0, float y0, float x1, float y1, Paint colour);
    // Text centred on (cx, cy) at a pixel height; nothing without a font.
    void Text(const std::vector<unsigned char>& font, const std::string& text, float size, float cx, float cy,
              Paint colour);
    std::string Png() const;
    // Baseline JPEG of the colours (alpha dropped), for the pictures the game names ".jpg".
    std::string Jpg(int quality) const;

private:
    int m_width = 0, m_height = 0;
    std::vector<float> m_pixels; // straight RGBA, 0-1
};

// The crest of a club: colours, shield and pattern chosen from its id and name.
PictureCanvas DrawClubCrest(int32_t id, const std::string& name, const std::vector<unsigned char>& font);
// Layer index (0-17) of the arena as built (finished) or only planned.
PictureCanvas DrawArenaLayer(int index, bool built);
// A one-pixel picture.
PictureCanvas DrawPixel(Paint colour);

// Canvas drawing for the asset generator.
#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

extern "C" {
#include <stb_image_write.h>
#include <stb_truetype.h>
}

Canvas::Canvas(int width, int height, Rgba fill) : m_width(width), m_height(height) {
    m_pixels.resize(static_cast<size_t>(width) * height * 4);
    FillRect(0, 0, width, height, fill);
}

void Canvas::Blend(int x, int y, Rgba c, float coverage) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || coverage <= 0.0f)
        return;
    float a = std::min(coverage, 1.0f) * c.a / 255.0f;
    uint8_t* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 4];
    p[0] = static_cast<uint8_t>(p[0] + (c.r - p[0]) * a);
    p[1] = static_cast<uint8_t>(p[1] + (c.g - p[1]) * a);
    p[2] = static_cast<uint8_t>(p[2] + (c.b - p[2]) * a);
    p[3] = static_cast<uint8_t>(std::min(255.0f, p[3] + (255 - p[3]) * a));
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
    for (int j = std::max(0, y); j < std::min(m_height, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(m_width, x + w); ++i) {
            uint8_t* p = &m_pixels[(static_cast<size_t>(j) * m_width + i) * 4];
            if (c.a == 255) {
                p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
            } else {
                Blend(i, j, c, 1.0f);
            }
        }
}

void Canvas::VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom) {
    for (int j = 0; j < h; ++j) {
        float t = h > 1 ? static_cast<float>(j) / (h - 1) : 0.0f;
        Rgba c{static_cast<uint8_t>(top.r + (bottom.r - top.r) * t),
               static_cast<uint8_t>(top.g + (bottom.g - top.g) * t),
               static_cast<uint8_t>(top.b + (bottom.b - top.b) * t),
               static_cast<uint8_t>(top.a + (bottom.a - top.a) * t)};
        FillRect(x, y + j, w, 1, c);
    }
}

void Canvas::Frame(int x, int y, int w, int h, int t, Rgba c) {
    FillRect(x, y, w, t, c);
    FillRect(x, y + h - t, w, t, c);
    FillRect(x, y, t, h, c);
    FillRect(x + w - t, y, t, h, c);
}

void Canvas::Disc(float cx, float cy, float radius, Rgba c, float inner) {
    int x0 = static_cast<int>(cx - radius - 2), x1 = static_cast<int>(cx + radius + 2);
    int y0 = static_cast<int>(cy - radius - 2), y1 = static_cast<int>(cy + radius + 2);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            float cover = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
            if (inner > 0.0f)
                cover = std::min(cover, std::clamp(d - inner + 0.5f, 0.0f, 1.0f));
            Blend(x, y, c, cover);
        }
}

void Canvas::Line(float x0, float y0, float x1, float y1, float thickness, Rgba c) {
    float half = thickness / 2.0f;
    int minX = static_cast<int>(std::min(x0, x1) - half - 2),
        maxX = static_cast<int>(std::max(x0, x1) + half + 2);
    int minY = static_cast<int>(std::min(y0, y1) - half - 2),
        maxY = static_cast<int>(std::max(y0, y1) + half + 2);
    float dx = x1 - x0, dy = y1 - y0;
    float lengthSq = dx * dx + dy * dy;
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = lengthSq > 0.0f ? std::clamp((px * dx + py * dy) / lengthSq, 0.0f, 1.0f) : 0.0f;
            float d = std::hypot(px - t * dx, py - t * dy);
            Blend(x, y, c, std::clamp(half - d + 0.5f, 0.0f, 1.0f));
        }
}

void Canvas::Arc(float cx, float cy, float radius, float from, float to, float thickness, Rgba c) {
    int segments = std::max(8, static_cast<int>(std::fabs(to - from) * radius / 4.0f));
    for (int i = 0; i < segments; ++i) {
        float a0 = from + (to - from) * i / segments, a1 = from + (to - from) * (i + 1) / segments;
        Line(cx + radius * std::cos(a0), cy + radius * std::sin(a0), cx + radius * std::cos(a1),
             cy + radius * std::sin(a1), thickness, c);
    }
}

int Canvas::TextWidth(const std::vector<unsigned char>& font, const std::string& text, float size) const {
    stbtt_fontinfo info;
    if (font.empty() || !stbtt_InitFont(&info, font.data(), 0))
        return 0;
    float scale = stbtt_ScaleForPixelHeight(&info, size);
    float width = 0.0f;
    for (size_t i = 0; i < text.size(); ++i) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info, static_cast<unsigned char>(text[i]), &advance, &bearing);
        width += advance * scale;
        if (i + 1 < text.size())
            width += scale * stbtt_GetCodepointKernAdvance(&info, static_cast<unsigned char>(text[i]),
                                                           static_cast<unsigned char>(text[i + 1]));
    }
    return static_cast<int>(std::ceil(width));
}

int Canvas::Text(const std::vector<unsigned char>& font, const std::string& text, float size, int x, int y,
                 Rgba c) {
    stbtt_fontinfo info;
    if (font.empty() || !stbtt_InitFont(&info, font.data(), 0))
        return 0;
    float scale = stbtt_ScaleForPixelHeight(&info, size);
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    int baseline = y + static_cast<int>(ascent * scale);
    float pen = static_cast<float>(x);
    for (size_t i = 0; i < text.size(); ++i) {
        int code = static_cast<unsigned char>(text[i]);
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info, code, &advance, &bearing);
        int x0, y0, x1, y1;
        stbtt_GetCodepointBitmapBox(&info, code, scale, scale, &x0, &y0, &x1, &y1);
        int w = x1 - x0, h = y1 - y0;
        if (w > 0 && h > 0) {
            std::vector<unsigned char> glyph(static_cast<size_t>(w) * h);
            stbtt_MakeCodepointBitmap(&info, glyph.data(), w, h, w, scale, scale, code);
            int gx = static_cast<int>(pen) + x0;
            for (int j = 0; j < h; ++j)
                for (int k = 0; k < w; ++k)
                    Blend(gx + k, baseline + y0 + j, c, glyph[static_cast<size_t>(j) * w + k] / 255.0f);
        }
        pen += advance * scale;
        if (i + 1 < text.size())
            pen +=
                scale * stbtt_GetCodepointKernAdvance(&info, code, static_cast<unsigned char>(text[i + 1]));
    }
    return static_cast<int>(pen) - x;
}

void Canvas::TextCentred(const std::vector<unsigned char>& font, const std::string& text, float size,
                         int centreX, int y, Rgba c) {
    Text(font, text, size, centreX - TextWidth(font, text, size) / 2, y, c);
}

bool Canvas::SavePng(const std::string& path) const {
    return stbi_write_png(path.c_str(), m_width, m_height, 4, m_pixels.data(), m_width * 4) != 0;
}

std::vector<unsigned char> ReadFontFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

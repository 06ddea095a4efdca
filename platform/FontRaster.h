// Font files through fontconfig and glyph bitmaps through FreeType. A face object is not thread-safe;
// its owner serialises calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file fontconfig picks for a family ("Arial" finds a metric-compatible face); empty when none.
std::string PlatformFindFontFile(const char* family, bool bold);

struct PlatformGlyph {
    int width = 0, height = 0; // bitmap size
    int left = 0, top = 0;     // bitmap offset from the pen position (top is above the baseline)
    int advance = 0;           // pen advance in whole pixels
    std::vector<uint8_t> coverage;
};

class PlatformFontFace {
public:
    PlatformFontFace() = default;
    ~PlatformFontFace();
    PlatformFontFace(const PlatformFontFace&) = delete;
    PlatformFontFace& operator=(const PlatformFontFace&) = delete;

    // Opens the file at a pixel height; false when it is missing or not a font.
    bool Open(const std::string& path, int pixelHeight);
    bool IsOpen() const { return m_face != nullptr; }
    int Ascent() const { return m_ascent; }
    int Descent() const { return m_descent; }
    int LineHeight() const { return m_lineHeight; }
    // A glyph without a bitmap (a blank) still has an advance; false when the face cannot render it.
    bool RenderGlyph(uint32_t codePoint, PlatformGlyph& out);
    int Kerning(uint32_t left, uint32_t right) const;

private:
    void* m_library = nullptr; // FT_Library
    void* m_face = nullptr;    // FT_Face
    int m_ascent = 0, m_descent = 0, m_lineHeight = 0;
};

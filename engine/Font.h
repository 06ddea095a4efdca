// CQuorelFont: text drawn, measured and word-wrapped with one face, pixel size and weight. Text is
// UTF-8. Fonts come from the device's cache (CQuorelDevice::GetFont); "Arial" maps to a
// metric-compatible free face.
#pragma once

#include "engine/Rect.h"
#include "engine/Str.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Draw-text format flags; the GUI passes 0, 1, 4, 5 and 6.
enum QuorelTextFormat : uint32_t {
    kDtTop = 0x0,
    kDtLeft = 0x0,
    kDtCenter = 0x1,
    kDtRight = 0x2,
    kDtVCenter = 0x4,
    kDtBottom = 0x8,
    kDtWordBreak = 0x10,
    kDtSingleLine = 0x20,
    kDtNoClip = 0x100,
};

constexpr int kFontWeightNormal = 400;
constexpr int kFontWeightBold = 700;

struct FontGlyphCache;

class CQuorelFont {
public:
    // Opens the face (fontconfig picks the file); an unknown face falls back to the default sans face.
    // A font whose file cannot be opened stays invalid: it measures and draws nothing.
    CQuorelFont(const char* face, int size, int weight);
    ~CQuorelFont();
    CQuorelFont(const CQuorelFont&) = delete;
    CQuorelFont& operator=(const CQuorelFont&) = delete;

    bool IsValid() const;
    const CStr& Face() const { return m_face; }
    int Size() const { return m_size; }
    int Weight() const { return m_weight; }
    // The file the face resolved to.
    CStr FilePath() const;
    // True when the face renders a letter with ink: a cut-short file fontconfig still lists may open
    // and yet draw nothing.
    bool DrawsGlyphs() const;

    // Draws text inside rect with the format flags and colour word (alpha in the lowest byte). Lines
    // break at '\n' (and at word boundaries with kDtWordBreak); text outside the rectangle is clipped
    // unless kDtNoClip. The height of the drawn text.
    int DrawText(const char* text, const QuorelRect& rect, uint32_t format, uint32_t colorWord);
    int DrawText(const CStr& text, const QuorelRect& rect, uint32_t format, uint32_t colorWord) {
        return DrawText(text.GetText(), rect, format, colorWord);
    }

    // Width of the widest line and height of all lines, in pixels. Safe on any thread.
    void Measure(const char* text, int& width, int& height) const;
    int TextWidth(const char* text) const;
    int LineHeight() const;
    int Ascent() const;
    // Lines that fit width: breaks at blanks, '\n' starts a line, a word wider than the width is split.
    std::vector<CStr> WrapLines(const char* text, int width) const;

private:
    CStr m_face;
    int m_size = 0;
    int m_weight = kFontWeightNormal;
    std::unique_ptr<FontGlyphCache> m_cache;
};

// Where the word that starts at `from` ends for wrapping: at the next blank, or the end of the text.
// A currency sign standing alone keeps to the figure after it ("$ 149,700" is one word), so an
// amount is never broken over two lines.
size_t WrapWordEnd(const std::string& text, size_t from);

// The same test for a font file opened on its own.
bool FontFileDrawsGlyphs(const char* path, int pixelHeight);

// Next code point of UTF-8 text at index (advanced past it); malformed bytes give U+FFFD.
uint32_t DecodeUtf8(const char* text, size_t length, size_t& index);

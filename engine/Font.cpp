// CQuorelFont: FreeType glyphs packed into atlas pages; layout of lines, wrapping and alignment.
#include "engine/Font.h"

#include "engine/Color.h"
#include "engine/Device.h"
#include "engine/Log.h"
#include "engine/Texture.h"
#include "platform/FontRaster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>
#include <unordered_map>

namespace {

constexpr int kPageSize = 512;

struct GlyphInfo {
    bool drawable = false; // has a bitmap in a page
    int advance = 0;
    int left = 0, top = 0, width = 0, height = 0;
    int page = 0, px = 0, py = 0;
};

struct Page {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(static_cast<size_t>(kPageSize) * kPageSize * 4, 0);
    std::unique_ptr<CQuorelTexture> texture = std::make_unique<CQuorelTexture>();
    bool dirty = true;
    int penX = 1, penY = 1, rowHeight = 0;
};

// One laid-out line: byte range of the text and its width.
struct Line {
    std::string text;
    int width = 0;
};

} // namespace

struct FontGlyphCache {
    std::mutex mutex;
    PlatformFontFace face;
    std::string file;
    std::unordered_map<uint32_t, GlyphInfo> glyphs;
    std::vector<std::unique_ptr<Page>> pages;
    // Most text is ASCII: its glyphs and the kerning of its pairs are kept at hand, as every line
    // drawn asks for them each frame. The map's entries stay where they are as it grows.
    const GlyphInfo* asciiGlyphs[128] = {};
    std::vector<int16_t> asciiKerning; // 128 x 128, kUnknownKerning until asked

    static constexpr int16_t kUnknownKerning = INT16_MIN;

    // Caller holds the mutex.
    int Kerning(uint32_t left, uint32_t right) {
        if (left >= 128 || right >= 128)
            return face.Kerning(left, right);
        if (asciiKerning.empty())
            asciiKerning.assign(128 * 128, kUnknownKerning);
        int16_t& cached = asciiKerning[left * 128 + right];
        if (cached == kUnknownKerning)
            cached = static_cast<int16_t>(std::clamp(face.Kerning(left, right), -32767, 32767));
        return cached;
    }

    // Caller holds the mutex.
    const GlyphInfo& Glyph(uint32_t codePoint) {
        if (codePoint == '\t')
            codePoint = ' '; // tabs are not expanded; they read as a blank
        if (codePoint < 128) {
            const GlyphInfo*& known = asciiGlyphs[codePoint];
            if (!known)
                known = &Lookup(codePoint);
            return *known;
        }
        return Lookup(codePoint);
    }

    const GlyphInfo& Lookup(uint32_t codePoint) {
        auto found = glyphs.find(codePoint);
        if (found != glyphs.end())
            return found->second;
        GlyphInfo info;
        PlatformGlyph bitmap;
        bool ok = face.RenderGlyph(codePoint, bitmap);
        if (!ok && codePoint != '?')
            ok = face.RenderGlyph('?', bitmap); // a character the face lacks shows as '?'
        if (ok) {
            info.advance = bitmap.advance;
            info.left = bitmap.left;
            info.top = bitmap.top;
            info.width = bitmap.width;
            info.height = bitmap.height;
            if (bitmap.width > 0 && bitmap.height > 0 && bitmap.width < kPageSize - 2 &&
                bitmap.height < kPageSize - 2)
                Place(info, bitmap);
        }
        return glyphs.emplace(codePoint, info).first->second;
    }

    void Place(GlyphInfo& info, const PlatformGlyph& bitmap) {
        if (pages.empty())
            pages.push_back(std::make_unique<Page>());
        Page* page = pages.back().get();
        if (page->penX + bitmap.width + 1 > kPageSize) {
            page->penX = 1;
            page->penY += page->rowHeight + 1;
            page->rowHeight = 0;
        }
        if (page->penY + bitmap.height + 1 > kPageSize) {
            pages.push_back(std::make_unique<Page>());
            page = pages.back().get();
        }
        info.page = static_cast<int>(pages.size()) - 1;
        info.px = page->penX;
        info.py = page->penY;
        for (int row = 0; row < bitmap.height; ++row) {
            for (int col = 0; col < bitmap.width; ++col) {
                uint8_t* dst = &page->pixels[(static_cast<size_t>(info.py + row) * kPageSize +
                                              static_cast<size_t>(info.px + col)) *
                                             4];
                dst[0] = dst[1] = dst[2] = 255;
                dst[3] = bitmap.coverage[static_cast<size_t>(row * bitmap.width + col)];
            }
        }
        page->penX += bitmap.width + 1;
        page->rowHeight = std::max(page->rowHeight, bitmap.height);
        page->dirty = true;
        info.drawable = true;
    }

    // Caller holds the mutex.
    int Width(const std::string& text) {
        int width = 0;
        uint32_t previous = 0;
        size_t i = 0;
        while (i < text.size()) {
            uint32_t cp = DecodeUtf8(text.data(), text.size(), i);
            if (cp == '\r' || cp == '\n')
                continue;
            if (previous)
                width += Kerning(previous, cp);
            width += Glyph(cp).advance;
            previous = cp;
        }
        return width;
    }

    // Caller holds the mutex. Greedy wrap at blanks; a word wider than the width is cut by characters.
    void Wrap(const std::string& paragraph, int maxWidth, std::vector<Line>& out) {
        if (maxWidth <= 0) {
            out.push_back({paragraph, Width(paragraph)});
            return;
        }
        std::string current;
        size_t i = 0;
        while (i <= paragraph.size()) {
            const size_t end = WrapWordEnd(paragraph, i);
            std::string word = paragraph.substr(i, end - i);
            std::string candidate = current.empty() ? word : current + " " + word;
            if (Width(candidate) <= maxWidth || (current.empty() && word.empty())) {
                current = candidate;
            } else {
                if (!current.empty())
                    out.push_back({current, Width(current)});
                current.clear();
                // Cut a word that alone is too wide.
                while (!word.empty() && Width(word) > maxWidth) {
                    size_t cut = 0, next = 0;
                    while (next < word.size()) {
                        size_t probe = next;
                        DecodeUtf8(word.data(), word.size(), probe);
                        if (Width(word.substr(0, probe)) > maxWidth)
                            break;
                        next = probe;
                        cut = probe;
                    }
                    if (cut == 0) { // not even one character fits: take one anyway
                        cut = 0;
                        DecodeUtf8(word.data(), word.size(), cut);
                    }
                    out.push_back({word.substr(0, cut), Width(word.substr(0, cut))});
                    word.erase(0, cut);
                }
                current = word;
            }
            i = end + 1;
        }
        out.push_back({current, Width(current)});
    }

    void Layout(const char* text, int wrapWidth, bool singleLine, std::vector<Line>& out) {
        std::string all = text ? text : "";
        all.erase(std::remove(all.begin(), all.end(), '\r'), all.end());
        if (singleLine) {
            std::replace(all.begin(), all.end(), '\n', ' ');
            out.push_back({all, Width(all)});
            return;
        }
        size_t start = 0;
        while (true) {
            size_t end = all.find('\n', start);
            std::string paragraph =
                all.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (wrapWidth > 0)
                Wrap(paragraph, wrapWidth, out);
            else
                out.push_back({paragraph, Width(paragraph)});
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
};

uint32_t DecodeUtf8(const char* text, size_t length, size_t& index) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    if (index >= length)
        return 0;
    unsigned char c = s[index];
    if (c < 0x80) {
        ++index;
        return c;
    }
    int extra = 0;
    uint32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        ++index;
        return 0xFFFD;
    }
    if (index + static_cast<size_t>(extra) >= length) {
        ++index;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        unsigned char next = s[index + static_cast<size_t>(k)];
        if ((next & 0xC0) != 0x80) {
            ++index;
            return 0xFFFD;
        }
        cp = cp << 6 | (next & 0x3F);
    }
    static const uint32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
    index += static_cast<size_t>(extra) + 1;
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0xFFFD;
    return cp;
}

size_t WrapWordEnd(const std::string& text, size_t from) {
    // The money signs the game writes before a figure, and the euro and pound for names and mails.
    static constexpr const char* kUnitSigns[] = {"$", "\xE2\x82\xAC", "\xC2\xA3"};
    size_t end = text.find(' ', from);
    if (end == std::string::npos)
        return text.size();
    const std::string_view word(text.data() + from, end - from);
    const bool unitSign = std::any_of(std::begin(kUnitSigns), std::end(kUnitSigns),
                                      [word](const char* sign) { return word == sign; });
    if (unitSign && end + 1 < text.size() && text[end + 1] != ' ') {
        end = text.find(' ', end + 1);
        return end == std::string::npos ? text.size() : end;
    }
    return end;
}

CQuorelFont::CQuorelFont(const char* face, int size, int weight)
    : m_face(face && *face ? face : "Arial"), m_size(size > 0 ? size : 12), m_weight(weight),
      m_cache(std::make_unique<FontGlyphCache>()) {
    bool bold = weight >= 600;
    m_cache->file = PlatformFindFontFile(m_face.GetText(), bold);
    if (m_cache->file.empty() || !m_cache->face.Open(m_cache->file, m_size)) {
        QuorelLog("[CQuorelFont::CQuorelFont] no usable font file for '%s' (%s)", m_face.GetText(),
                  m_cache->file.empty() ? "none found" : m_cache->file.c_str());
        // A sans face is better than no text at all.
        std::string fallback = PlatformFindFontFile("sans", bold);
        if (!fallback.empty() && fallback != m_cache->file && m_cache->face.Open(fallback, m_size))
            m_cache->file = fallback;
    }
}

CQuorelFont::~CQuorelFont() = default;

bool CQuorelFont::IsValid() const {
    return m_cache->face.IsOpen();
}

namespace {

bool FaceDrawsGlyphs(PlatformFontFace& face) {
    if (!face.IsOpen())
        return false;
    PlatformGlyph glyph;
    if (!face.RenderGlyph('A', glyph))
        return false;
    for (uint8_t coverage : glyph.coverage)
        if (coverage != 0)
            return true;
    return false;
}

} // namespace

bool CQuorelFont::DrawsGlyphs() const {
    std::lock_guard<std::mutex> lock(m_cache->mutex);
    return FaceDrawsGlyphs(m_cache->face);
}

bool FontFileDrawsGlyphs(const char* path, int pixelHeight) {
    PlatformFontFace face;
    return path && face.Open(path, pixelHeight) && FaceDrawsGlyphs(face);
}

CStr CQuorelFont::FilePath() const {
    return CStr(m_cache->file);
}

int CQuorelFont::LineHeight() const {
    return m_cache->face.LineHeight();
}

int CQuorelFont::Ascent() const {
    return m_cache->face.Ascent();
}

int CQuorelFont::TextWidth(const char* text) const {
    int width = 0, height = 0;
    Measure(text, width, height);
    return width;
}

void CQuorelFont::Measure(const char* text, int& width, int& height) const {
    width = height = 0;
    if (!IsValid() || !text)
        return;
    std::lock_guard<std::mutex> lock(m_cache->mutex);
    std::vector<Line> lines;
    m_cache->Layout(text, 0, false, lines);
    for (const Line& line : lines)
        width = std::max(width, line.width);
    height = static_cast<int>(lines.size()) * m_cache->face.LineHeight();
}

std::vector<CStr> CQuorelFont::WrapLines(const char* text, int width) const {
    std::vector<CStr> result;
    if (!text)
        return result;
    std::vector<Line> lines;
    if (IsValid()) {
        std::lock_guard<std::mutex> lock(m_cache->mutex);
        m_cache->Layout(text, std::max(width, 1), false, lines);
    } else {
        // Without a face nothing has a width; keep the explicit line breaks.
        for (const CStr& part : CStr(text).Split('\n'))
            lines.push_back({part.Std(), 0});
    }
    for (const Line& line : lines)
        result.emplace_back(line.text);
    return result;
}

int CQuorelFont::DrawText(const char* text, const QuorelRect& rect, uint32_t format, uint32_t colorWord) {
    if (!IsValid() || !text || !*text || !g_pQuorelDevice || !g_pQuorelDevice->IsReady() ||
        !g_pQuorelDevice->IsMainThread())
        return 0;
    struct Quad {
        CQuorelTexture* page;
        float x, y, w, h, u0, v0, u1, v1;
    };
    // Main thread only (checked above); kept to spare the allocation for every text drawn.
    static std::vector<Quad> quads;
    quads.clear();
    int lineHeight = 0, totalHeight = 0;
    {
        std::lock_guard<std::mutex> lock(m_cache->mutex);
        FontGlyphCache& cache = *m_cache;
        lineHeight = cache.face.LineHeight();
        std::vector<Line> lines;
        int wrap = (format & kDtWordBreak) && !(format & kDtSingleLine) ? std::max(rect.Width(), 1) : 0;
        cache.Layout(text, wrap, (format & kDtSingleLine) != 0, lines);
        totalHeight = static_cast<int>(lines.size()) * lineHeight;
        int y = rect.top;
        if (format & kDtVCenter)
            y = rect.top + (rect.Height() - totalHeight) / 2;
        else if (format & kDtBottom)
            y = rect.bottom - totalHeight;
        for (const Line& line : lines) {
            int x = rect.left;
            if (format & kDtCenter)
                x = rect.left + (rect.Width() - line.width) / 2;
            else if (format & kDtRight)
                x = rect.right - line.width;
            int baseline = y + cache.face.Ascent();
            uint32_t previous = 0;
            size_t i = 0;
            while (i < line.text.size()) {
                uint32_t cp = DecodeUtf8(line.text.data(), line.text.size(), i);
                if (previous)
                    x += cache.Kerning(previous, cp);
                const GlyphInfo& g = cache.Glyph(cp);
                if (g.drawable) {
                    float inv = 1.0f / kPageSize;
                    quads.push_back({cache.pages[static_cast<size_t>(g.page)]->texture.get(),
                                     static_cast<float>(x + g.left), static_cast<float>(baseline - g.top),
                                     static_cast<float>(g.width), static_cast<float>(g.height), g.px * inv,
                                     g.py * inv, (g.px + g.width) * inv, (g.py + g.height) * inv});
                }
                x += g.advance;
                previous = cp;
            }
            y += lineHeight;
        }
        for (auto& page : cache.pages) {
            if (page->dirty) {
                page->texture->SetPixels(kPageSize, kPageSize, page->pixels);
                page->dirty = false;
            }
        }
    }
    bool clip = !(format & kDtNoClip);
    if (clip)
        g_pQuorelDevice->PushClipRect(rect);
    for (const Quad& q : quads)
        g_pQuorelDevice->DrawQuad2D(q.page, q.x, q.y, q.w, q.h, q.u0, q.v0, q.u1, q.v1, colorWord);
    if (clip)
        g_pQuorelDevice->PopClipRect();
    return totalHeight;
}

// FreeType glyph rendering and fontconfig face lookup.
#include "platform/FontRaster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <mutex>

std::string PlatformFindFontFile(const char* family, bool bold) {
    // fontconfig's global configuration is not safe to build from two threads at once.
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    std::string result;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(family && *family ? family : "sans"));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult res = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &res);
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            result = reinterpret_cast<const char*>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return result;
}

PlatformFontFace::~PlatformFontFace() {
    if (m_face)
        FT_Done_Face(static_cast<FT_Face>(m_face));
    if (m_library)
        FT_Done_FreeType(static_cast<FT_Library>(m_library));
}

bool PlatformFontFace::Open(const std::string& path, int pixelHeight) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        return false;
    }
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight > 0 ? pixelHeight : 12)) != 0) {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return false;
    }
    m_library = library;
    m_face = face;
    m_ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
    m_descent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
    m_lineHeight = static_cast<int>((face->size->metrics.height + 63) >> 6);
    if (m_lineHeight < m_ascent + m_descent)
        m_lineHeight = m_ascent + m_descent;
    return true;
}

bool PlatformFontFace::RenderGlyph(uint32_t codePoint, PlatformGlyph& out) {
    out = PlatformGlyph();
    FT_Face face = static_cast<FT_Face>(m_face);
    if (!face)
        return false;
    FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0 && codePoint != ' ')
        return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0)
        return false;
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return false;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.left = face->glyph->bitmap_left;
    out.top = face->glyph->bitmap_top;
    out.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    out.coverage.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    for (int row = 0; row < out.height; ++row) {
        const unsigned char* src = bitmap.buffer + row * bitmap.pitch;
        for (int col = 0; col < out.width; ++col)
            out.coverage[static_cast<size_t>(row * out.width + col)] = src[col];
    }
    return true;
}

int PlatformFontFace::Kerning(uint32_t left, uint32_t right) const {
    FT_Face face = static_cast<FT_Face>(m_face);
    if (!face || !FT_HAS_KERNING(face))
        return 0;
    FT_Vector delta{};
    FT_Get_Kerning(face, FT_Get_Char_Index(face, left), FT_Get_Char_Index(face, right), FT_KERNING_DEFAULT,
                   &delta);
    return static_cast<int>(delta.x >> 6);
}

// Club crests and the arena layers of the club overview.
#include "Pictures.h"

#include <algorithm>
#include <cctype>
#include <cmath>

extern "C" {
#include <stb_image_write.h>
#include <stb_truetype.h>
}

PictureCanvas::PictureCanvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height * 4, 0.0f) {}

Paint PictureCanvas::At(int x, int y) const {
    const float* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 4];
    auto byte = [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    return Paint{byte(p[0]), byte(p[1]), byte(p[2]), byte(p[3])};
}

void PictureCanvas::Blend(int x, int y, Paint c, float coverage) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || coverage <= 0.0f)
        return;
    float* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 4];
    float sa = std::min(coverage, 1.0f) * c.a / 255.0f;
    float da = p[3];
    float outA = sa + da * (1.0f - sa);
    if (outA <= 0.0f)
        return;
    const float src[3] = {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f};
    for (int i = 0; i < 3; ++i)
        p[i] = (src[i] * sa + p[i] * da * (1.0f - sa)) / outA;
    p[3] = outA;
}

void PictureCanvas::FillShape(int x0, int y0, int x1, int y1, const std::function<bool(float, float)>& inside,
                              Paint c) {
    for (int y = std::max(0, y0); y < std::min(m_height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(m_width, x1); ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += inside(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f) ? 1 : 0;
            Blend(x, y, c, hits / 16.0f);
        }
}

void PictureCanvas::FillRect(float x0, float y0, float x1, float y1, Paint c) {
    FillShape(
        static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)), static_cast<int>(std::ceil(x1)),
        static_cast<int>(std::ceil(y1)),
        [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, c);
}

void PictureCanvas::RoundRect(float x0, float y0, float x1, float y1, float r, Paint c) {
    FillShape(
        static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)), static_cast<int>(std::ceil(x1)),
        static_cast<int>(std::ceil(y1)),
        [=](float x, float y) {
            if (x < x0 || x >= x1 || y < y0 || y >= y1)
                return false;
            float cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
            return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
        },
        c);
}

void PictureCanvas::Disc(float cx, float cy, float radius, Paint c) {
    FillShape(
        static_cast<int>(cx - radius - 1), static_cast<int>(cy - radius - 1),
        static_cast<int>(cx + radius + 2), static_cast<int>(cy + radius + 2),
        [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; }, c);
}

void PictureCanvas::Line(float x0, float y0, float x1, float y1, float thickness, Paint c) {
    float half = thickness / 2.0f;
    float dx = x1 - x0, dy = y1 - y0;
    float lengthSq = dx * dx + dy * dy;
    FillShape(
        static_cast<int>(std::min(x0, x1) - half - 1), static_cast<int>(std::min(y0, y1) - half - 1),
        static_cast<int>(std::max(x0, x1) + half + 2), static_cast<int>(std::max(y0, y1) + half + 2),
        [=](float x, float y) {
            float px = x - x0, py = y - y0;
            float t = lengthSq > 0.0f ? std::clamp((px * dx + py * dy) / lengthSq, 0.0f, 1.0f) : 0.0f;
            float ex = px - t * dx, ey = py - t * dy;
            return ex * ex + ey * ey <= half * half;
        },
        c);
}

void PictureCanvas::DashedFrame(float x0, float y0, float x1, float y1, Paint c) {
    auto dashes = [&](float ax, float ay, float bx, float by) {
        float length = std::hypot(bx - ax, by - ay);
        for (float s = 0.0f; s < length; s += 8.0f) {
            float e = std::min(s + 4.0f, length);
            Line(ax + (bx - ax) * s / length, ay + (by - ay) * s / length, ax + (bx - ax) * e / length,
                 ay + (by - ay) * e / length, 1.5f, c);
        }
    };
    dashes(x0, y0, x1, y0);
    dashes(x1, y0, x1, y1);
    dashes(x1, y1, x0, y1);
    dashes(x0, y1, x0, y0);
}

void PictureCanvas::Text(const std::vector<unsigned char>& font, const std::string& text, float size,
                         float cx, float cy, Paint c) {
    stbtt_fontinfo info;
    if (font.empty() || !stbtt_InitFont(&info, font.data(), 0))
        return;
    float scale = stbtt_ScaleForPixelHeight(&info, size);
    float width = 0.0f;
    for (unsigned char ch : text) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info, ch, &advance, &bearing);
        width += advance * scale;
    }
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    // Capitals only: centre the cap height, not the full ascent and descent.
    float capHeight = ascent * scale * 0.72f;
    float pen = cx - width / 2.0f;
    int baseline = static_cast<int>(std::lround(cy + capHeight / 2.0f));
    for (unsigned char ch : text) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info, ch, &advance, &bearing);
        int gx0, gy0, gx1, gy1;
        stbtt_GetCodepointBitmapBox(&info, ch, scale, scale, &gx0, &gy0, &gx1, &gy1);
        int w = gx1 - gx0, h = gy1 - gy0;
        if (w > 0 && h > 0) {
            std::vector<unsigned char> glyph(static_cast<size_t>(w) * h);
            stbtt_MakeCodepointBitmap(&info, glyph.data(), w, h, w, scale, scale, ch);
            int left = static_cast<int>(std::lround(pen)) + gx0;
            for (int j = 0; j < h; ++j)
                for (int k = 0; k < w; ++k)
                    Blend(left + k, baseline + gy0 + j, c, glyph[static_cast<size_t>(j) * w + k] / 255.0f);
        }
        pen += advance * scale;
    }
}

std::string PictureCanvas::Png() const {
    std::vector<unsigned char> bytes(m_pixels.size());
    for (size_t i = 0; i < m_pixels.size(); ++i)
        bytes[i] = static_cast<unsigned char>(std::lround(std::clamp(m_pixels[i], 0.0f, 1.0f) * 255.0f));
    std::string out;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                       static_cast<size_t>(size));
        },
        &out, m_width, m_height, 4, bytes.data(), m_width * 4);
    return out;
}

std::string PictureCanvas::Jpg(int quality) const {
    std::vector<unsigned char> bytes(static_cast<size_t>(m_width) * m_height * 3);
    for (size_t i = 0, j = 0; i < m_pixels.size(); i += 4)
        for (int k = 0; k < 3; ++k)
            bytes[j++] =
                static_cast<unsigned char>(std::lround(std::clamp(m_pixels[i + k], 0.0f, 1.0f) * 255.0f));
    std::string out;
    stbi_write_jpg_to_func(
        [](void* context, void* data, int size) {
            static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                       static_cast<size_t>(size));
        },
        &out, m_width, m_height, 3, bytes.data(), quality);
    return out;
}

PictureCanvas DrawPixel(Paint colour) {
    PictureCanvas canvas(1, 1);
    canvas.Blend(0, 0, colour, 1.0f);
    return canvas;
}

// ---- Crests ----

namespace {

uint32_t Fnv(const std::string& text, uint32_t seed) {
    uint32_t h = 2166136261u ^ seed;
    for (unsigned char ch : text) {
        h ^= ch;
        h *= 16777619u;
    }
    // Final mix so neighbouring ids and similar names still land far apart.
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// Club colours, strong enough to tell apart at 40 pixels.
constexpr Paint kClubColours[] = {
    {200, 30, 45}, {20, 70, 160}, {15, 120, 60}, {245, 190, 20}, {110, 40, 140},  {235, 110, 20},
    {20, 20, 25},  {0, 140, 150}, {130, 20, 35}, {90, 170, 230}, {240, 240, 235}, {120, 90, 50},
};
constexpr int kClubColourCount = sizeof(kClubColours) / sizeof(kClubColours[0]);

float Brightness(Paint c) {
    return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}

std::string Initials(const std::string& name) {
    std::string letters;
    bool start = true;
    for (unsigned char ch : name) {
        if (std::isalpha(ch) && start && letters.size() < 3)
            letters.push_back(static_cast<char>(std::toupper(ch)));
        start = !std::isalnum(ch);
    }
    if (letters.size() == 1 && name.size() > 1)
        letters.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(name[1]))));
    return letters.empty() ? std::string("FC") : letters;
}

} // namespace

PictureCanvas DrawClubCrest(int32_t id, const std::string& name, const std::vector<unsigned char>& font) {
    constexpr int kSize = 64;
    PictureCanvas canvas(kSize, kSize);
    uint32_t h = Fnv(name, static_cast<uint32_t>(id) * 7919u);
    int first = static_cast<int>(h % kClubColourCount);
    int second = static_cast<int>((first + 1 + (h >> 8) % (kClubColourCount - 1)) % kClubColourCount);
    // Two colours that look alike make a muddy crest: take white or black instead.
    if (std::fabs(Brightness(kClubColours[first]) - Brightness(kClubColours[second])) < 50.0f)
        second = Brightness(kClubColours[first]) > 128.0f ? 6 : 10;
    Paint primary = kClubColours[first], secondary = kClubColours[second];
    int shape = static_cast<int>((h >> 13) % 3);
    int pattern = static_cast<int>((h >> 17) % 5);

    auto shield = [shape](float x, float y) {
        float u = x / kSize, v = y / kSize;
        switch (shape) {
        case 0: // heater shield: straight top, sides curving to a point
            if (v < 0.06f || v > 0.96f || u < 0.08f || u > 0.92f)
                return false;
            if (v < 0.55f)
                return true;
            return std::fabs(u - 0.5f) <=
                   0.42f * std::sqrt(std::max(0.0f, 1.0f - ((v - 0.55f) / 0.41f) * ((v - 0.55f) / 0.41f)));
        case 1: // round badge
            return (u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f) <= 0.44f * 0.44f;
        default: { // rounded square
            float cx = std::clamp(u, 0.2f, 0.8f), cy = std::clamp(v, 0.2f, 0.8f);
            return (u - cx) * (u - cx) + (v - cy) * (v - cy) <= 0.13f * 0.13f;
        }
        }
    };
    auto inset = [&](float x, float y) {
        // The shape shrunk by about 3 pixels: the rim stays in the outline colour.
        float cx = kSize / 2.0f, cy = kSize / 2.0f;
        return shield(cx + (x - cx) * 1.1f, cy + (y - cy) * 1.1f);
    };
    Paint rim = Brightness(primary) > 170.0f ? Paint{25, 25, 30} : Paint{245, 240, 225};
    canvas.FillShape(0, 0, kSize, kSize, shield, rim);
    canvas.FillShape(0, 0, kSize, kSize, inset, primary);
    auto patterned = [&](const std::function<bool(float, float)>& part) {
        canvas.FillShape(
            0, 0, kSize, kSize, [&](float x, float y) { return inset(x, y) && part(x, y); }, secondary);
    };
    switch (pattern) {
    case 0: // halves
        patterned([](float x, float) { return x >= kSize / 2.0f; });
        break;
    case 1: // sash
        patterned([](float x, float y) { return std::fabs((x - y)) < 9.0f; });
        break;
    case 2: // chevron
        patterned([](float x, float y) { return std::fabs(y - 44.0f + std::fabs(x - 32.0f) * 0.7f) < 5.0f; });
        break;
    case 3: // stripes
        patterned([](float x, float) { return static_cast<int>(x / 8.0f) % 2 == 1; });
        break;
    default: // band across the top
        patterned([](float, float y) { return y < 24.0f; });
        break;
    }
    // The ball sits low, the initials across the middle with a shadow so any colour reads.
    canvas.Disc(32.0f, 47.0f, 7.0f, Paint{20, 20, 20});
    canvas.Disc(32.0f, 47.0f, 6.0f, Paint{230, 120, 30});
    canvas.Line(26.0f, 47.0f, 38.0f, 47.0f, 1.0f, Paint{20, 20, 20});
    canvas.Line(32.0f, 41.0f, 32.0f, 53.0f, 1.0f, Paint{20, 20, 20});
    std::string letters = Initials(name);
    float size = letters.size() > 2 ? 15.0f : 19.0f;
    canvas.Text(font, letters, size, 33.0f, 27.0f, Paint{0, 0, 0, 170});
    canvas.Text(font, letters, size, 32.0f, 26.0f, Paint{255, 255, 255});
    return canvas;
}

// ---- The arena, seen from above with its roof cut open ----

namespace {

constexpr int kArenaWidth = 400, kArenaHeight = 256;

struct Box {
    float x0, y0, x1, y1;
};

// Where each part lies on the plan (the roof, lights and screens are drawn by their own code).
constexpr Box kCourt{156, 104, 244, 152};
constexpr Box kOpening{150, 98, 250, 158};
constexpr Box kHall{108, 32, 292, 234};
constexpr Box kStands[] = {
    {120, 98, 150, 158},  // 1 north end
    {250, 98, 280, 158},  // 2 south end
    {120, 62, 150, 98},   // 3 north-west corner
    {250, 62, 280, 98},   // 4 north-east corner
    {120, 158, 150, 194}, // 5 south-west corner
    {250, 158, 280, 194}, // 6 south-east corner
};
constexpr Box kMainStand{150, 158, 250, 194};
constexpr Box kOppositeStand{150, 62, 250, 98};
constexpr Box kBoxes{150, 194, 250, 204};
constexpr Box kUpperTop{120, 44, 280, 62};
constexpr Box kUpperBottom{120, 204, 280, 222};
constexpr Box kCarPark{10, 28, 90, 228};
constexpr Box kTrainingHall{312, 28, 392, 112};
constexpr Box kFunShop{312, 146, 392, 226};

const Paint kPlanned{235, 235, 225, 150};
const Paint kHatch{235, 235, 225, 28};

void Planned(PictureCanvas& c, const Box& b) {
    c.FillRect(b.x0, b.y0, b.x1, b.y1, kHatch);
    c.DashedFrame(b.x0 + 1, b.y0 + 1, b.x1 - 1, b.y1 - 1, kPlanned);
}

// Rows of seats parallel to the long sides (or the ends), with aisles across them.
void Seats(PictureCanvas& c, const Box& b, Paint seat, bool rowsAcross) {
    c.FillRect(b.x0, b.y0, b.x1, b.y1, seat);
    Paint row{static_cast<uint8_t>(seat.r * 0.6f), static_cast<uint8_t>(seat.g * 0.6f),
              static_cast<uint8_t>(seat.b * 0.6f)};
    Paint aisle{200, 200, 195, 200};
    if (rowsAcross) {
        for (float x = b.x0 + 3; x < b.x1 - 1; x += 4)
            c.FillRect(x, b.y0, x + 1, b.y1, row);
        for (float y = b.y0 + 14; y < b.y1 - 6; y += 20)
            c.FillRect(b.x0, y, b.x1, y + 1.5f, aisle);
    } else {
        for (float y = b.y0 + 3; y < b.y1 - 1; y += 4)
            c.FillRect(b.x0, y, b.x1, y + 1, row);
        for (float x = b.x0 + 16; x < b.x1 - 8; x += 24)
            c.FillRect(x, b.y0, x + 1.5f, b.y1, aisle);
    }
}

void Court(PictureCanvas& c, bool built) {
    Paint line{250, 250, 245, static_cast<uint8_t>(built ? 255 : 170)};
    if (built)
        c.FillRect(kCourt.x0, kCourt.y0, kCourt.x1, kCourt.y1, Paint{200, 146, 90});
    const Box& k = kCourt;
    float cx = (k.x0 + k.x1) / 2, cy = (k.y0 + k.y1) / 2;
    c.Line(k.x0 + 0.5f, k.y0 + 0.5f, k.x1 - 0.5f, k.y0 + 0.5f, 1.0f, line);
    c.Line(k.x1 - 0.5f, k.y0 + 0.5f, k.x1 - 0.5f, k.y1 - 0.5f, 1.0f, line);
    c.Line(k.x1 - 0.5f, k.y1 - 0.5f, k.x0 + 0.5f, k.y1 - 0.5f, 1.0f, line);
    c.Line(k.x0 + 0.5f, k.y1 - 0.5f, k.x0 + 0.5f, k.y0 + 0.5f, 1.0f, line);
    c.Line(cx, k.y0, cx, k.y1, 1.0f, line);
    // Centre circle and the two keys.
    for (int i = 0; i < 48; ++i) {
        float a0 = i * 6.2832f / 48, a1 = (i + 1) * 6.2832f / 48;
        c.Line(cx + 6 * std::cos(a0), cy + 6 * std::sin(a0), cx + 6 * std::cos(a1), cy + 6 * std::sin(a1),
               1.0f, line);
    }
    if (built) {
        c.FillRect(k.x0 + 1, cy - 6, k.x0 + 16, cy + 6, Paint{170, 60, 40});
        c.FillRect(k.x1 - 16, cy - 6, k.x1 - 1, cy + 6, Paint{170, 60, 40});
    }
    c.Line(k.x0 + 16, cy - 6, k.x0 + 16, cy + 6, 1.0f, line);
    c.Line(k.x1 - 16, cy - 6, k.x1 - 16, cy + 6, 1.0f, line);
}

void ArenaHall(PictureCanvas& c, bool built) {
    // The ground: grass with mowing stripes, a plaza and the road to the car park.
    c.FillRect(0, 0, kArenaWidth, kArenaHeight, Paint{52, 92, 48});
    for (int x = 0; x < kArenaWidth; x += 20)
        c.FillRect(static_cast<float>(x), 0, static_cast<float>(x + 10), kArenaHeight, Paint{60, 104, 54});
    c.RoundRect(98, 22, 302, 244, 14, Paint{150, 148, 140});
    c.FillRect(90, 120, 98, 136, Paint{70, 72, 76});
    c.FillRect(302, 66, 312, 76, Paint{150, 148, 140});
    c.FillRect(302, 182, 312, 192, Paint{150, 148, 140});
    if (!built) {
        c.RoundRect(kHall.x0, kHall.y0, kHall.x1, kHall.y1, 10, Paint{110, 112, 116});
        c.DashedFrame(kHall.x0 + 2, kHall.y0 + 2, kHall.x1 - 2, kHall.y1 - 2, kPlanned);
        Court(c, false);
        return;
    }
    c.RoundRect(kHall.x0, kHall.y0, kHall.x1, kHall.y1, 12, Paint{205, 208, 212});
    c.RoundRect(kHall.x0 + 5, kHall.y0 + 5, kHall.x1 - 5, kHall.y1 - 5, 9, Paint{58, 62, 70});
    Court(c, true);
}

void CarPark(PictureCanvas& c, bool built) {
    const Box& b = kCarPark;
    if (!built) {
        c.FillRect(b.x0, b.y0, b.x1, b.y1, Paint{140, 120, 90, 110});
        c.DashedFrame(b.x0 + 1, b.y0 + 1, b.x1 - 1, b.y1 - 1, kPlanned);
        return;
    }
    c.RoundRect(b.x0, b.y0, b.x1, b.y1, 4, Paint{62, 64, 68});
    uint32_t state = 12345;
    const Paint cars[] = {{190, 40, 40}, {230, 230, 230}, {40, 70, 150},
                          {30, 30, 30},  {200, 180, 40},  {120, 130, 140}};
    for (int column = 0; column < 2; ++column) {
        float x = column == 0 ? b.x0 + 4 : b.x1 - 30;
        for (float y = b.y0 + 4; y + 9 < b.y1; y += 11) {
            c.FillRect(x, y + 9.5f, x + 26, y + 10.5f, Paint{235, 235, 230});
            state = state * 1103515245u + 12345u;
            if ((state >> 16) % 4 != 0)
                c.RoundRect(x + 3, y + 2, x + 23, y + 9, 2.5f, cars[(state >> 20) % 6]);
        }
    }
}

void TrainingHall(PictureCanvas& c, bool built) {
    const Box& b = kTrainingHall;
    if (!built) {
        Planned(c, b);
        return;
    }
    c.FillRect(b.x0 + 2, b.y0 + 2, b.x1 + 2, b.y1 + 2, Paint{0, 0, 0, 70});
    c.FillRect(b.x0, b.y0, b.x1, (b.y0 + b.y1) / 2, Paint{150, 70, 55});
    c.FillRect(b.x0, (b.y0 + b.y1) / 2, b.x1, b.y1, Paint{125, 55, 45});
    c.Line(b.x0, (b.y0 + b.y1) / 2, b.x1, (b.y0 + b.y1) / 2, 1.5f, Paint{90, 40, 30});
    for (float x = b.x0 + 8; x < b.x1 - 4; x += 14)
        c.FillRect(x, b.y0 + 10, x + 6, b.y0 + 16, Paint{170, 210, 230});
}

void FunShop(PictureCanvas& c, bool built) {
    const Box& b = kFunShop;
    if (!built) {
        Planned(c, b);
        return;
    }
    c.FillRect(b.x0 + 2, b.y0 + 2, b.x1 + 2, b.y1 + 2, Paint{0, 0, 0, 70});
    c.FillRect(b.x0, b.y0, b.x1, b.y1, Paint{225, 215, 190});
    // The striped awning faces the arena.
    for (float y = b.y0; y < b.y1; y += 8)
        c.FillRect(b.x0, y, b.x0 + 14, y + 4, Paint{200, 40, 40});
    c.FillRect(b.x0 + 14, b.y0, b.x0 + 16, b.y1, Paint{150, 30, 30});
    c.Disc((b.x0 + b.x1) / 2 + 8, (b.y0 + b.y1) / 2, 12, Paint{230, 120, 30});
    c.Line((b.x0 + b.x1) / 2 - 4, (b.y0 + b.y1) / 2, (b.x0 + b.x1) / 2 + 20, (b.y0 + b.y1) / 2, 1.5f,
           Paint{30, 30, 30});
}

void Roof(PictureCanvas& c, bool built) {
    if (!built) {
        c.DashedFrame(kHall.x0 + 3, kHall.y0 + 3, kHall.x1 - 3, kHall.y1 - 3, kPlanned);
        c.DashedFrame(kOpening.x0 - 2, kOpening.y0 - 2, kOpening.x1 + 2, kOpening.y1 + 2, kPlanned);
        return;
    }
    auto ring = [](float x, float y) {
        bool inHall = x >= kHall.x0 + 3 && x < kHall.x1 - 3 && y >= kHall.y0 + 3 && y < kHall.y1 - 3;
        bool inOpening =
            x >= kOpening.x0 - 2 && x < kOpening.x1 + 2 && y >= kOpening.y0 - 2 && y < kOpening.y1 + 2;
        return inHall && !inOpening;
    };
    c.FillShape(0, 0, kArenaWidth, kArenaHeight, ring, Paint{200, 205, 215, 95});
    Paint truss{225, 230, 240, 190};
    // Trusses run from the opening out to the wall.
    for (float t = 0.0f; t <= 1.0f; t += 0.125f) {
        float ox = kOpening.x0 - 2 + (kOpening.x1 - kOpening.x0 + 4) * t;
        float hx = kHall.x0 + 3 + (kHall.x1 - kHall.x0 - 6) * t;
        c.Line(ox, kOpening.y0 - 2, hx, kHall.y0 + 3, 1.2f, truss);
        c.Line(ox, kOpening.y1 + 2, hx, kHall.y1 - 3, 1.2f, truss);
    }
    for (float t = 0.0f; t <= 1.0f; t += 0.25f) {
        float oy = kOpening.y0 - 2 + (kOpening.y1 - kOpening.y0 + 4) * t;
        float hy = kHall.y0 + 3 + (kHall.y1 - kHall.y0 - 6) * t;
        c.Line(kOpening.x0 - 2, oy, kHall.x0 + 3, hy, 1.2f, truss);
        c.Line(kOpening.x1 + 2, oy, kHall.x1 - 3, hy, 1.2f, truss);
    }
    c.DashedFrame(kOpening.x0 - 2, kOpening.y0 - 2, kOpening.x1 + 2, kOpening.y1 + 2, truss);
}

void Floodlights(PictureCanvas& c, bool built) {
    const float corners[4][2] = {{kOpening.x0 - 4, kOpening.y0 - 4},
                                 {kOpening.x1 + 4, kOpening.y0 - 4},
                                 {kOpening.x0 - 4, kOpening.y1 + 4},
                                 {kOpening.x1 + 4, kOpening.y1 + 4}};
    for (const auto& p : corners) {
        if (!built) {
            c.Disc(p[0], p[1], 3, Paint{150, 150, 150, 200});
            continue;
        }
        c.Disc(p[0], p[1], 14, Paint{255, 240, 170, 45});
        c.Disc(p[0], p[1], 8, Paint{255, 245, 190, 110});
        c.Disc(p[0], p[1], 4, Paint{255, 255, 235});
    }
    if (built) {
        // Light bars along the long sides of the opening.
        c.FillRect(kOpening.x0 + 10, kOpening.y0 - 3, kOpening.x1 - 10, kOpening.y0 - 1,
                   Paint{255, 250, 210, 220});
        c.FillRect(kOpening.x0 + 10, kOpening.y1 + 1, kOpening.x1 - 10, kOpening.y1 + 3,
                   Paint{255, 250, 210, 220});
    }
}

void VideoScreens(PictureCanvas& c, bool built) {
    Box cube{188, 116, 212, 140};
    if (!built) {
        c.DashedFrame(cube.x0, cube.y0, cube.x1, cube.y1, kPlanned);
        return;
    }
    c.FillRect(cube.x0 + 2, cube.y0 + 2, cube.x1 + 2, cube.y1 + 2, Paint{0, 0, 0, 90});
    c.FillRect(cube.x0, cube.y0, cube.x1, cube.y1, Paint{25, 28, 34});
    // Each face glows with the score, the four edges lit.
    c.FillRect(cube.x0, cube.y0, cube.x1, cube.y0 + 4, Paint{60, 170, 255});
    c.FillRect(cube.x0, cube.y1 - 4, cube.x1, cube.y1, Paint{60, 170, 255});
    c.FillRect(cube.x0, cube.y0, cube.x0 + 4, cube.y1, Paint{40, 140, 230});
    c.FillRect(cube.x1 - 4, cube.y0, cube.x1, cube.y1, Paint{40, 140, 230});
    c.FillRect(cube.x0 + 7, cube.y0 + 9, cube.x0 + 11, cube.y0 + 15, Paint{255, 210, 60});
    c.FillRect(cube.x1 - 11, cube.y0 + 9, cube.x1 - 7, cube.y0 + 15, Paint{255, 210, 60});
    // Big screens over both ends.
    c.FillRect(kHall.x0 + 6, 112, kHall.x0 + 11, 144, Paint{60, 170, 255});
    c.FillRect(kHall.x1 - 11, 112, kHall.x1 - 6, 144, Paint{60, 170, 255});
}

} // namespace

PictureCanvas DrawArenaLayer(int index, bool built) {
    PictureCanvas c(kArenaWidth, kArenaHeight);
    auto stand = [&](const Box& b, Paint seat, bool rowsAcross) {
        if (built)
            Seats(c, b, seat, rowsAcross);
        else
            Planned(c, b);
    };
    switch (index) {
    case 0:
        ArenaHall(c, built);
        break;
    case 1:
    case 2:
        stand(kStands[index - 1], Paint{31, 122, 122}, true);
        break;
    case 3:
    case 4:
    case 5:
    case 6:
        stand(kStands[index - 1], Paint{75, 93, 138}, false);
        break;
    case 7: // courtside seats: a ring round the court
        if (built) {
            c.FillShape(
                0, 0, kArenaWidth, kArenaHeight,
                [](float x, float y) {
                    bool ring = x >= kOpening.x0 && x < kOpening.x1 && y >= kOpening.y0 && y < kOpening.y1;
                    bool court = x >= kCourt.x0 && x < kCourt.x1 && y >= kCourt.y0 && y < kCourt.y1;
                    return ring && !court;
                },
                Paint{192, 57, 43});
        } else {
            c.DashedFrame(kOpening.x0, kOpening.y0, kOpening.x1, kOpening.y1, kPlanned);
        }
        break;
    case 8:
        stand(kMainStand, Paint{46, 92, 154}, false);
        break;
    case 9:
        stand(kUpperTop, Paint{35, 57, 93}, false);
        stand(kUpperBottom, Paint{35, 57, 93}, false);
        break;
    case 10:
        stand(kOppositeStand, Paint{52, 102, 168}, false);
        break;
    case 11:
        if (built) {
            c.FillRect(kBoxes.x0, kBoxes.y0, kBoxes.x1, kBoxes.y1, Paint{143, 211, 232});
            for (float x = kBoxes.x0 + 10; x < kBoxes.x1; x += 10)
                c.FillRect(x, kBoxes.y0, x + 1.5f, kBoxes.y1, Paint{60, 80, 95});
        } else {
            Planned(c, kBoxes);
        }
        break;
    case 12:
        Roof(c, built);
        break;
    case 13:
        TrainingHall(c, built);
        break;
    case 14:
        FunShop(c, built);
        break;
    case 15:
        CarPark(c, built);
        break;
    case 16:
        Floodlights(c, built);
        break;
    default:
        VideoScreens(c, built);
        break;
    }
    return c;
}

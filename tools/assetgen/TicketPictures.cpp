// The ticket screen's arena pictures, drawn from the look, the picture number and the seat class.
#include "TicketPictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float kDesignWidth = 775.0f, kDesignHeight = 435.0f;

struct Pt {
    float x, y;
};
using Poly = std::vector<Pt>;

// Ten seat colours for a league hall and ten blues for the cup hall, one per picture number.
constexpr Paint kClubSeats[10] = {
    {196, 48, 52}, {32, 92, 176},  {236, 160, 36}, {40, 140, 84}, {120, 64, 160},
    {212, 96, 40}, {24, 136, 150}, {150, 28, 72},  {92, 110, 40}, {60, 60, 72},
};
constexpr Paint kCupSeats[10] = {
    {30, 80, 170}, {24, 64, 140},  {40, 96, 190}, {20, 56, 120}, {36, 88, 160},
    {28, 72, 150}, {44, 104, 200}, {22, 60, 130}, {34, 84, 176}, {26, 68, 146},
};
constexpr Paint kWalls[10] = {
    {222, 214, 170}, {196, 214, 190}, {206, 200, 222}, {226, 196, 170}, {190, 210, 220},
    {220, 220, 200}, {214, 190, 196}, {200, 220, 180}, {230, 210, 190}, {196, 200, 210},
};
constexpr Paint kShirts[6] = {{240, 240, 236}, {40, 40, 48},   {200, 60, 50},
                              {60, 110, 200},  {236, 200, 60}, {110, 170, 90}};

uint32_t Hash(int a, int b, int c) {
    uint32_t h = 2166136261u;
    for (int v : {a, b, c}) {
        h ^= static_cast<uint32_t>(v);
        h *= 16777619u;
        h ^= h >> 13;
    }
    return h;
}

Paint Shade(Paint p, float f) {
    auto byte = [f](uint8_t v) { return static_cast<uint8_t>(std::clamp(v * f, 0.0f, 255.0f)); };
    return Paint{byte(p.r), byte(p.g), byte(p.b), p.a};
}

Paint Mix(Paint a, Paint b, float t) {
    auto lerp = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return Paint{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), 255};
}

bool Inside(const Poly& poly, float x, float y) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Pt& a = poly[i];
        const Pt& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

// Draws in design units on a canvas of any size. Its own rasteriser takes 2 x 2 samples a pixel
// and inlines the shape test: these pictures are redrawn on every build, so speed counts.
class Painter {
public:
    explicit Painter(PictureCanvas& canvas)
        : c(canvas), sx(canvas.Width() / kDesignWidth), sy(canvas.Height() / kDesignHeight) {}

    void Rect(float x0, float y0, float x1, float y1, Paint p) {
        x0 *= sx, x1 *= sx, y0 *= sy, y1 *= sy;
        Shape(
            x0, y0, x1, y1, [=](float x, float y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, p);
    }
    void Fill(const Poly& poly, Paint p) {
        Poly scaled;
        float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
        for (const Pt& q : poly) {
            scaled.push_back({q.x * sx, q.y * sy});
            x0 = std::min(x0, q.x * sx);
            y0 = std::min(y0, q.y * sy);
            x1 = std::max(x1, q.x * sx);
            y1 = std::max(y1, q.y * sy);
        }
        Shape(
            x0, y0, x1, y1, [&scaled](float x, float y) { return Inside(scaled, x, y); }, p);
    }
    // A horizontal band of the height given, only where it lies inside the area.
    void Band(const Poly& area, float y0, float y1, Paint p) {
        Poly scaled;
        float x0 = 1e9f, x1 = -1e9f;
        for (const Pt& q : area) {
            scaled.push_back({q.x * sx, q.y * sy});
            x0 = std::min(x0, q.x * sx);
            x1 = std::max(x1, q.x * sx);
        }
        y0 *= sy, y1 *= sy;
        Shape(
            x0, y0, x1, y1, [&](float x, float y) { return y >= y0 && y < y1 && Inside(scaled, x, y); }, p);
    }
    void Disc(float cx, float cy, float r, Paint p) {
        cx *= sx, cy *= sy, r *= std::min(sx, sy);
        Shape(
            cx - r, cy - r, cx + r, cy + r,
            [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; }, p);
    }
    void Line(float x0, float y0, float x1, float y1, float w, Paint p) {
        x0 *= sx, x1 *= sx, y0 *= sy, y1 *= sy;
        const float half = std::max(1.0f, w * std::min(sx, sy)) / 2.0f;
        const float dx = x1 - x0, dy = y1 - y0, lengthSq = dx * dx + dy * dy;
        Shape(
            std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
            std::max(y0, y1) + half,
            [=](float x, float y) {
                const float px = x - x0, py = y - y0;
                const float t =
                    lengthSq > 0.0f ? std::clamp((px * dx + py * dy) / lengthSq, 0.0f, 1.0f) : 0.0f;
                const float ex = px - t * dx, ey = py - t * dy;
                return ex * ex + ey * ey <= half * half;
            },
            p);
    }
    void Outline(const Poly& poly, float w, Paint p) {
        for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
            Line(poly[j].x, poly[j].y, poly[i].x, poly[i].y, w, p);
    }
    // Top to bottom from one colour to another, a band per design unit.
    void Gradient(float y0, float y1, Paint top, Paint bottom) {
        for (float y = y0; y < y1; y += 1.0f)
            Rect(0, y, kDesignWidth, std::min(y + 1.0f, y1), Mix(top, bottom, (y - y0) / (y1 - y0)));
    }
    // An ellipse's outline, in short strokes.
    void Ellipse(float cx, float cy, float rx, float ry, float w, Paint p) {
        constexpr int kSteps = 48;
        for (int i = 0; i < kSteps; ++i) {
            const float a0 = 6.2831853f * i / kSteps, a1 = 6.2831853f * (i + 1) / kSteps;
            Line(cx + rx * std::cos(a0), cy + ry * std::sin(a0), cx + rx * std::cos(a1),
                 cy + ry * std::sin(a1), w, p);
        }
    }

    PictureCanvas& c;
    float sx, sy;

private:
    template <typename InsideFn>
    void Shape(float x0, float y0, float x1, float y1, InsideFn inside, Paint p) {
        const int left = std::max(0, static_cast<int>(std::floor(x0)));
        const int top = std::max(0, static_cast<int>(std::floor(y0)));
        const int right = std::min(c.Width(), static_cast<int>(std::ceil(x1)) + 1);
        const int bottom = std::min(c.Height(), static_cast<int>(std::ceil(y1)) + 1);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const int hits = inside(x + 0.25f, y + 0.25f) + inside(x + 0.75f, y + 0.25f) +
                                 inside(x + 0.25f, y + 0.75f) + inside(x + 0.75f, y + 0.75f);
                if (hits > 0)
                    c.Blend(x, y, p, hits / 4.0f);
            }
    }
};

// Seats in rows across a stand with people scattered over them: the fuller, the more shirts.
void Stand(Painter& pt, const Poly& area, Paint seat, int number, float full, float rowStep) {
    pt.Fill(area, seat);
    float top = 1e9f, bottom = -1e9f, left = 1e9f, right = -1e9f;
    for (const Pt& q : area) {
        top = std::min(top, q.y);
        bottom = std::max(bottom, q.y);
        left = std::min(left, q.x);
        right = std::max(right, q.x);
    }
    const Paint row = Shade(seat, 0.55f);
    int rowIndex = 0;
    for (float y = top + rowStep; y < bottom; y += rowStep, ++rowIndex) {
        pt.Band(area, y, y + 1.2f, row);
        const float stagger = (rowIndex % 2) * rowStep * 0.6f;
        for (float x = left + 4 + stagger; x < right - 2; x += rowStep * 1.2f) {
            const uint32_t h = Hash(static_cast<int>(x), static_cast<int>(y), number);
            if ((h % 1000) / 1000.0f >= full || !Inside(area, x, y - rowStep * 0.45f))
                continue;
            const Paint shirt = kShirts[(h >> 10) % 6];
            pt.Disc(x, y - rowStep * 0.25f, rowStep * 0.34f, shirt);
            pt.Disc(x, y - rowStep * 0.72f, rowStep * 0.22f, Paint{226, 186, 150});
        }
    }
}

// The floor seen from the stands: the far sideline at the top, the keys at both ends.
void CourtFloor(Painter& pt, float top, Paint wood, Paint paint, Paint line) {
    pt.Fill({{0, top - 10}, {kDesignWidth, top - 10}, {kDesignWidth, kDesignHeight}, {0, kDesignHeight}},
            Shade(wood, 0.8f));
    const Poly court{{70, top}, {705, top}, {835, kDesignHeight + 20}, {-60, kDesignHeight + 20}};
    pt.Fill(court, wood);
    for (float y = top + 8; y < kDesignHeight; y += 9)
        pt.Line(0, y, kDesignWidth, y, 0.6f, Paint{0, 0, 0, 22});
    pt.Fill({{70, top}, {170, top}, {130, kDesignHeight}, {-20, kDesignHeight}}, paint);
    pt.Fill({{605, top}, {705, top}, {795, kDesignHeight}, {645, kDesignHeight}}, paint);
    pt.Outline(court, 2.5f, line);
    pt.Line(387, top, 387, kDesignHeight, 2.5f, line);
    pt.Ellipse(387, top + (kDesignHeight - top) * 0.55f, 62, (kDesignHeight - top) * 0.28f, 2.5f, line);
}

void Hall(Painter& pt, int number, bool cup) {
    const Paint seat = cup ? kCupSeats[number - 1] : kClubSeats[number - 1];
    pt.Gradient(0, 96, Paint{16, 20, 30}, Paint{44, 48, 62});
    for (float x = -40; x < kDesignWidth + 40; x += 64) {
        pt.Line(x, 0, x + 40, 92, 2, Paint{70, 76, 92});
        pt.Line(x + 40, 0, x, 92, 2, Paint{70, 76, 92});
    }
    for (float x = 30; x < kDesignWidth; x += 58)
        pt.Disc(x, 14, 5, Paint{255, 246, 210});
    // The scoreboard over the centre circle.
    pt.Rect(332, 14, 442, 76, Paint{24, 26, 32});
    pt.Rect(338, 20, 436, 50, Paint{10, 12, 16});
    pt.Rect(346, 26, 380, 44, Paint{255, 120, 40});
    pt.Rect(394, 26, 428, 44, Paint{255, 120, 40});
    pt.Rect(338, 56, 436, 70, seat);

    const Poly discountLeft{{0, 96}, {120, 96}, {150, 190}, {0, 190}};
    const Poly upper{{120, 96}, {655, 96}, {625, 190}, {150, 190}};
    const Poly discountRight{{655, 96}, {775, 96}, {775, 190}, {625, 190}};
    Stand(pt, discountLeft, Shade(seat, 0.7f), number, 0.45f, 9);
    Stand(pt, upper, seat, number, 0.7f, 9);
    Stand(pt, discountRight, Shade(seat, 0.7f), number, 0.45f, 9);
    // The boxes: a glass front with warm light and a few guests.
    pt.Rect(0, 190, kDesignWidth, 228, Paint{30, 32, 40});
    for (float x = 44; x < 730; x += 58) {
        pt.Rect(x, 195, x + 50, 223, Paint{255, 214, 150});
        for (int guest = 0; guest < 3; ++guest)
            if (Hash(static_cast<int>(x), guest, number) % 3 != 0) {
                const float gx = x + 10 + guest * 15;
                pt.Disc(gx, 208, 4, Paint{60, 52, 48});
                pt.Rect(gx - 5, 212, gx + 5, 223, Shade(kShirts[guest + 1], 0.8f));
            }
        pt.Rect(x, 219, x + 50, 223, Paint{200, 200, 210});
    }
    pt.Rect(0, 226, kDesignWidth, 228, seat);
    // Tunnels at the corners of the lower tier.
    pt.Rect(0, 228, kDesignWidth, 336, Paint{26, 28, 36});
    const Poly lower{{20, 228}, {755, 228}, {715, 318}, {60, 318}};
    Stand(pt, lower, Shade(seat, 1.15f), number, 0.85f, 10);
    // The advertising boards and the courtside chairs.
    pt.Rect(40, 318, 735, 326, cup ? Paint{240, 200, 40} : Paint{230, 230, 236});
    for (float x = 96; x < 680; x += 16) {
        pt.Rect(x, 326, x + 11, 336, Paint{180, 30, 40});
        if (Hash(static_cast<int>(x), 7, number) % 4 != 0) {
            pt.Disc(x + 5.5f, 322, 3.5f, Paint{226, 186, 150});
            pt.Rect(x + 1, 325, x + 10, 334, kShirts[Hash(static_cast<int>(x), 8, number) % 6]);
        }
    }
    CourtFloor(pt, 346, Paint{214, 160, 100}, Shade(seat, 0.9f), Paint{250, 250, 244});
}

void School(Painter& pt, int number) {
    const Paint wall = kWalls[number - 1];
    pt.Gradient(0, 300, Shade(wall, 0.9f), wall);
    for (float y = 12; y < 300; y += 12)
        pt.Line(0, y, kDesignWidth, y, 0.8f, Shade(wall, 0.85f));
    for (float x = 40; x < kDesignWidth - 60; x += 120) {
        pt.Rect(x, 26, x + 80, 86, Paint{150, 190, 220});
        pt.Rect(x + 38, 26, x + 42, 86, Paint{90, 90, 96});
        pt.Rect(x, 54, x + 80, 57, Paint{90, 90, 96});
    }
    // Pennants on a rope.
    pt.Line(0, 104, kDesignWidth, 112, 1.2f, Paint{80, 80, 80});
    for (float x = 10; x < kDesignWidth; x += 34)
        pt.Fill({{x, 104 + x / kDesignWidth * 8}, {x + 24, 105 + (x + 24) / kDesignWidth * 8}, {x + 12, 126}},
                kClubSeats[static_cast<int>(x / 34 + number) % 10]);
    // Bleachers: wooden steps with a scattering of pupils and parents.
    const Poly bleachers{{90, 150}, {685, 150}, {705, 300}, {70, 300}};
    Stand(pt, bleachers, Paint{182, 140, 92}, number, 0.35f, 15);
    pt.Rect(0, 300, kDesignWidth, 312, Paint{90, 96, 110});
    CourtFloor(pt, 322, Paint{224, 186, 130}, Shade(kClubSeats[number - 1], 1.1f), Paint{40, 40, 44});
}

void Street(Painter& pt, int number) {
    const Paint sky = Mix(Paint{110, 170, 230}, Paint{240, 170, 120}, (number - 1) / 12.0f);
    pt.Gradient(0, 232, sky, Paint{228, 232, 236});
    pt.Disc(640 - number * 30, 52, 26, Paint{255, 240, 190});
    // The town behind the court.
    float x = -10;
    for (int b = 0; x < kDesignWidth; ++b) {
        const uint32_t h = Hash(b, number, 3);
        const float w = 50 + h % 70, top = 70 + (h >> 8) % 110;
        const Paint block = Shade(kWalls[(h >> 16) % 10], 0.55f + ((h >> 20) % 20) / 100.0f);
        pt.Rect(x, top, x + w, 232, block);
        for (float wy = top + 10; wy < 220; wy += 18)
            for (float wx = x + 8; wx < x + w - 10; wx += 16)
                pt.Rect(wx, wy, wx + 8, wy + 10,
                        Shade(block, (Hash(int(wx), int(wy), number) % 5 == 0) ? 1.6f : 0.7f));
        x += w + 4;
    }
    // Asphalt and the painted court.
    pt.Rect(0, 232, kDesignWidth, kDesignHeight, Paint{70, 74, 80});
    for (int s = 0; s < 400; ++s) {
        const uint32_t h = Hash(s, number, 5);
        pt.Rect(h % 775, 232 + (h >> 10) % 203, h % 775 + 2, 232 + (h >> 10) % 203 + 1.5f,
                Paint{96, 100, 106});
    }
    const Paint lines{244, 244, 240};
    const Poly court{{60, 262}, {715, 262}, {830, 450}, {-55, 450}};
    pt.Outline(court, 3, lines);
    pt.Fill({{60, 262}, {150, 262}, {105, 450}, {-55, 450}}, Shade(kClubSeats[number - 1], 0.9f));
    pt.Line(387, 262, 387, 450, 3, lines);
    pt.Ellipse(387, 350, 66, 40, 3, lines);
    // The hoop on its pole at the left end.
    pt.Rect(36, 120, 44, 300, Paint{60, 64, 72});
    pt.Rect(40, 110, 118, 164, Paint{240, 240, 240});
    pt.Outline({{68, 134}, {92, 134}, {92, 156}, {68, 156}}, 2, Paint{200, 40, 40});
    pt.Line(118, 150, 136, 158, 2, Paint{60, 64, 72});
    pt.Ellipse(126, 162, 12, 4, 2.5f, Paint{230, 90, 30});
    // The fence: a chain-link screen with posts.
    for (float fx = -300; fx < kDesignWidth; fx += 14) {
        pt.Line(fx, 140, fx + 110, 250, 0.8f, Paint{190, 196, 200, 150});
        pt.Line(fx + 110, 140, fx, 250, 0.8f, Paint{190, 196, 200, 150});
    }
    for (float fx = 0; fx < kDesignWidth; fx += 130)
        pt.Rect(fx, 136, fx + 5, 252, Paint{150, 156, 160});
    pt.Rect(0, 136, kDesignWidth, 140, Paint{150, 156, 160});
}

// Where each seat class sits in the hall.
std::vector<Poly> SeatClassArea(int seatClass) {
    switch (seatClass) {
    case 0:
        return {{{90, 316}, {685, 316}, {685, 338}, {90, 338}}};
    case 1:
        return {{{20, 228}, {755, 228}, {715, 318}, {60, 318}}};
    case 2:
        return {{{120, 96}, {655, 96}, {625, 190}, {150, 190}}};
    case 3:
        return {{{0, 96}, {120, 96}, {150, 190}, {0, 190}}, {{655, 96}, {775, 96}, {775, 190}, {625, 190}}};
    case 4:
        return {{{40, 190}, {735, 190}, {735, 228}, {40, 228}}};
    default:
        return {};
    }
}

// Dims all but the class's seats and frames them in gold.
void PickOut(Painter& pt, int seatClass) {
    const std::vector<Poly> areas = SeatClassArea(seatClass);
    if (areas.empty())
        return;
    PictureCanvas& c = pt.c;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const float dx = (x + 0.5f) / pt.sx, dy = (y + 0.5f) / pt.sy;
            if (std::none_of(areas.begin(), areas.end(), [&](const Poly& a) { return Inside(a, dx, dy); }))
                c.Blend(x, y, Paint{8, 10, 16}, 0.62f);
        }
    for (const Poly& area : areas)
        pt.Outline(area, 4, Paint{255, 209, 102});
}

} // namespace

PictureCanvas DrawTicketArena(ArenaLook look, int number, int seatClass, int width, int height) {
    PictureCanvas canvas(width, height);
    Painter pt(canvas);
    number = std::clamp(number, 1, 10);
    switch (look) {
    case ArenaLook::Street:
        Street(pt, number);
        break;
    case ArenaLook::School:
        School(pt, number);
        break;
    case ArenaLook::Hall:
    case ArenaLook::Cup:
        Hall(pt, number, look == ArenaLook::Cup);
        PickOut(pt, seatClass);
        break;
    }
    return canvas;
}

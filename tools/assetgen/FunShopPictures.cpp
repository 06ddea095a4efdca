// Drawn from the item number alone: a rounded badge, a darker rim and one of four emblems.
#include "FunShopPictures.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kSize = 96;

struct Rgb {
    int r, g, b;
};

// Sixteen club colours, one per item.
constexpr Rgb kColours[16] = {
    {220, 60, 50},  {240, 150, 40},  {235, 205, 60}, {120, 190, 70},  {50, 160, 120}, {60, 170, 210},
    {70, 110, 220}, {130, 90, 210},  {200, 80, 170}, {230, 110, 130}, {150, 120, 80}, {90, 140, 160},
    {200, 60, 90},  {100, 180, 180}, {170, 170, 60}, {110, 110, 130},
};

uint8_t Byte(int v) {
    return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

} // namespace

Image FunShopPicture(int item) {
    Image img(kSize, kSize);
    const Rgb c = kColours[(item % 16 + 16) % 16];
    const double centre = (kSize - 1) / 2.0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double dx = x - centre, dy = y - centre;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > 46) {
                img.Set(x, y, 0, 0, 0, 0); // transparent corners
                continue;
            }
            // A soft top light over the badge; the rim darker.
            const int light = static_cast<int>(30 - (y * 50) / kSize);
            const int shade = d > 41 ? -70 : light;
            img.Set(x, y, Byte(c.r + shade), Byte(c.g + shade), Byte(c.b + shade));
            bool emblem = false;
            switch (item % 4) {
            case 0: // a star-like diamond
                emblem = std::abs(dx) + std::abs(dy) < 22;
                break;
            case 1: // stripes
                emblem = d < 30 && ((x + y) / 8) % 2 == 0;
                break;
            case 2: // a ball with seams
                emblem = (d < 24 && d > 19) || (d < 24 && (std::abs(dx) < 2 || std::abs(dy) < 2));
                break;
            default: // a square tag
                emblem = std::abs(dx) < 17 && std::abs(dy) < 13;
                break;
            }
            if (emblem)
                img.Set(x, y, 250, 245, 235);
        }
    // Item number as a row of dots under the emblem: 1 to 4 by level.
    const int dots = item / 4 + 1;
    for (int k = 0; k < dots; ++k)
        img.Rect(36 + k * 7 + (4 - dots) * 3, 76, 41 + k * 7 + (4 - dots) * 3, 81, 30, 30, 40);
    return img;
}

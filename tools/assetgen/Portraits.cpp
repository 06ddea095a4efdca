// Player portraits, the empty portrait and the trend arrows.
#include "Portraits.h"

#include "match/PlayerLooks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

uint32_t PortraitHash(const PortraitSpec& spec) {
    // The 3D head textures pick the same skin shade and hair from this hash.
    return PlayerLookHash(spec.id, spec.name);
}

// Picks from a list by some bits of the hash.
template <class T, size_t N> const T& Pick(const T (&list)[N], uint32_t h, int shift) {
    return list[(h >> shift) % N];
}

Paint Shade(Paint c, float f) {
    auto ch = [f](uint8_t v) { return static_cast<uint8_t>(std::clamp(v * f, 0.0f, 255.0f)); };
    return Paint{ch(c.r), ch(c.g), ch(c.b), c.a};
}

bool InEllipse(float x, float y, float cx, float cy, float rx, float ry) {
    const float u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0f;
}

constexpr Paint kDarkSkins[] = {{92, 60, 42}, {112, 74, 50}, {132, 90, 60}, {150, 104, 70}};
constexpr Paint kLightSkins[] = {{238, 200, 172}, {226, 184, 150}, {210, 166, 128}, {245, 212, 188}};
constexpr Paint kDarkHair[] = {{22, 18, 16}, {40, 30, 24}, {58, 40, 28}};
constexpr Paint kLightHair[] = {{40, 30, 24}, {96, 64, 38}, {150, 110, 60}, {200, 160, 90}, {30, 26, 24}};
constexpr Paint kJerseys[] = {{200, 30, 45},  {20, 70, 160},  {15, 120, 60}, {245, 190, 20},
                              {110, 40, 140}, {235, 110, 20}, {0, 140, 150}, {130, 20, 35}};
constexpr Paint kBackdrops[] = {{38, 52, 74}, {52, 44, 70}, {34, 62, 66}, {66, 50, 40}, {44, 58, 44}};

} // namespace

void LookColours(int shade, int hair, bool darkTone, uint8_t skin[3], uint8_t hairColour[3]) {
    const Paint s = darkTone ? kDarkSkins[shade % 4] : kLightSkins[shade % 4];
    const Paint h = darkTone ? kDarkHair[hair % 3] : kLightHair[hair % 5];
    skin[0] = s.r, skin[1] = s.g, skin[2] = s.b;
    hairColour[0] = h.r, hairColour[1] = h.g, hairColour[2] = h.b;
}

PictureCanvas DrawPlayerPortrait(const PortraitSpec& spec, const std::vector<unsigned char>& font) {
    PictureCanvas c(kPortraitWidth, kPortraitHeight);
    const uint32_t h = PortraitHash(spec);
    const bool dark = spec.skin == 0;
    const Paint skin = dark ? Pick(kDarkSkins, h, 0) : Pick(kLightSkins, h, 0);
    const Paint hair = dark ? Pick(kDarkHair, h, 3) : Pick(kLightHair, h, 3);
    const Paint jersey = Pick(kJerseys, h, 6);
    const Paint backdrop = Pick(kBackdrops, h, 9);
    const int hairStyle = static_cast<int>((h >> 12) % 5); // short, flat top, bald, curls, long
    const bool beard = (h >> 15) % 4 == 0;
    const float faceWidth = 25.0f + static_cast<float>((h >> 17) % 5);
    const float faceHeight = 32.0f + static_cast<float>((h >> 20) % 4);
    const float cx = 60.0f, cy = 62.0f;

    // A soft backdrop with a lighter spot behind the head.
    c.FillRect(0, 0, kPortraitWidth, kPortraitHeight, Shade(backdrop, 0.8f));
    c.Disc(cx, cy - 6.0f, 70.0f, Paint{backdrop.r, backdrop.g, backdrop.b, 150});
    c.Disc(cx, cy - 6.0f, 46.0f,
           Paint{Shade(backdrop, 1.3f).r, Shade(backdrop, 1.3f).g, Shade(backdrop, 1.3f).b, 90});

    // Shoulders in the jersey, a neck, then the head.
    const Paint trim{245, 245, 240};
    c.FillShape(
        0, 100, kPortraitWidth, kPortraitHeight,
        [](float x, float y) { return InEllipse(x, y, 60.0f, 158.0f, 62.0f, 56.0f); }, jersey);
    c.FillShape(
        0, 100, kPortraitWidth, kPortraitHeight,
        [](float x, float y) {
            return InEllipse(x, y, 60.0f, 106.0f, 17.0f, 12.0f) &&
                   !InEllipse(x, y, 60.0f, 104.0f, 13.0f, 9.0f);
        },
        trim);
    c.FillRect(cx - 11.0f, cy + faceHeight - 12.0f, cx + 11.0f, 108.0f, Shade(skin, 0.85f));
    c.FillShape(
        0, 100, kPortraitWidth, kPortraitHeight,
        [](float x, float y) { return InEllipse(x, y, 60.0f, 104.0f, 13.0f, 9.0f) && y >= 100.0f; },
        Shade(skin, 0.85f));
    if (spec.number > 0 && !font.empty()) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", spec.number);
        c.Text(font, number, 22.0f, 92.0f, 134.0f, trim);
    }

    // Long hair falls behind the face.
    if (hairStyle == 4)
        c.FillShape(
            0, 0, kPortraitWidth, kPortraitHeight,
            [&](float x, float y) {
                return InEllipse(x, y, cx, cy + 4.0f, faceWidth + 6.0f, faceHeight + 6.0f);
            },
            hair);
    // Ears, face.
    c.Disc(cx - faceWidth + 1.0f, cy + 2.0f, 6.0f, Shade(skin, 0.9f));
    c.Disc(cx + faceWidth - 1.0f, cy + 2.0f, 6.0f, Shade(skin, 0.9f));
    c.FillShape(
        0, 0, kPortraitWidth, kPortraitHeight,
        [&](float x, float y) { return InEllipse(x, y, cx, cy, faceWidth, faceHeight); }, skin);

    // Hair on top.
    switch (hairStyle) {
    case 0: // short
        c.FillShape(
            0, 0, kPortraitWidth, kPortraitHeight,
            [&](float x, float y) {
                return InEllipse(x, y, cx, cy - 6.0f, faceWidth + 1.0f, faceHeight + 1.0f) && y < cy - 18.0f;
            },
            hair);
        break;
    case 1: // flat top
        c.FillShape(
            0, 0, kPortraitWidth, kPortraitHeight,
            [&](float x, float y) {
                return std::fabs(x - cx) < faceWidth - 2.0f && y > cy - faceHeight - 10.0f && y < cy - 20.0f;
            },
            hair);
        break;
    case 2: // shaved: only a shadow of it
        c.FillShape(
            0, 0, kPortraitWidth, kPortraitHeight,
            [&](float x, float y) {
                return InEllipse(x, y, cx, cy - 4.0f, faceWidth, faceHeight) && y < cy - 22.0f;
            },
            Paint{hair.r, hair.g, hair.b, 70});
        break;
    case 3: // curls
        for (int k = 0; k < 9; ++k) {
            const float a = 3.14159f * (0.05f + 0.9f * k / 8.0f);
            c.Disc(cx - std::cos(a) * (faceWidth - 2.0f), cy - 16.0f - std::sin(a) * (faceHeight - 8.0f),
                   9.0f, hair);
        }
        break;
    default: // long: a fringe over the forehead
        c.FillShape(
            0, 0, kPortraitWidth, kPortraitHeight,
            [&](float x, float y) {
                return InEllipse(x, y, cx, cy - 8.0f, faceWidth + 2.0f, faceHeight) && y < cy - 16.0f;
            },
            hair);
        break;
    }

    // Brows, eyes, nose and mouth.
    const Paint ink{30, 24, 22};
    const float eyeY = cy - 2.0f, eyeDx = faceWidth * 0.42f;
    for (float side : {-1.0f, 1.0f}) {
        c.Line(cx + side * (eyeDx - 5.0f), eyeY - 8.0f, cx + side * (eyeDx + 5.0f), eyeY - 9.0f, 2.2f,
               Shade(hair, 0.8f));
        c.Disc(cx + side * eyeDx, eyeY, 3.6f, Paint{250, 250, 245});
        c.Disc(cx + side * eyeDx, eyeY + 0.4f, 2.0f, ink);
    }
    c.Line(cx, eyeY + 3.0f, cx - 2.5f, eyeY + 12.0f, 1.6f, Shade(skin, 0.72f));
    c.Line(cx - 2.5f, eyeY + 12.0f, cx + 2.0f, eyeY + 12.5f, 1.6f, Shade(skin, 0.72f));
    const float mouthY = cy + faceHeight * 0.55f;
    const bool smile = (h >> 24) % 3 != 0;
    for (int k = 0; k < 8; ++k) {
        const float t0 = -1.0f + k / 4.0f, t1 = t0 + 0.25f;
        const float bend = smile ? 3.0f : 0.5f;
        c.Line(cx + t0 * 8.0f, mouthY + bend * (1.0f - t0 * t0), cx + t1 * 8.0f,
               mouthY + bend * (1.0f - t1 * t1), 1.8f, Paint{120, 50, 45});
    }
    if (beard)
        c.FillShape(
            0, 0, kPortraitWidth, kPortraitHeight,
            [&](float x, float y) {
                return InEllipse(x, y, cx, cy, faceWidth, faceHeight) && y > mouthY + 3.0f;
            },
            Paint{hair.r, hair.g, hair.b, 200});
    return c;
}

PictureCanvas DrawEmptyPortrait() {
    PictureCanvas c(kPortraitWidth, kPortraitHeight);
    c.FillRect(0, 0, kPortraitWidth, kPortraitHeight, Paint{40, 46, 56});
    const Paint shape{92, 100, 112};
    c.Disc(60.0f, 60.0f, 26.0f, shape);
    c.FillShape(
        0, 0, kPortraitWidth, kPortraitHeight,
        [](float x, float y) { return InEllipse(x, y, 60.0f, 156.0f, 54.0f, 56.0f); }, shape);
    return c;
}

PictureCanvas DrawTrendArrow(bool up) {
    constexpr float kSize = 64.0f;
    PictureCanvas c(64, 64);
    const Paint fill = up ? Paint{60, 200, 90} : Paint{220, 60, 50};
    const Paint edge = up ? Paint{20, 90, 40} : Paint{100, 25, 20};
    // The arrow pointing up; flipped for down.
    auto arrow = [up](float x, float y, float grow) {
        const float v = up ? y : kSize - y;
        const bool head =
            v >= 6.0f - grow && v <= 34.0f + grow && std::fabs(x - 32.0f) <= (v - 6.0f + grow) * 0.95f;
        const bool shaft = v > 30.0f && v <= 58.0f + grow && std::fabs(x - 32.0f) <= 10.0f + grow;
        return head || shaft;
    };
    c.FillShape(
        0, 0, 64, 64, [&](float x, float y) { return arrow(x, y, 2.0f); }, edge);
    c.FillShape(
        0, 0, 64, 64, [&](float x, float y) { return arrow(x, y, 0.0f); }, fill);
    return c;
}
